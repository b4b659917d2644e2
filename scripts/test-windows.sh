#!/usr/bin/env bash
# Cross-builds everything below the desktop layer (the libraries, pilecalc.exe and their tests)
# for 64-bit Windows with MinGW-w64 into build-windows/, and runs the tests under Wine in a
# throw-away prefix there. Installs what is missing (Debian 12, as root or with sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/deps.sh cmake ninja-build mingw-w64 wine64 googletest nlohmann-json3-dev

build=build-windows
mkdir -p "$build/include"
# nlohmann/json is header-only: the host's headers serve, on their own, without /usr/include.
ln -sfn /usr/include/nlohmann "$build/include/nlohmann"

# A fresh Wine prefix for the tests, made before the build (test discovery runs the programs).
export WINEPREFIX="$root/$build/wine-prefix"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDEBUG=-all DISPLAY= scripts/wine-run.sh wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w 2>/dev/null || true
fi

# -O2 as the native build: GCC 12 at -O3 warns falsely (-Wrestrict) inside std::string.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DPILE_BUILD_GUI=OFF -DPILE_WERROR=ON \
  -DPILE_GTEST_SOURCE_DIR=/usr/src/googletest \
  -DPILE_JSON_INCLUDE_DIR="$root/$build/include"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"

# One Wine server for the whole run (a test started while it shuts down fails to start), with
# Wine's own services started here: started by the first test, they would hold its output open
# and keep ctest waiting. The build's test discovery leaves a server that lives on for a few
# seconds, and a second server for the prefix refuses to start: that one is ended first.
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
scripts/wine-run.sh wineboot >/dev/null 2>&1 </dev/null
ctest --test-dir "$build" --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"

# pilecalc.exe end to end: standard output and a file under a Chinese name hold exactly the
# bytes the Linux build writes (the golden book: UTF-8 lines on standard output; code page 936
# with CR LF in the file).
work=$(mktemp -d)
trap 'rm -rf "$work"; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
golden="$root/tests/books/golden/default_pile_book.txt"
time="2026-12-10 12:00:00"
pilecalc="$root/$build/cli/pilecalc.exe"
echo '{}' | scripts/wine-run.sh "$pilecalc" book --time "$time" > "$work/stdout.txt"
cmp "$work/stdout.txt" "$golden"
(cd "$work" && echo '{}' | "$root/scripts/wine-run.sh" "$pilecalc" book --time "$time" --out 计算书.txt)
iconv -f UTF-8 -t CP936 "$golden" | sed 's/$/\r/' > "$work/expected.txt"
cmp "$work/计算书.txt" "$work/expected.txt"
echo "pilecalc.exe: standard output and 计算书.txt as on Linux"
