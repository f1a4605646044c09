# GoogleTest for the tests. A native build uses the installed library; a cross
# build (or a machine without libgtest-dev) builds it here from Debian's
# googletest sources with the target's own compiler.
set(ZORVANE_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources, built when no installed GoogleTest fits")
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest)
endif()
if(NOT TARGET GTest::gtest)
  if(NOT EXISTS ${ZORVANE_GTEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest not found: install libgtest-dev, or googletest for a cross build")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # The tests run on one thread; without pthreads gtest needs no threading
  # library on any target.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${ZORVANE_GTEST_SOURCES} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # Its speed matters to no test, and at -O3 it is the longest file to build.
  target_compile_options(gtest PRIVATE -O1)
  target_compile_options(gtest_main PRIVATE -O1)
endif()
include(GoogleTest)

# The test suites of test sources (their TEST, TEST_F and TEST_P lines),
# into the variable named by out: zorvane_test_suites(out source...).
function(zorvane_test_suites out)
  set(suites)
  foreach(source IN LISTS ARGN)
    get_filename_component(source ${source} ABSOLUTE)
    file(STRINGS ${source} lines REGEX "^TEST(_F|_P)?\\(")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^TEST(_F|_P)?\\( *([A-Za-z0-9_]+).*" "\\2" suite "${line}")
      list(APPEND suites ${suite})
    endforeach()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  endforeach()
  list(REMOVE_DUPLICATES suites)
  set(${out} ${suites} PARENT_SCOPE)
endfunction()

# Registers one CTest test per test suite of the target, named target.Suite,
# for targets whose tests run under an emulator (Wine, node), with any suites
# registered at run time named after the target.
# gtest_discover_tests would start the emulator once just to list the tests
# and then once per test: 53 starts of a few tenths of a second each, and a
# listing that fails when Wine is slow to come up. One start per suite keeps a
# failure's report narrow with a fifth of the starts.
function(zorvane_add_test_suites target)
  get_target_property(sources ${target} SOURCES)
  zorvane_test_suites(suites ${sources})
  list(APPEND suites ${ARGN})
  foreach(suite IN LISTS suites)
    # Plain suites and parameterised ones (Instance/Suite.Test/n).
    add_test(NAME ${target}.${suite} COMMAND ${target} --gtest_filter=${suite}.*:*/${suite}.*)
    # A filter that matches nothing passes in gtest; here it fails.
    set_tests_properties(${target}.${suite} PROPERTIES FAIL_REGULAR_EXPRESSION "\\] 0 tests from")
  endforeach()
endfunction()
