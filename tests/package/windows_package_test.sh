#!/usr/bin/env bash
# The installer under Wine, in the Windows leg's prefix: msiexec /i installs
# the program, the Start menu shortcut and the Apps & features entry; the
# installed program starts to its main window (on the leg's X display); the
# next revision replaces it in place; msiexec /x removes it all but leaves
# the program's key and backup. Also the zip's contents.
# windows_package_test.sh SOURCE_DIR VERSION EXE
set -euo pipefail
source "$1/scripts/lib/windows-packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

version=$2 newer="${2%.*}.$((${2##*.} + 1))" exe=$3
make_windows_packages "$exe" "$version" "$work" && make_windows_packages "$exe" "$newer" "$work"
[ "$(cmake -E tar tf "$work/quorvane-$version-windows-x64.zip" | grep -c '/[Rq]')" -eq 2 ] ||
  fail "the zip lacks quorvane.exe or README.md"

key='HKLM\Software\Tessamont\Quorvane'
folder="$WINEPREFIX/drive_c/Program Files/Tessamont/Quorvane"
msiexec() { wine msiexec "$1" "$(winepath -w "$work/quorvane-$2-x64.msi")" /qn || fail "msiexec $1 $2"; }
# Wine puts a per-machine package's shortcuts in the user's Start menu.
shortcut() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Quorvane.lnk'; }
# entries: the Apps & features entries named Quorvane, one "version publisher icon" line each.
entries() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '/^HKEY/ { if (n == "Quorvane") print v, p; n = v = p = "" }
         $1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" { v = $3 } $1 == "Publisher" { p = $3 }
         END { if (n == "Quorvane") print v, p }'
}

wine reg add "$key\\Backup" /v MaxMTU /d 'Not Set' /f >/dev/null
wine reg add "$key" /v FirstRun /d No /f >/dev/null
msiexec /i "$version"
[ -f "$folder/quorvane.exe" ] && [ -n "$(shortcut)" ] || fail "no program or no shortcut"
[ "$(entries)" = "$version Tessamont" ] || fail "entries: $(entries)"
wine reg query 'HKLM\Software\Classes\Installer\Products' /s | grep -q 'ProductIcon.*quorvane.ico' ||
  fail "the entry has no icon"
wine "$(winepath -w "$folder/quorvane.exe")" >/dev/null 2>&1 &
program=$!
if window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorvane Version' | head -n1) &&
  [ -n "$window" ]; then
  xdotool windowfocus --sync "$window" key --clearmodifiers alt+c
else
  fail "the installed program showed no main window"
  kill "$program" 2>/dev/null || true
fi
wait "$program" 2>/dev/null || true

msiexec /i "$newer"
[ "$(entries)" = "$newer Tessamont" ] || fail "entries after the upgrade: $(entries)"
msiexec /x "$newer"
[ ! -e "$folder" ] && [ -z "$(shortcut)" ] && [ -z "$(entries)" ] || fail "left after removal"
wine reg query "$key\\Backup" /v MaxMTU >/dev/null 2>&1 && wine reg query "$key" /v FirstRun >/dev/null 2>&1 ||
  fail "the removal took the program's key or backup"
wine reg delete "$key" /f >/dev/null 2>&1 || true

[ "$failures" -eq 0 ] && echo "Installed, upgraded and removed"
exit "$failures"
