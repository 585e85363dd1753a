#!/usr/bin/env bash
# A packager's plain configure needs only the build dependencies: on its own
# (the tests and benchmarks are then left out) and when another project adds
# Quorvane with add_subdirectory (they then default to off), configuring
# succeeds although GoogleTest and Google Benchmark cannot be found, and no
# -Werror is passed to the compiler.
#
# plain_configure_test.sh CMAKE SOURCE_DIR
set -euo pipefail
cmake=$1 source=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
without_test_packages=(-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON)

# configure NAME SOURCE ARGS...: configures SOURCE into $work/NAME.
configure() {
  local name=$1 from=$2
  shift 2
  "$cmake" -S "$from" -B "$work/$name" -DCMAKE_BUILD_TYPE=Release "${without_test_packages[@]}" \
    "$@" >"$work/$name.log" 2>&1 || { fail "$name configure failed"; cat "$work/$name.log" >&2; return; }
  ! grep -q -- -Werror "$work/$name/compile_commands.json" || fail "$name passes -Werror"
}

configure plain "$source"

mkdir "$work/parent"
cat >"$work/parent/CMakeLists.txt" <<PARENT
cmake_minimum_required(VERSION 3.25)
project(Parent LANGUAGES CXX)
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
include(CTest)
add_subdirectory("$source" quorvane)
PARENT
configure subproject "$work/parent"

[ "$failures" -eq 0 ] && echo "Configured without the test packages"
exit "$failures"
