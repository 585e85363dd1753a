# The tests of what file permissions stop, which the superuser passes
# through, run as an unprivileged user: as root they skip themselves, and
# scripts/test runs as root in CI. Such tests live in suites whose names end
# in FilePermissions (tests/support/file_permissions.h). Sourced by
# scripts/test.

# test_as_unprivileged_user BUILD_DIR: as root, runs BUILD_DIR's tests of
# file permissions as the user nobody, with a home and a temporary folder of
# its own, removed afterwards. The programs that hold such tests are copied
# into that folder first: the clone may lie where nobody cannot reach it
# (under /root, say), and a test program needs nothing of its tree. Returns
# non-zero, saying why, when a test fails or when there is none. Any other
# user's run of the tests ran them already: for one, it only says so.
test_as_unprivileged_user() {
  local build=$1 tree program status=0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run with the other tests, as $(id -un)"
    return 0
  fi
  local programs
  programs=$(ctest --test-dir "$build" -R 'FilePermissions\.' --show-only=json-v1 |
    python3 -c 'import json, sys
print("\n".join(sorted({t["command"][0] for t in json.load(sys.stdin)["tests"]})))')
  if [ -z "$programs" ]; then
    echo "No test of file permissions found in $build" >&2
    return 1
  fi
  tree=$(mktemp -d)
  while IFS= read -r program; do
    install -m 0755 "$program" "$tree/"
  done <<<"$programs"
  chown -R nobody: "$tree"
  local as_nobody=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --no-new-privs)
  while IFS= read -r program; do
    echo "$(basename "$program"), as nobody:"
    (cd "$tree" && "${as_nobody[@]}" env HOME="$tree" TMPDIR="$tree" \
      "./$(basename "$program")" --gtest_filter='*FilePermissions.*' --gtest_brief=1) ||
      status=1
  done <<<"$programs"
  rm -rf "$tree"
  return $status
}
