#!/usr/bin/env bash
# The real program in a real X session (Xvfb), worked from the keyboard as a
# person would:
#  1. on an empty registry it asks the first-run question; declined, it ends
#     with status 0, the nine backup values written and FirstRun "Yes", and
#     its main window never appeared;
#  2. on a file that is not a registry it shows an error, ends with a
#     non-zero status and leaves the file as it was; this start comes as a
#     desktop launcher's does, with a startup-notification id, which Qt
#     takes out of the environment as it starts.
# Usage: x_session_test.sh QUORVANE QUORVANE_REG
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
source "$(dirname "$0")/../support/program_session.sh"

quorvane=$1
reg=$2
work=$session_work
# Anything titled like the main window, shown or not, is a fault.
session_search=()

start_xvfb || fail "no X server"
export QT_QPA_PLATFORM=xcb
# The program and Qt's X libraries keep some memory to the end on purpose;
# the leak check belongs to the offscreen tests.
export ASAN_OPTIONS=detect_leaks=0

echo "== Declining the first-run question"
export QUORVANE_REGISTRY="$work/registry.sqlite3"
start_program "$quorvane"
answer '^Welcome to Quorvane$' n "the first-run question"
ended
[ "$status" -eq 0 ] || fail "declining ended with status $status, not 0"
[ ! -s "$work/main-window" ] || fail "the main window appeared"

expect_empty_backup "$("$reg" query 'HKLM\Software\Tessamont\Quorvane\Backup')"
"$reg" query 'HKLM\Software\Tessamont\Quorvane' /v FirstRun | grep -Eq '^ +FirstRun +REG_SZ +Yes$' ||
  fail "FirstRun is not Yes"

echo "== Starting on a file that is not a registry"
printf 'These are not the settings you are looking for.\n' >"$work/not-a-registry"
cp "$work/not-a-registry" "$work/original"
export QUORVANE_REGISTRY="$work/not-a-registry"
DESKTOP_STARTUP_ID=quorvane-test_TIME0 start_program "$quorvane"
answer '^Quorvane$' Return "the error message"
ended
[ "$status" -ne 0 ] || fail "a registry that cannot be opened ended with status 0"
cmp -s "$work/not-a-registry" "$work/original" || fail "the file was changed"

echo "PASS"
