# Run by `cmake --install`: the catalogue and the launcher link, which depend
# on the prefix given at install time. Links are relative, so that a package
# unpacked anywhere (dpkg -x) still finds its files.
set(folder "${CMAKE_INSTALL_PREFIX}/lib/mercanzola")
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    # A system install: the teacher edits /etc/mercanzola/lista.txt.
    file(INSTALL "${MERCANZOLA_CATALOGUE}" DESTINATION "/etc/mercanzola")
    file(CREATE_LINK "../../../etc/mercanzola/lista.txt" "$ENV{DESTDIR}${folder}/lista.txt"
        SYMBOLIC)
else()
    file(INSTALL "${MERCANZOLA_CATALOGUE}" DESTINATION "${folder}")
endif()
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(CREATE_LINK "../lib/mercanzola/mercanzola" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/mercanzola"
    SYMBOLIC)
