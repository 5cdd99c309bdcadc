# Cross build of the Windows programs with MinGW-w64 (32-bit): the release.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
