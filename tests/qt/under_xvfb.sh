#!/usr/bin/env bash
# Runs a widget test under a fresh X server with a screen of the given size, at the given scale
# factor. Usage: under_xvfb.sh WIDTHxHEIGHT SCALE PROGRAM [ARGS...]
set -euo pipefail
size=$1
scale=$2
shift 2
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
# Under the sanitizers: the X and font libraries keep their caches until the process ends.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
exec xvfb-run -a -s "-screen 0 ${size}x24" "$@"
