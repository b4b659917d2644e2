#!/usr/bin/env bash
# A short coverage-guided fuzz pass (libFuzzer with ASan and UBSan) over reading and
# computing a pile from arbitrary texts, and over the formula-two window's soil screens.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPILE_BUILD_FUZZ=ON -DPILE_BUILD_TESTS=OFF -DPILE_BUILD_GUI=OFF
cmake --build build-fuzz --target fuzz_pile fuzz_soil_window
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pile" "$work/soil"
cp fuzz/corpus/* "$work/pile"/
./build-fuzz/fuzz/fuzz_pile -max_total_time="$seconds" -print_final_stats=1 "$work/pile"
./build-fuzz/fuzz/fuzz_soil_window -max_total_time="$seconds" -print_final_stats=1 "$work/soil"
