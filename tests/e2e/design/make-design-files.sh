#!/usr/bin/env bash
# Designs for the end-to-end tests, made by ImageMagick.   make-design-files.sh FOLDER
# A large orange design whose only cut-out pixel is its top-left one, a GIF
# that can't be opened, and one too large to prepare in a 32-bit process:
# 40 frames of 2000 x 2000.
set -euo pipefail
folder=$1
rm -rf "$folder"; mkdir -p "$folder"
cd "$folder"
convert -size 400x400 xc:'rgb(255,128,0)' -fill white -draw "point 0,0" orange.gif
printf 'GIF89a\x10\x00\x10\x00' >cut.gif
convert -size 2000x2000 xc:'rgb(255,128,0)' -fill white -draw "point 0,0" frame.gif
python3 - <<'PY'
# The frame's header and colours, then its image (after a graphic control
# block of 100 ms) forty times, for an animation.
data = open('frame.gif', 'rb').read()
image = data.index(b'\x2c', 13)
frame = b'\x21\xf9\x04\x00\x0a\x00\x00\x00' + data[image:-1]
loop = b'\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
open('huge.gif', 'wb').write(data[:image - 8] + loop + frame * 40 + b'\x3b')
PY
rm frame.gif
