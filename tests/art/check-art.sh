#!/usr/bin/env bash
# Checks the committed bitmaps and icon with ImageMagick and the raw headers:
# sizes, depths and file layout that windres and LoadBitmap expect, and the
# exact pixels of the pictures that the program draws with a transparent colour.
# Exits non-zero when anything is wrong.
set -uo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
res=${1:-$root/res}
CONVERT=/usr/bin/convert
IDENTIFY=/usr/bin/identify
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Little-endian integer fields of a file: u16/u32/s32 at a byte offset.
field() { od -An -v -t "$1" -j "$2" -N "$3" "$4" | tr -d ' \n'; }

# Windows BMP v3: 40-byte info header, uncompressed, positive height
# (bottom-up rows), rows padded to 4 bytes, colour table only below 24 bits.
check_bmp() {
  local name=$1 width=$2 height=$3 bits=$4
  local file=$res/bitmaps/$name.bmp
  if [ ! -f "$file" ]; then
    fail "$name.bmp missing"
    return
  fi
  local seen
  seen=$($IDENTIFY -format '%m %w %h' "$file" 2>&1)
  [ "$seen" = "BMP3 $width $height" ] || fail "$name: identify says '$seen', want 'BMP3 $width $height'"

  local palette=0
  [ "$bits" -lt 24 ] && palette=$((1 << bits))
  local stride=$(( ((width * bits + 31) / 32) * 4 ))
  local offset=$((14 + 40 + 4 * palette))
  local want="BM $((offset + stride * height)) $offset 40 $width $height 1 $bits 0"
  local got
  got="$(head -c 2 "$file") $(field u4 2 4 "$file") $(field u4 10 4 "$file") $(field u4 14 4 "$file")"
  got="$got $(field d4 18 4 "$file") $(field d4 22 4 "$file") $(field u2 26 2 "$file") $(field u2 28 2 "$file")"
  got="$got $(field u4 30 4 "$file")"
  [ "$got" = "$want" ] || fail "$name: header '$got', want '$want' (magic size offset infosize w h planes bits compression)"
  local size
  size=$(stat -c %s "$file")
  [ "$size" -eq $((offset + stride * height)) ] || fail "$name: file is $size bytes, want $((offset + stride * height))"
}

# Prints "x y RRGGBB" for every pixel.
pixels() { $CONVERT "$1" -depth 8 txt:- | awk 'NR > 1 { split($1, p, /[,:]/); print p[1], p[2], substr($3, 2, 6) }'; }

check_bmp toolbar_images_135 432 48 24
check_bmp toolbar_133 432 48 4
check_bmp black_138 320 240 24
check_bmp video_164 80 60 24
check_bmp splash_173 520 317 24
check_bmp notice_174 19 19 24
for n in $(seq 0 22); do
  check_bmp "strip_$((140 + n))" 400 12 24
done

# Status strips: 23 dots 7 px across centred at (13 + 17k, 6) on pure blue,
# green except dot n of strip 140 + n, which is red. Every pixel is checked.
for n in $(seq 0 22); do
  file=$res/bitmaps/strip_$((140 + n)).bmp
  [ -f "$file" ] || continue
  bad=$(pixels "$file" | awk -v red="$n" '
    {
      x = $1; y = $2; want = "0000FF"
      k = int((x - 5) / 17)
      dx = x - (13 + 17 * k); dy = y - 6
      if (k <= 22 && dx * dx + dy * dy <= 12) want = (k == red) ? "FF0000" : "00FF00"
      if ($3 != want) { print x "," y " is " $3 " want " want; exit }
    }')
  [ -z "$bad" ] || fail "strip_$((140 + n)): pixel $bad"
done

# Snapshot notice: exactly blue outside a circle of radius 9.4 about the
# centre, a red centre, a white ring, and no bluish pixel inside the circle.
file=$res/bitmaps/notice_174.bmp
if [ -f "$file" ]; then
  bad=$(pixels "$file" | awk '
    function v(h, i) { return index(hex, substr(h, i, 1)) * 16 + index(hex, substr(h, i + 1, 1)) - 17 }
    BEGIN { hex = "0123456789ABCDEF" }
    {
      x = $1; y = $2; c = $3
      r = v(c, 1); g = v(c, 3); b = v(c, 5)
      outside = (x - 9) ^ 2 + (y - 9) ^ 2 > 9.4 ^ 2
      if (outside && c != "0000FF") { print x "," y " is " c " want blue"; exit }
      if (!outside && b > r + 40 && b > g + 40) { print x "," y " is bluish " c; exit }
      if (x == 9 && y == 9 && !(r >= 180 && g <= 100 && b <= 100)) { print "centre is " c " want red"; exit }
      if ((x == 9 && y == 1 || x == 1 && y == 9 || x == 17 && y == 9) && !(r >= 200 && g >= 200 && b >= 200)) {
        print x "," y " is " c " want white"; exit
      }
    }')
  [ -z "$bad" ] || fail "notice_174: pixel $bad"
fi

# Camera box: plain black.
file=$res/bitmaps/black_138.bmp
if [ -f "$file" ]; then
  histogram=$($CONVERT "$file" -format %c histogram:info: | tr -s ' ')
  [ "$histogram" = " 76800: (0,0,0) #000000 black" ] || fail "black_138: colours '$histogram'"
fi

# Video picture: the album masks black, so no pixel may be pure black.
file=$res/bitmaps/video_164.bmp
if [ -f "$file" ]; then
  blacks=$(pixels "$file" | awk '$3 == "000000"' | wc -l)
  [ "$blacks" -eq 0 ] || fail "video_164: $blacks pure black pixels"
fi

# Toolbar: every 48 x 48 cell has a picture on magenta, without pinkish edge
# pixels, and the 16-colour copy keeps exactly the same magenta pixels.
file=$res/bitmaps/toolbar_images_135.bmp
file16=$res/bitmaps/toolbar_133.bmp
if [ -f "$file" ] && [ -f "$file16" ]; then
  bad=$(pixels "$file" | awk '
    function v(h, i) { return index(hex, substr(h, i, 1)) * 16 + index(hex, substr(h, i + 1, 1)) - 17 }
    BEGIN { hex = "0123456789ABCDEF" }
    {
      cell = int($1 / 48)
      if ($3 == "FF00FF") { key[cell]++; next }
      drawn[cell]++
      if (v($3, 1) >= 170 && v($3, 5) >= 170 && v($3, 3) <= 110) { print $1 "," $2 " pinkish " $3; exit }
    }
    END {
      for (cell = 0; cell < 9; cell++)
        if (key[cell] < 200 || drawn[cell] < 400) print "cell " cell " has " key[cell] + 0 " key and " drawn[cell] + 0 " drawn pixels"
    }')
  [ -z "$bad" ] || fail "toolbar_images_135: $bad"
  for corner in "0,0" "47,0" "0,47" "431,47"; do
    c=$($CONVERT "$file" -format "%[hex:p{$corner}]" info: 2>/dev/null)
    [ "$c" = "FF00FF" ] || fail "toolbar_images_135: corner $corner is $c, want magenta"
  done
  if ! diff <(pixels "$file" | awk '$3 == "FF00FF" { print $1, $2 }') \
            <(pixels "$file16" | awk '$3 == "FF00FF" { print $1, $2 }') >/dev/null; then
    fail "toolbar_133: magenta pixels differ from toolbar_images_135"
  fi
  colours=$($CONVERT "$file16" -format %k info:)
  [ "$colours" -le 16 ] || fail "toolbar_133: $colours colours"
fi

# Application icon: 16, 32, 48 and 256 pixels, each 32 bits with alpha.
file=$res/icons/app_128.ico
if [ -f "$file" ]; then
  sizes=$($IDENTIFY -format '%w%h%[channels] ' "$file" 2>&1)
  [ "$sizes" = "1616srgba 3232srgba 4848srgba 256256srgba " ] || fail "app_128.ico: images '$sizes'"
  [ "$(field u2 0 2 "$file") $(field u2 2 2 "$file") $(field u2 4 2 "$file")" = "0 1 4" ] || fail "app_128.ico: directory header"
  for i in 0 1 2 3; do
    bits=$(field u2 $((6 + 16 * i + 6)) 2 "$file")
    [ "$bits" = 32 ] || fail "app_128.ico: image $i has $bits bits"
  done
else
  fail "app_128.ico missing"
fi

if [ "$failures" -ne 0 ]; then
  echo "check-art: $failures failures" >&2
  exit 1
fi
echo "check-art: all pictures pass"
