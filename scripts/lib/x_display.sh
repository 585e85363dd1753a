# Shared by the scripts that show windows: an X server of their own (Xvfb).

# start_x_display WORKDIR: starts Xvfb on a display number it picks itself
# (so that servers started at the same time do not collide), exports DISPLAY
# and X_DISPLAY_PID, and returns once the server answers. stop_x_display
# ends it.
start_x_display() {
  local work=$1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  X_DISPLAY_PID=$!
  for _ in $(seq 600); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
  for _ in $(seq 600); do
    xdotool getmouselocation >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "cannot reach the X server on $DISPLAY" >&2
  return 1
}

# stop_x_display: ends the server and waits for it; an X server removes its
# socket and lock file by name as it ends, which must not hit a server that
# starts next on the same display.
stop_x_display() {
  [ -n "${X_DISPLAY_PID:-}" ] || return 0
  kill "$X_DISPLAY_PID" 2>/dev/null || true
  wait "$X_DISPLAY_PID" 2>/dev/null || true
  X_DISPLAY_PID=""
}
