#!/usr/bin/env bash
# The pictures taken and the videos recorded with the orange design over the
# left half of the design box: the left half of each picture and of each
# video's last frame (decoded by ffmpeg) must be orange, allowing for JPEG,
# and their right halves not. Those saved while a grey window covered the box,
# and while the main window was minimized, must show the camera's colour bars
# in their right half (its red bar) and none of the grey.
#   check-design-picture.sh FOLDER
set -uo pipefail
folder=$1
failed=0
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
# The share of the area's pixels that have the colour, allowing for JPEG.
share() {
  convert "$1" -crop "$2" +repage -fuzz 12% -fill white -opaque "$3" -fill black +opaque white \
          -format '%[fx:mean]' info:
}
check() {
  local name=$1 picture=$2 camera=${3:-} width height half left right red grey
  width=$(identify -format '%w' "$picture")
  height=$(identify -format '%h' "$picture")
  # The halves without a 16-pixel band at the middle, where JPEG blocks mix both.
  half="$((width / 2 - 16))x${height}"
  left=$(share "$picture" "$half+0+0" 'rgb(255,128,0)')
  right=$(share "$picture" "$half+$((width / 2 + 16))+0" 'rgb(255,128,0)')
  red=$(share "$picture" "$half+$((width / 2 + 16))+0" 'rgb(255,0,0)')
  grey=$(share "$picture" "$half+$((width / 2 + 16))+0" 'rgb(128,128,128)')
  if awk -v l="$left" -v r="$right" -v red="$red" -v g="$grey" -v c="$camera" \
       'BEGIN { exit !(l >= 0.97 && r <= 0.01 && (c == "" || (red >= 0.1 && g <= 0.01))) }'; then
    echo "ok   $name: orange share left $left, right $right; right red $red, grey $grey"
  else
    echo "FAIL $name: orange share left $left, right $right; right red $red, grey $grey"; failed=1
  fi
}
check_picture() {
  if [ -f "$folder/$2" ]; then check "$1" "$folder/$2" "${3:-}"
  else echo "FAIL $1: missing"; failed=1; fi
}
check_video() {
  local last=$frames/${2%.avi}.png
  if [ -f "$folder/$2" ] && ffmpeg -nostdin -v error -i "$folder/$2" -update 1 -y "$last" 2>/dev/null; then
    check "$1" "$last" "${3:-}"
  else echo "FAIL $1: missing or not decoded"; failed=1; fi
}
check_picture picture design-left-half.jpg
check_video "video's last frame" design-left-half.avi
check_picture "picture with the box covered" covered.jpg camera
check_picture "picture while minimized" minimized.jpg camera
check_video "last frame recorded while minimized" minimized.avi camera
exit $failed
