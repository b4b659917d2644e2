#!/usr/bin/env bash
# Installs what the build, the tests and the desktop application need on Debian 12
# (run as root, or with sudo available). Packages already present are left alone.
#   scripts/deps.sh              the packages below
#   scripts/deps.sh --list       lists them
#   scripts/deps.sh PACKAGE...   those packages instead (the Windows build's, say)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libxlsxwriter-dev python3-openpyxl
  qt6-base-dev libgl1-mesa-dev qt6-translations-l10n
  xvfb xauth fonts-arphic-uming fonts-dejavu-core poppler-utils unzip
  clang libclang-rt-14-dev clang-format
)
if [ "${1:-}" = "--list" ]; then printf '%s\n' "${packages[@]}"; exit 0; fi
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
