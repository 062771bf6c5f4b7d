# The flags a Debian distribution builds with (dpkg-buildflags with
# hardening=+all), spelled out so that a plain `cmake` build, CPack's package
# and dpkg-buildpackage's make the same program: PIE, the strong stack
# protector, fortified libc calls, read-only relocations bound at start, and
# Intel CET and stack clash probes where the compiler has them (Debian 12's
# dpkg-buildflags leaves both out: they are added here, for every build). Left out of the sanitizer build, which
# fortification would blind.
include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)

option(MERCANZOLA_HARDENING "Build with the distribution's hardening flags" ON)
if(MERCANZOLA_HARDENING AND NOT MERCANZOLA_SANITIZE)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security -Wdate-time)
    # glibc warns about fortification without optimisation: Debug builds go without.
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    check_cxx_compiler_flag(-fstack-clash-protection MERCANZOLA_HAVE_STACK_CLASH_PROTECTION)
    if(MERCANZOLA_HAVE_STACK_CLASH_PROTECTION)
        add_compile_options(-fstack-clash-protection)
    endif()
    check_cxx_compiler_flag(-fcf-protection MERCANZOLA_HAVE_CF_PROTECTION)
    if(MERCANZOLA_HAVE_CF_PROTECTION)
        add_compile_options(-fcf-protection)
        # Debian 12's C start-up files carry no CET mark, and without one the
        # linker drops the mark of everything compiled here: it is set anyway.
        check_linker_flag(CXX "-Wl,-z,ibt,-z,shstk" MERCANZOLA_HAVE_CET_MARK)
        if(MERCANZOLA_HAVE_CET_MARK)
            add_link_options(-Wl,-z,ibt,-z,shstk)
        endif()
    endif()
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()

# Reproducible: the folders of this build leave no trace in what it makes, and
# the compiled-in resources carry no file times (format 1 has none).
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.)
set(CMAKE_AUTORCC_OPTIONS --format-version 1)
