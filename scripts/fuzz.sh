#!/usr/bin/env bash
# A short coverage-guided fuzz pass (libFuzzer with ASan and UBSan) over every input path:
# reading and computing a pile, a pilecalc line of either formula, a pilecalc search request,
# the soil tables, the file writer, the formula-two window's soil screens and random user
# actions on both windows.
# Each target starts from its seeds in fuzz/corpus/<target>/ (copied: the repository's corpus
# is not changed) and runs for the given seconds.
# Usage: scripts/fuzz.sh [seconds per target] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_pile fuzz_pilecalc_line fuzz_search_request fuzz_soil_tables fuzz_text_file
           fuzz_soil_window fuzz_event_sequence)
fi
# The whole build is instrumented: every library a target links is fuzzed and sanitized.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPILE_BUILD_FUZZ=ON -DPILE_BUILD_TESTS=OFF -DPILE_BUILD_GUI=OFF \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-fuzz --target "${targets[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
  mkdir "$work/$target"
  [ -d "fuzz/corpus/$target" ] && cp "fuzz/corpus/$target"/* "$work/$target"/
  echo "== $target"
  "./build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 "$work/$target"
done
