#!/usr/bin/env bash
# CI for the package: builds it (scripts/package.sh), checks it with lintian, installs it with
# apt as a user would, runs both programs from /usr/bin, validates the desktop entry, then
# removes it and checks that nothing of it is left. Run as root on a machine where rockpile is
# not installed otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/package.sh
scripts/deps.sh lintian desktop-file-utils man-db
deb=$(ls build-package/rockpile_*_amd64.deb)

# Errors fail; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y "./$deb" >/dev/null
files=$(dpkg -L rockpile)
trap 'apt-get purge -y rockpile >/dev/null 2>&1 || true' EXIT

test "$(command -v pilecalc)" = /usr/bin/pilecalc
test "$(command -v rockpile)" = /usr/bin/rockpile
echo '{}' | /usr/bin/pilecalc compute | grep -q '"ra":"8410"'
/usr/bin/pilecalc --version | grep -Eq '^pilecalc [0-9]+\.[0-9]+\.[0-9]+ \(.+\)$'
/usr/bin/rockpile --version | grep -Eq '^rockpile [0-9]+\.[0-9]+\.[0-9]+ \(.+\)$'
desktop-file-validate /usr/share/applications/rockpile.desktop
test -f /usr/share/doc/rockpile/用户手册.html
test -f /usr/share/icons/hicolor/48x48/apps/rockpile.png
man -w pilecalc >/dev/null
# The window starts from the package alone (its platform plugins and fonts came with it).
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/rockpile || test $? -eq 124

apt-get purge -y rockpile >/dev/null
trap - EXIT
if dpkg-query -W rockpile >/dev/null 2>&1 && dpkg-query -W -f='${Status}' rockpile | grep -q installed; then
  echo "rockpile is still installed" >&2; exit 1
fi
left=0
while IFS= read -r f; do
  if [ -f "$f" ] || [ -L "$f" ]; then echo "left behind: $f" >&2; left=1; fi
done <<< "$files"
[ "$left" -eq 0 ]
echo "package: $(basename "$deb") built, lintian clean of errors, installed, ran, removed"
