# The Debian package, made by CPack from what `cmake --install` places:
# `cpack -G DEB` in a Linux build tree (scripts/package does it for a Release
# build) writes quorvane_<version>_<arch>.deb. The version is the project's.
# The Windows packages are made by scripts/package from quorvane.exe.

if(NOT (UNIX AND NOT APPLE) OR NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

set(QUORVANE_PACKAGE_CONTACT "Tessamont <quorvane@tessamont.invalid>" CACHE STRING
  "The package's maintainer, as a Debian Maintainer field")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tessamont)
set(CPACK_PACKAGE_CONTACT ${QUORVANE_PACKAGE_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tune the TCP/IP settings for an internet connection")
set(CPACK_PACKAGE_DESCRIPTION "\
Quorvane tunes the TCP/IP settings of a Windows computer for the kind of
internet connection it uses: modem, ADSL, cable or LAN. It backs up the
original values on its first run and puts them back on request.
On Linux it works on a portable registry, a single SQLite file that behaves
like the Windows registry, so that one can try the program and see what it
would change. quorvane-reg looks at and seeds that file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries (dpkg-shlibdeps); the fonts the windows are
# drawn with, which no binary names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins")

# Debian's documents of every package: the copyright file and, for a package
# of our own like this one, the changelog (its date honours
# SOURCE_DATE_EPOCH, so that a rebuild is the same).
string(TIMESTAMP quorvane_package_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in
  ${PROJECT_BINARY_DIR}/packaging/deb/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/deb/changelog
  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/deb/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/deb/copyright
  ${PROJECT_BINARY_DIR}/packaging/deb/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)

set(quorvane_maintainer_scripts ${PROJECT_BINARY_DIR}/packaging/deb)
foreach(script postinst postrm)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/desktop-caches
    ${quorvane_maintainer_scripts}/${script} COPYONLY)
endforeach()
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${quorvane_maintainer_scripts}/postinst ${quorvane_maintainer_scripts}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
