# The tests of what file permissions stop, which the superuser passes
# through, run as an unprivileged user: as root they skip themselves, and
# scripts/test runs as root in CI. Such tests live in suites whose names end
# in FilePermissions (tests/support/file_permissions.h). Sourced by
# scripts/test.

# test_as_unprivileged_user BUILD_DIR: as root, runs BUILD_DIR's tests of
# file permissions through ctest as the user nobody, with a home and a
# temporary folder of its own, removed afterwards. ctest writes its logs in
# the tree that it runs, and nobody may write nothing of BUILD_DIR: nobody's
# tree takes in BUILD_DIR's tests by their path. Returns non-zero, saying
# why, when a test fails, when there is none, or when nobody cannot read
# BUILD_DIR. Any other user's run of the tests ran them already: for one,
# it only says so.
test_as_unprivileged_user() {
  local build=$1 tree status=0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run with the other tests, as $(id -un)"
    return 0
  fi
  local as_nobody=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --no-new-privs)
  if ! "${as_nobody[@]}" test -r "$build/CTestTestfile.cmake"; then
    echo "The user nobody cannot read $build: each folder above it must let others in" >&2
    return 1
  fi
  tree=$(mktemp -d)
  printf 'subdirs([==[%s]==])\n' "$build" >"$tree/CTestTestfile.cmake"
  chown nobody: "$tree"
  "${as_nobody[@]}" env HOME="$tree" TMPDIR="$tree" ctest --test-dir "$tree" \
    -R 'FilePermissions\.' --no-tests=error --output-on-failure -j"${QUORVANE_JOBS:-2}" ||
    status=1
  rm -rf "$tree"
  return $status
}
