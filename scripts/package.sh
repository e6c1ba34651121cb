#!/usr/bin/env bash
# Makes the downloads: dist/Tavrelin-<version>-win32.zip (and -win64.zip),
# each the ready program folder: Tavrelin.exe, Album\, Design\, Skin\,
# ReadMe.txt. The version is the project's, from CMakeLists.txt, which the
# program's version resource is made from as well.
#   package.sh [i686|x86_64]...   (default: both)
#   package.sh --name TARGET      prints the file name the zip gets
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)

zip_name() {
  local version
  version=$(sed -n 's/^project(Tavrelin VERSION \([0-9][0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
  [ -n "$version" ] || { echo "no version in CMakeLists.txt" >&2; exit 1; }
  case $1 in
    i686) echo "Tavrelin-$version-win32.zip" ;;
    x86_64) echo "Tavrelin-$version-win64.zip" ;;
    *) echo "unknown target $1" >&2; exit 2 ;;
  esac
}

if [ "${1:-}" = --name ]; then
  zip_name "${2:?target}"
  exit 0
fi

targets=("$@"); [ ${#targets[@]} -gt 0 ] || targets=(i686 x86_64)
mkdir -p "$repo/dist"
for target in "${targets[@]}"; do
  name=$(zip_name "$target")
  bash "$repo/scripts/build.sh" --only Tavrelin "$target"
  rm -f "$repo/dist/$name"
  # Stored from the tree's folder, so the zip unpacks to one Tavrelin folder.
  (cd "$repo/build/$target" && cmake -E tar cf "$repo/dist/$name" --format=zip Tavrelin)
  echo "dist/$name: $(stat -c %s "$repo/dist/$name") bytes" >&2
done
