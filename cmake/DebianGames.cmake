# Run by CPack on the staged files just before it builds the Debian package.
# Debian keeps games in /usr/games, not on root's PATH, so the binary moves
# there and the desktop entry names it in full. An install from source keeps
# it in bin/, where a user's PATH finds it.
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(MAKE_DIRECTORY "${root}/games")
file(RENAME "${root}/bin/zorvane" "${root}/games/zorvane")
# rmdir fails, and so the packaging, should anything else land in bin/.
execute_process(COMMAND rmdir "${root}/bin" COMMAND_ERROR_IS_FATAL ANY)

# What dh_strip also drops: build notes and the compiler's version string.
execute_process(COMMAND "${CPACK_ZORVANE_STRIP}" --remove-section=.comment --remove-section=.note
                        "${root}/games/zorvane" COMMAND_ERROR_IS_FATAL ANY)

file(GLOB entry "${root}/share/applications/*.desktop")
file(READ "${entry}" text)
string(REPLACE "\nExec=${CPACK_PACKAGING_INSTALL_PREFIX}/bin/zorvane\n" "\nExec=${CPACK_PACKAGING_INSTALL_PREFIX}/games/zorvane\n"
       text "${text}")
file(WRITE "${entry}" "${text}")
