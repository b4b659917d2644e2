#!/usr/bin/env bash
# Installs what is missing, builds the desktop calculator and pilecalc (nothing else, and
# without treating warnings as errors, so that a newer compiler's new warning does not stop a
# first run), and starts the calculator. Without a display it says how to get one and prints
# the default pile's calculation book with pilecalc. The tests: scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DPILE_BUILD_TESTS=OFF >/dev/null
cmake --build build-run -j "$(nproc 2>/dev/null || echo 2)" --target rockpile pilecalc

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build-run/app/qt/rockpile "$@"
fi
cat <<'MSG'
No display found, so the desktop application cannot open its window. To see it:
  - run scripts/run.sh from a desktop session, or
  - over SSH, connect with X forwarding (ssh -X host) and run scripts/run.sh there.

Meanwhile, here is the calculation book of a new window's default pile, written by the
command-line front end (build-run/cli/pilecalc book):

MSG
echo '{}' | build-run/cli/pilecalc book
