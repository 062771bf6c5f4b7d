# Run by `cmake --install --strip` and by CPack: strips every ELF file of the
# program folder as Debian's dh_strip would, plugins included, which
# install(DIRECTORY) copies untouched. Debug symbols go nowhere.
if(NOT CMAKE_INSTALL_DO_STRIP OR NOT MERCANZOLA_STRIP)
    return()
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/lib/mercanzola/*")
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(
            COMMAND "${MERCANZOLA_STRIP}" --remove-section=.comment --remove-section=.note
                    --strip-unneeded "${file}"
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "strip failed on ${file}")
        endif()
    endif()
endforeach()
