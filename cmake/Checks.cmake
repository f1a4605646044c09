# The checks beyond the unit tests, each a CTest test run through
# scripts/lib/check.sh, which gives it a home folder of its own under the
# build folder (nothing a check starts writes into the user's home) and,
# when asked, the shared virtual display.
#
# zorvane_check(<name> LABELS <label>... COMMAND <command>...
#               [NEEDS <fixture>...] [SETS_UP <fixture>] [CLEANS_UP <fixture>]
#               [ON_DISPLAY | SHARES_DISPLAY] [ENVIRONMENT <var=value>...]
#               [TIMEOUT <seconds>] [COST <n>])
#
# NEEDS names the fixtures the check stands on (a build, the display, the
# Wine prefix); CTest runs their set-up first, even for `ctest -R <name>`.
# A check ON_DISPLAY has the display to itself while it runs: checks there
# move the pointer, take the focus and switch keyboard layouts. One that
# SHARES_DISPLAY only needs one to be there (Wine's console programs: the
# prefix's desktop takes the display of the first program that starts it,
# and every program of the prefix must find the same one). A higher
# COST starts a check earlier, so the long builds do not wait behind short
# checks. The command runs in the source folder; a skip (exit code 77) is
# reported as such.
set(ZORVANE_CHECK_STATE ${PROJECT_BINARY_DIR}/checks)

function(zorvane_check name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "ON_DISPLAY;SHARES_DISPLAY" "SETS_UP;CLEANS_UP;TIMEOUT;COST"
    "LABELS;NEEDS;COMMAND;ENVIRONMENT")
  if(NOT DEFINED arg_LABELS OR NOT DEFINED arg_COMMAND)
    message(FATAL_ERROR "zorvane_check(${name}): LABELS and COMMAND are required")
  endif()
  add_test(NAME ${name} COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/lib/check.sh ${name} ${arg_COMMAND}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  set(environment ZORVANE_CHECKS=${ZORVANE_CHECK_STATE} ${arg_ENVIRONMENT})
  set(needs ${arg_NEEDS})
  if(arg_ON_DISPLAY)
    list(APPEND environment ZORVANE_ON_DISPLAY=own)
    list(APPEND needs display)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK display)
  elseif(arg_SHARES_DISPLAY)
    list(APPEND environment ZORVANE_ON_DISPLAY=shared)
    list(APPEND needs display)
  endif()
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES
    LABELS "${arg_LABELS}"
    ENVIRONMENT "${environment}"
    TIMEOUT ${arg_TIMEOUT}
    SKIP_RETURN_CODE 77)
  if(needs)
    list(REMOVE_DUPLICATES needs)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${needs}")
  endif()
  if(arg_SETS_UP)
    set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${arg_SETS_UP})
  endif()
  if(arg_CLEANS_UP)
    set_tests_properties(${name} PROPERTIES FIXTURES_CLEANUP ${arg_CLEANS_UP})
  endif()
  if(arg_COST)
    set_tests_properties(${name} PROPERTIES COST ${arg_COST})
  endif()
endfunction()

# A preset built for the checks, as the fixture <preset>.build (see
# scripts/lib/build_preset.sh): zorvane_build_check(<preset> [STRICT]
# [TARGETS <target>...] [COST <n>]); STRICT fails it on a compiler warning.
# The builds start before any other check (the longest chain first).
function(zorvane_build_check preset)
  cmake_parse_arguments(PARSE_ARGV 1 arg "STRICT" "COST" "TARGETS")
  set(strict)
  if(arg_STRICT)
    set(strict --strict)
  endif()
  if(NOT arg_COST)
    set(arg_COST 2000)
  endif()
  zorvane_check(${preset}.build LABELS build SETS_UP ${preset}.build TIMEOUT 1800 COST ${arg_COST}
    COMMAND scripts/lib/build_preset.sh ${strict} ${preset} ${arg_TARGETS})
endfunction()
