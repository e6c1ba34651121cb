#!/usr/bin/env bash
# Pictures made by ImageMagick for the thumbnail tests.   make-pictures.sh FOLDER
set -euo pipefail
folder=$1
rm -rf "$folder"; mkdir -p "$folder"
cd "$folder"
convert -size 320x240 xc:white -fill red -draw "rectangle 20,20 150,120" -fill '#2040c0' \
        -draw "circle 240,160 280,200" -quality 95 white-shapes.jpg
convert -size 640x480 gradient:yellow-navy -quality 90 gradient.jpg
# Progressive: left to GDI+ by the album's own JPEG decoder.
convert -size 320x240 gradient:red-blue -fill white -draw "circle 160,120 200,160" -interlace JPEG -quality 90 \
        progressive.jpg
convert -size 100x80 xc:none -fill green -draw "circle 50,40 80,40" -fill white -draw "rectangle 0,0 20,20" transparent.gif
convert -delay 10 -size 40x30 xc:red -delay 20 -size 40x30 xc:lime -delay 30 -size 40x30 xc:blue -loop 0 animation.gif
