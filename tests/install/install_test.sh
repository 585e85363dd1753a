#!/usr/bin/env bash
# Installs the build into a temporary prefix, as a packager would, and checks
# that the programs, their manual pages, the desktop entry, its AppStream
# entry and its icons land where the desktop looks for them; that the entry
# passes desktop-file-validate, the AppStream entry appstreamcli, and that
# man renders the pages without a warning.
#
# install_test.sh CMAKE BUILD_DIR DESKTOP_FILE_VALIDATE APPSTREAMCLI WITH_PROGRAM(0|1)
set -euo pipefail
cmake=$1 build=$2 validate=$3 appstreamcli=$4 with_program=$5

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

[ -x "$prefix/bin/quorvane-reg" ] || fail "bin/quorvane-reg is not installed"

programs=(quorvane-reg)
[ "$with_program" = 1 ] && programs+=(quorvane)
for program in "${programs[@]}"; do
  page="$prefix/share/man/man1/$program.1.gz"
  if [ ! -f "$page" ]; then
    fail "no manual page $program(1)"
  else
    text=$(MANWIDTH=80 man --warnings -l "$page" 2>"$prefix/man.log") || fail "man -l $program.1.gz"
    [ ! -s "$prefix/man.log" ] || fail "man warns about $program(1): $(cat "$prefix/man.log")"
    grep -q "^NAME" <<<"$text" && grep -q "EXIT STATUS" <<<"$text" && grep -q QUORVANE_REGISTRY <<<"$text" ||
      fail "$program(1) lacks its name, exit statuses or QUORVANE_REGISTRY"
  fi
done

if [ "$with_program" = 1 ]; then
  id=example.tessamont.quorvane
  entry="$prefix/share/applications/$id.desktop"
  metainfo="$prefix/share/metainfo/$id.metainfo.xml"
  if [ ! -f "$metainfo" ]; then
    fail "share/metainfo/$id.metainfo.xml is not installed"
  else
    "$appstreamcli" validate --no-net "$metainfo" >"$prefix/appstream.log" 2>&1 ||
      fail "appstreamcli: $(cat "$prefix/appstream.log")"
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream entry lacks release $version"
  fi
  if [ ! -f "$entry" ]; then
    fail "share/applications/$id.desktop is not installed"
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

    for side in 16 24 32 48 64 128 256; do
      icon="$prefix/share/icons/hicolor/${side}x$side/apps/$(value Icon).png"
      if [ ! -f "$icon" ]; then
        fail "Icon=$(value Icon) names no icon in hicolor/${side}x$side/apps"
      else
        # A PNG's width and height are the two big-endian words after its
        # signature and the IHDR chunk's length and type: bytes 16 to 23.
        size=$(od -An -tu4 --endian=big -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
        [ "$size" = "$side $side" ] || fail "the $side-pixel icon is $size pixels"
      fi
    done
    grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$(value Icon).svg" ||
      fail "no scalable icon"
  fi
fi

[ "$failures" -eq 0 ] && echo "Installed and checked in $prefix"
exit "$failures"
