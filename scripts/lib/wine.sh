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
