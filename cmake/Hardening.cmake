# The hardening Debian asks of packaged programs, for every build of the game:
# position-independent executables, a stack protector, read-only relocations
# bound at start. Fortified libc calls need the optimiser, so they are left to
# the optimised build types; a build with its own type (a sanitizer build,
# say) gets no fortification, and ZORVANE_HARDENING=OFF turns it all off.
option(ZORVANE_HARDENING "Build with stack protector, fortify, RELRO, bind-now and PIE" ON)
if(ZORVANE_HARDENING)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(LINKER:-z,relro,-z,now)
endif()
