# The Debian package, made by CPack from what `cmake --install` places:
# `cpack -G DEB` in a Linux build tree (scripts/package does it for a Release
# build) writes quorvane_<version>_<arch>.deb. The version is the project's.
# The Windows packages are made by scripts/package from the Windows programs.

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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# Libraries from the binaries (dpkg-shlibdeps): libqt6gui6 among them, which
# holds the X11 (xcb) display plugin that the program loads; the fonts the
# windows are drawn with, which no binary names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wine, fonts-liberation")
# The links of the About and Finished windows open through xdg-open; without
# it they open nothing, and the program works on.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

# Debian's documents of every package: the copyright file, in Debian's
# machine-readable format around the licence of packaging/LICENSE.txt, and,
# for a package of our own like this one, the changelog (its date honours
# SOURCE_DATE_EPOCH, so that a rebuild is the same).
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/LICENSE.txt quorvane_licence_lines)
list(TRANSFORM quorvane_licence_lines REPLACE "^$" ".")
list(TRANSFORM quorvane_licence_lines PREPEND " ")
list(JOIN quorvane_licence_lines "\n" quorvane_licence)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/copyright.in
  ${PROJECT_BINARY_DIR}/packaging/deb/copyright @ONLY)
string(TIMESTAMP quorvane_package_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in
  ${PROJECT_BINARY_DIR}/packaging/deb/changelog @ONLY)
execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/deb/changelog
  OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/deb/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/deb/copyright
  ${PROJECT_BINARY_DIR}/packaging/deb/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
# No maintainer scripts: dpkg's triggers, which the desktop's menu database
# and the hicolor icon cache and man-db register, bring them up to date when
# the package adds or takes away its files.

include(CPack)
