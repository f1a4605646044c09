# Every library gets an include root of its own in the build folder, holding
# links to its own source folders and nothing else. A file reaches a header
# only through the libraries its target links, so an include against the
# direction of the layers (the game reaching for the mid-end, the mid-end for
# a front end) fails to compile instead of slipping through.
function(zorvane_include_root target)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  file(MAKE_DIRECTORY ${root})
  foreach(folder IN LISTS ARGN)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
