#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              the normal build (build/)
#   scripts/test.sh --sanitize   the same tests under AddressSanitizer + UndefinedBehaviorSanitizer
#   scripts/test.sh --clang      the same tests built with Clang (build-clang/)
#   scripts/test.sh --tsan       the tests of the search (model, optimise) under ThreadSanitizer
#                                (build-tsan/), building only what they need
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

build=build
extra=()
targets=()
case "${1:-}" in
  --sanitize)
    build=build-asan
    extra=(-DPILE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    ;;
  --clang)
    build=build-clang
    export CC=clang CXX=clang++
    ;;
  --tsan)
    build=build-tsan
    extra=(-DPILE_TSAN=ON -DPILE_BUILD_GUI=OFF)
    targets=(tests/model/model_tests tests/optimise/optimise_tests)
    ;;
esac
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$build" -G Ninja -DPILE_WERROR=ON "${extra[@]}"
export QT_QPA_PLATFORM=offscreen
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" -j "$jobs" --target "${targets[@]##*/}"
  # A race or a thread left running fails the run at the first report.
  export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
  for test in "${targets[@]}"; do
    "$build/$test"
  done
  exit 0
fi
cmake --build "$build" -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$jobs"
