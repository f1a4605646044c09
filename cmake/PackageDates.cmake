# Read by CPack before it packs: the package's files, its archives' members
# and their headers are dated from SOURCE_DATE_EPOCH, which CPack reads from
# its environment. A packager's own value stands; without one, the date the
# build was configured with (cmake/Reproducible.cmake) does.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_ZORVANE_SOURCE_DATE_EPOCH})
  set(ENV{ZORVANE_DATE_FROM_BUILD} 1)
endif()
