#!/usr/bin/env bash
# The Windows installer under Wine, in the Windows leg's prefix: msiexec /i
# installs the program, its Start menu shortcut and its Apps & features
# entry; the installed program starts; a higher version of the package
# replaces it in place (one entry); msiexec /x removes all of it and leaves
# the program's key and its first-run backup. Also checks the zip's contents.
#
# windows_package_test.sh SOURCE_DIR VERSION EXE|"" C_COMPILER
# Without EXE, a stand-in program (standin_quorvane.c) is packaged instead.
set -euo pipefail
source_dir=$1 version=$2 exe=$3 cc=$4
source "$source_dir/scripts/lib/windows-packages.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if [ -z "$exe" ]; then
  exe="$work/standin/quorvane.exe"
  mkdir "$work/standin"
  "$cc" -o "$exe" "$source_dir/tests/package/standin_quorvane.c"
fi
IFS=. read -r major minor build revision <<<"$version"
newer="$major.$minor.$build.$((revision + 1))"
make_windows_packages "$exe" "$version" "$work/dist"
make_windows_packages "$exe" "$newer" "$work/dist"

zip_files=$(cmake -E tar tf "$work/dist/quorvane-$version-windows-x64.zip" | sort | tr '\n' ' ')
[ "$zip_files" = "quorvane-$version/ quorvane-$version/README.md quorvane-$version/quorvane.exe " ] ||
  fail "the zip holds: $zip_files"

program_key='HKLM\Software\Tessamont\Quorvane'
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
folder="$WINEPREFIX/drive_c/Program Files/Tessamont/Quorvane"
msi() { echo "$work/dist/quorvane-$1-x64.msi"; }
product_code() { msiinfo export "$(msi "$1")" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r'; }
# Wine puts a per-machine package's shortcuts in the user's Start menu.
shortcut() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Quorvane.lnk' | head -n1; }
entry_value() { wine reg query "$uninstall\\$1" /v "$2" 2>/dev/null | sed -n "s/^ *$2 *REG_SZ *//p" | tr -d '\r'; }
entries() { wine reg query "$uninstall" /s 2>/dev/null | grep -c 'DisplayName *REG_SZ *Quorvane' || true; }
msiexec() { wine msiexec "$1" "$(winepath -w "$2")" /qn || fail "msiexec $1 $(basename "$2") failed"; }

# What a first run leaves: the marker and the backup.
wine reg add "$program_key" /v FirstRun /d No /f >/dev/null
wine reg add "$program_key\\Backup" /v MaxMTU /d 'Not Set' /f >/dev/null

echo "== Installing $version"
msiexec /i "$(msi "$version")"
old=$(product_code "$version")
[ -f "$folder/quorvane.exe" ] || fail "quorvane.exe is not in Program Files\\Tessamont\\Quorvane"
[ -n "$(shortcut)" ] || fail "no Start menu shortcut Quorvane"
for value in "DisplayName Quorvane" "DisplayVersion $version" "Publisher Tessamont"; do
  [ "$(entry_value "$old" "${value% *}")" = "${value#* }" ] || fail "the entry's ${value% *} is not ${value#* }"
done
icon=$(wine reg query 'HKLM\Software\Classes\Installer\Products' /s | sed -n 's/^ *ProductIcon *REG_SZ *//p' |
  tr -d '\r')
[ -n "$icon" ] && [ -f "$(winepath -u "$icon")" ] || fail "the entry has no icon ($icon)"
status=0
timeout 10 wine 'C:\Program Files\Tessamont\Quorvane\quorvane.exe' >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with status $status instead of running"

echo "== Upgrading to $newer"
msiexec /i "$(msi "$newer")"
[ "$(entries)" -eq 1 ] || fail "$(entries) entries in Apps & features after the upgrade"
[ "$(entry_value "$(product_code "$newer")" DisplayVersion)" = "$newer" ] || fail "$newer is not installed"
[ -f "$folder/quorvane.exe" ] || fail "quorvane.exe is gone after the upgrade"

echo "== Removing"
msiexec /x "$(msi "$newer")"
[ ! -e "$folder" ] || fail "Program Files\\Tessamont\\Quorvane is still there"
[ -z "$(shortcut)" ] || fail "the shortcut is still there"
[ "$(entries)" -eq 0 ] || fail "the Apps & features entry is still there"
wine reg query "$program_key" /v FirstRun >/dev/null 2>&1 || fail "the uninstall removed FirstRun"
wine reg query "$program_key\\Backup" /v MaxMTU >/dev/null 2>&1 || fail "the uninstall removed the backup"
wine reg delete "$program_key" /f >/dev/null 2>&1 || true

[ "$failures" -eq 0 ] && echo "Installed, upgraded and removed"
exit "$failures"
