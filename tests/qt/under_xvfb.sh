#!/usr/bin/env bash
# Runs a widget test under a fresh X server with a 1366 x 768 screen, at the given scale factor.
# Usage: under_xvfb.sh SCALE PROGRAM [ARGS...]
set -euo pipefail
scale=$1
shift
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
# Under the sanitizers: the X and font libraries keep their caches until the process ends.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
exec xvfb-run -a -s "-screen 0 1366x768x24" "$@"
