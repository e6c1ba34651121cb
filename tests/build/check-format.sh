#!/usr/bin/env bash
# Fails when a C++ file of the tree is not laid out as .clang-format says.
#   check-format.sh SOURCE_DIR
set -euo pipefail
cd "$1"
command -v clang-format >/dev/null || { echo "clang-format is not installed"; exit 1; }
unformatted=0
while IFS= read -r file; do
  if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
    echo "$file: not in the house layout (clang-format -i $file)"
    unformatted=$((unformatted + 1))
  fi
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' | grep -v '^./build/')
echo "$unformatted file(s) out of layout"
[ "$unformatted" -eq 0 ]
