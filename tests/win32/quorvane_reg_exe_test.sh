#!/usr/bin/env bash
# quorvane-reg.exe under Wine, on Wine's registry, against quorvane.exe's
# window worked from the keyboard on an X display:
#  1. from each starting registry (none of the settings; a computer's own
#     values; values of other types, the first run done), optimise /accept
#     and the window's Optimise (its disclaimer accepted) leave the same
#     registry, as Wine's reg export writes it; so do restore /f and the
#     window's Restore after them;
#  2. an administrator's route, nobody at the console: verify says no (1);
#     optimise without /accept is declined (1), changing no setting; with
#     it, it keeps the originals (0); verify says yes (0); a second optimise
#     changes nothing; restore /f gives every original back exactly;
#  3. reg.exe's own commands are answered with the line that says so (1).
# Usage: quorvane_reg_exe_test.sh WINE QUORVANE_EXE QUORVANE_REG_EXE
# (DISPLAY set, WINEPREFIX too)
set -euo pipefail
source "$(dirname "$0")/../support/program_session.sh"
source "$(dirname "$0")/wine_reg.sh"

wine=$1 exe=$2 tool=$3
work=$session_work
settings_keys=('HKLM\SYSTEM\CurrentControlSet\Services\Class\NetTrans\0000'
  'HKLM\SYSTEM\CurrentControlSet\Services\VxD'
  'HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters')
program_key='HKLM\Software\Tessamont'

# reg ARG...: Wine's reg.exe, its words in $work/reg.
reg() { wine_reg "$work/reg" "$work/reg" "$@"; }
# set_value ARG...: a value of a starting registry, given or the test fails.
set_value() { reg add "$@" || fail "reg add $*: $(cat "$work/reg")"; }
# The command, nobody at its console; its output in $work/said.
qreg() { "$wine" "$tool" "$@" </dev/null >"$work/said" 2>&1; }

# registry FILE: what the settings' keys hold in FILE, the program's key in
# FILE.program, each as reg export writes it (a key that is not there, so).
registry() {
  local key file
  : >"$1"
  : >"$1.program"
  for key in "${settings_keys[@]}" "$program_key"; do
    file=$1
    [ "$key" = "$program_key" ] && file=$1.program
    if reg export "$key" "$work/key.reg" /y; then
      cat "$work/key.reg" >>"$file"
    else
      printf '%s: none\r\n' "$key" | iconv -f UTF-8 -t UTF-16LE >>"$file"
    fi
  done
}

# start NAME: Wine's registry as the starting registry NAME holds it.
start() {
  reg delete "$program_key" /f || true
  reg delete "${settings_keys[0]}" /f || true
  reg delete "${settings_keys[1]}" /f || true
  local tcpip=${settings_keys[2]} mstcp="${settings_keys[1]}\\MSTCP"
  reg delete "$tcpip" /v DisableTaskOffload /f || true
  case $1 in
    empty) ;;
    own)
      set_value "${settings_keys[0]}" /v MaxMTU /d 576 /f
      set_value "$mstcp" /v DefaultTTL /d 32 /f
      set_value "$mstcp" /v DefaultRcvWindow /d 8760 /f
      set_value "$mstcp" /v PMTUDiscovery /d 0 /f
      set_value "$tcpip" /v DisableTaskOffload /t REG_DWORD /d 1 /f
      ;;
    typed)
      set_value "${settings_keys[0]}" /v MaxMTU /t REG_DWORD /d 1500 /f
      set_value "${settings_keys[1]}\\NWLink\\Ndi\\params\\cachesize" /ve /d ' 16 ' /f
      set_value "$mstcp" /v SackOpts /t REG_EXPAND_SZ /d 0 /f
      set_value "$program_key\\Quorvane" /v FirstRun /d No /f
      set_value "$program_key\\Quorvane\\Backup" /v MaxMTU /d 1492 /f
      set_value "$program_key\\Quorvane\\Backup" /v DefaultTTL /d 'Not Set' /f
      ;;
  esac
}

# window TYPE_KEY FIRST_RUN: the window's Optimise with the connection type
# whose first letter is TYPE_KEY (the disclaimer accepted when FIRST_RUN is
# yes), the registry then in $work/window-optimised; then its Restore, the
# registry then in $work/window-restored.
window() {
  start_program "$wine" "$exe"
  [ "$2" = yes ] && answer '^Welcome to Quorvane$' y "the first-run question"
  # The connection type has the first focus; Tab goes on to Optimise.
  answer '^Quorvane Version' "$1" "the main window"
  xdotool key Tab space
  answer '^Quorvane$' Return "the Finished window"
  registry "$work/window-optimised"
  # A click on Restore, which lies 192 to 265 and 296 to 321 pixels into the
  # client area (355 by 327 pixels); the frame that Wine draws surrounds
  # that area, as wide on three sides, with the caption above.
  local main
  main=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quorvane Version' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$main")"
  local frame=$(((WIDTH - 355) / 2))
  xdotool mousemove --window "$main" $((frame + 228)) $((HEIGHT - frame - 327 + 308)) click 1
  answer '^Quorvane Settings Restore$' y "the restore's question"
  answer '^Quorvane$' Return "the restore's closing box"
  answer '^Quorvane Version' alt+c "the main window"
  ended
  [ "$status" -eq 0 ] || fail "the window ended with status $status"
  registry "$work/window-restored"
}

# values FILE: the values of an export of registry, each after its key.
values() {
  iconv -f UTF-16LE -t UTF-8 "$1" | tr -d '\r' |
    awk '/^\[/ { key = $0 } /^["@]/ { print key " " $0 }'
}

# same A B WHAT: fails, showing how, unless the files hold the same bytes.
same() {
  cmp -s "$1" "$2" && return 0
  diff <(iconv -f UTF-16LE -t UTF-8 "$1") <(iconv -f UTF-16LE -t UTF-8 "$2") | head -20 >&2 || true
  fail "$3"
}

for scenario in "empty Modem m yes" "own Cable c yes" "typed LAN l no"; do
  read -r name type key first_run <<<"$scenario"
  case $type in Cable) type="Cable Modem" ;; LAN) type="LAN Connection" ;; esac
  echo "== From the $name registry: optimise \"$type\" and restore, as a command and in the window"
  start "$name"
  qreg optimise "$type" /accept || fail "optimise: $(cat "$work/said")"
  registry "$work/command-optimised"
  qreg restore /f || fail "restore: $(cat "$work/said")"
  registry "$work/command-restored"
  start "$name"
  window "$key" "$first_run"
  for file in optimised optimised.program restored restored.program; do
    same "$work/command-$file" "$work/window-$file" "the command and the window differ: $file"
  done
done

echo "== An administrator's route"
start own
registry "$work/originals"
qreg verify "Cable Modem" && fail "verify found the preset on the computer's own values"
grep -qx 'Max Transmission Unit: "576", not "1500"' <(tr -d '\r' <"$work/said") ||
  fail "verify said: $(cat "$work/said")"
qreg optimise "Cable Modem" && fail "optimise went on with nobody to accept the disclaimer"
registry "$work/declined"
same "$work/originals" "$work/declined" "the declined optimise changed a setting"
qreg optimise "Cable Modem" /accept || fail "optimise /accept: $(cat "$work/said")"
qreg verify "Cable Modem" || fail "verify after optimise: $(cat "$work/said")"
qreg optimise "Cable Modem" || fail "a second optimise: $(cat "$work/said")"
grep -q 'was set already: nothing changed' "$work/said" ||
  fail "a second optimise said: $(cat "$work/said")"
qreg restore /f || fail "restore /f: $(cat "$work/said")"
registry "$work/restored"
# Every value as it was; the keys that optimise made stay, empty.
diff <(values "$work/originals") <(values "$work/restored") >&2 ||
  fail "restore did not give the originals back"
start empty

echo "== reg.exe's commands, those on hive files among them"
for line in "QUERY query HKLM\Software" "COPY copy HKLM\A HKLM\B /s" "SAVE save HKLM\A a.hiv" \
  "RESTORE restore HKLM\A a.hiv"; do
  read -r shown args <<<"$line"
  # shellcheck disable=SC2086 # the words of the command line
  qreg $args && fail "$args ran"
  grep -q "^ERROR: Windows' own reg.exe does $shown: " "$work/said" ||
    fail "$args said: $(cat "$work/said")"
done

echo "PASS"
