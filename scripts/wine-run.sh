#!/usr/bin/env bash
# Runs a Windows program under Wine in a throw-away prefix of the Windows build
# (build-windows/wine-prefix, or $WINEPREFIX), without Wine's dialogs and debug noise.
# Under load Wine now and then fails to start a program at all: no output, a failed status. Such
# a start is tried again, twice at most; a program that ran and failed is reported as it is.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build-windows/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export DISPLAY=
wine=/usr/lib/wine/wine64
command -v wine64 >/dev/null 2>&1 && wine=$(command -v wine64)
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2 3; do
  "$wine" "$@" >"$out" 2>"$err"
  status=$?
  if [ "$status" -eq 0 ] || [ -s "$out" ] || [ -s "$err" ]; then break; fi
done
cat "$out"
cat "$err" >&2
exit "$status"
