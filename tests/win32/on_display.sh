#!/usr/bin/env bash
# Runs a command on the X display that the Windows leg started
# (QUORVANE_X_DISPLAY), or on an Xvfb display of its own when there is none:
# then no Wine program may be running in the prefix (its desktop would be on
# another display, or on none).
set -euo pipefail
if [ -n "${QUORVANE_X_DISPLAY:-}" ]; then
  export DISPLAY=$QUORVANE_X_DISPLAY
  exec "$@"
fi
source "$(dirname "$0")/../../scripts/lib/xvfb.sh"
start_xvfb
trap stop_xvfb EXIT
"$@"
