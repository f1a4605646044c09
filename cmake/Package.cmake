# The Debian package: `cpack -G DEB` in the build folder writes
# zorvane_<version>_<arch>.deb there.
set(CPACK_PACKAGE_NAME zorvane)
set(CPACK_PACKAGE_VENDOR "The Zorvane developers")
set(CPACK_PACKAGE_CONTACT "Zorvane maintainers <maintainers@users.noreply.c-seed-3ade66e3.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a growing snake to the food")
set(CPACK_PACKAGE_DESCRIPTION [=[
Steer a snake over a square board with the arrow keys. Every white food
cell you reach scores, makes the snake five cells longer and drops a blue
block on the board. Running into the wall, an obstacle, a blue block or the
snake's own body ends the game.

Eat enough and a fresh board is built with new obstacles, score kept. Menus
set the pace (1 ms to 1 s a step) and the board size (10 to 100 cells a
side). The game reads and writes no files.]=])
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries as found by dpkg-shlibdeps, plus the font the buttons ask for
# (Arial; Liberation Sans is its metric match).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGames.cmake)
set(CPACK_ZORVANE_STRIP ${CMAKE_STRIP})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageDates.cmake)
set(CPACK_ZORVANE_SOURCE_DATE_EPOCH ${ZORVANE_SOURCE_DATE_EPOCH})

include(CPack)
