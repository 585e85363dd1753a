#!/usr/bin/env bash
# The Debian package of this build tree, made by CPack as scripts/package
# makes it: lintian finds no error, and the programs unpacked from it start
# (quorvane-reg answers; the program, its first run done, stays up with its
# main window on Qt's offscreen platform). deb_package_test.sh CPACK BUILD_DIR VERSION
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

deb="$work/quorvane_${3}_$(dpkg --print-architecture).deb"
"$1" -G DEB --config "$2/CPackConfig.cmake" -B "$work" >"$work/log" 2>&1 || fail "$(cat "$work/log")"
errors=$(lintian "$deb" 2>&1 | grep '^E:' || true)
[ -z "$errors" ] || fail "lintian: $errors"

dpkg-deb -x "$deb" "$work/root"
export QUORVANE_REGISTRY="$work/registry.sqlite3" QT_QPA_PLATFORM=offscreen
reg() { "$work/root/usr/bin/quorvane-reg" "$@"; }
reg add 'HKLM\Software\Tessamont\Quorvane' /v FirstRun /d No /f >/dev/null
reg query 'HKLM\Software\Tessamont\Quorvane' /v FirstRun | grep -Eq '^ +FirstRun +REG_SZ +No$' ||
  fail "quorvane-reg does not answer"
status=0
timeout 5 "$work/root/usr/bin/quorvane" 2>/dev/null || status=$?
[ "$status" -eq 124 ] || fail "the program ended with status $status"
echo "$(basename "$deb") checked"
