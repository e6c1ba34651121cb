#!/usr/bin/env bash
# Designs made by ImageMagick for the design tests.   make-designs.sh FOLDER
set -euo pipefail
folder=$1
rm -rf "$folder"; mkdir -p "$folder"
cd "$folder"
# Still, keyed on white: the white inside the ring is cut out as well.
convert -size 64x48 xc:white -fill red -draw "circle 32,24 32,4" -fill white -draw "circle 32,24 32,14" \
        -fill navy -draw "rectangle 2,38 20,45" still.gif
# Three frames with transparency, 10 hundredths each. Each frame's drawn part
# covers the one before, so the frames look the same however a decoder
# disposes of the previous frame.
for k in 0 1 2; do
  convert -size 60x40 xc:none -fill "rgb($((80 * k + 40)),200,$((200 - 60 * k)))" \
          -draw "circle 30,18 $((36 + 6 * k)),18" -fill navy -draw "rectangle 0,$((36 - 3 * k)) 59,39" "part$k.png"
done
# The background index names the transparent colour.
convert -background none -delay 10 part0.png part1.png part2.png -loop 0 animated.gif
rm part?.png
convert -delay 0 -size 20x20 xc:red -size 20x20 xc:blue -loop 0 delay0.gif
convert -delay 1 -size 20x20 xc:red -size 20x20 xc:blue -loop 0 delay1.gif
convert -delay 25 -size 20x20 xc:red -size 20x20 xc:blue -loop 0 delay25.gif
# 120 frames: frame k is a black square with a dot of the frame's own colour.
args=()
for k in $(seq 0 119); do
  args+=(\( -size 16x16 xc:black -fill "rgb($((2 * k)),$((255 - 2 * k)),128)" -draw "rectangle 4,4 11,11" \))
done
convert -delay 4 "${args[@]}" -loop 0 long.gif
# Sizes for the zoom commands.
convert -size 200x150 xc:white -fill red -draw "rectangle 10,10 190,140" zoom200x150.gif
convert -size 300x230 xc:white -fill red -draw "rectangle 10,10 290,220" zoom300x230.gif
convert -size 320x100 xc:white -fill red -draw "rectangle 10,10 310,90" zoom320x100.gif
# Not pictures: a cut GIF and an empty file.
head -c 40 animated.gif >broken.gif
: >empty.gif
# The shape each frame must give: white where a pixel differs from the frame's top-left pixel.
for source in still.gif animated.gif; do
  frames=$(identify "$source" | wc -l)
  for k in $(seq 0 $((frames - 1))); do
    convert "$source[$k]" -alpha off -type TrueColor "$source.$k.ppm"
    key=$(convert "$source.$k.ppm" -format '%[pixel:p{0,0}]' info:)
    convert "$source.$k.ppm" -fill black -opaque "$key" -fill white +opaque black -type TrueColor "$source.$k.mask.bmp"
    rm "$source.$k.ppm"
  done
done
