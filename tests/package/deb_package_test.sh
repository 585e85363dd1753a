#!/usr/bin/env bash
# Makes the Debian package of this build tree with CPack, as scripts/package
# does for a Release build, and checks it: lintian finds no error, the
# dependencies were computed from the binaries, and the programs unpacked
# from it start (quorvane-reg answers a query; the program stays up on Qt's
# offscreen platform, which it does only once its main window is shown).
#
# deb_package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
cpack=$1 build=$2 version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

deb="$work/quorvane_${version}_$(dpkg --print-architecture).deb"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; exit 1; }
[ -f "$deb" ] || { fail "no $(basename "$deb") in: $(ls "$work")"; exit 1; }

errors=$(lintian "$deb" 2>/dev/null | grep '^E:' || true)
[ -z "$errors" ] || fail "lintian: $errors"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -x "$deb" "$work/root"
export QUORVANE_REGISTRY="$work/registry.sqlite3"
key='HKLM\Software\Tessamont\Quorvane'
# A first run that is done already: the program opens straight to its main
# window.
"$work/root/usr/bin/quorvane-reg" add "$key" /v FirstRun /d No /f >/dev/null ||
  fail "quorvane-reg add failed"
"$work/root/usr/bin/quorvane-reg" query "$key" /v FirstRun | grep -Eq '^ +FirstRun +REG_SZ +No$' ||
  fail "quorvane-reg does not answer the query"
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$work/root/usr/bin/quorvane" || status=$?
[ "$status" -eq 124 ] || fail "the program ended with status $status instead of showing its window"

[ "$failures" -eq 0 ] && echo "$(basename "$deb") checked"
exit "$failures"
