# Shared by the scripts: where the project is, and installing Debian packages
# that are missing (through sudo when not root).

QUORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QUORVANE_JOBS=$(nproc 2>/dev/null || echo 2)

# Every build is one of the presets in CMakePresets.json, each with its own
# tree under build/ (`cmake --list-presets` lists them).
# configure_preset PRESET [OPTION...]: configures the preset's tree; the
# options go to cmake (-B DIR puts the tree elsewhere).
configure_preset() {
  (cd "$QUORVANE_ROOT" && cmake --preset "$@" >/dev/null)
}
# build_preset PRESET [OPTION...]: builds the preset's targets (all when it
# names none) on every core.
build_preset() {
  (cd "$QUORVANE_ROOT" && cmake --build --preset "$1" -j"$QUORVANE_JOBS" "${@:2}")
}
# test_preset PRESET [OPTION...]: runs the preset's tests with ctest.
test_preset() {
  (cd "$QUORVANE_ROOT" && ctest --preset "$@")
}

# ensure_packages PACKAGE...: installs those of the packages that are not
# installed yet; does nothing when all are there.
ensure_packages() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# What the native build needs, and the program at run time (the fonts:
# metric-compatible clones of Tahoma, MS Sans Serif and Times New Roman);
# scdoc writes the manual pages, Python the icons from their drawings.
QUORVANE_BUILD_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libsqlite3-dev
  libfontconfig-dev libgl-dev fonts-wine fonts-liberation scdoc python3)
# Making the packages: the .deb's hardening flags and dependencies
# (dpkg-buildflags, dpkg-shlibdeps, file), the Windows installer (wixl, and
# msitools to complete its tables), and osslsigncode to sign the Windows
# files and verify them against the system's authorities (ca-certificates).
QUORVANE_PACKAGING_PACKAGES=(dpkg-dev file wixl msitools osslsigncode ca-certificates)
# What the native tests need besides: GoogleTest, an X server and xdotool for
# the real-window test, a session bus with AT-SPI and its Python bindings to
# hear the program as a screen reader does, the desktop-entry and AppStream
# checkers, man to render the manual pages, and for the .deb its making and
# its checker.
QUORVANE_TEST_PACKAGES=(libgtest-dev xvfb xdotool dbus-daemon at-spi2-core gir1.2-atspi-2.0
  python3-gi desktop-file-utils appstream man-db dpkg-dev file lintian)
# The benchmarks (scripts/bench runs them, scripts/test builds them): Google
# Benchmark, and Xlib for the start-up timing.
QUORVANE_BENCH_PACKAGES=(libbenchmark-dev libx11-dev)
# The Windows leg: the MinGW-w64 cross compilers (posix threads) and Wine.
QUORVANE_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64)
# Its tests besides: GoogleTest's sources (MinGW has no packaged build of
# it), the installer's and the zip's making and msiinfo to read the
# installer's tables, osslsigncode with openssl to sign them with a
# certificate of the test's own, and an X server with its keyboard for the
# windows' tests.
QUORVANE_WINDOWS_TEST_PACKAGES=(googletest wixl msitools osslsigncode openssl python3 unzip xvfb
  xdotool)
# Fuzzing (scripts/fuzz): clang with libFuzzer and the sanitizers' runtimes.
QUORVANE_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
# Only for a maintainer who makes store/letter_case_pairs.h anew with
# store/make_case_table.py: the Unicode Character Database. No build needs it.
QUORVANE_MAINTAINER_PACKAGES=(unicode-data python3)
