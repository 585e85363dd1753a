# Makes Quorvane's Windows packages from its built programs: the installer
# (wixl, from packaging/windows/quorvane.wxs) and the zip for running the
# program without installing it, each program and the installer signed when
# the packager names a certificate (integrity.sh). Sourced by
# scripts/package and by the package test of the Windows leg.
source "$(dirname "${BASH_SOURCE[0]}")/integrity.sh"

# The Windows programs, each the CMake target of <name>.exe: built, signed
# and put in the zip; the installer holds those that quorvane.wxs names.
QUORVANE_WINDOWS_PROGRAMS=(quorvane quorvane-reg)

# build_windows_programs SOURCE_DIR BUILD_DIR: cross-builds the Release
# programs in BUILD_DIR/bin with MinGW-w64, as the preset mingw-release says
# (stripped, with no link time in them: see cmake/mingw-w64-x86_64.cmake),
# keeping BUILD_DIR so that a second run rebuilds only what changed. The
# build's output goes to BUILD_DIR.log; returns non-zero when it fails.
build_windows_programs() {
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  { (cd "$1" && cmake --preset mingw-release -B "$2" "${launcher[@]}") &&
    cmake --build "$2" -j"${QUORVANE_JOBS:-2}" --target "${QUORVANE_WINDOWS_PROGRAMS[@]}"; } \
    >"$2.log" 2>&1
}

# msi_completions VERSION: the installer's rows that wixl leaves out or gets
# wrong, one SQL statement a line:
# - the File table's version of each program, which Windows Installer
#   compares with the installed file's when it replaces it, and its language
#   (US English, as the version resources say);
# - the Registry table's root HKMU, which wixl writes as 4: Windows
#   Installer's number for it is -1;
# - ARPINSTALLLOCATION, for the Apps & features entry: an immediate custom
#   action (type 51, set a property) right after CostFinalize, when the
#   folder chosen is known; wixl writes every such action deferred, after
#   InstallFinalize.
msi_completions() {
  cat <<SQL
UPDATE \`File\` SET \`Version\` = '$1', \`Language\` = '1033' WHERE \`File\` = 'QuorvaneExe'
UPDATE \`File\` SET \`Version\` = '$1', \`Language\` = '1033' WHERE \`File\` = 'QuorvaneRegExe'
UPDATE \`Registry\` SET \`Root\` = -1 WHERE \`Root\` = 4
INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('SetInstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')
INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Sequence\`) VALUES ('SetInstallLocation', 1001)
SQL
}

# make_windows_packages BIN_DIR VERSION HOMEPAGE OUTDIR: writes
# OUTDIR/quorvane-VERSION-x64.msi and OUTDIR/quorvane-VERSION-windows-x64.zip
# from the programs in BIN_DIR, signed as sign_into says. VERSION is
# major.minor.0.revision. The zip's entries, and the time of nothing else,
# are dated SOURCE_DATE_EPOCH, by default the time of the latest commit, so
# that one commit gives the same zip. Returns non-zero, saying why, when
# either cannot be made.
make_windows_packages() {
  local bin=$1 version=$2 homepage=$3 out root stage major minor build msi program status=0
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  for program in "${QUORVANE_WINDOWS_PROGRAMS[@]}"; do
    [ -f "$bin/$program.exe" ] || { echo "No Windows program at $bin/$program.exe" >&2; return 1; }
  done
  out=$(mkdir -p "$4" && cd "$4" && pwd)
  IFS=. read -r major minor build _ <<<"$version"
  local epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 0)}

  stage=$(mktemp -d)
  cp "$root/packaging/windows/quorvane.wxs" "$stage/"
  # The programs are signed before the installer and the zip take them.
  local programs=()
  for program in "${QUORVANE_WINDOWS_PROGRAMS[@]}"; do
    programs+=("$stage/$program.exe")
    sign_into "$bin/$program.exe" "$stage/$program.exe" "$homepage" ||
      { rm -rf "$stage"; return 1; }
  done
  python3 "$root/ui/icons/make_icons.py" "$stage/icons" &&
    cp "$stage/icons/program_icon.ico" "$stage/quorvane.ico" || { rm -rf "$stage"; return 1; }
  # wixl finds the files next to the .wxs; it reports some elements it
  # ignores on its error output, shown only when it fails. msibuild then
  # enters what wixl cannot write (msi_completions), and the installer is
  # signed last, over all of it.
  msi="$out/quorvane-$version-x64.msi"
  local queries=() query
  while IFS= read -r query; do queries+=(-q "$query"); done < <(msi_completions "$version")
  if { wixl -a x64 -D Version="$version" -D UpgradeBelow="$major.$minor.$((build + 1))" \
      -D Homepage="$homepage" -o "$stage/quorvane.msi" "$stage/quorvane.wxs" &&
    msibuild "$stage/quorvane.msi" "${queries[@]}"; } >"$stage/wixl.log" 2>&1; then
    sign_into "$stage/quorvane.msi" "$msi" "$homepage" || status=1
  else
    cat "$stage/wixl.log" >&2
    status=1
  fi

  sed -e "s|@VERSION@|$version|g" -e "s|@HOMEPAGE@|$homepage|g" \
    "$root/packaging/windows/README.txt" >"$stage/README.txt"
  SOURCE_DATE_EPOCH=$epoch python3 "$root/packaging/windows/make_zip.py" \
    "$out/quorvane-$version-windows-x64.zip" "quorvane-$version" \
    "${programs[@]}" "$stage/README.txt" "$root/packaging/LICENSE.txt" || status=1
  rm -rf "$stage"
  return $status
}
