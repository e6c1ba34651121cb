#!/usr/bin/env bash
# Designs for the end-to-end tests, made by ImageMagick.   make-design-files.sh FOLDER
# A large orange design whose only cut-out pixel is its top-left one, and a
# GIF that can't be opened.
set -euo pipefail
folder=$1
rm -rf "$folder"; mkdir -p "$folder"
cd "$folder"
convert -size 400x400 xc:'rgb(255,128,0)' -fill white -draw "point 0,0" orange.gif
printf 'GIF89a\x10\x00\x10\x00' >cut.gif
