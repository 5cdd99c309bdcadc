# Builds the release zip with CPack and fails unless it holds exactly the two programs and the
# player's read-me. Usage: cmake -DBUILD_DIR=<cross build dir> -P CheckReleaseZip.cmake
cmake_minimum_required(VERSION 3.20)
set(expected "Kestrevane6.exe;ReadMe.txt;Uninstall.exe")

execute_process(COMMAND ${CMAKE_CPACK_COMMAND} -G ZIP WORKING_DIRECTORY ${BUILD_DIR}
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cpack could not make the release zip")
endif()
file(GLOB zip ${BUILD_DIR}/Kestrevane-*.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${zip} OUTPUT_VARIABLE listing)
string(STRIP "${listing}" listing)
string(REPLACE "\n" ";" entries "${listing}")
list(SORT entries)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${zip} holds ${entries}, not ${expected}")
endif()
message(STATUS "${zip}: ${entries}")
