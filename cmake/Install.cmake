# What `cmake --install` lays out, and the Debian package (`make package`).
# Debian keeps a package's documents under the package's own, lower-case
# name.
set(CMAKE_INSTALL_DOCDIR share/doc/kelvo)
include(GNUInstallDirs)

# A game goes where Debian keeps games (/usr/games, /usr/local/games).
install(TARGETS kelvo RUNTIME DESTINATION games)
install(FILES dist/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The man page and the AppStream data carry the project's version.
configure_file(dist/io.github.kelvo.Kelvo.metainfo.xml.in dist/io.github.kelvo.Kelvo.metainfo.xml
               @ONLY)
configure_file(dist/kelvo.6.in kelvo.6 @ONLY)
# The desktop entry and the AppStream data in every language of po/LINGUAS,
# from the game's catalogues (AppStream's rules for msgfmt come with the
# appstream package).
set(_desktop ${CMAKE_CURRENT_BINARY_DIR}/io.github.kelvo.Kelvo.desktop)
set(_metainfo ${CMAKE_CURRENT_BINARY_DIR}/io.github.kelvo.Kelvo.metainfo.xml)
add_custom_command(OUTPUT ${_desktop}
  COMMAND ${MSGFMT} --desktop --template=${PROJECT_SOURCE_DIR}/dist/io.github.kelvo.Kelvo.desktop.in
    -d ${PROJECT_SOURCE_DIR}/po -o ${_desktop}
  DEPENDS dist/io.github.kelvo.Kelvo.desktop.in po/LINGUAS ${KELVO_CATALOGUE_SOURCES}
  VERBATIM)
add_custom_command(OUTPUT ${_metainfo}
  COMMAND ${MSGFMT} --xml
    --template=${CMAKE_CURRENT_BINARY_DIR}/dist/io.github.kelvo.Kelvo.metainfo.xml
    -d ${PROJECT_SOURCE_DIR}/po -o ${_metainfo}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/dist/io.github.kelvo.Kelvo.metainfo.xml po/LINGUAS
    ${KELVO_CATALOGUE_SOURCES}
  VERBATIM)
install(FILES ${_desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES res/icons/kelvo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The man page, compressed as Debian wants it.
set(_man ${CMAKE_CURRENT_BINARY_DIR}/kelvo.6.gz)
add_custom_command(OUTPUT ${_man}
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/kelvo.6 > ${_man}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/kelvo.6
  VERBATIM)
install(FILES ${_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
set(_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${_changelog}
  COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/dist/changelog > ${_changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/dist/changelog
  VERBATIM)
install(FILES ${_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The theme's bitmap icons, drawn from the same SVG the game shows.
set(_icons ${_man} ${_changelog} ${_desktop} ${_metainfo})
foreach(_size 16 32 48 64 128 256)
  set(_png ${CMAKE_CURRENT_BINARY_DIR}/icons/${_size}/kelvo.png)
  add_custom_command(OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${_size}
    COMMAND kelvo-render-icon ${PROJECT_SOURCE_DIR}/res/icons/kelvo.svg ${_size} ${_png}
    DEPENDS kelvo-render-icon ${PROJECT_SOURCE_DIR}/res/icons/kelvo.svg
    VERBATIM)
  install(FILES ${_png}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
  list(APPEND _icons ${_png})
endforeach()
add_custom_target(kelvo_desktop_files ALL DEPENDS ${_icons})

# Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelvo developers <kelvo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "magic-square puzzle game")
# The long description, one line per line (CPack indents each one).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A 3-by-3 square of the numbers 1 to 9 has two numbers out of place;\nthe player has ten seconds to swap them so that every row, column and\ndiagonal adds up to 15. Ten rounds make a game; a perfect game earns a\nprintable certificate.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries dpkg-shlibdeps finds: the Arial-metric fonts the
# screen is laid out for, the SVG icon plugin and the platform plugins.  The
# SVG plugin moved to a package of its own in Debian 13, so its package is
# asked of dpkg on the machine that builds.
set(_svg_plugin_package libqt6svg6)
get_target_property(_qtcore_location Qt6::Core LOCATION)
get_filename_component(_qt_libdir "${_qtcore_location}" DIRECTORY)
execute_process(
  COMMAND dpkg-query -S "${_qt_libdir}/qt6/plugins/imageformats/libqsvg.so"
  OUTPUT_VARIABLE _svg_owner ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
if(_svg_owner MATCHES "^([^:,]+)")
  set(_svg_plugin_package ${CMAKE_MATCH_1})
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, ${_svg_plugin_package}, qt6-qpa-plugins")
# Native windows on a Wayland desktop, a sound server for the cues, and Qt's
# own dialogs in the player's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-wayland, pulseaudio | pipewire-pulse, qt6-translations-l10n")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
