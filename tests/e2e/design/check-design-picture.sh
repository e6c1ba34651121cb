#!/usr/bin/env bash
# The picture taken with the orange design over the left half of the design
# box: its left half must be orange (allowing for JPEG), its right half not.
#   check-design-picture.sh FOLDER
set -uo pipefail
picture=$1/design-left-half.jpg
[ -f "$picture" ] || { echo "FAIL $picture: missing"; exit 1; }
orange() {
  convert "$picture" -crop "$1" +repage -fuzz 12% -fill white -opaque 'rgb(255,128,0)' -fill black +opaque white \
          -format '%[fx:mean]' info:
}
# The halves without a 16-pixel band at the middle, where the JPEG's blocks mix both.
width=$(identify -format '%w' "$picture")
height=$(identify -format '%h' "$picture")
left=$(orange "$((width / 2 - 16))x${height}+0+0")
right=$(orange "$((width / 2 - 16))x${height}+$((width / 2 + 16))+0")
echo "orange share: left half $left, right half $right"
awk -v l="$left" -v r="$right" 'BEGIN { exit !(l >= 0.97 && r <= 0.01) }'
