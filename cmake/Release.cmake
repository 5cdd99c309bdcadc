# The release a modder hands to players, made by every build once KESTREVANE_PACKAGE_DIR is set:
# Kestrevane-<version>.zip, which unpacks into the one folder Kestrevane-<version>/ holding the
# two programs, the player's read-me and the package files, and beside it
# Kestrevane-<version>.zip.sha256. Included by CMakeLists.txt after ProductIdentity.cmake.
set(KESTREVANE_PACKAGE_DIR "" CACHE PATH
  "Folder with exactly the package files of common/package_list.inc, for the release zip")

set(release_name Kestrevane-${PROJECT_VERSION})
set(release_zip ${CMAKE_BINARY_DIR}/${release_name}.zip)

if(NOT KESTREVANE_PACKAGE_DIR)
  # A zip without the package files would install nothing.
  add_custom_target(release
    COMMAND ${CMAKE_COMMAND} -E echo
      "The release zip needs the package files: configure with -DKESTREVANE_PACKAGE_DIR=<folder>"
    COMMAND ${CMAKE_COMMAND} -E false)
  message(STATUS "No KESTREVANE_PACKAGE_DIR: no release zip and no release tests")
  return()
endif()

get_filename_component(package_dir "${KESTREVANE_PACKAGE_DIR}" ABSOLUTE)
kestrevane_check_package_dir("${package_dir}" "${package_names}")
list(TRANSFORM package_names PREPEND "${package_dir}/" OUTPUT_VARIABLE package_files)
# A file added to the folder or taken from it makes the build configure, and so check, again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${package_dir} ${package_files})

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(release_script ${CMAKE_CURRENT_LIST_DIR}/make_release_zip.py)
add_custom_command(OUTPUT ${release_zip} ${release_zip}.sha256
  COMMAND Python3::Interpreter ${release_script} ${release_zip} ${release_name}
    $<TARGET_FILE:Kestrevane6> $<TARGET_FILE:Uninstall> ${KESTREVANE_GENERATED_DIR}/ReadMe.txt
    ${package_files}
  DEPENDS Kestrevane6 Uninstall ${KESTREVANE_GENERATED_DIR}/ReadMe.txt ${package_files}
    ${release_script}
  VERBATIM)
add_custom_target(release ALL DEPENDS ${release_zip})

enable_testing()
set(release_check_options -DBUILD_DIR=${CMAKE_BINARY_DIR} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
  -DRELEASE_NAME=${release_name} -DPACKAGE_DIR=${package_dir})
add_test(NAME release.zip COMMAND ${CMAKE_COMMAND} ${release_check_options}
  -P ${CMAKE_CURRENT_LIST_DIR}/CheckReleaseZip.cmake)
# A second build from scratch in another folder must give the same zip, byte for byte.
add_test(NAME release.reproducible COMMAND ${CMAKE_COMMAND} ${release_check_options}
  -DGENERATOR=${CMAKE_GENERATOR} -DTOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
  -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
  -P ${CMAKE_CURRENT_LIST_DIR}/CheckReproducibleRelease.cmake)
set_tests_properties(release.zip release.reproducible PROPERTIES RESOURCE_LOCK release)
set_tests_properties(release.reproducible PROPERTIES TIMEOUT 600)
