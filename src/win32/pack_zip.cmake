# cmake -DFOLDER=<zorvane-0.1-win64> -DZIP=<file.zip> -DEPOCH=<seconds> -P pack_zip.cmake
# Zips FOLDER (named relative to the working folder) the same way every
# time: its files in name order, each dated EPOCH, with one set of
# permissions, whatever the build's clock, time zone and umask.
cmake_minimum_required(VERSION 3.25)

file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${CMAKE_CURRENT_BINARY_DIR} ${FOLDER}/*)
list(SORT files)
file(CHMOD ${files} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(REMOVE ${ZIP})
# cmake -E tar dates every entry, and each of the zip's extra timestamps, from
# SOURCE_DATE_EPOCH; the zip's DOS date is local time, hence UTC.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${EPOCH} TZ=UTC
          ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${files}
  COMMAND_ERROR_IS_FATAL ANY)
