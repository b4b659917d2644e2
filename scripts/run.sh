#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator. Without a display it
# says how to get one and prints the default pile with the command-line front end.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DPILE_WERROR=ON >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

if [ -x build/app/qt/rockpile ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/app/qt/rockpile "$@"
fi
if [ -x build/app/qt/rockpile ]; then
  echo "No display found. To see the desktop application, start it under a display, e.g.:"
  echo "  xvfb-run -a build/app/qt/rockpile   (virtual display), or run scripts/run.sh from a desktop session."
  echo
fi
echo "The default pile, computed by the command-line front end (build/cli/pilecalc):"
exec build/cli/pilecalc "$@"
