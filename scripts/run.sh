#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop calculator. Without a display it
# says how to get one and prints the default pile's calculation book with pilecalc.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DPILE_WERROR=ON >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/qt/rockpile "$@"
fi
cat <<'MSG'
No display found, so the desktop application cannot open its window. To see it:
  - run scripts/run.sh from a desktop session, or
  - start it on a virtual display:  xvfb-run -a build/app/qt/rockpile
    (and look at it with a VNC viewer or a screenshot), or
  - over SSH, connect with X forwarding:  ssh -X host, then scripts/run.sh

Meanwhile, here is the calculation book of a new window's default pile, written by the
command-line front end (build/cli/pilecalc book):

MSG
echo '{}' | build/cli/pilecalc book
