# What each target needs so that every build of the game computes the same
# game and runs on its own.

# 32-bit x86 would otherwise do floating point on the x87 unit, whose 80-bit
# intermediates round differently from every other target's doubles.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^i[3-6]86$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# The .exe carries libgcc, libstdc++ and winpthread inside, so it imports
# only the system's DLLs and runs from any folder.
if(MINGW)
  add_link_options(-static)
endif()

if(EMSCRIPTEN)
  # Emscripten leaves exceptions off unless asked; the game throws on broken
  # invariants. The larger boards need more than the initial heap. Returning
  # from main ends the program as elsewhere, with exit handlers and flushed
  # output.
  add_compile_options(-fexceptions)
  add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1)
endif()
