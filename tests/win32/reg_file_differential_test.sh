#!/usr/bin/env bash
# quorvane-reg's registry files against Wine's reg.exe, byte for byte:
#  1. the same random keys and values (every type; names with quotes,
#     backslashes and letters beyond ASCII; empty and long data; a fixed
#     seed) are added with the native quorvane-reg to a portable registry
#     and with Wine's reg.exe to Wine's registry; both export the subtree,
#     and the two files are the same bytes;
#  2. each file is imported by the other tool and exported again, giving
#     the same bytes, and the portable registry queries back (query /s) as
#     it did before; then a few hundred random operations of every kind
#     (add, delete, copy, query) run by both tools give the same exit codes,
#     the same query lines and exports of the same bytes;
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
source "$(dirname "$0")/wine_reg.sh"

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
wreg() { wine_reg "$work/out" "$work/out" "$@" || fail "wine reg $* (status $?): $(cat "$work/out")"; }
# remove_from_wine KEY: Wine's registry without KEY, whether it was there or not.
remove_from_wine() { wine_reg "$work/out" "$work/out" delete "$1" /f || true; }
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
# Each draws in this shell and answers in $REPLY: a subshell ($(...)) would
# draw other numbers than the seed gives, the next run others again.
text() {  # text LENGTH [ALPHABET...]
  local length=$1 i
  shift
  local alphabet=("$@")
  [ ${#alphabet[@]} -gt 0 ] || alphabet=("${letters[@]}")
  REPLY=''
  for ((i = 0; i < length; i++)); do REPLY+=${alphabet[RANDOM % ${#alphabet[@]}]}; done
}
hex() {  # hex BYTES
  local i byte
  REPLY=''
  for ((i = 0; i < $1; i++)); do
    printf -v byte '%02x' $((RANDOM % 256))
    REPLY+=$byte
  done
}
pick() {  # pick ARRAY: one of its items
  local -n from=$1
  REPLY=${from[RANDOM % ${#from[@]}]}
}

remove_from_wine "$top"
keys=()
for ((k = 0; k < 12; k++)); do
  parent=$top
  [ $k -ge 4 ] && parent=${keys[RANDOM % 4]}
  text $((1 + RANDOM % 8)) "${key_letters[@]}"
  keys+=("$parent\\${REPLY}k$k")
done
types=(REG_SZ REG_EXPAND_SZ REG_MULTI_SZ REG_DWORD REG_QWORD REG_BINARY REG_NONE)
count=0
for key in "${keys[@]}"; do
  text 5
  both add "$key" /ve /d "$REPLY" /f
  count=$((count + 1))
done
for ((i = 0; i < 210; i++)); do
  type=${types[i % ${#types[@]}]}
  key=${keys[RANDOM % ${#keys[@]}]}
  text $((RANDOM % 12))
  name="${REPLY}v$i"
  long=$((i % 23 == 0))
  data=()
  case $type in
    REG_SZ | REG_EXPAND_SZ | REG_NONE)
      length=$((long ? 300 : RANDOM % 30))
      text "$length"
      [ "$length" -gt 0 ] && data=(/d "$REPLY")
      ;;
    REG_MULTI_SZ)
      strings=$((long ? 40 : RANDOM % 4))
      joined=''
      for ((s = 0; s < strings; s++)); do
        text $((1 + RANDOM % 9))
        joined+="${joined:+#}$REPLY"
      done
      [ -n "$joined" ] && data=(/s '#' /d "$joined")
      ;;
    REG_DWORD) data=(/d $((RANDOM * 32768 + RANDOM))) ;;
    REG_QWORD)
      hex 8
      data=(/d "0x$REPLY")
      ;;
    REG_BINARY)
      length=$((long ? 200 : RANDOM % 20))
      hex "$length"
      [ "$length" -gt 0 ] && data=(/d "$REPLY")
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

echo "== Random operations of every kind, by both tools"
# Adds of every type with its edge data (some of which both refuse),
# deletes of a value, of all values (/va) and of a key, copies with and
# without /s, and queries (/s, /v NAME /s, /ve, a trailing backslash) on one
# subtree, each run by both tools: the same exit code; a query's lines the
# same, names in any letter case, but for the closing line of a search and
# for blank lines at the end, which Wine words and spaces otherwise, and a
# REG_QWORD's data, which Wine 8 shows as "(null)" (Wine writes the lines
# in the OEM code page, 437, so what that lacks is "?" in both); the subtree
# exported at the end the same bytes. QUORVANE_DIFFERENTIAL_SEED replays a
# run.
seed=${QUORVANE_DIFFERENTIAL_SEED:-33}
echo "seed $seed"
RANDOM=$seed
export QUORVANE_REGISTRY=$work/operations.db
ops='HKLM\Software\QuorvaneRegOperations'
remove_from_wine "$ops"
both add "$ops" /f
op_keys=("$ops")
for ((k = 1; k < 10; k++)); do
  text $((1 + RANDOM % 4)) "${key_letters[@]}"
  op_keys+=("${op_keys[RANDOM % k]}\\${REPLY}k$k")
done
text 8
op_names=(a A b é É "q\"\\" "$REPLY")
# Each type's data: ordinary, empty, at a limit, or refused.
text 40
declare -A edge=(
  [REG_SZ]="|x|\\0|a\\0b|$REPLY" [REG_EXPAND_SZ]="|%PATH%x|%A%%" [REG_NONE]="|x|\\0"
  [REG_BINARY]="|0|00ff1|DeadBeef|0xde|x01"
  [REG_DWORD]="0|0123|4294967295|4294967296|0xFFFFFFFF|0X1a|0x|-1|12a"
  [REG_DWORD_LITTLE_ENDIAN]="7|0x10" [REG_DWORD_BIG_ENDIAN]="5|0xabc"
  [REG_QWORD]="0|-1|-5|18446744073709551615|18446744073709551616|0xffffffffffffffff|-0x1"
  [REG_MULTI_SZ]="|a|a#b|a#|#|#a|a##b|\\0|a\\0|a\\0b|\\0a|a\\0\\0b"
)
op_types=("${!edge[@]}")
# Wine makes an add's key before it reads the data, and keeps it when it
# refuses the data; quorvane-reg refuses the command line whole, changing
# nothing. undo_wine_key KEY takes Wine's keys away again.
undo_wine_key() {
  local key=${1%\\} gone=''
  while [ "${key,,}" != "${ops,,}" ] && ! "$native" query "$key" >/dev/null 2>&1; do
    gone=$key key=${key%\\*}
  done
  [ -z "$gone" ] || remove_from_wine "$gone"
}
# inside A B: whether key B is A or below it, in any letter case.
inside() { [[ "${2,,}\\" == "${1,,}\\"* ]]; }
declare -A done_ops=()
for ((i = 0; i < 420; i++)); do
  pick op_keys
  key=$REPLY
  [ $((RANDOM % 6)) -eq 0 ] && key+='\'
  pick op_names
  value=(/v "$REPLY")
  [ $((RANDOM % 5)) -eq 0 ] && value=(/ve)
  case $((RANDOM % 10)) in
    0 | 1 | 2 | 3)
      pick op_types
      kind=add type=$REPLY
      IFS='|' read -r -a data <<<"${edge[$type]}|"
      args=(add "$key" "${value[@]}" /t "$type")
      [ "$type" = REG_MULTI_SZ ] && [ $((RANDOM % 2)) -eq 0 ] && args+=(/s '#')
      pick data
      [ $((RANDOM % 7)) -eq 0 ] || args+=(/d "$REPLY")
      [ $((RANDOM % 12)) -eq 0 ] && args=(add "$key")
      args+=(/f) ;;
    4) kind=delete args=(delete "$key" "${value[@]}" /f) ;;
    5)
      kind=delete args=(delete "$key" /va /f)
      [ $((RANDOM % 2)) -eq 0 ] && [ "${key%\\}" != "$ops" ] && args=(delete "$key" /f) ;;
    6)
      pick op_keys
      kind=copy to=$REPLY args=(copy "$key" "$REPLY" /f)
      # Wine copies a key into its own subtree without end.
      if ! inside "${key%\\}" "$to" && ! inside "$to" "${key%\\}"; then args+=(/s); fi ;;
    *)
      kind=query args=(query "$key")
      case $((RANDOM % 4)) in
        0) args+=(/s) ;;
        1) args+=("${value[@]}" /s) ;;
        2) args+=("${value[@]}") ;;
      esac ;;
  esac
  q=0 w=0
  "$native" "${args[@]}" >"$work/q.out" 2>"$work/q.err" </dev/null || q=$?
  wine_reg "$work/w.out" "$work/w.err" "${args[@]}" || w=$?
  [ "$q" = "$w" ] || fail "reg ${args[*]} (seed $seed, operation $i): quorvane-reg exits $q," \
    "Wine's reg.exe $w: $(cat "$work/q.err" "$work/w.err")"
  [ "$kind" != add ] || [ "$q" = 0 ] || undo_wine_key "$key"
  if [ "$kind" = query ] && [ "$q" = 0 ]; then
    mkdir -p "$work/queries"
    mv "$work/q.out" "$work/queries/$i.native"
    mv "$work/w.out" "$work/queries/$i.wine"
    printf '%s\n' "reg ${args[*]}" >"$work/queries/$i.command"
  fi
  done_ops[$kind]=$((${done_ops[$kind]:-0} + 1))
done
echo "$i operations: ${done_ops[add]} adds, ${done_ops[delete]} deletes," \
  "${done_ops[copy]} copies, ${done_ops[query]} queries"
python3 - "$work/queries" "$seed" <<'PY' || fail "a query shows otherwise"
import difflib, pathlib, re, sys
def lines(text):
    shown = [re.sub("(    reg_qword    ).*", r"\1", line.lower())
             for line in text.replace("\r", "").split("\n")
             if not line.startswith(("End of search: ", "Search complete. "))]
    while shown and not shown[-1]:
        shown.pop()
    return shown
folder = pathlib.Path(sys.argv[1])
for native in sorted(folder.glob("*.native"), key=lambda path: int(path.stem)):
    ours = native.read_text(encoding="utf-8").encode("cp437", "replace").decode("cp437")
    wine = native.with_suffix(".wine").read_bytes().decode("cp437")
    if lines(ours) != lines(wine):
        command = native.with_suffix(".command").read_text().strip()
        print("%s (seed %s, operation %s) shows otherwise:" % (command, sys.argv[2], native.stem))
        sys.stdout.writelines(line + "\n" for line in
                              difflib.unified_diff(lines(ours), lines(wine), "quorvane-reg", "wine",
                                                   lineterm=""))
        sys.exit(1)
PY
qreg export "$ops" "$work/operations-native.reg" /y
wreg export "$ops" "$work/operations-wine.reg" /y
same "$work/operations-native.reg" "$work/operations-wine.reg" \
  "the exports after the random operations differ (seed $seed)"
wreg delete "$ops" /f

# by_both NAME KEY: imports $work/NAME.reg with both tools into empty places,
# and fails unless both export KEY as the same bytes, and quorvane-reg's
# export, imported again into a new store, exports as the same bytes.
by_both() {
  local name=$1 key=$2
  remove_from_wine "$key"
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
  for key in "${preset_keys[@]}"; do remove_from_wine "$key"; done
}
# What the keys hold, as reg.exe lists them.
preset_values() {
  local key
  for key in "${preset_keys[@]}"; do
    wine_reg "$work/query" "$work/query" query "$key" || true
    tr -d '\r' <"$work/query"
  done
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
