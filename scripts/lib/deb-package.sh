# Makes Quorvane's Debian package from a Release build with Debian's
# hardening flags (dpkg-buildflags, hardening=+all: -z now and -z relro,
# _FORTIFY_SOURCE, the stack protector, format checks), the programs stripped
# by CPack. Sourced by scripts/package and by the .deb's test.

# make_deb_package SOURCE_DIR BUILD_DIR OUTDIR: configures and builds
# BUILD_DIR (kept, so that a second run rebuilds only what changed) and
# writes OUTDIR/quorvane_<version>_<arch>.deb. Returns non-zero, with the
# build's output on standard error, when either step fails.
make_deb_package() {
  local source=$1 build=$2 out=$3 launcher=() log
  mkdir -p "$build" "$out"
  log="$build/package.log"
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # -ffile-prefix-map takes the working folder: the source, so that no path
  # of this machine is in the programs.
  local cxxflags cppflags ldflags
  cxxflags=$(cd "$source" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
  cppflags=$(cd "$source" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)
  ldflags=$(cd "$source" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
  { cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="$cxxflags $cppflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" &&
    cmake --build "$build" -j"${QUORVANE_JOBS:-2}" &&
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/packages"; } >"$log" 2>&1 ||
    { cat "$log" >&2; return 1; }
  cp "$build"/packages/*.deb "$out/"
}
