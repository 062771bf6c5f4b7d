# The documents a Debian system expects of a package: the manual page, written
# from its template with the options of --help, the changelog and the copyright,
# the first two compressed as man and dpkg want them.

find_program(GZIP gzip REQUIRED)
set(DOC_OUT ${CMAKE_BINARY_DIR}/packaging)

add_executable(mercanzola_manpage ${CMAKE_SOURCE_DIR}/packaging/tools/manpage.cpp
                                  ${CMAKE_SOURCE_DIR}/src/app/CommandLineOptions.cpp)
target_include_directories(mercanzola_manpage PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(mercanzola_manpage PRIVATE Qt6::Core)

configure_file(${CMAKE_SOURCE_DIR}/packaging/mercanzola.1.in ${DOC_OUT}/mercanzola.1.in @ONLY)
# -n leaves the name and time out, so the same sources make the same package.
add_custom_command(
    OUTPUT ${DOC_OUT}/mercanzola.1 ${DOC_OUT}/mercanzola.1.gz
    COMMAND mercanzola_manpage ${DOC_OUT}/mercanzola.1.in ${DOC_OUT}/mercanzola.1
    COMMAND ${GZIP} -9nkf ${DOC_OUT}/mercanzola.1
    DEPENDS mercanzola_manpage ${DOC_OUT}/mercanzola.1.in
    COMMENT "Writing the manual page"
    VERBATIM)
add_custom_command(
    OUTPUT ${DOC_OUT}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${MERCANZOLA_CHANGELOG} ${DOC_OUT}/changelog
    COMMAND ${GZIP} -9nf ${DOC_OUT}/changelog
    DEPENDS ${MERCANZOLA_CHANGELOG}
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(documentation ALL DEPENDS ${DOC_OUT}/mercanzola.1.gz ${DOC_OUT}/changelog.gz)

install(FILES ${DOC_OUT}/mercanzola.1.gz DESTINATION share/man/man1)
install(FILES ${DOC_OUT}/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
        DESTINATION share/doc/mercanzola)
