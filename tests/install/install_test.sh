#!/usr/bin/env bash
# Installs the build into a temporary prefix, as a packager would, and checks
# that the programs, the desktop entry and its icon land where the desktop
# looks for them, and that the entry passes desktop-file-validate.
#
# install_test.sh CMAKE BUILD_DIR DESKTOP_FILE_VALIDATE WITH_PROGRAM(0|1)
set -euo pipefail
cmake=$1 build=$2 validate=$3 with_program=$4

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/quorvane-reg" ] || fail "bin/quorvane-reg is not installed"

if [ "$with_program" = 1 ]; then
  entry="$prefix/share/applications/quorvane.desktop"
  if [ ! -f "$entry" ]; then
    fail "share/applications/quorvane.desktop is not installed"
  else
    # The validator prints hints and warnings without failing: any message at
    # all counts as a failure here.
    messages=$("$validate" "$entry" 2>&1) || fail "desktop-file-validate rejects the entry"
    [ -z "$messages" ] || fail "desktop-file-validate: $messages"

    value() { sed -n "s/^$1=//p" "$entry"; }
    program=$(value Exec)
    [ -n "$program" ] && [ -x "$prefix/bin/$program" ] ||
      fail "Exec=$program does not name an installed program"
    [[ ";$(value Categories)" == *";Network;"* ]] || fail "the entry is not in the Network category"

    icon="$prefix/share/icons/hicolor/32x32/apps/$(value Icon).png"
    if [ ! -f "$icon" ]; then
      fail "Icon=$(value Icon) names no icon in hicolor/32x32/apps"
    else
      # A PNG's width and height are the two big-endian words after its
      # signature and the IHDR chunk's length and type: bytes 16 to 23.
      size=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
      [ "$size" = "0 0 0 32 0 0 0 32" ] || fail "the icon is not 32 by 32 pixels ($size)"
    fi
  fi
fi

[ "$failures" -eq 0 ] && echo "Installed and checked in $prefix"
exit "$failures"
