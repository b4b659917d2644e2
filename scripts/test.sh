#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              the normal build (build/)
#   scripts/test.sh --sanitize   the same tests under AddressSanitizer + UndefinedBehaviorSanitizer
#   scripts/test.sh --clang      the same tests built with Clang (build-clang/)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

build=build
extra=()
case "${1:-}" in
  --sanitize)
    build=build-asan
    extra=(-DPILE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    ;;
  --clang)
    build=build-clang
    export CC=clang CXX=clang++
    ;;
esac
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -G Ninja -DPILE_WERROR=ON "${extra[@]}"
cmake --build "$build" -j "$jobs"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs"
