#!/usr/bin/env bash
# quorvane-reg's registry files against Wine's reg.exe, byte for byte:
#  1. the same random keys and values (every type; names with quotes,
#     backslashes and letters beyond ASCII; empty and long data; a fixed
#     seed) are added with the native quorvane-reg to a portable registry
#     and with Wine's reg.exe to Wine's registry; both export the subtree,
#     and the two files are the same bytes;
#  2. each file is imported by the other tool and exported again, giving
#     the same bytes, and the portable registry queries back (query /s) as
#     it did before;
#  3. for each connection type, a preset file of quorvane-reg imported with
#     Wine's reg.exe leaves Wine's registry as Optimise leaves it.
# Usage: reg_file_differential_test.sh WINE OPTIMISE_PRESET_EXE, with
# QUORVANE_NATIVE_REG naming the native quorvane-reg (scripts/test sets it)
# and WINEPREFIX set. Without the native tool the test says so and is
# reported as skipped (exit 77), never as passed.
set -euo pipefail

wine=$1
optimise=$2
native=${QUORVANE_NATIVE_REG:-}
if [ -z "$native" ] || [ ! -x "$native" ]; then
  echo "SKIPPED: QUORVANE_NATIVE_REG does not name the native quorvane-reg;" \
    "scripts/test sets it after the native build" >&2
  exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUORVANE_REGISTRY=$work/native.db
top='HKLM\Software\QuorvaneRegFiles'

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The two tools, quiet unless they fail.
qreg() { "$native" "$@" >"$work/out" 2>&1 || fail "quorvane-reg $*: $(cat "$work/out")"; }
wreg() { "$wine" reg "$@" >"$work/out" 2>&1 || fail "wine reg $*: $(cat "$work/out")"; }
both() {
  qreg "$@"
  wreg "$@"
}

# same FILE_A FILE_B WHAT: fails, showing where, unless the files are equal.
same() {
  cmp -s "$1" "$2" && return 0
  diff <(iconv -f UTF-16LE -t UTF-8 "$1") <(iconv -f UTF-16LE -t UTF-8 "$2") | head -20 >&2 || true
  fail "$3"
}

echo "== Random keys and values, added by both tools"
RANDOM=19
# Names and texts; '#' is left out, as the multi-strings' separator.
letters=(a b q x Y Z 0 7 ' ' '"' '\' "'" é ß Ж ü Ω _ '[' % -)
key_letters=(a b q x Y Z 0 7 ' ' '"' "'" é ß Ж ü Ω _ '[' % -)
text() {  # text LENGTH [ALPHABET...]
  local length=$1 out='' i
  shift
  local alphabet=("$@")
  [ ${#alphabet[@]} -gt 0 ] || alphabet=("${letters[@]}")
  for ((i = 0; i < length; i++)); do out+=${alphabet[RANDOM % ${#alphabet[@]}]}; done
  printf '%s' "$out"
}
hex() {  # hex BYTES
  local out='' i
  for ((i = 0; i < $1; i++)); do out+=$(printf '%02x' $((RANDOM % 256))); done
  printf '%s' "$out"
}

"$wine" reg delete "$top" /f >/dev/null 2>&1 || true
keys=()
for ((k = 0; k < 12; k++)); do
  parent=$top
  [ $k -ge 4 ] && parent=${keys[RANDOM % 4]}
  keys+=("$parent\\$(text $((1 + RANDOM % 8)) "${key_letters[@]}")k$k")
done
types=(REG_SZ REG_EXPAND_SZ REG_MULTI_SZ REG_DWORD REG_QWORD REG_BINARY REG_NONE)
count=0
for key in "${keys[@]}"; do
  both add "$key" /ve /d "$(text 5)" /f
  count=$((count + 1))
done
for ((i = 0; i < 210; i++)); do
  type=${types[i % ${#types[@]}]}
  key=${keys[RANDOM % ${#keys[@]}]}
  name="$(text $((RANDOM % 12)))v$i"
  long=$((i % 23 == 0))
  data=()
  case $type in
    REG_SZ | REG_EXPAND_SZ | REG_NONE)
      length=$((long ? 300 : RANDOM % 30))
      [ "$length" -gt 0 ] && data=(/d "$(text "$length")")
      ;;
    REG_MULTI_SZ)
      strings=$((long ? 40 : RANDOM % 4))
      joined=''
      for ((s = 0; s < strings; s++)); do
        joined+="${joined:+#}$(text $((1 + RANDOM % 9)))"
      done
      [ -n "$joined" ] && data=(/s '#' /d "$joined")
      ;;
    REG_DWORD) data=(/d $((RANDOM * 32768 + RANDOM))) ;;
    REG_QWORD) data=(/d "0x$(hex 8)") ;;
    REG_BINARY)
      length=$((long ? 200 : RANDOM % 20))
      [ "$length" -gt 0 ] && data=(/d "$(hex "$length")")
      ;;
  esac
  both add "$key" /v "$name" /t "$type" "${data[@]}" /f
  count=$((count + 1))
done
echo "$count values in ${#keys[@]} keys"

echo "== Both exports are the same bytes"
qreg export "$top" "$work/native.reg" /y
wreg export "$top" "$work/wine.reg" /y
same "$work/native.reg" "$work/wine.reg" "the exports differ"

echo "== Each file imported by the other tool"
"$native" query "$top" /s >"$work/before.txt"
export QUORVANE_REGISTRY=$work/imported.db
qreg import "$work/wine.reg"
qreg export "$top" "$work/native-again.reg" /y
same "$work/wine.reg" "$work/native-again.reg" "Wine's file, imported by quorvane-reg, exports otherwise"
"$native" query "$top" /s >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" | head -20 >&2 ||
  fail "Wine's file, imported by quorvane-reg, queries otherwise"
wreg delete "$top" /f
wreg import "$work/native.reg"
wreg export "$top" "$work/wine-again.reg" /y
same "$work/native.reg" "$work/wine-again.reg" "quorvane-reg's file, imported by Wine, exports otherwise"
wreg delete "$top" /f

echo "== Preset files imported by Wine's reg.exe, against Optimise"
preset_keys=('HKLM\SYSTEM\CurrentControlSet\Services\Class\NetTrans\0000'
  'HKLM\SYSTEM\CurrentControlSet\Services\VxD\MSTCP'
  'HKLM\SYSTEM\CurrentControlSet\Services\VxD\NWLink\Ndi\params\cachesize')
clear_preset_keys() {
  local key
  for key in "${preset_keys[@]}"; do "$wine" reg delete "$key" /f >/dev/null 2>&1 || true; done
}
# What the keys hold, as reg.exe lists them.
preset_values() {
  local key
  for key in "${preset_keys[@]}"; do "$wine" reg query "$key" 2>&1 | tr -d '\r'; done
}
for connection in "Modem" "ADSL Modem" "Cable Modem" "LAN Connection"; do
  qreg preset "$connection" "$work/preset.reg" /y
  clear_preset_keys
  wreg import "$work/preset.reg"
  preset_values >"$work/imported.txt"
  clear_preset_keys
  "$wine" "$optimise" "$connection" || fail "Optimise with $connection failed"
  preset_values >"$work/optimised.txt"
  diff "$work/optimised.txt" "$work/imported.txt" >&2 ||
    fail "the $connection preset file imports otherwise than Optimise writes"
  grep -q 'SackOpts    REG_SZ    1$' "$work/imported.txt" || fail "no SackOpts in: $(cat "$work/imported.txt")"
done
clear_preset_keys
echo "PASS"
