# Builds the release a second time, from scratch in BUILD_DIR/reproducible, with the same
# toolchain, build type and package folder, and fails unless both zips are the same bytes.
# Usage: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DRELEASE_NAME=... -DPACKAGE_DIR=...
#          -DGENERATOR=... -DTOOLCHAIN_FILE=... -DBUILD_TYPE=... -P CheckReproducibleRelease.cmake
cmake_minimum_required(VERSION 3.20)
set(second ${BUILD_DIR}/reproducible)
file(REMOVE_RECURSE ${second})

execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target release
  OUTPUT_QUIET RESULT_VARIABLE failed)
if(NOT failed)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${second} -G ${GENERATOR}
      -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
      -DKESTREVANE_PACKAGE_DIR=${PACKAGE_DIR} -DKESTREVANE_E2E=OFF
    OUTPUT_QUIET RESULT_VARIABLE failed)
endif()
if(NOT failed)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${second} --target release --parallel 2
    OUTPUT_QUIET RESULT_VARIABLE failed)
endif()
if(failed)
  message(FATAL_ERROR "a release build failed")
endif()

file(SHA256 ${BUILD_DIR}/${RELEASE_NAME}.zip first_digest)
file(SHA256 ${second}/${RELEASE_NAME}.zip second_digest)
if(NOT first_digest STREQUAL second_digest)
  message(FATAL_ERROR "two builds, two zips:\n  ${BUILD_DIR}: ${first_digest}\n"
    "  ${second}: ${second_digest}\n(the second build is kept for a look)")
endif()
file(REMOVE_RECURSE ${second})
message(STATUS "both builds: ${RELEASE_NAME}.zip SHA-256 ${first_digest}")
