#!/usr/bin/env bash
# quorvane.exe under Wine on an X display, worked from the keyboard as a
# person would, its registry looked at with Wine's reg.exe:
#  1. on a registry without the program's keys it asks the first-run
#     question; declined ("n"), it ends with status 0 before its main window
#     ever appeared, the nine backup values written and FirstRun "Yes";
#  2. started again it asks again; accepted ("y"), the main window appears
#     and FirstRun is "No"; Alt+C ends it with status 0;
#  3. a third start goes straight to the main window.
# Usage: quorvane_exe_test.sh WINE QUORVANE_EXE (DISPLAY set, WINEPREFIX too)
set -euo pipefail
source "$(dirname "$0")/../support/program_session.sh"

wine=$1
exe=$2
work=$session_work

# reg ARGS...: Wine's reg.exe, its line ends made Unix ones. A query that
# fails is asked again, twice at most (see first_run_is).
reg() {
  local out=""
  for _ in 1 2 3; do
    out=$("$wine" reg "$@" 2>/dev/null) && break
    [ "$1" = query ] || break
    sleep 0.5
  done
  printf '%s\n' "$out" | tr -d '\r'
}

start() { start_program "$wine" "$exe"; }

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
[ ! -s "$work/main-window" ] || fail "the main window appeared"
expect_empty_backup "$(reg query 'HKLM\Software\Tessamont\Quorvane\Backup')"
first_run_is Yes

echo "== Accepting it, then Alt+C"
start
answer '^Welcome to Quorvane$' y "the first-run question"
answer '^Quorvane Version 1\.3 Final - Build 0$' alt+c "the main window"
ended
[ "$status" -eq 0 ] || fail "Alt+C ended with status $status, not 0"
first_run_is No

echo "== Starting again: straight to the main window"
start
answer '^Quorvane Version 1\.3 Final - Build 0$' alt+c "the main window"
ended
[ "$status" -eq 0 ] || fail "Alt+C ended with status $status, not 0"
[ ! -s "$work/question" ] || fail "the first-run question was asked again"

echo "PASS"
