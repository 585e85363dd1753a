#!/usr/bin/env bash
# The Windows packages as scripts/package makes them, from the Release
# programs built in RELEASE_DIR (kept between runs): each is stripped (under
# 400 KB, quorvane-reg.exe 1.2 MB), and a second build of them and of the
# zip with one SOURCE_DATE_EPOCH gives the same bytes and the same File
# table; the zip holds the programs, a CRLF README.txt and the licence; the
# installer's tables keep Windows Installer's rules for the shortcut
# (ICE43, ICE57) and carry the Apps & features links and each file's
# version. Signed, the programs and the installer verify and a changed byte
# fails them; SHA256SUMS checks. Then under Wine, in the Windows leg's
# prefix: msiexec /i of the signed installer installs the programs, the
# Start menu shortcut and the Apps & features entry with its links and
# folder; the installed program starts to its main window (on the leg's X
# display) and quorvane-reg.exe tells its version; the next revision
# replaces them in place; msiexec /x removes it all but leaves the
# program's key and backup.
# windows_package_test.sh SOURCE_DIR VERSION HOMEPAGE RELEASE_DIR
set -euo pipefail
source "$1/scripts/lib/windows-packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

version=$2 newer="${2%.*}.$((${2##*.} + 1))" homepage=$3 release=$4
bin="$release/bin"
export SOURCE_DATE_EPOCH=1700000000
build_windows_programs "$1" "$release" || { cat "$release.log" >&2; exit 1; }
mkdir "$work/first"
# Stripped, each is far below its unstripped size; quorvane-reg.exe carries
# the C++ runtime's streams, which it writes its output with.
declare -A most=([quorvane]=409600 [quorvane-reg]=1228800)
for program in "${QUORVANE_WINDOWS_PROGRAMS[@]}"; do
  exe="$bin/$program.exe"
  [ "$(stat -c %s "$exe")" -lt "${most[$program]}" ] ||
    fail "$program.exe holds $(stat -c %s "$exe") bytes"
  cp "$exe" "$work/first/"
done
make_windows_packages "$bin" "$version" "$homepage" "$work/first"
cmake --build "$release" --target clean >/dev/null
build_windows_programs "$1" "$release" || { cat "$release.log" >&2; exit 1; }
make_windows_packages "$bin" "$version" "$homepage" "$work" &&
  make_windows_packages "$bin" "$newer" "$homepage" "$work"
msi="$work/quorvane-$version-x64.msi" zip="quorvane-$version-windows-x64.zip"
for program in "${QUORVANE_WINDOWS_PROGRAMS[@]}"; do
  cmp -s "$bin/$program.exe" "$work/first/$program.exe" || fail "two builds gave two $program.exe"
done
cmp -s "$work/$zip" "$work/first/$zip" || fail "two builds gave two zips"
[ "$(msiinfo export "$msi" File)" = "$(msiinfo export "$work/first/${msi##*/}" File)" ] ||
  fail "two builds gave two File tables"

contents=$(unzip -Z1 "$work/$zip" | sort | tr '\n' ' ')
[ "$contents" = "$(printf "quorvane-$version/%s " LICENSE.txt README.txt quorvane-reg.exe quorvane.exe)" ] ||
  fail "the zip holds $contents"
unzip -p "$work/$zip" "quorvane-$version/README.txt" | tr -d '\r' | grep -q . &&
  [ "$(unzip -p "$work/$zip" "quorvane-$version/README.txt" | grep -vc $'\r$')" -eq 0 ] ||
  fail "the zip's README.txt is not in CRLF lines"

# The installer's tables, a row a line with tab-separated fields.
table() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r'; }
field() { awk -F'\t' -v key="$2" -v n="$3" '$1 == key { print $n }' <<<"$(table "$1")"; }
component=$(field Shortcut StartMenuShortcut 4)
keypath=$(field Component "$component" 6)
# ICE43: a shortcut that is not advertised lies in a component whose key path
# is a registry value (attribute 4) under HKCU or HKMU; ICE57: that
# component holds no file, so per-user and per-machine data do not meet.
attributes=$(field Component "$component" 4)
[ $((${attributes:-0} & 4)) -eq 4 ] &&
  [[ "$(field Registry "$keypath" 2)" =~ ^(1|-1)$ ]] && [ "$(field Registry "$keypath" 6)" = "$component" ] ||
  fail "the shortcut's component $component has no registry key path under HKCU or HKMU"
awk -F'\t' -v c="$component" '$2 == c' <<<"$(table File)" | grep -q . &&
  fail "the shortcut's component holds a file"
for file in QuorvaneExe QuorvaneRegExe; do
  [ "$(field File $file 5)" = "$version" ] || fail "the File table's $file: $(field File $file 5)"
done
for property in ARPHELPLINK ARPURLINFOABOUT; do
  [ "$(field Property $property 2)" = "$homepage" ] || fail "$property is $(field Property $property 2)"
done
[ "$(field CustomAction SetInstallLocation 2)/$(field CustomAction SetInstallLocation 3)" = 51/ARPINSTALLLOCATION ] &&
  [ "$(field InstallExecuteSequence SetInstallLocation 3)" -gt "$(field InstallExecuteSequence CostFinalize 3)" ] &&
  [ "$(field InstallExecuteSequence SetInstallLocation 3)" -lt "$(field InstallExecuteSequence InstallValidate 3)" ] ||
  fail "ARPINSTALLLOCATION is not set after CostFinalize"

# Signed with a code-signing certificate of a throwaway authority, whose key
# has a password: every program in the zip and the installer, and the
# installer itself.
ca="$work/authority" signed="$work/signed"
mkdir "$ca" && echo "the test's own password" >"$ca/password"
{ openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=Authority -keyout "$ca/ca.key" \
    -out "$ca/ca.pem" &&
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=Tessamont -CA "$ca/ca.pem" \
    -CAkey "$ca/ca.key" -addext basicConstraints=CA:false -addext extendedKeyUsage=codeSigning \
    -keyout "$ca/signer.key" -out "$ca/signer.pem" &&
  openssl pkcs12 -export -inkey "$ca/signer.key" -in "$ca/signer.pem" \
    -passout "file:$ca/password" -out "$ca/signer.p12"; } >/dev/null 2>&1 ||
  { echo "FAIL: openssl made no certificate" >&2; exit 1; }
export QUORVANE_SIGN_CA_FILE="$ca/ca.pem"
said=$(QUORVANE_SIGN_PKCS12="$ca/signer.p12" QUORVANE_SIGN_PASSWORD_FILE="$ca/password" \
  make_windows_packages "$bin" "$version" "$homepage" "$signed" 2>&1) || fail "signing: $said"
grep -qF -f "$ca/password" <<<"$said" && fail "the output shows the password"
write_checksums "$signed"
(cd "$signed" && sha256sum -c --quiet SHA256SUMS) && [ "$(wc -l <"$signed/SHA256SUMS")" -eq 2 ] ||
  fail "SHA256SUMS: $(cat "$signed/SHA256SUMS")"
unzip -q "$signed/$zip" -d "$signed/zip"
msiextract -C "$signed/msi" "$signed/${msi##*/}" >/dev/null
mapfile -t programs < <(find "$signed/zip" "$signed/msi" -name '*.exe')
[ "${#programs[@]}" -eq $((2 * ${#QUORVANE_WINDOWS_PROGRAMS[@]})) ] ||
  fail "the packages hold ${#programs[@]} programs"
# Each signature verifies but not with one byte changed, and a program
# without its signature is the unsigned build's.
flip() { python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(int(sys.argv[2]));
b = f.read(1)[0]; f.seek(-1, 1); f.write(bytes([b ^ 1]))' "$1" "$(($(stat -c %s "$1") / 2))"; }
for file in "${programs[@]}" "$signed/${msi##*/}"; do
  name=${file#"$signed/"}
  verify_signature "$file" >/dev/null 2>&1 || fail "$name: the signature fails"
  cp "$file" "$work/changed" && flip "$work/changed"
  verify_signature "$work/changed" >/dev/null 2>&1 && fail "$name: a changed byte verifies"
  [[ $file == *.exe ]] || continue
  osslsigncode remove-signature -in "$file" -out "$file.unsigned" >/dev/null 2>&1 &&
    cmp -s "$file.unsigned" "$bin/${file##*/}" || fail "$name unsigned is not the build's"
done

key='HKLM\Software\Tessamont\Quorvane'
folder="$WINEPREFIX/drive_c/Program Files/Tessamont/Quorvane"
msiexec() { wine msiexec "$1" "$(winepath -w "$2")" /qn || fail "msiexec $1 ${2#"$work/"}"; }
# Wine puts a per-machine package's shortcuts in the user's Start menu.
shortcut() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Quorvane.lnk'; }
# entries: the Apps & features entries named Quorvane, one "version publisher" line each.
# links: theirs, one "help about folder" line each.
uninstall_values() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk -v wanted="$1" 'function put() { if (v["DisplayName"] == "Quorvane") { n = split(wanted, w, " ");
           line = ""; for (i = 1; i <= n; i++) line = line (i > 1 ? " " : "") v[w[i]]; print line } }
         /^HKEY/ { put(); delete v } NF >= 3 { v[$1] = substr($0, index($0, $3)) } END { put() }'
}
entries() { uninstall_values "DisplayVersion Publisher"; }
links() { uninstall_values "HelpLink URLInfoAbout InstallLocation"; }

wine reg add "$key\\Backup" /v MaxMTU /d 'Not Set' /f >/dev/null
wine reg add "$key" /v FirstRun /d No /f >/dev/null
msiexec /i "$signed/${msi##*/}"
[ -f "$folder/quorvane.exe" ] && [ -n "$(shortcut)" ] || fail "no program or no shortcut"
IFS=. read -r major minor _ revision <<<"$version"
said=$(wine "$(winepath -w "$folder/quorvane-reg.exe")" --version </dev/null | tr -d '\r')
[ "$said" = "quorvane-reg $major.$minor.$revision" ] || fail "installed quorvane-reg.exe: $said"
[ "$(entries)" = "$version Tessamont" ] || fail "entries: $(entries)"
[ "$(links)" = "$homepage $homepage "'C:\Program Files\Tessamont\Quorvane\' ] || fail "links: $(links)"
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

msiexec /i "$work/quorvane-$newer-x64.msi"
[ "$(entries)" = "$newer Tessamont" ] || fail "entries after the upgrade: $(entries)"
msiexec /x "$work/quorvane-$newer-x64.msi"
[ ! -e "$folder" ] && [ -z "$(shortcut)" ] && [ -z "$(entries)" ] || fail "left after removal"
wine reg query "$key\\Backup" /v MaxMTU >/dev/null 2>&1 && wine reg query "$key" /v FirstRun >/dev/null 2>&1 ||
  fail "the removal took the program's key or backup"
wine reg delete "$key" /f >/dev/null 2>&1 || true

[ "$failures" -eq 0 ] && echo "Installed, upgraded and removed"
exit "$failures"
