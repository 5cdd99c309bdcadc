cmake_minimum_required(VERSION 3.20)
# Fails the build unless PROGRAM is a Windows executable of the format FORMAT (objdump's name:
# pei-i386 for 32-bit, pei-x86-64 for 64-bit) whose imports are all Windows' KnownDLLs. The .exe
# then runs on a player's machine as it is, and no import can be taken from a DLL beside it:
# Windows loads a KnownDLL from System32 alone, any other DLL from the program's folder first,
# before the program could restrict the search (the rest is loaded at run time from System32).
# Usage: cmake -DOBJDUMP=... -DFORMAT=... -DPROGRAM=... -P CheckWindowsProgram.cmake
set(known_dlls advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll shell32.dll shlwapi.dll
  user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
if(FORMAT STREQUAL "pei-i386")
  set(kind "32-bit (PE32)")
elseif(FORMAT STREQUAL "pei-x86-64")
  set(kind "64-bit (PE32+)")
else()
  message(FATAL_ERROR "FORMAT must be pei-i386 or pei-x86-64, not \"${FORMAT}\"")
endif()
if(NOT headers MATCHES "file format ${FORMAT}\n")
  message(FATAL_ERROR "${PROGRAM} is not a ${kind} Windows program")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST known_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not one of Windows' KnownDLLs: "
      "Windows would look for it in the program's folder first")
  endif()
endforeach()
