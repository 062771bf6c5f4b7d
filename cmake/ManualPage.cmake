# The documents a Debian system expects of a package: the manual pages,
# written from their templates with the options of --help, the changelog and
# the copyright, the first two compressed as man and dpkg want them; the
# guides; lintian's overrides.

find_program(GZIP gzip REQUIRED)
set(DOC_OUT ${CMAKE_BINARY_DIR}/packaging)

add_executable(mercanzola_manpage ${CMAKE_SOURCE_DIR}/packaging/tools/manpage.cpp
                                  ${CMAKE_SOURCE_DIR}/src/app/CommandLineOptions.cpp)
target_include_directories(mercanzola_manpage PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(mercanzola_manpage PRIVATE Qt6::Core)

# The Italian page, the whole reference, and a shorter English one.
set(MANUAL_PAGES)
foreach(language it en)
    set(template ${CMAKE_SOURCE_DIR}/packaging/mercanzola.1.in)
    if(language STREQUAL en)
        set(template ${CMAKE_SOURCE_DIR}/packaging/mercanzola.en.1.in)
    endif()
    set(page ${DOC_OUT}/man-${language}/mercanzola.1)
    configure_file(${template} ${page}.in @ONLY)
    # -n leaves the name and time out, so the same sources make the same package.
    add_custom_command(
        OUTPUT ${page} ${page}.gz
        COMMAND mercanzola_manpage ${page}.in ${page}
        COMMAND ${GZIP} -9nkf ${page}
        DEPENDS mercanzola_manpage ${page}.in
        COMMENT "Writing the manual page (${language})"
        VERBATIM)
    list(APPEND MANUAL_PAGES ${page}.gz)
endforeach()
add_custom_command(
    OUTPUT ${DOC_OUT}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${MERCANZOLA_CHANGELOG} ${DOC_OUT}/changelog
    COMMAND ${GZIP} -9nf ${DOC_OUT}/changelog
    DEPENDS ${MERCANZOLA_CHANGELOG}
    COMMENT "Compressing the changelog"
    VERBATIM)
# Compressed here as dh_compress would, so that CPack and dpkg-buildpackage
# pack the same files.
set(GUIDES)
foreach(guide guida-insegnante tecnico)
    add_custom_command(
        OUTPUT ${DOC_OUT}/${guide}.md.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/${guide}.md ${DOC_OUT}/${guide}.md
        COMMAND ${GZIP} -9nf ${DOC_OUT}/${guide}.md
        DEPENDS ${CMAKE_SOURCE_DIR}/docs/${guide}.md
        COMMENT "Compressing ${guide}.md"
        VERBATIM)
    list(APPEND GUIDES ${DOC_OUT}/${guide}.md.gz)
endforeach()
add_custom_target(documentation ALL DEPENDS ${MANUAL_PAGES} ${DOC_OUT}/changelog.gz ${GUIDES})

install(FILES ${DOC_OUT}/man-it/mercanzola.1.gz DESTINATION share/man/it/man1)
install(FILES ${DOC_OUT}/man-en/mercanzola.1.gz DESTINATION share/man/man1)
# The guides for the teacher and the technician, in Italian.
install(FILES ${DOC_OUT}/changelog.gz ${CMAKE_SOURCE_DIR}/debian/copyright ${GUIDES}
        DESTINATION share/doc/mercanzola)
# The two lintian findings the package means, each with its reason.
install(FILES ${CMAKE_SOURCE_DIR}/debian/mercanzola.lintian-overrides
        DESTINATION share/lintian/overrides RENAME mercanzola)
