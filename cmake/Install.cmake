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
# Reverse-DNS name of the desktop entry and the AppStream component.
set(MERCANZOLA_APP_ID it.mercanzola.mercanzola CACHE STRING "Desktop and AppStream id")
# Where software centres fetch the screenshots; the same pictures are in docs/.
set(MERCANZOLA_SCREENSHOTS_URL "https://mercanzola.example/schermate"
    CACHE STRING "Web folder of the AppStream screenshots")

set(PROGRAM_FOLDER lib/mercanzola)
# Folders of data made by the build beside the executable; a new one is added here.
set(MERCANZOLA_DATA_DIRS suoni immagini plugins)

install(TARGETS mercanzola RUNTIME DESTINATION ${PROGRAM_FOLDER})
foreach(dir IN LISTS MERCANZOLA_DATA_DIRS)
    install(DIRECTORY ${CMAKE_BINARY_DIR}/${dir} DESTINATION ${PROGRAM_FOLDER} USE_SOURCE_PERMISSIONS)
endforeach()
install(CODE "set(MERCANZOLA_CATALOGUES \"${CMAKE_BINARY_DIR}/lista.txt;${CMAKE_BINARY_DIR}/lista-euro.txt\")")
install(CODE "set(MERCANZOLA_RECORD_CONF \"${CMAKE_SOURCE_DIR}/packaging/registro.conf\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallLinks.cmake)
install(CODE "set(MERCANZOLA_STRIP \"${CMAKE_STRIP}\")")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallStrip.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ManualPage.cmake)

# Desktop entry and AppStream metainfo, named after the id.
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/packaging/mercanzola.desktop.in
    ${PACKAGING_OUT}/${MERCANZOLA_APP_ID}.desktop @ONLY)
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

# The Debian package. DESTDIR staging, so the catalogue can go to /etc.
file(WRITE ${PACKAGING_OUT}/conffiles
    "/etc/mercanzola/lista.txt\n/etc/mercanzola/lista-euro.txt\n/etc/mercanzola/registro.conf\n")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mercanzola)
set(CPACK_PACKAGE_VERSION ${MERCANZOLA_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "esercitazioni matematiche di compravendita per la scuola primaria")
# The extended description in lines an 80-column terminal shows whole.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "La mercanzola fa esercitare gli alunni della scuola primaria, dagli otto ai"
    "dieci anni, sull'aritmetica del comprare e del vendere: costo totale e"
    "unitario, numero degli articoli, spesa, ricavo e guadagno, anche in tabelle,"
    "guadagno o perdita, pagare con le banconote e le monete; in lire o in euro."
    "Il catalogo delle merci è un file di testo che l'insegnante può modificare.")
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${MERCANZOLA_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries and plugins the program loads (windows on X11, JPEG money
# pictures, sound, the voice that reads aloud and its Italian speech, the
# teacher's record in SQLite or PostgreSQL), and the faces that stand in for Arial.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 5.2), libgcc-s1 (>= 3.0), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), \
libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6multimedia6 (>= 6.4), qt6-qpa-plugins, \
qt6-translations-l10n, fonts-liberation2, libqt6dbus6 (>= 6.4), libqt6texttospeech6 (>= 6.4), \
qt6-speech-speechd-plugin, speech-dispatcher, speech-dispatcher-espeak-ng, \
libqt6sql6 (>= 6.4), libqt6sql6-sqlite (>= 6.4), libqt6sql6-psql (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PACKAGING_OUT}/conffiles
    ${CMAKE_SOURCE_DIR}/packaging/postinst)
include(CPack)
