#!/usr/bin/env bash
# Fails when a C++ file in the repository differs from what clang-format (.clang-format) makes
# of it, and lists the files. Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
unformatted=()
while IFS= read -r file; do
  clang-format "$file" | cmp -s - "$file" || unformatted+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says:"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "Formatting: every file as .clang-format says."
