# Installing and packaging: `cmake --install` lays out
#   lib/mercanzola/   the program folder: the executable with lista.txt,
#                     lista-euro.txt and the data folders beside it, as in
#                     the build folder
#   bin/mercanzola    a link to the executable, which finds its folder by itself
#   share/applications, share/metainfo, share/icons/hicolor
#   share/man/man1, share/doc/mercanzola   the manual page, changelog, copyright
# and CPack makes a .deb of it. On a system install (prefix /usr) the
# catalogues live in /etc/mercanzola/, conffiles a teacher's edits survive
# upgrades in, and the program folder links to them.

include(${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/DebianControl.cmake)
# Reverse-DNS name of the desktop entry and the AppStream component.
set(MERCANZOLA_APP_ID it.mercanzola.mercanzola CACHE STRING "Desktop and AppStream id")
target_compile_definitions(mercanzola PRIVATE MERCANZOLA_APP_ID="${MERCANZOLA_APP_ID}")

set(PROGRAM_FOLDER lib/mercanzola)
# Folders of data made by the build beside the executable; a new one is added here.
set(MERCANZOLA_DATA_DIRS suoni immagini plugins)

install(TARGETS mercanzola mercanzola-consegna RUNTIME DESTINATION ${PROGRAM_FOLDER})
# Plugins and data alike read-only, as Debian's dh_fixperms leaves them.
foreach(dir IN LISTS MERCANZOLA_DATA_DIRS)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/${dir} DESTINATION ${PROGRAM_FOLDER}
            FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endforeach()
install(CODE "set(MERCANZOLA_CATALOGUES \"${CMAKE_BINARY_DIR}/lista.txt;${CMAKE_BINARY_DIR}/lista-euro.txt\")")
install(CODE "set(MERCANZOLA_RECORD_CONF \"${CMAKE_SOURCE_DIR}/packaging/registro.conf\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallLinks.cmake)
install(CODE "set(MERCANZOLA_STRIP \"${CMAKE_STRIP}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallStrip.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ManualPage.cmake)

# Desktop entry and AppStream metainfo, named after the id.
debian_control_field(Homepage MERCANZOLA_HOMEPAGE)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/mercanzola.desktop.in
    ${PACKAGING_OUT}/${MERCANZOLA_APP_ID}.desktop @ONLY)
# The screenshots are docs/'s pictures, which the project's site serves under
# schermate/; the first is the default.
set(MERCANZOLA_SCREENSHOTS "")
set(type " type=\"default\"")
foreach(shot "start|The start screen|La schermata iniziale"
             "menu|The menu of the exercises|Il menù degli esercizi"
             "esercizio|An exercise: the total cost|Un esercizio: il costo totale"
             "misto|Expense, revenue and profit together|Spesa, ricavo e guadagno insieme")
    string(REPLACE "|" ";" shot "${shot}")
    list(GET shot 0 name)
    list(GET shot 1 caption)
    list(GET shot 2 caption_it)
    string(APPEND MERCANZOLA_SCREENSHOTS
           "    <screenshot${type}>\n"
           "      <caption>${caption}</caption>\n"
           "      <caption xml:lang=\"it\">${caption_it}</caption>\n"
           "      <image>${MERCANZOLA_HOMEPAGE}schermate/${name}.png</image>\n"
           "    </screenshot>\n")
    set(type "")
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/packaging/mercanzola.metainfo.xml.in
    ${PACKAGING_OUT}/${MERCANZOLA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PACKAGING_OUT}/${MERCANZOLA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PACKAGING_OUT}/${MERCANZOLA_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# The icon: the cartoon head, drawn at the theme's sizes from its SVG.
set(ICON_SVG ${CMAKE_SOURCE_DIR}/assets/icons/cartoon_head.svg)
install(FILES ${ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME mercanzola.svg)
set(ICON_PNGS)
foreach(side 48 64 128 256)
    set(png ${PACKAGING_OUT}/icons/${side}/mercanzola.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PACKAGING_OUT}/icons/${side}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:mercanzola_svgrender> ${ICON_SVG} ${png} ${side} ${side}
        DEPENDS mercanzola_svgrender ${ICON_SVG}
        COMMENT "Rendering the ${side} px icon"
        VERBATIM)
    install(FILES ${png} DESTINATION share/icons/hicolor/${side}x${side}/apps)
    list(APPEND ICON_PNGS ${png})
endforeach()
add_custom_target(desktop_icons ALL DEPENDS ${ICON_PNGS})

# The Debian package. DESTDIR staging, so the catalogue can go to /etc. What
# it is, needs and recommends is read from debian/control, as dpkg-buildpackage
# reads it; the libraries come from dpkg-shlibdeps at packing time
# (cmake/CPackProject.cmake).
file(WRITE ${PACKAGING_OUT}/conffiles
    "/etc/mercanzola/lista.txt\n/etc/mercanzola/lista-euro.txt\n/etc/mercanzola/registro.conf\n")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mercanzola)
set(CPACK_PACKAGE_VERSION ${MERCANZOLA_VERSION})
debian_control_description(CPACK_PACKAGE_DESCRIPTION_SUMMARY CPACK_PACKAGE_DESCRIPTION)
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
debian_control_field(Maintainer CPACK_DEBIAN_PACKAGE_MAINTAINER)
debian_control_field(Section CPACK_DEBIAN_PACKAGE_SECTION)
debian_control_field(Priority CPACK_DEBIAN_PACKAGE_PRIORITY)
debian_control_field(Homepage CPACK_DEBIAN_PACKAGE_HOMEPAGE)
debian_control_field(Depends CPACK_MERCANZOLA_DEPENDS)
debian_control_field(Recommends CPACK_MERCANZOLA_RECOMMENDS)
debian_control_field(Suggests CPACK_DEBIAN_PACKAGE_SUGGESTS)
set(CPACK_MERCANZOLA_BINARY_DIR ${CMAKE_BINARY_DIR})
set(CPACK_MERCANZOLA_SOURCE_DIR ${CMAKE_SOURCE_DIR})
# Plugins used only when reading aloud is on: what they link is recommended.
set(CPACK_MERCANZOLA_OPTIONAL_PLUGINS libmercanzola_speech.so)
set(CPACK_MERCANZOLA_SOURCE_DATE_EPOCH ${MERCANZOLA_SOURCE_DATE_EPOCH})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake)
# The maintainer scripts are debian/'s, for both ways of building; CPack's copy
# goes without the line where debhelper puts its own part.
file(GLOB debian_scripts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/debian/p*inst
     ${CMAKE_SOURCE_DIR}/debian/p*rm)
set(maintainer_scripts)
foreach(script IN LISTS debian_scripts)
    get_filename_component(name ${script} NAME)
    file(READ ${script} text)
    string(REPLACE "\n#DEBHELPER#\n" "\n" text "${text}")
    file(WRITE ${PACKAGING_OUT}/scripts/${name} "${text}")
    file(CHMOD ${PACKAGING_OUT}/scripts/${name} FILE_PERMISSIONS OWNER_READ OWNER_WRITE
         OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    list(APPEND maintainer_scripts ${PACKAGING_OUT}/scripts/${name})
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PACKAGING_OUT}/conffiles ${maintainer_scripts})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
