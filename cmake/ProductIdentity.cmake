# The product's identity in the files the build makes, each from one source: the version from
# project() in CMakeLists.txt, the maker and the support addresses from common/support_contact.h,
# the package files from common/package_list.inc. Included by CMakeLists.txt once the two
# programs are defined; the files go to ${KESTREVANE_GENERATED_DIR}:
#   product_version.h                    the version, for the resource scripts and the licence
#   Kestrevane6.manifest, Uninstall.manifest   embedded by the resource scripts
#   ReadMe.txt                           the player's read-me (CR LF), from docs/ReadMe.txt.in
include(${CMAKE_CURRENT_LIST_DIR}/PackageList.cmake)

set(KESTREVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(identity_header ${CMAKE_SOURCE_DIR}/common/support_contact.h)
set(package_list ${CMAKE_SOURCE_DIR}/common/package_list.inc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${identity_header} ${package_list})

# MAKER_NAME and the others: `#define NAME "value"` lines of the identity header.
file(STRINGS ${identity_header} identity_lines REGEX "^#define [A-Z_]+ \"[^\"]*\"$")
foreach(name MAKER_NAME SUPPORT_WEB_ADDRESS SUPPORT_EMAIL_ADDRESS)
  set(${name} "")
  foreach(line IN LISTS identity_lines)
    if(line MATCHES "^#define ${name} \"([^\"]*)\"$")
      set(${name} "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(${name} STREQUAL "")
    message(FATAL_ERROR "${identity_header}: no `#define ${name} \"...\"` line")
  endif()
endforeach()

# The version resources take four numbers: 1.2 is 1.2.0.0.
set(product_version_parts ${PROJECT_VERSION_MAJOR})
foreach(part MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND product_version_parts 0)
  else()
    list(APPEND product_version_parts ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN product_version_parts "." product_version_quad)
list(JOIN product_version_parts ", " product_version_numbers)
configure_file(${CMAKE_CURRENT_LIST_DIR}/product_version.h.in
  ${KESTREVANE_GENERATED_DIR}/product_version.h @ONLY)

# An assembly name is made of letters, digits and dots.
string(REGEX REPLACE "[^A-Za-z0-9]" "" manifest_maker "${MAKER_NAME}")
configure_file(${CMAKE_SOURCE_DIR}/setup/Kestrevane6.manifest.in
  ${KESTREVANE_GENERATED_DIR}/Kestrevane6.manifest @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/uninstall/Uninstall.manifest.in
  ${KESTREVANE_GENERATED_DIR}/Uninstall.manifest @ONLY)

foreach(program_and_script Kestrevane6:setup/setup.rc Uninstall:uninstall/uninstall.rc)
  string(REPLACE ":" ";" program_and_script ${program_and_script})
  list(GET program_and_script 0 program)
  list(GET program_and_script 1 script)
  target_include_directories(${program} PRIVATE ${KESTREVANE_GENERATED_DIR})
  # The resource compiler finds the manifest through the include path; a changed manifest
  # must make the script compile again.
  set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
    ${KESTREVANE_GENERATED_DIR}/product_version.h ${KESTREVANE_GENERATED_DIR}/${program}.manifest)
  if(MSVC)
    # The resource script embeds the one manifest; the linker must not make a second.
    target_link_options(${program} PRIVATE /MANIFEST:NO)
  endif()
endforeach()

# The player's read-me: the package files, each with the game folder it goes to.
set(readme_title "Kestrevane ${PROJECT_VERSION} for Deus Ex")
string(REGEX REPLACE "." "=" readme_title_rule "${readme_title}")
kestrevane_read_package_list(${package_list} package_names package_kinds)
list(LENGTH package_names package_count)
set(package_table "")
foreach(name kind IN ZIP_LISTS package_names package_kinds)
  string(LENGTH "${name}" length)
  math(EXPR gap "30 - ${length}")
  if(gap LESS 2)
    set(gap 2)
  endif()
  string(REPEAT " " ${gap} padding)
  # CR LF between rows: NEWLINE_STYLE below converts the template's own line ends only.
  if(package_table)
    string(APPEND package_table "\r\n")
  endif()
  string(APPEND package_table "    ${name}${padding}${kind}")
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/docs/ReadMe.txt.in ${KESTREVANE_GENERATED_DIR}/ReadMe.txt
  @ONLY NEWLINE_STYLE CRLF)
