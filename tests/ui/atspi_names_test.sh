#!/usr/bin/env bash
# What a screen reader hears from the real program on Linux, through AT-SPI
# on a session bus of the test's own: the role and name of every control
# that takes input in the main window and, opened from the keyboard, the
# About window, as the designs give them (PRINT_NAMES prints them), and the
# lists' items and the items chosen in them from the keyboard.
# Usage: atspi_names_test.sh QUORVANE QUORVANE_REG PRINT_NAMES
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
source "$(dirname "$0")/../support/program_session.sh"

quorvane=$1
reg=$2
print_names=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$session_work

start_xvfb || fail "no X server"
export QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS=detect_leaks=0
export QUORVANE_REGISTRY="$work/registry.sqlite3"
"$reg" add 'HKLM\Software\Tessamont\Quorvane' /v FirstRun /d No /f >/dev/null

# Qt speaks AT-SPI on the session bus whenever it is told to.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export HERE=$here QUORVANE=$quorvane WORK=$work
dbus-run-session -- bash -c '
  set -euo pipefail
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  "$QUORVANE" &
  program=$!
  trap "kill $program 2>/dev/null || true" EXIT
  window=$(timeout 120 xdotool search --sync --onlyvisible --name "^Quorvane Version" | head -n1)
  xdotool windowfocus --sync "$window"
  # Combo2 has the focus: "Cable Modem" found by its letter, then the next
  # item by the arrow key, then on to the pane list, whose "About" opens the
  # window.
  xdotool key c Down Tab Tab Tab a
  timeout 120 xdotool search --sync --onlyvisible --name "^About Quorvane$" >/dev/null
  /usr/bin/python3 "$HERE/read_atspi_names.py" quorvane >"$WORK/heard"
' 2>"$work/session.log" || { cat "$work/session.log" >&2; fail "the screen reader's session failed"; }

"$print_names" "Combo2=LAN Connection" Combo1=About | sort >"$work/expected"
sort "$work/heard" >"$work/heard.sorted"
if ! diff -u "$work/expected" "$work/heard.sorted"; then
  fail "a screen reader hears other names than the designs give"
fi
echo "PASS"
