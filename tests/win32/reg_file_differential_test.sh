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
#  3. files written by hand, each imported by both tools, whose exports are
#     the same bytes and import again to the same values: every character
#     of the Basic Multilingual Plane as a key name and as a value name
#     (letter case as the registry compares it, and the order of names);
#     a REGEDIT4 file of 8-bit text in Windows-1252; a 5.00 file with each
#     escape of quoted text;
#  4. for each connection type, a preset file of quorvane-reg imported with
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

# by_both NAME KEY: imports $work/NAME.reg with both tools into empty places,
# and fails unless both export KEY as the same bytes, and quorvane-reg's
# export, imported again into a new store, exports as the same bytes.
by_both() {
  local name=$1 key=$2
  "$wine" reg delete "$key" /f >/dev/null 2>&1 || true
  export QUORVANE_REGISTRY=$work/$name.db
  qreg import "$work/$name.reg"
  wreg import "$work/$name.reg"
  qreg export "$key" "$work/$name-native.reg" /y
  wreg export "$key" "$work/$name-wine.reg" /y
  wreg delete "$key" /f
  export QUORVANE_REGISTRY=$work/$name-again.db
  qreg import "$work/$name-native.reg"
  qreg export "$key" "$work/$name-again.reg" /y
  same "$work/$name-native.reg" "$work/$name-again.reg" \
    "quorvane-reg's export of $name imports and exports otherwise"
}

echo "== Every character of the Basic Multilingual Plane as a key and a value name"
names='HKLM\Software\QuorvaneNames'
# One key below the names' key and one value in it per character: not the
# surrogates, which are no characters, nor NUL, which no file can hold; no
# backslash, which parts keys, and no line break in key names, whose line
# it would end. Each value's data says which character it was made for, so
# that names made one show which spelling each tool kept.
python3 - "$work/names.reg" <<'PY'
import sys
lines = ["Windows Registry Editor Version 5.00", "", r"[HKEY_LOCAL_MACHINE\Software\QuorvaneNames]"]
escape = {"\\": "\\\\", '"': '\\"', "\r": "\\r", "\n": "\\n"}
characters = [c for c in range(1, 0x10000) if not 0xD800 <= c < 0xE000]
lines += ['"%s"="U+%04X"' % (escape.get(chr(c), chr(c)), c) for c in characters]
for c in characters:
    if chr(c) not in "\\\r\n":
        lines += ["", r"[HKEY_LOCAL_MACHINE\Software\QuorvaneNames" + "\\" + chr(c) + "]",
                  '@="U+%04X"' % c]
text = "\r\n".join(lines) + "\r\n"
open(sys.argv[1], "wb").write(b"\xff\xfe" + text.encode("utf-16-le", "surrogatepass"))
PY
by_both names "$names"
# How many names the file gives, and how many of them the two exports
# spell otherwise or leave out (keys and values made one by letter case
# count once).
python3 - "$work/names.reg" "$work/names-native.reg" "$work/names-wine.reg" <<'PY'
import sys
def names(path):
    return [line.rstrip("\r") for line in open(path, encoding="utf-16").read().split("\n")
            if line.startswith(("[", '"'))]
written, native, wine = (names(path) for path in sys.argv[1:])
differ = len(set(native) ^ set(wine))
print("%d names written; exported as %d by quorvane-reg and %d by Wine's reg.exe, %d differing"
      % (len(written) - 1, len(native) - 1, len(wine) - 1, differ))
PY
same "$work/names-native.reg" "$work/names-wine.reg" "the exports of every character's names differ"

echo "== A REGEDIT4 file of 8-bit text, and a file with each escape"
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\QuorvaneText\\M\xfcller]\r\n%b\r\n%b\r\n%b\r\n%b\r\n' \
  '"Stra\xdfe"="Caf\xe9 \x80"' '"e"=hex(2):4d,fc,6c,6c,65,72,00' \
  '"m"=hex(7):43,61,66,e9,00,80,00,00' '@="\xa0\xff\x81"' >"$work/regedit4.reg"
by_both regedit4 'HKLM\Software\QuorvaneText'
same "$work/regedit4-native.reg" "$work/regedit4-wine.reg" "the exports of the REGEDIT4 file differ"
python3 - "$work/escapes.reg" <<'PY'
import sys
lines = ["Windows Registry Editor Version 5.00", "", r"[HKEY_LOCAL_MACHINE\Software\QuorvaneEscapes]",
         r'"line\nfeed"="a\nb"', r'"carriage\rreturn"="a\rb"', r'"both"="\r\n\n\r"',
         r'"quote\""="a\"b"', r'"backslash\\"="a\\b\\"', r'"tab"="a\tb"', r'"unknown"="\x\é\q"']
open(sys.argv[1], "wb").write(b"\xff\xfe" + ("\r\n".join(lines) + "\r\n").encode("utf-16-le"))
PY
by_both escapes 'HKLM\Software\QuorvaneEscapes'
same "$work/escapes-native.reg" "$work/escapes-wine.reg" "the exports of the escapes differ"

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
