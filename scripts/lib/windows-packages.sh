# Makes Quorvane's Windows packages from a built quorvane.exe: the installer
# (wixl, from packaging/windows/quorvane.wxs) and the zip for running the
# program without installing it. Sourced by scripts/package and by the
# package test of the Windows leg.

# make_windows_packages EXE VERSION OUTDIR: writes
# OUTDIR/quorvane-VERSION-x64.msi and OUTDIR/quorvane-VERSION-windows-x64.zip.
# VERSION is major.minor.0.revision. Returns non-zero, saying why, when
# either cannot be made.
make_windows_packages() {
  local exe=$1 version=$2 out root stage major minor build status=0
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
  [ -f "$exe" ] || { echo "No Windows program at $exe" >&2; return 1; }
  out=$(mkdir -p "$3" && cd "$3" && pwd)
  IFS=. read -r major minor build _ <<<"$version"

  stage=$(mktemp -d)
  mkdir "$stage/quorvane-$version"
  cp "$root/packaging/windows/quorvane.wxs" "$stage/"
  cp "$exe" "$stage/quorvane.exe"
  python3 "$root/ui/icons/make_icons.py" "$stage/icons" &&
    cp "$stage/icons/program_icon.ico" "$stage/quorvane.ico" || { rm -rf "$stage"; return 1; }
  # wixl finds the files next to the .wxs; it reports some elements it
  # ignores on its error output, shown only when it fails.
  wixl -a x64 -D Version="$version" -D UpgradeBelow="$major.$minor.$((build + 1))" \
    -o "$out/quorvane-$version-x64.msi" "$stage/quorvane.wxs" >"$stage/wixl.log" 2>&1 ||
    { cat "$stage/wixl.log" >&2; status=1; }

  cp "$exe" "$root/README.md" "$stage/quorvane-$version/"
  (cd "$stage" && cmake -E tar cf "$out/quorvane-$version-windows-x64.zip" --format=zip \
    "quorvane-$version") || status=1
  rm -rf "$stage"
  return $status
}
