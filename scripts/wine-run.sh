#!/usr/bin/env bash
# Runs a Windows program under Wine in a throw-away prefix of the Windows build
# (build-windows/wine-prefix, or $WINEPREFIX), without Wine's dialogs and debug noise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export DISPLAY=
wine=/usr/lib/wine/wine64
command -v wine64 >/dev/null 2>&1 && wine=$(command -v wine64)
exec "$wine" "$@"
