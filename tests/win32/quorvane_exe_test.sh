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

wine=$1
exe=$2
work=$(mktemp -d)
program_pid=""
watcher_pid=""

cleanup() {
  for pid in "$watcher_pid" "$program_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

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

# start: starts the program, and a watcher that notes every shown window
# titled like the main window or the first-run question.
start() {
  "$wine" "$exe" &
  program_pid=$!
  : >"$work/main-window"
  : >"$work/question"
  (
    while kill -0 "$program_pid" 2>/dev/null; do
      xdotool search --onlyvisible --name '^Quorvane Version' >>"$work/main-window" 2>/dev/null || true
      xdotool search --onlyvisible --name '^Welcome to Quorvane$' >>"$work/question" 2>/dev/null || true
      sleep 0.1
    done
  ) &
  watcher_pid=$!
}

# answer TITLE_REGEX KEYS WHAT: waits for the program's window whose title
# matches and types KEYS into it; fails, saying WHAT did not appear, when no
# such window shows.
answer() {
  local window
  window=$(timeout 120 xdotool search --sync --onlyvisible --name "$1" | head -n1) || true
  [ -n "$window" ] || fail "$3 did not appear"
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$2"
}

# ended: waits for the program to end and sets status to its exit status.
ended() {
  for _ in $(seq 600); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program did not end"
  status=0
  wait "$program_pid" || status=$?
  program_pid=""
  wait "$watcher_pid" || true
  watcher_pid=""
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
[ ! -s "$work/main-window" ] || fail "the main window appeared"
backup=$(reg query 'HKLM\Software\Tessamont\Quorvane\Backup')
for name in MaxMTU DefaultRcvWindow DefaultTTL SessionKeepAlive cachesize PMTUBlackHoleDetect \
  PMTUDiscovery SackOpts; do
  grep -Eq "^ +$name +REG_SZ +Not Set$" <<<"$backup" || fail "backup of $name missing: $backup"
done
grep -Eq '^ +DisableTaskOffload +REG_DWORD +0x0$' <<<"$backup" ||
  fail "backup of DisableTaskOffload missing: $backup"
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
