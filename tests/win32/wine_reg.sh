# Wine's own reg.exe, the reference that the Windows leg's tests hold
# quorvane-reg and the program against. Source it after `set -euo pipefail`,
# with $wine naming Wine.

# wine_reg OUT ERR ARG...: runs Wine's reg.exe with ARG... and no standard
# input, its standard output in the file OUT and its errors in ERR (both in
# OUT when the two are one path), and returns its exit status.
#
# reg.exe words every failure, so a failure that said nothing at all never
# reached reg.exe: its Wine process died on the way. That was seen once, in a
# CI run, and in no other run of these tests. Such a run answers nothing and
# is no verdict on the tool it is compared with, so it is made again, twice at
# most, after one second and then two, each time told on standard error so
# that a failing test's output shows it.
wine_reg() {
  local out=$1 err=$2 status try
  shift 2
  for try in 1 2 3; do
    status=0
    if [ "$out" = "$err" ]; then
      "$wine" reg "$@" </dev/null >"$out" 2>&1 || status=$?
    else
      "$wine" reg "$@" </dev/null >"$out" 2>"$err" || status=$?
    fi
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ]; then
      return "$status"
    fi
    echo "Wine's reg.exe ended with status $status and said nothing (try $try of 3): reg $*" >&2
    [ "$try" -lt 3 ] && sleep "$try"
  done
  return "$status"
}
