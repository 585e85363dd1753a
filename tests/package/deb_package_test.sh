#!/usr/bin/env bash
# The Debian package as scripts/package makes it (a hardened Release build in
# BUILD_DIR/deb-release, kept between runs): lintian -EvI --pedantic reports
# nothing but the program's own spellings, there are no maintainer scripts,
# it recommends xdg-utils for the links, and the programs unpacked from it
# start (quorvane-reg answers; the program, its first run done, stays up
# with its main window on Qt's offscreen platform, and without any display
# says so in one line and exits 1).
# deb_package_test.sh SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
source "$1/scripts/lib/deb-package.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

make_deb_package "$1" "$2/deb-release" "$work" || fail "the package could not be made"
deb="$work/quorvane_${3}_$(dpkg --print-architecture).deb"
# "Recieve Window" and "reciever" are the program's own texts.
tags=$(lintian -EvI --pedantic "$deb" 2>&1 | grep -E '^[EWIPX]:' |
  grep -Ev 'spelling-error-in-binary (Recieve|reciever) ' || true)
[ -z "$tags" ] || fail "lintian: $tags"
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar t | sed 's|^\./||' | grep . | sort | tr '\n' ' ')
[ "$control" = "control md5sums " ] || fail "the control archive holds $control"
# The links open through xdg-open.
[ "$(dpkg-deb -f "$deb" Recommends)" = xdg-utils ] || fail "xdg-utils is not recommended"

dpkg-deb -x "$deb" "$work/root"
export QUORVANE_REGISTRY="$work/registry.sqlite3" QT_QPA_PLATFORM=offscreen
reg() { "$work/root/usr/bin/quorvane-reg" "$@"; }
reg add 'HKLM\Software\Tessamont\Quorvane' /v FirstRun /d No /f >/dev/null
reg query 'HKLM\Software\Tessamont\Quorvane' /v FirstRun | grep -Eq '^ +FirstRun +REG_SZ +No$' ||
  fail "quorvane-reg does not answer"
status=0
timeout 5 "$work/root/usr/bin/quorvane" 2>/dev/null || status=$?
[ "$status" -eq 124 ] || fail "the program ended with status $status"

status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/quorvane" 2>&1) ||
  status=$?
[ "$status" -eq 1 ] && [ "$(wc -l <<<"$said")" -eq 1 ] && grep -q 'needs a graphical display' <<<"$said" ||
  fail "without a display: status $status, said: $said"
echo "$(basename "$deb") checked"
