# Installation to any prefix, in Debian's places:
#   lib/cinnabarquillpad/     the program and the speech-engine installer, with links to the
#                             data below, so that this folder is a whole program directory
#   share/cinnabarquillpad/   dat/ (the databases), skins/ and the shipped setup.ini
#   bin/cinnabarquillpad      the launcher, which gives each reader a program directory of
#                             their own (see scripts/cinnabarquillpad.in)
#   share/applications, share/metainfo, share/icons/hicolor   desktop entry, AppStream data, icon
# and `make package`: a Debian package of the same files, built with CPack.
include(GNUInstallDirs)

set(CQ_INSTALL_PROGRAM_DIR lib/cinnabarquillpad)
set(CQ_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/cinnabarquillpad)
set(CQ_DESKTOP_ID org.example.cinnabarquillpad)
set(CQ_HOMEPAGE https://cinnabarquillpad.example.org/)
set(CQ_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)
set(CQ_GENERATED ${CMAKE_BINARY_DIR}/install-files)

# The program's data as the build put it together in the program's directory; setup.ini
# comes from the sources, since the one in build/bin holds the settings of test runs.
install(TARGETS cinnabarquillpad RUNTIME DESTINATION ${CQ_INSTALL_PROGRAM_DIR})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/install/TTS5.MSI DESTINATION ${CQ_INSTALL_PROGRAM_DIR})
install(FILES ${CQ_BIN_DIR}/dat/db3.dat ${CQ_BIN_DIR}/dat/db4.dat ${CQ_BIN_DIR}/dat/db5.dat
              ${CQ_BIN_DIR}/dat/LICENSE-chinese-poetry.txt
        DESTINATION ${CQ_INSTALL_DATA_DIR}/dat)
foreach(id 1 2 3 4 5 6 7)
  install(FILES ${CQ_BIN_DIR}/skins/${id}.skn DESTINATION ${CQ_INSTALL_DATA_DIR}/skins)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/install/setup.ini DESTINATION ${CQ_INSTALL_DATA_DIR})

# Relative links from the program's folder to the data, made at install time under
# DESTDIR and the prefix given then (cmake --install --prefix, or CPack's staging folder).
file(RELATIVE_PATH program_to_data /prefix/${CQ_INSTALL_PROGRAM_DIR} /prefix/${CQ_INSTALL_DATA_DIR})
foreach(name dat skins setup.ini)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CQ_INSTALL_PROGRAM_DIR}/${name}\")
    message(STATUS \"Installing: \${link} -> ${program_to_data}/${name}\")
    file(REMOVE_RECURSE \"\${link}\")
    file(CREATE_LINK \"${program_to_data}/${name}\" \"\${link}\" SYMBOLIC)")
endforeach()

# The launcher finds the program's folder relative to itself, so the prefix can change.
file(RELATIVE_PATH CQ_LAUNCHER_TO_PROGRAM /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${CQ_INSTALL_PROGRAM_DIR})
configure_file(${PROJECT_SOURCE_DIR}/scripts/cinnabarquillpad.in ${CQ_GENERATED}/cinnabarquillpad @ONLY)
install(PROGRAMS ${CQ_GENERATED}/cinnabarquillpad DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop entry and AppStream data. The entry starts the launcher through PATH, where the
# desktop looks it up, like the entry itself, under the prefix's share/ folder.
configure_file(${CQ_DESKTOP_DIR}/${CQ_DESKTOP_ID}.metainfo.xml.in ${CQ_GENERATED}/${CQ_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${CQ_DESKTOP_DIR}/${CQ_DESKTOP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CQ_GENERATED}/${CQ_DESKTOP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon in the hicolor theme: every drawn size and the scalable drawing.
foreach(size ${CQ_ICON_SIZES})
  install(FILES ${CQ_ICON_DIR}/cinnabarquillpad-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME cinnabarquillpad.png)
endforeach()
install(FILES ${CQ_ICON_DIR}/cinnabarquillpad.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# ---- the Debian package ---------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME cinnabarquillpad)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Cinnabarquillpad)
set(CPACK_PACKAGE_CONTACT "Cinnabarquillpad <author@cinnabarquillpad.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "anthology of Chinese and foreign poetry")
set(CPACK_PACKAGE_DESCRIPTION "A desktop anthology of Chinese and foreign poetry for one reader: \
choose a collection, an era or country, an author and a poem; search titles, authors and \
poem texts; sort the tables; have the text read aloud; page through daily tips; and change \
the look of every window among seven skins.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CQ_HOMEPAGE})
# Linked libraries (Qt 6, SQLCipher) are read off the program by dpkg-shlibdeps; what it
# loads or shows without linking is named here: the speech engine, the PulseAudio client
# and OpenCC (opened when first used), the Mandarin voice data, the CJK fonts
# (fonts-hanazono for the rare characters) and Qt's translations of the standard dialog texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libespeak-ng1, libpulse0, libopencc1.1, espeak-ng-data, fonts-noto-cjk, \
fonts-arphic-ukai, fonts-hanazono, qt6-translations-l10n")
include(CPack)
