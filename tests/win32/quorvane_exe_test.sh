#!/usr/bin/env bash
# quorvane.exe under Wine on an X display, worked from the keyboard as a
# person would, its registry looked at with Wine's reg.exe:
#  1. on a registry without the program's keys it asks the first-run
#     question; declined ("n"), it ends with status 0 before its main window
#     ever appeared, the nine backup values written and FirstRun "Yes";
#  2. started again it asks again; accepted ("y"), the main window appears;
#     after an Optimise and an Apply, Alt+C ends it with status 0; FirstRun
#     is "No", reg export and regedit /e show every text whole, and the
#     backup, exported and imported again, reads as it was;
#  3. a third start goes straight to the main window; its pane list opens
#     the About window, whose lblURL opens the maker's home page in the
#     user's browser (a script that notes what it is given); Escape closes
#     the window;
#  4. quorvane-reg.exe shows, optimises and restores.
# Each start is made as from a Downloads folder that a web page has written
# to: the program, the working folder and PATH are one folder, which also
# holds a DLL under each name that Windows or Wine would look for there;
# Wine loads a DLL found there before its own, as Windows does. None of
# them may be loaded.
# Usage: quorvane_exe_test.sh WINE QUORVANE_EXE PLANTED_DLL QUORVANE_REG_EXE
# (DISPLAY set, WINEPREFIX too)
set -euo pipefail
source "$(dirname "$0")/../support/program_session.sh"
source "$(dirname "$0")/wine_reg.sh"

wine=$1
exe=$2
planted_dll=$3
tool=$4
work=$session_work

# DLLs that are not KnownDLLs (which Windows loads from System32 alone) and
# that Windows 10 and 11 or Wine load into a program for its windows and
# links. Not version.dll, though the program once imported it: under Wine,
# user32 imports it too, and Wine looks for a system DLL's own imports the
# way it looks for the program's, where Windows takes them from System32
# (windows_dlls_test checks what the program imports).
planted=(uxtheme msimg32 comctl32 dwmapi cryptbase oleacc propsys)
folder=$work/downloads
mkdir "$folder"
cp "$exe" "$folder/quorvane.exe"
cp "$tool" "$folder/quorvane-reg.exe"
for name in "${planted[@]}"; do cp "$planted_dll" "$folder/$name.dll"; done
# Only the program is started so; Wine's own tools run as they always do.
planted_overrides="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}$(IFS=,; echo "${planted[*]}")=n,b"
cd "$folder"

# planted_dlls_loaded: each planted DLL that was loaded, with the program
# that loaded it (its mark, NAME.dll.loaded beside it, holds that path).
planted_dlls_loaded() {
  local mark
  for mark in "$folder"/*.loaded; do
    [ -e "$mark" ] && printf '%s (by %s) ' "$(basename "$mark" .loaded)" "$(cat "$mark")"
  done
  return 0
}
no_planted_dll_loaded() {
  [ -z "$(planted_dlls_loaded)" ] || fail "the program loaded DLLs planted beside it"
}
# Every failure names them, a likely cause.
session_explain() { [ -z "$(planted_dlls_loaded)" ] || echo "Planted DLLs loaded: $(planted_dlls_loaded)"; }

# reg ARGS...: Wine's reg.exe, what it lists with its line ends made Unix
# ones. A query that fails is asked again, twice at most (see first_run_is).
reg() {
  for _ in 1 2 3; do
    wine_reg "$work/reg.out" "$work/reg.err" "$@" && break
    [ "$1" = query ] || break
    sleep 0.5
  done
  tr -d '\r' <"$work/reg.out"
}

# The browser that Wine's winebrowser starts for a web address.
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$work/opened" >"$work/browser"
chmod +x "$work/browser"
reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null

start() {
  WINEDLLOVERRIDES=$planted_overrides WINEPATH="Z:${folder//\//\\}" \
    start_program "$wine" "$folder/quorvane.exe"
}

first_run() { reg query 'HKLM\Software\Tessamont\Quorvane' /v FirstRun | sed -n 's/^ *FirstRun *REG_SZ *//p'; }

# first_run_is WANT: fails unless FirstRun reads WANT. Asked up to three
# times: once, under load, the first look right after the program ended
# did not find the value that the next look found.
first_run_is() {
  local got=""
  for _ in 1 2 3; do
    got=$(first_run)
    [ "$got" = "$1" ] && return 0
    sleep 0.5
  done
  fail "FirstRun is '$got', not $1"
}

# A registry without the program's keys and without the settings.
for key in 'HKLM\Software\Tessamont' 'HKLM\SYSTEM\CurrentControlSet\Services\Class\NetTrans\0000' \
  'HKLM\SYSTEM\CurrentControlSet\Services\VxD'; do
  reg delete "$key" /f >/dev/null || true
done
reg delete 'HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters' /v DisableTaskOffload /f \
  >/dev/null || true

echo "== Declining the first-run question"
start
answer '^Welcome to Quorvane$' n "the first-run question"
ended
[ "$status" -eq 0 ] || fail "declining ended with status $status, not 0"
no_planted_dll_loaded
[ ! -s "$work/main-window" ] || fail "the main window appeared"
expect_empty_backup "$(reg query 'HKLM\Software\Tessamont\Quorvane\Backup')"
first_run_is Yes

echo "== Accepting it, then an Optimise, an Apply and Alt+C"
main='^Quorvane Version 1\.3 Final - Build 0$'
start
answer '^Welcome to Quorvane$' y "the first-run question"
# "c" picks Cable Modem; Optimise comes next, and the Finished window.
answer "$main" c "the main window"
xdotool key Tab space
answer '^Quorvane$' Return "the Finished window"
# On to the pane list, where "r" shows the receive window's pane, whose
# Apply writes the 8192 that its box holds.
answer "$main" Tab "the main window"
xdotool key Tab r alt+a alt+c
ended
[ "$status" -eq 0 ] || fail "Alt+C ended with status $status, not 0"
no_planted_dll_loaded
first_run_is No

# Each text that reg query lists stands whole in the files of reg export
# and of regedit /e, those written here among them.
for key in 'HKEY_LOCAL_MACHINE\Software\Tessamont' \
  'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\NetTrans\0000' \
  'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\VxD'; do
  wine_reg "$work/said" "$work/said" export "$key" "$work/reg.reg" /y ||
    fail "reg export $key failed: $(cat "$work/said")"
  "$wine" regedit /e "$work/regedit.reg" "$key" || fail "regedit /e $key failed"
  reg query "$key" /s | sed -n 's/^    (Default)    REG_SZ    \(.*\)/@="\1"/p
    s/^    \(.*\)    REG_SZ    \(.*\)/"\1"="\2"/p' | tee -a "$work/texts" >"$work/key-texts"
  for file in reg regedit; do
    iconv -f UTF-16LE -t UTF-8 "$work/$file.reg" | tr -d '\r' | grep -vxFf - "$work/key-texts" &&
      fail "$file exports the texts above otherwise"
  done
done
[ "$(grep -cxF -e '"MaxMTU"="1500"' -e '"DefaultRcvWindow"="8192"' -e '"FirstRun"="No"' \
  -e '"SackOpts"="Not Set"' "$work/texts")" -eq 4 ] || fail "texts written: $(cat "$work/texts")"
backup='HKLM\Software\Tessamont\Quorvane\Backup'
reg query "$backup" >"$work/backup-before"
wine_reg "$work/said" "$work/said" export "$backup" "$work/backup.reg" /y ||
  fail "reg export failed: $(cat "$work/said")"
reg delete "$backup" /f >/dev/null
wine_reg "$work/said" "$work/said" import "$work/backup.reg" ||
  fail "reg import failed: $(cat "$work/said")"
reg query "$backup" | diff "$work/backup-before" - >&2 || fail "the backup imports otherwise"

echo "== Starting again: straight to the main window, then the About window"
start
answer '^Quorvane Version 1\.3 Final - Build 0$' Tab "the main window"
# On to the pane list (Tab from the connection type: Optimise, the scroll
# bar, the list), where "a" chooses "About".
xdotool key Tab Tab a
about=$(timeout 120 xdotool search --sync --onlyvisible --name '^About Quorvane$' | head -n1) || true
[ -n "$about" ] || fail "the About window did not appear"
# A click on lblURL, which lies 72 to 217 and 296 to 309 pixels into the
# client area (375 by 321 pixels); the frame that Wine draws surrounds that
# area, as wide on three sides, with the caption above.
eval "$(xdotool getwindowgeometry --shell "$about")"
frame=$(((WIDTH - 375) / 2))
xdotool mousemove --window "$about" $((frame + 100)) $((HEIGHT - frame - 321 + 302)) click 1
for _ in $(seq 300); do
  grep -qx 'http://tessamont.example/' "$work/opened" 2>/dev/null && break
  sleep 0.1
done
grep -qx 'http://tessamont.example/' "$work/opened" 2>/dev/null ||
  fail "the link did not open the maker's home page: $(cat "$work/opened" 2>/dev/null)"
answer '^About Quorvane$' Escape "the About window"
answer '^Quorvane Version 1\.3 Final - Build 0$' alt+c "the main window"
ended
[ "$status" -eq 0 ] || fail "Alt+C ended with status $status, not 0"
[ ! -s "$work/question" ] || fail "the first-run question was asked again"
no_planted_dll_loaded
reg delete 'HKCU\Software\Wine\WineBrowser' /v Browsers /f >/dev/null

echo "== quorvane-reg.exe from the same folder"
for command in show "optimise Modem /accept" "restore /f"; do
  # shellcheck disable=SC2086 # the command's words
  WINEDLLOVERRIDES=$planted_overrides WINEPATH="Z:${folder//\//\\}" \
    "$wine" "$folder/quorvane-reg.exe" $command </dev/null >"$work/said" 2>&1 ||
    fail "quorvane-reg.exe $command: $(cat "$work/said")"
done
no_planted_dll_loaded

echo "PASS"
