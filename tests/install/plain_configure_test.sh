#!/usr/bin/env bash
# A packager's plain configure, on its own and as another project's
# subdirectory, succeeds without GoogleTest and Google Benchmark and passes
# no -Werror. plain_configure_test.sh CMAKE SOURCE_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/parent"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(Parent LANGUAGES CXX)\ninclude(CTest)\nadd_subdirectory("%s" quorvane)\n' \
  "$2" >"$work/parent/CMakeLists.txt"
for from in "$2" "$work/parent"; do
  "$1" -S "$from" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
  ! grep -q -- -Werror "$work/build/compile_commands.json" || { echo "FAIL: -Werror in $from"; exit 1; }
  rm -rf "$work/build"
done
echo "Configured without the test packages"
