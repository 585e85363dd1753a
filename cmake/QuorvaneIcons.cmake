# The icon files, made at build time from the drawings in ui/icons/ by
# make_icons.py: the .ico files of the Windows resources and the hicolor
# icons of the Linux desktop. QUORVANE_ICON_DIR is where they are written;
# the target quorvane_icons makes them.

if(NOT (QUORVANE_UI OR WIN32))
  return()
endif()

find_package(Python3 COMPONENTS Interpreter REQUIRED)

set(QUORVANE_ICON_DIR ${PROJECT_BINARY_DIR}/icons)
set(quorvane_icon_source ${PROJECT_SOURCE_DIR}/ui/icons)
set(quorvane_icon_files ${QUORVANE_ICON_DIR}/program_icon.ico ${QUORVANE_ICON_DIR}/finished_icon.ico
  ${QUORVANE_ICON_DIR}/hicolor/scalable/apps/quorvane.svg)
foreach(size 16 24 32 48 64 128 256)
  list(APPEND quorvane_icon_files ${QUORVANE_ICON_DIR}/hicolor/${size}x${size}/apps/quorvane.png)
endforeach()
file(GLOB quorvane_icon_drawings CONFIGURE_DEPENDS ${quorvane_icon_source}/*.xpm)

add_custom_command(OUTPUT ${quorvane_icon_files}
  COMMAND Python3::Interpreter ${quorvane_icon_source}/make_icons.py ${QUORVANE_ICON_DIR}
  DEPENDS ${quorvane_icon_source}/make_icons.py ${quorvane_icon_drawings}
  COMMENT "Making the icons from their drawings" VERBATIM)
add_custom_target(quorvane_icons ALL DEPENDS ${quorvane_icon_files})
