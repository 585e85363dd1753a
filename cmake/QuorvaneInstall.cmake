# `cmake --install` puts Quorvane where the platform's users expect it: the
# program and the registry tool in bin/ with their manual pages, and on the
# Linux desktop a menu entry, its AppStream entry and the program's icon in
# every size of the hicolor theme.

include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/QuorvaneManuals.cmake)

foreach(program quorvane quorvane-reg)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # A stripped install (`--strip`, CPack's) also drops the compilers'
    # notes, which nothing reads at run time, as Debian's dh_strip does.
    if(CMAKE_STRIP AND NOT WIN32)
      install(CODE "if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:${program}>\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()")
    endif()
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
