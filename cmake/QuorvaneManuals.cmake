# The manual pages quorvane(1) and quorvane-reg(1): written in scdoc's format
# in doc/, turned into roff by scdoc at build time (its date honours
# SOURCE_DATE_EPOCH) and compressed as Debian installs them. Without scdoc
# the build goes on without them.

if(NOT (UNIX AND NOT APPLE))
  return()
endif()

find_program(QUORVANE_SCDOC scdoc)
if(NOT QUORVANE_SCDOC)
  message(STATUS "scdoc not found: the manual pages are left out")
  return()
endif()
find_program(QUORVANE_GZIP gzip REQUIRED)

set(quorvane_pages "")
foreach(program quorvane quorvane-reg)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(source ${PROJECT_BINARY_DIR}/doc/${program}.1.scd)
  set(page ${PROJECT_BINARY_DIR}/doc/${program}.1.gz)
  configure_file(${PROJECT_SOURCE_DIR}/doc/${program}.1.scd ${source} @ONLY)
  add_custom_command(OUTPUT ${page}
    # The shell redirects: no VERBATIM here.
    COMMAND ${QUORVANE_SCDOC} < ${source} > ${program}.1
    COMMAND ${QUORVANE_GZIP} -9nf ${program}.1
    DEPENDS ${source}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/doc
    COMMENT "Writing the manual page ${program}(1)")
  list(APPEND quorvane_pages ${page})
endforeach()
add_custom_target(quorvane_manuals ALL DEPENDS ${quorvane_pages})
install(FILES ${quorvane_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
