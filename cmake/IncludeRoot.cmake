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
  get_target_property(type ${target} TYPE)
  if(type STREQUAL INTERFACE_LIBRARY)
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# The same for a library that shows only some of its folder's headers: links
# to those files alone, so that what it keeps inside cannot be included from
# outside.
function(zorvane_public_headers target folder)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  # Never write through a link to the sources, nor keep a header that
  # has since gone inside.
  if(IS_SYMLINK ${root}/${folder})
    file(REMOVE ${root}/${folder})
  endif()
  file(GLOB shown LIST_DIRECTORIES false ${root}/${folder}/*)
  if(shown)
    file(REMOVE ${shown})
  endif()
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS ARGN)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder}/${header} ${root}/${folder}/${header} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
