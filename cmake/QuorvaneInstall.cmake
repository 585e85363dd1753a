# `cmake --install` puts Quorvane where the platform's users expect it: the
# program and the registry tool in bin/, and on the Linux desktop a menu
# entry with the program's icon in the hicolor theme.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/QuorvaneManuals.cmake)

foreach(program quorvane quorvane-reg)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET quorvane AND UNIX AND NOT APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/app/quorvane.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # Made from the program's XPM drawing by ui/icons/make_icons.py.
  install(FILES ${PROJECT_SOURCE_DIR}/ui/icons/quorvane.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
endif()
