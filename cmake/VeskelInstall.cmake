# Installed like a desktop program: the program in bin/, its plugins in lib/veskel/, what it ships
# in share/veskel/ (found there as ../share/veskel/ from the program), the menu entry, icons and
# AppStream metadata.
include(GNUInstallDirs)
set(VESKEL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/veskel)

install(TARGETS veskel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The plugins the program loads when first needed, found there as ../lib/veskel/ from the program.
get_property(_veskel_plugins GLOBAL PROPERTY VESKEL_PLUGINS)
install(TARGETS ${_veskel_plugins} LIBRARY DESTINATION lib/veskel)

# Shipped data from the source tree: languages, the manuals, the default server list.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${VESKEL_SHARE_DIR}
        PATTERN CMakeLists.txt EXCLUDE
        PATTERN desktop EXCLUDE)
# Shipped data drawn at build time: clock pictures, sounds, characters.
foreach(_generated Clocks Sounds chars)
  install(DIRECTORY ${VESKEL_PROGRAM_DIR}/${_generated} DESTINATION ${VESKEL_SHARE_DIR} OPTIONAL)
endforeach()
# Each user's first run is told by this marker, copied once into their own data folder.
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/veskel.vsk DESTINATION ${VESKEL_SHARE_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/veskel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/com.palvaro.veskel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/desktop/veskel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# A .deb for Debian 12: `cpack -G DEB` in the build folder. Libraries are found by
# dpkg-shlibdeps; what is loaded at run time by name (Qt's platform plugins, GStreamer's
# elements, the sound font, the speech data, the fonts the clock asks for) is listed here.
set(CPACK_PACKAGE_NAME veskel)
set(CPACK_PACKAGE_VENDOR "Palvaro Ltd")
set(CPACK_PACKAGE_CONTACT "Veskel team <veskel@palvaro.example>")
set(CPACK_PACKAGE_VERSION ${VESKEL_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Analog desktop clock in a window of any shape")
set(CPACK_PACKAGE_DESCRIPTION
    "Veskel shows an analog clock in a borderless window shaped as a rectangle, an ellipse or the outline of a picture, keeps a tiny clock as its tray icon, runs scheduled events, sets the computer's clock from an RFC 868 time server and shows the time in other zones.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY veskel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-wayland, fonts-liberation, fonts-dejavu-core, espeak-ng-data, timgm6mb-soundfont, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, gstreamer1.0-libav")
include(CPack)
