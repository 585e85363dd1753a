# Makes Quorvane's Debian package from a Release build (the preset release)
# with Debian's hardening flags (dpkg-buildflags, hardening=+all: -z now and
# -z relro, _FORTIFY_SOURCE, the stack protector, format checks), the
# programs stripped by CPack. Sourced by scripts/package and by the .deb's
# test.

# deb_build_flags SOURCE_DIR NAME: Debian's flags NAME (CXXFLAGS, CPPFLAGS,
# LDFLAGS) with every hardening feature, for a build of SOURCE_DIR. Asked in
# SOURCE_DIR: -ffile-prefix-map takes the working folder, so that no path of
# this machine is in the programs.
deb_build_flags() {
  (cd "$1" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$2")
}

# make_deb_package SOURCE_DIR BUILD_DIR OUTDIR: configures and builds
# BUILD_DIR (kept, so that a second run rebuilds only what changed) and
# writes OUTDIR/quorvane_<version>_<arch>.deb. Returns non-zero, with the
# build's output on standard error, when either step fails.
make_deb_package() {
  local source=$1 build=$2 out=$3 launcher=() log
  mkdir -p "$build" "$out"
  log="$build/package.log"
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  local cxxflags ldflags
  cxxflags="$(deb_build_flags "$source" CXXFLAGS) $(deb_build_flags "$source" CPPFLAGS)"
  ldflags=$(deb_build_flags "$source" LDFLAGS)
  { (cd "$source" && cmake --preset release -B "$build" "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags") &&
    cmake --build "$build" -j"${QUORVANE_JOBS:-2}" &&
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/packages"; } >"$log" 2>&1 ||
    { cat "$log" >&2; return 1; }
  cp "$build"/packages/*.deb "$out/"
}
