#!/usr/bin/env bash
# Decodes every JPEG file the snapshot tests left in a folder with djpeg and
# ImageMagick and compares it with the .expect file beside it:
#   size W H                 the picture's size, as djpeg and identify see it
#   quality Q                ImageMagick's estimate from the quantisation tables
#   colour X Y RRGGBB TOL    one pixel (top-down), each channel within TOL
# Usage: check-jpeg.sh FOLDER [MIN_FILES]
set -uo pipefail
folder=$1
min_files=${2:-1}
identify=/usr/bin/identify
convert=/usr/bin/convert
checked=0
failed=0

scratch=$(mktemp)
trap 'rm -f "$scratch" "$scratch.err"' EXIT

fail() { echo "FAIL $1"; failed=$((failed + 1)); }

for expect in "$folder"/*.expect; do
  [ -f "$expect" ] || continue
  jpg=${expect%.expect}.jpg
  name=$(basename "$jpg")
  if [ ! -f "$jpg" ]; then fail "$name: missing"; continue; fi
  want_size=$(tr -d '\r' < "$expect" | awk '$1 == "size" { print $2, $3 }')
  # djpeg must decode the whole file without a warning (exit 0); the PPM
  # header it writes holds the size.
  if ! djpeg -pnm -outfile "$scratch" "$jpg" 2>"$scratch.err" || [ -s "$scratch.err" ]; then
    fail "$name: djpeg: $(cat "$scratch.err")"; continue
  fi
  ppm_size=$(head -c 32 "$scratch" | awk 'NR == 2 { print $1, $2; exit }')
  if [ "$ppm_size" != "$want_size" ]; then fail "$name: djpeg gives '$ppm_size', expected '$want_size'"; continue; fi
  identified=$("$identify" -format '%m %w %h %Q' "$jpg" 2>&1)
  want_quality=$(tr -d '\r' < "$expect" | awk '$1 == "quality" { print $2 }')
  if [ "$identified" != "JPEG $want_size $want_quality" ]; then
    fail "$name: identify says '$identified', expected 'JPEG $want_size $want_quality'"; continue
  fi
  if ! "$convert" "$jpg" -type TrueColor -depth 8 txt:- 2>/dev/null |
       awk -v expect="$expect" -v name="$name" '
         function channel(hex, i,   digits) {
           digits = "0123456789ABCDEF"
           return (index(digits, substr(hex, 2 * i - 1, 1)) - 1) * 16 + index(digits, substr(hex, 2 * i, 1)) - 1
         }
         /^#/ { next }
         { split($1, xy, /[,:]/); pixel[xy[1] " " xy[2]] = substr($3, 2, 6) }
         END {
           bad = 0
           while ((getline line < expect) > 0) {
             sub(/\r$/, "", line)
             split(line, f, " ")
             if (f[1] != "colour") continue
             got = pixel[f[2] " " f[3]]
             for (i = 1; i <= 3; ++i) {
               d = channel(got, i) - channel(f[4], i)
               if (got == "" || d > f[5] || -d > f[5]) {
                 if (bad++ < 5) printf "FAIL %s: pixel %s,%s is %s, expected %s within %s\n", name, f[2], f[3], got, f[4], f[5]
                 break
               }
             }
           }
           exit bad > 0
         }'; then
    failed=$((failed + 1)); continue
  fi
  checked=$((checked + 1))
done

echo "$checked JPEG files match, $failed differ"
if [ "$checked" -lt "$min_files" ] && [ "$failed" -eq 0 ]; then
  echo "FAIL: expected at least $min_files files in $folder"; exit 1
fi
[ "$failed" -eq 0 ]
