# Shared by the scripts that run Windows programs under Wine: a prefix of
# their own, quiet, without a display (start_xvfb of xvfb.sh gives it one),
# without looking for Mono and Gecko.

# wine_environment PREFIX: exports the settings for running in PREFIX. The
# locale is pinned, since Wine takes the ANSI code page from it: C.UTF-8
# gives 1252, which the Windows backend's tests rely on.
wine_environment() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
  unset DISPLAY WAYLAND_DISPLAY
}

# finish_wine: ends Wine's server for the prefix and waits until it is gone;
# it would otherwise outlive the programs it ran.
finish_wine() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# fresh_wine_prefix: makes the prefix anew (some seconds), so that no program
# run in it pays for making it. Windows are drawn by Wine itself, frame and
# caption included: with a window manager's frames, Wine waits for a window
# manager (two seconds a window on Xvfb, which has none). A crashed program
# ends instead of waiting for a click in Wine's crash dialog.
fresh_wine_prefix() {
  finish_wine
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  echo "Preparing the Wine prefix"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
  wineserver -w
}

# settle_wine: keeps the prefix's server running and waits until the
# services that Wine starts with it (services.exe, plugplay, winedevice,
# explorer) have gone quiet, so that timings taken next measure the program
# rather than the prefix starting up.
settle_wine() {
  wineserver -p 2>/dev/null || true  # already running: it stays
  wine cmd /c exit >/dev/null 2>&1 || true
  local before after quiet=0
  before=$(wine_cpu_ticks)
  for _ in $(seq 120); do
    sleep 0.25
    after=$(wine_cpu_ticks)
    if [ $((after - before)) -le 1 ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -ge 4 ] && return 0
    else
      quiet=0
    fi
    before=$after
  done
}

# wine_cpu_ticks: the processor time, in clock ticks, that Wine's processes
# have used so far.
wine_cpu_ticks() {
  local total=0 pid fields
  for pid in $(pgrep -f 'wineserver|\.exe' || true); do
    # The fields after the command's name, which may hold blanks: utime and
    # stime are the 12th and 13th of them.
    fields=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f12,13) || continue
    [ -n "$fields" ] || continue
    total=$((total + ${fields% *} + ${fields#* }))
  done
  echo "$total"
}
