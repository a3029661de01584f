# Installing like a Linux game (`cmake --install build --prefix DIR`) and the Debian package (`cpack`).
# Paths are relative to the prefix, so one build installs anywhere; the game finds its data from where
# its executable lies.
include(GNUInstallDirs)

set(KORRIK_INSTALL_GAMESDIR "games" CACHE STRING "Folder of the executable, under the prefix")
set(KORRIK_INSTALL_DATADIR "${CMAKE_INSTALL_DATAROOTDIR}/games/korrik-shooter/Data" CACHE STRING
    "Folder of the read-only game data, under the prefix")
# Placeholders until the project has a public home: the AppStream id is its reverse domain name.
set(KORRIK_HOMEPAGE "https://korrik-shooter.example.org" CACHE STRING "The project's home page")
set(KORRIK_APP_ID "org.example.korrik_shooter" CACHE STRING "AppStream component id")
set(KORRIK_RELEASE_DATE "2026-12-06")
set(KORRIK_RELEASE_DATE_RFC2822 "Sun, 06 Dec 2026 12:00:00 +0000")
set(KORRIK_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/korrik-shooter")

file(RELATIVE_PATH korrik_data_from_games "/${KORRIK_INSTALL_GAMESDIR}" "/${KORRIK_INSTALL_DATADIR}")
target_compile_definitions(korrik-shooter PRIVATE
    KORRIK_VERSION="${PROJECT_VERSION}" KORRIK_INSTALLED_DATA="${korrik_data_from_games}")

# Icons in the theme sizes, drawn by the data generator from the creature art.
set(KORRIK_ICONS ${CMAKE_BINARY_DIR}/icons)
if(KORRIK_TOOLS_BUILD)
    # The generator of the plain build, which the gamedata target brings up to date.
    set(korrik_datagen_command ${KORRIK_TOOLS_BUILD}/datagen)
    set(korrik_datagen_target gamedata)
else()
    set(korrik_datagen_command datagen)
    set(korrik_datagen_target datagen)
endif()
add_custom_command(OUTPUT ${KORRIK_ICONS}/256x256/apps/korrik-shooter.png
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${KORRIK_ICONS}
    COMMAND ${korrik_datagen_command} --icons ${KORRIK_ICONS} korrik-shooter
    DEPENDS ${korrik_datagen_target}
    COMMENT "Drawing the desktop icons"
    VERBATIM)
add_custom_target(icons ALL DEPENDS ${KORRIK_ICONS}/256x256/apps/korrik-shooter.png)

# Texts that carry the version or the install layout.
set(CPACK_PACKAGE_CONTACT "The Korrik Shooter team <korrik-shooter@example.org>")
set(KORRIK_DIST ${CMAKE_SOURCE_DIR}/dist)
configure_file(${KORRIK_DIST}/korrik-shooter.6.in ${CMAKE_BINARY_DIR}/dist/korrik-shooter.6 @ONLY)
configure_file(${KORRIK_DIST}/korrik-shooter.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/dist/${KORRIK_APP_ID}.metainfo.xml @ONLY)
configure_file(${KORRIK_DIST}/changelog.in ${CMAKE_BINARY_DIR}/dist/changelog @ONLY)

install(TARGETS korrik-shooter RUNTIME DESTINATION ${KORRIK_INSTALL_GAMESDIR})
install(FILES ${CMAKE_BINARY_DIR}/Data/Resource.Zor ${CMAKE_BINARY_DIR}/Data/Lang.Zor
    DESTINATION ${KORRIK_INSTALL_DATADIR})
install(FILES ${KORRIK_DIST}/korrik-shooter.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/dist/${KORRIK_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/dist/korrik-shooter.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(DIRECTORY ${KORRIK_ICONS}/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor
    FILES_MATCHING PATTERN "*.png")
install(FILES ${KORRIK_DIST}/copyright ${CMAKE_BINARY_DIR}/dist/changelog DESTINATION ${KORRIK_DOCDIR})

# The .deb: /usr, dependencies found from the libraries the executable links (SDL2 and its two helpers).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korrik-shooter)
set(CPACK_PACKAGE_VENDOR "The Korrik Shooter team")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bubble shooter with a furry launcher")
set(CPACK_PACKAGE_DESCRIPTION
    "Fire coloured balls from the launcher at the board: three or more touching\n"
    "balls of one colour burst, balls cut off from the ceiling fall, and the score\n"
    "grows with every burst and every fall. Classic mode brings a new row after\n"
    "missed shots, Arcade mode after a time.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KORRIK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${KORRIK_DIST}/CompressDocs.cmake)
include(CPack)
