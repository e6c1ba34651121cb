#!/usr/bin/env bash
# A copy of the program folder whose album holds "000001.jpg" as a link to a
# folder that does not exist: the name looks free to the program, but the
# picture file can't be created there.
# Usage: prepare-unwritable-album.sh PROGRAM_DIR TARGET_DIR
set -euo pipefail
program=$1
target=$2
rm -rf "$target"
cp -r "$program" "$target"
rm -rf "$target/Album"
mkdir "$target/Album"
ln -s /nonexistent-tavrelin-folder/picture.jpg "$target/Album/000001.jpg"
