#!/usr/bin/env bash
# Reads every BMP file the Windows grab tests left in a folder with
# ImageMagick and compares it with the .expect file beside it:
#   size W H            the picture's size
#   pixel X Y RRGGBB    one pixel, top-down coordinates
#   count RRGGBB N      how many pixels have exactly this colour
# Usage: check-bmp.sh FOLDER [MIN_FILES]
set -uo pipefail
folder=$1
min_files=${2:-1}
identify=/usr/bin/identify
convert=/usr/bin/convert
checked=0
failed=0

for expect in "$folder"/*.expect; do
  [ -f "$expect" ] || continue
  bmp=${expect%.expect}.bmp
  name=$(basename "$bmp")
  if [ ! -f "$bmp" ]; then
    echo "FAIL $name: missing"; failed=$((failed + 1)); continue
  fi
  size=$("$identify" -format '%w %h' "$bmp" 2>&1)
  want=$(awk '$1 == "size" { print $2, $3 }' "$expect")
  if [ "$size" != "$want" ]; then
    echo "FAIL $name: size '$size', expected '$want'"; failed=$((failed + 1)); continue
  fi
  # One "x y RRGGBB" line per pixel, as ImageMagick decodes the file.
  if ! "$convert" "$bmp" -type TrueColor -depth 8 txt:- 2>/dev/null |
       awk -v expect="$expect" -v name="$name" '
         /^#/ { next }
         { split($1, xy, /[,:]/); colour = substr($3, 2, 6); pixel[xy[1] " " xy[2]] = colour; counts[colour]++ }
         END {
           bad = 0
           while ((getline line < expect) > 0) {
             split(line, f, " ")
             if (f[1] == "pixel" && pixel[f[2] " " f[3]] != f[4]) {
               if (bad++ < 5) printf "FAIL %s: pixel %s,%s is %s, expected %s\n", name, f[2], f[3], pixel[f[2] " " f[3]], f[4]
             } else if (f[1] == "count" && counts[f[2]] + 0 != f[3] + 0) {
               if (bad++ < 5) printf "FAIL %s: %d pixels of %s, expected %s\n", name, counts[f[2]], f[2], f[3]
             }
           }
           exit bad > 0
         }'; then
    failed=$((failed + 1)); continue
  fi
  checked=$((checked + 1))
done

echo "$checked BMP files match, $failed differ"
if [ "$checked" -lt "$min_files" ] && [ "$failed" -eq 0 ]; then
  echo "FAIL: expected at least $min_files files in $folder"; exit 1
fi
[ "$failed" -eq 0 ]
