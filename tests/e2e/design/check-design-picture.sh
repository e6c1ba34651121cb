#!/usr/bin/env bash
# The picture taken and the video recorded with the orange design over the
# left half of the design box: the left half of the picture and of the
# video's last frame (decoded by ffmpeg) must be orange, allowing for JPEG,
# and their right halves not.   check-design-picture.sh FOLDER
set -uo pipefail
folder=$1
failed=0
last_frame=$(mktemp --suffix=.png)
trap 'rm -f "$last_frame"' EXIT
orange() {
  convert "$1" -crop "$2" +repage -fuzz 12% -fill white -opaque 'rgb(255,128,0)' -fill black +opaque white \
          -format '%[fx:mean]' info:
}
check() {
  local name=$1 picture=$2 width height left right
  width=$(identify -format '%w' "$picture")
  height=$(identify -format '%h' "$picture")
  # The halves without a 16-pixel band at the middle, where JPEG blocks mix both.
  left=$(orange "$picture" "$((width / 2 - 16))x${height}+0+0")
  right=$(orange "$picture" "$((width / 2 - 16))x${height}+$((width / 2 + 16))+0")
  if awk -v l="$left" -v r="$right" 'BEGIN { exit !(l >= 0.97 && r <= 0.01) }'; then
    echo "ok   $name: orange share left $left, right $right"
  else
    echo "FAIL $name: orange share left $left, right $right"; failed=1
  fi
}
if [ -f "$folder/design-left-half.jpg" ]; then check picture "$folder/design-left-half.jpg"
else echo "FAIL picture: missing"; failed=1; fi
if [ -f "$folder/design-left-half.avi" ] &&
   ffmpeg -nostdin -v error -i "$folder/design-left-half.avi" -update 1 -y "$last_frame" 2>/dev/null; then
  check "video's last frame" "$last_frame"
else echo "FAIL video: missing or not decoded"; failed=1; fi
exit $failed
