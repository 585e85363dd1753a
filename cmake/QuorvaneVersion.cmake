# The program's version numbers as one generated header, quorvane_version.h,
# made from the project() line of the top CMakeLists.txt: the interface
# library quorvane::version puts it on its users' include path.

# quorvane_version_header(FOLDER MAJOR MINOR REVISION): writes
# FOLDER/quorvane_version.h with these numbers.
function(quorvane_version_header folder major minor revision)
  set(QUORVANE_VERSION_MAJOR ${major})
  set(QUORVANE_VERSION_MINOR ${minor})
  set(QUORVANE_VERSION_REVISION ${revision})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/quorvane_version.h.in ${folder}/quorvane_version.h
    @ONLY)
endfunction()

# The file version is major.minor.0.revision: the revision is the fourth number.
quorvane_version_header(${PROJECT_BINARY_DIR}/version ${PROJECT_VERSION_MAJOR}
  ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_TWEAK})
add_library(quorvane_version INTERFACE)
target_include_directories(quorvane_version INTERFACE ${PROJECT_BINARY_DIR}/version)
add_library(quorvane::version ALIAS quorvane_version)
