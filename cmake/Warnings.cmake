# The warnings every target of the game is built with, in one place. Only
# the game's own targets take them: GoogleTest, built from source in cross
# builds, keeps its own, so a cross build can fail on any warning of ours.
function(zorvane_warnings)
  foreach(target IN LISTS ARGN)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endforeach()
endfunction()
