#!/usr/bin/env bash
# A 100-frame 320 x 240 GIF for design_region_bench: a white-keyed design
# whose drawn ring moves and whose inside is speckled.   make-bench-gif.sh OUT.gif
set -euo pipefail
args=()
for k in $(seq 0 99); do
  args+=(\( -size 320x240 xc:white -fill "rgb($((2 * k)),80,160)" -draw "circle $((100 + k)),120 $((100 + k)),10"
         -fill white -draw "circle $((100 + k)),120 $((100 + k)),40" -attenuate 0.4 +noise Impulse \))
done
convert -delay 5 "${args[@]}" -loop 0 "$1"
