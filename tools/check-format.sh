#!/usr/bin/env bash
# Fails when a committed C++ source differs from what clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r file; do
  clang-format --style=file "$file" | cmp -s - "$file" || bad+=("$file")
done < <(git ls-files '*.cpp' '*.h')
if ((${#bad[@]})); then
  printf 'not formatted with clang-format: %s\n' "${bad[@]}" >&2
  echo "run: clang-format -i ${bad[*]}" >&2
  exit 1
fi
echo "sources formatted"
