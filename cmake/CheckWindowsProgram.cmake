cmake_minimum_required(VERSION 3.20)
# Fails the build unless PROGRAM is a 32-bit Windows executable whose imports are all DLLs
# that ship with Windows itself, so the .exe runs on a player's machine as it is.
# Usage: cmake -DOBJDUMP=... -DPROGRAM=... -P CheckWindowsProgram.cmake
set(windows_own_dlls advapi32.dll comctl32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll
  user32.dll)

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} could not read ${PROGRAM}")
endif()
if(NOT headers MATCHES "file format pei-i386")
  message(FATAL_ERROR "${PROGRAM} is not a 32-bit (PE32) Windows program")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${import}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST windows_own_dlls)
    message(FATAL_ERROR "${PROGRAM} imports ${dll}, which is not part of Windows")
  endif()
endforeach()
