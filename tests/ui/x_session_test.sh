#!/usr/bin/env bash
# The real program in a real X session (Xvfb), worked from the keyboard as a
# person would:
#  1. on an empty registry it asks the first-run question; declined, it ends
#     with status 0, the nine backup values written and FirstRun "Yes", and
#     its main window never appeared;
#  2. on a file that is not a registry it shows an error, ends with a
#     non-zero status and leaves the file as it was.
# Usage: x_session_test.sh QUORVANE QUORVANE_REG
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"

quorvane=$1
reg=$2
work=$(mktemp -d)
program_pid=""
watcher_pid=""

cleanup() {
  for pid in "$watcher_pid" "$program_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_xvfb || fail "no X server"
export QT_QPA_PLATFORM=xcb
# The program and Qt's X libraries keep some memory to the end on purpose;
# the leak check belongs to the offscreen tests.
export ASAN_OPTIONS=detect_leaks=0

# answer TITLE_REGEX KEY WHAT: waits for the program's window whose title
# matches, types KEY into it and sets status to the program's exit status once
# it has ended (wait must run in this shell, the program's parent). Fails,
# saying WHAT did not appear, when no such window shows.
answer() {
  local window
  window=$(timeout 120 xdotool search --sync --onlyvisible --name "$1" | head -n1) || true
  [ -n "$window" ] || fail "$3 did not appear"
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers "$2"
  for _ in $(seq 1200); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null && fail "the program did not end"
  status=0
  wait "$program_pid" || status=$?
  program_pid=""
}

echo "== Declining the first-run question"
export QUORVANE_REGISTRY="$work/registry.sqlite3"
"$quorvane" &
program_pid=$!
# Anything titled like the main window, at any moment of the run, is a fault.
(
  while kill -0 "$program_pid" 2>/dev/null; do
    xdotool search --name '^Quorvane Version' >>"$work/main-window" 2>/dev/null || true
    sleep 0.1
  done
) &
watcher_pid=$!
answer '^Welcome to Quorvane$' n "the first-run question"
wait "$watcher_pid" || true
watcher_pid=""
[ "$status" -eq 0 ] || fail "declining ended with status $status, not 0"
[ ! -s "$work/main-window" ] || fail "the main window appeared"

backup=$("$reg" query 'HKLM\Software\Tessamont\Quorvane\Backup')
for name in MaxMTU DefaultRcvWindow DefaultTTL SessionKeepAlive cachesize PMTUBlackHoleDetect \
  PMTUDiscovery SackOpts; do
  grep -Eq "^ +$name +REG_SZ +Not Set$" <<<"$backup" || fail "backup of $name missing: $backup"
done
grep -Eq '^ +DisableTaskOffload +REG_DWORD +0x0$' <<<"$backup" ||
  fail "backup of DisableTaskOffload missing: $backup"
"$reg" query 'HKLM\Software\Tessamont\Quorvane' /v FirstRun | grep -Eq '^ +FirstRun +REG_SZ +Yes$' ||
  fail "FirstRun is not Yes"

echo "== Starting on a file that is not a registry"
printf 'These are not the settings you are looking for.\n' >"$work/not-a-registry"
cp "$work/not-a-registry" "$work/original"
export QUORVANE_REGISTRY="$work/not-a-registry"
"$quorvane" &
program_pid=$!
answer '^Quorvane$' Return "the error message"
[ "$status" -ne 0 ] || fail "a registry that cannot be opened ended with status 0"
cmp -s "$work/not-a-registry" "$work/original" || fail "the file was changed"

echo "PASS"
