# The Windows executables' resources: quorvane.exe's icon and the Finished
# window's, and each program's version resource made from project(VERSION
# ...) and its application manifest.
#
# They are compiled into the object libraries quorvane_resources and
# quorvane_reg_resources, which are part of `all` whatever else is built, so
# that a broken resource script or a missing icon fails every Windows build,
# the MinGW test leg included. Each program links its own; so does the test
# that reads the resources back.

enable_language(RC)

# Made by the build from their drawings (QuorvaneIcons.cmake).
set(QUORVANE_PROGRAM_ICO ${QUORVANE_ICON_DIR}/program_icon.ico)
set(QUORVANE_FINISHED_ICO ${QUORVANE_ICON_DIR}/finished_icon.ico)
set(QUORVANE_MANIFEST ${PROJECT_BINARY_DIR}/windows/quorvane.manifest)
configure_file(${PROJECT_SOURCE_DIR}/app/windows/quorvane.manifest.in ${QUORVANE_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/windows/quorvane.rc.in
  ${PROJECT_BINARY_DIR}/windows/quorvane.rc @ONLY)

add_library(quorvane_resources OBJECT ${PROJECT_BINARY_DIR}/windows/quorvane.rc)
add_dependencies(quorvane_resources quorvane_icons)
# The resource numbers that the script shares with the code.
target_include_directories(quorvane_resources PRIVATE ${PROJECT_SOURCE_DIR})
# The resource compiler does not see these as inputs of the script by itself.
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/quorvane.rc PROPERTIES
  OBJECT_DEPENDS "${QUORVANE_PROGRAM_ICO};${QUORVANE_FINISHED_ICO};${QUORVANE_MANIFEST}")

add_library(quorvane::resources ALIAS quorvane_resources)

if(TARGET quorvane)
  target_link_libraries(quorvane PRIVATE quorvane::resources)
endif()

# quorvane-reg.exe: its manifest and version resource, no icon.
set(QUORVANE_REG_MANIFEST ${PROJECT_BINARY_DIR}/windows/quorvane-reg.manifest)
configure_file(${PROJECT_SOURCE_DIR}/tools/windows/quorvane-reg.manifest.in
  ${QUORVANE_REG_MANIFEST} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/tools/windows/quorvane-reg.rc.in
  ${PROJECT_BINARY_DIR}/windows/quorvane-reg.rc @ONLY)
add_library(quorvane_reg_resources OBJECT ${PROJECT_BINARY_DIR}/windows/quorvane-reg.rc)
set_source_files_properties(${PROJECT_BINARY_DIR}/windows/quorvane-reg.rc PROPERTIES
  OBJECT_DEPENDS ${QUORVANE_REG_MANIFEST})
add_library(quorvane::reg_resources ALIAS quorvane_reg_resources)
target_link_libraries(quorvane-reg PRIVATE quorvane::reg_resources)
