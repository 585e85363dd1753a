# `cmake --install` puts Quorvane where the platform's users expect it: the
# program and the registry tool in bin/ with their manual pages, and on the
# Linux desktop a menu entry, its AppStream entry and the program's icon in
# every size of the hicolor theme.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/QuorvaneManuals.cmake)

foreach(program quorvane quorvane-reg)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET quorvane AND UNIX AND NOT APPLE)
  # The desktop entry, and the AppStream entry that software centres list,
  # named by the same id.
  set(quorvane_app_id example.tessamont.quorvane)
  install(FILES ${PROJECT_SOURCE_DIR}/app/${quorvane_app_id}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  string(TIMESTAMP quorvane_release_date "%Y-%m-%d" UTC)
  configure_file(${PROJECT_SOURCE_DIR}/app/${quorvane_app_id}.metainfo.xml.in
    ${PROJECT_BINARY_DIR}/${quorvane_app_id}.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/${quorvane_app_id}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # Every size of the hicolor theme, made from the program's drawing.
  install(DIRECTORY ${QUORVANE_ICON_DIR}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
