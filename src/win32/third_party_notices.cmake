# THIRD-PARTY.txt: the notices of what -static links into zorvane.exe, taken
# from the copyright files of the MinGW-w64 packages that built it: the
# MinGW-w64 runtime and winpthreads (their stanzas and licence texts), and
# GCC's runtime, libstdc++ and libgcc (GPL 3 with the GCC Runtime Library
# Exception, whose text GCC's copyright file carries). With Windows line
# endings, as Notepad shows them.
# zorvane_third_party_notices(OUTPUT MINGW_COPYRIGHT GCC_COPYRIGHT)
function(zorvane_third_party_notices output mingw_copyright gcc_copyright)
  file(READ ${mingw_copyright} mingw)
  file(READ ${gcc_copyright} gcc)
  # The text from the line that begins with `from` up to (not including) the
  # next blank line followed by `until`.
  function(cut text from until result)
    string(FIND "${text}" "${from}" start)
    if(start EQUAL -1)
      message(FATAL_ERROR "THIRD-PARTY.txt: no \"${from}\" in the copyright file")
    endif()
    string(SUBSTRING "${text}" ${start} -1 rest)
    string(FIND "${rest}" "\n\n${until}" end)
    string(SUBSTRING "${rest}" 0 ${end} piece)
    set(${result} "${piece}\n" PARENT_SCOPE)
  endfunction()
  cut("${mingw}" "Files: *\n" "Files:" runtime)
  cut("${mingw}" "Files: mingw-w64-libraries/winpthreads/*\n" "Files: mingw-w64-libraries/winpthreads/tests_pthread" winpthreads)
  cut("${mingw}" "License: expat\n Permission" "License:" expat)
  cut("${mingw}" "License: BSD-3-clause\n Redistribution" "License:" bsd)
  cut("${gcc}" "GCC RUNTIME LIBRARY EXCEPTION" "libquadmath" exception)
  set(rule "================================================================\n")
  string(CONCAT text
    "Zorvane's zorvane.exe has these libraries linked into it. Their notices\n"
    "follow, as the Debian packages that built it give them.\n\n"
    ${rule} "The MinGW-w64 runtime (startup code and C runtime helpers)\n" ${rule} "\n" "${runtime}" "\n"
    ${rule} "winpthreads, the POSIX threads of MinGW-w64\n" ${rule} "\n" "${winpthreads}" "\n" "${expat}" "\n" "${bsd}" "\n"
    ${rule} "libstdc++ and libgcc, the runtime of GCC\n" ${rule} "\n"
    "Copyright (C) the Free Software Foundation, Inc.\n\n"
    "libstdc++ and libgcc are free software under the GNU General Public\n"
    "License, version 3 or later, with version 3.1 of the GCC Runtime Library\n"
    "Exception, which allows a program compiled with GCC to include them\n"
    "under terms of its own choosing. The exception's text:\n\n"
    "${exception}")
  string(REPLACE "\n" "\r\n" text "${text}")
  # Written where it changed only, so that the packages are not made again.
  file(WRITE ${output}.new "${text}")
  configure_file(${output}.new ${output} COPYONLY)
endfunction()
