# An X server (Xvfb) for the programs that need a display, on a display
# number it picks itself so that servers started at the same time do not
# collide.

# start_xvfb: starts the server, waits until it answers and exports DISPLAY.
start_xvfb() {
  QUORVANE_XVFB_DIR=$(mktemp -d)
  # -noreset: one server for the whole session. Without it the server
  # starts itself over each time its last client leaves (here between any
  # two xdotool calls while no program is up): a restart between two checks
  # that the tests never asked for.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$QUORVANE_XVFB_DIR/display" \
    2>"$QUORVANE_XVFB_DIR/log" &
  QUORVANE_XVFB_PID=$!
  local _
  for _ in $(seq 600); do
    [ -s "$QUORVANE_XVFB_DIR/display" ] && break
    sleep 0.1
  done
  if ! [ -s "$QUORVANE_XVFB_DIR/display" ]; then
    echo "Xvfb did not start: $(cat "$QUORVANE_XVFB_DIR/log")" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$QUORVANE_XVFB_DIR/display")"
  for _ in $(seq 600); do
    xdotool getmouselocation >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "cannot reach the X server on $DISPLAY" >&2
  return 1
}

# stop_xvfb: ends the server and waits for it: an X server removes its socket
# and lock file by name as it ends, which must not hit a server started next
# on the same display.
stop_xvfb() {
  if [ -n "${QUORVANE_XVFB_PID:-}" ]; then
    kill "$QUORVANE_XVFB_PID" 2>/dev/null || true
    wait "$QUORVANE_XVFB_PID" 2>/dev/null || true
    QUORVANE_XVFB_PID=""
  fi
  [ -n "${QUORVANE_XVFB_DIR:-}" ] && rm -rf "$QUORVANE_XVFB_DIR"
  return 0
}
