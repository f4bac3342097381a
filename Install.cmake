# Installs Wispen the way a packaged game lies on Debian: the command in
# games/, the program itself privately under lib/games/wispen/, its data in
# share/games/wispen/, and the desktop entry, icons, AppStream metadata,
# manual page and documents in their usual share/ places. Nothing under the
# prefix is written at run time: the launcher runs the game in each player's
# own directory.
set(CMAKE_INSTALL_DOCDIR share/doc/wispen CACHE PATH "Documents (copyright, changelog)")
include(GNUInstallDirs)
set(WISPEN_INSTALL_GAMESDIR games CACHE STRING "The command a player types, under the prefix")
set(WISPEN_INSTALL_GAMEDIR lib/games/wispen CACHE STRING "The game program, under the prefix")
set(WISPEN_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/games/wispen CACHE STRING "The game's data, under the prefix")
set(WISPEN_APP_ID org.wispen.Wispen)
# Where the README's pictures are published, for the software centre.
set(WISPEN_HOMEPAGE "https://wispen.org" CACHE STRING "The game's home page")

# The launcher finds the rest of the tree relative to itself.
file(RELATIVE_PATH WISPEN_LAUNCHER_TO_GAME /prefix/${WISPEN_INSTALL_GAMESDIR} /prefix/${WISPEN_INSTALL_GAMEDIR})
file(RELATIVE_PATH WISPEN_LAUNCHER_TO_DATA /prefix/${WISPEN_INSTALL_GAMESDIR} /prefix/${WISPEN_INSTALL_DATADIR})
list(JOIN WISPEN_DATA_FILES " " WISPEN_LAUNCHER_DATA_FILES)
configure_file(scripts/wispen.in ${CMAKE_BINARY_DIR}/install/wispen @ONLY)
configure_file(assets/${WISPEN_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/install/${WISPEN_APP_ID}.metainfo.xml @ONLY)
configure_file(assets/wispen.6.in ${CMAKE_BINARY_DIR}/install/wispen.6 @ONLY)

install(TARGETS wispen RUNTIME DESTINATION ${WISPEN_INSTALL_GAMEDIR})
list(TRANSFORM WISPEN_DATA_FILES PREPEND ${WISPEN_RUN_DIR}/ OUTPUT_VARIABLE data_paths)
install(FILES ${data_paths} DESTINATION ${WISPEN_INSTALL_DATADIR})
# A new player's settings, which the launcher copies: the program's own
# defaults stay as they are for a game run without any Wispen.ini.
install(FILES assets/Wispen.ini DESTINATION ${WISPEN_INSTALL_DATADIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/install/wispen DESTINATION ${WISPEN_INSTALL_GAMESDIR})
install(FILES assets/${WISPEN_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/install/${WISPEN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${WISPEN_ICON_SIZES})
  install(FILES ${WISPEN_ICON_DIR}/wispen-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME wispen.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/install/wispen.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
# A Debian package installs its own copies of these two (debian/not-installed).
install(FILES debian/copyright debian/changelog DESTINATION ${CMAKE_INSTALL_DOCDIR})
