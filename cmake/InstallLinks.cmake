# Run by `cmake --install`: the catalogues and the launcher link, which depend
# on the prefix given at install time. As Debian's policy wants, a link that
# crosses top-level folders (/usr to /etc) is absolute, one within /usr relative.
set(folder "${CMAKE_INSTALL_PREFIX}/lib/mercanzola")
foreach(catalogue IN LISTS MERCANZOLA_CATALOGUES)
    get_filename_component(name "${catalogue}" NAME)
    if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
        # A system install: the teacher edits /etc/mercanzola/lista.txt and lista-euro.txt.
        file(INSTALL "${catalogue}" DESTINATION "/etc/mercanzola")
        file(CREATE_LINK "/etc/mercanzola/${name}" "$ENV{DESTDIR}${folder}/${name}"
            SYMBOLIC)
    else()
        file(INSTALL "${catalogue}" DESTINATION "${folder}")
    endif()
endforeach()
# The record's settings, off as shipped: a system-wide choice for a school's PCs.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
    file(INSTALL "${MERCANZOLA_RECORD_CONF}" DESTINATION "/etc/mercanzola")
endif()
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
file(CREATE_LINK "../lib/mercanzola/mercanzola" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/mercanzola"
    SYMBOLIC)
