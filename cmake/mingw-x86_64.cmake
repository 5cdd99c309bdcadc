# Cross build of the Windows programs with MinGW-w64 (64-bit): for the end-to-end cases under
# 64-bit Wine, where a machine cannot run 32-bit programs. The release is built with
# mingw-i686.cmake.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/MinGWToolchain.cmake)
