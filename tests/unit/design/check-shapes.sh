#!/usr/bin/env bash
# The design windows' shapes that the Windows tests grabbed from the screen
# over a magenta background must equal ImageMagick's mask of the frame due at
# that tick (white where a pixel differs from the frame's top-left pixel):
# frames 0, 1, 2, 0 of the animation, frame 0 twice of the still design.
#   check-shapes.sh FOLDER
set -uo pipefail
cd "$1"
failed=0
check() {
  local shot=$1 mask=$2 differing
  differing=$(convert "$shot" -fill black -opaque '#FF00FF' -fill white +opaque black -type TrueColor bmp:- |
              compare -metric AE - "$mask" null: 2>&1)
  if [ "$differing" = "0" ]; then echo "ok   $shot: shape of $mask"
  else echo "FAIL $shot: $differing pixels unlike $mask"; failed=1; fi
}
for tick in 0 1 2 3; do check "animated.gif.tick$tick.bmp" "animated.gif.$((tick % 3)).mask.bmp"; done
for tick in 0 1; do check "still.gif.tick$tick.bmp" "still.gif.0.mask.bmp"; done
exit $failed
