# What the tests share that work the real program from the keyboard on an X
# display, as a person would: a folder of their own, the program started with
# a watcher of the windows it shows, keys typed into one of its windows, its
# end awaited, and the check of a first-run backup taken on an empty
# registry. Source it after `set -euo pipefail`; DISPLAY must be set before
# start_program.

session_work=$(mktemp -d)
program_pid=""
watcher_pid=""
# How the watcher searches: only shown windows, unless a test clears this to
# count every window of such a title, shown or not.
session_search=(--onlyvisible)

session_cleanup() {
  for pid in "$watcher_pid" "$program_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  if declare -F stop_xvfb >/dev/null; then stop_xvfb; fi
  rm -rf "$session_work"
}
trap session_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  # What the test itself knows of the cause, when it defines session_explain.
  if declare -F session_explain >/dev/null; then session_explain >&2; fi
  # An X server that went away explains most failures here.
  if [ -n "${DISPLAY:-}" ] && ! xdotool getmouselocation >/dev/null 2>&1; then
    echo "The X server on $DISPLAY does not answer." >&2
  fi
  if [ -s "${QUORVANE_XVFB_DIR:-}/log" ]; then
    echo "The X server's log:" >&2
    cat "$QUORVANE_XVFB_DIR/log" >&2
  fi
  exit 1
}

# start_program COMMAND...: starts the program, and a watcher that notes in
# $session_work/main-window and $session_work/question every window titled
# like the main window or the first-run question while it runs.
start_program() {
  "$@" &
  program_pid=$!
  : >"$session_work/main-window"
  : >"$session_work/question"
  (
    while kill -0 "$program_pid" 2>/dev/null; do
      xdotool search "${session_search[@]}" --name '^Quorvane Version' \
        >>"$session_work/main-window" 2>/dev/null || true
      xdotool search "${session_search[@]}" --name '^Welcome to Quorvane$' \
        >>"$session_work/question" 2>/dev/null || true
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

# ended: waits for the program to end and sets status to its exit status
# (wait must run in this shell, the program's parent).
ended() {
  for _ in $(seq 1200); do
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

# expect_empty_backup QUERY_OUTPUT: fails unless the backup key, as reg
# query lists it, holds the absent marker of each of the nine settings.
expect_empty_backup() {
  local name
  for name in MaxMTU DefaultRcvWindow DefaultTTL SessionKeepAlive cachesize PMTUBlackHoleDetect \
    PMTUDiscovery SackOpts; do
    grep -Eq "^ +$name +REG_SZ +Not Set$" <<<"$1" || fail "backup of $name missing: $1"
  done
  grep -Eq '^ +DisableTaskOffload +REG_DWORD +0x0$' <<<"$1" ||
    fail "backup of DisableTaskOffload missing: $1"
}
