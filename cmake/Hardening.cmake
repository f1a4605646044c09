# The hardening Debian asks of packaged programs, for every build of the game,
# in the form each object format takes. Fortified libc calls need the
# optimiser, so they are left to the optimised build types; a build with its
# own type (a sanitizer build, say) gets no fortification, and
# ZORVANE_HARDENING=OFF turns it all off.
option(ZORVANE_HARDENING "Build with the object format's hardening (ELF: stack protector, stack-clash and control-flow protection, fortify, RELRO, bind-now, PIE; PE: ASLR, DEP)" ON)
if(ZORVANE_HARDENING AND CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
  # Position-independent executables, a stack protector, read-only relocations bound at start.
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  add_compile_options(-fstack-protector-strong
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=3>")
  add_link_options(LINKER:-z,relro,-z,now)
  # Probing of large stack frames, and the indirect-branch markings of
  # x86's control-flow enforcement, where the compiler has them for the
  # target (-fcf-protection is x86 only).
  include(CheckCXXCompilerFlag)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "zorvane_has${flag}" known)
    check_cxx_compiler_flag(${flag} ${known})
    if(${known})
      add_compile_options(${flag})
    endif()
  endforeach()
elseif(ZORVANE_HARDENING AND WIN32)
  # Address space randomisation (high-entropy on 64 bits) and no execution
  # from data pages. No stack protector and no fortify: with MinGW-w64 both
  # need libssp-0.dll beside the program.
  add_link_options(LINKER:--dynamicbase,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(LINKER:--high-entropy-va)
  endif()
endif()
