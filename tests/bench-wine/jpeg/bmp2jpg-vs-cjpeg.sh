#!/usr/bin/env bash
# The whole bmp2jpg.exe under Wine against cjpeg on camera-like 24-bit BMP
# files of 12 and 48 megapixels at quality 100: Debian's cjpeg (what a user
# of this machine runs) and, when the benchmark dependencies hold it,
# libjpeg-turbo's cjpeg.exe built for the same target under Wine. Median wall
# and processor seconds of several runs each, with the ratio cjpeg / ours
# (above 1 where ours is faster). Run inside a Wine session.
#   bmp2jpg-vs-cjpeg.sh BMP2JPG.EXE [CJPEG.EXE] > table
set -uo pipefail
bmp2jpg=$1
wine_cjpeg=${2:-}
repo=$(cd "$(dirname "$0")/../../.." && pwd)
. "$repo/scripts/wine-env.sh"
files=$repo/build/bench-files
runs=7
mkdir -p "$files"

# A camera-like 24-bit BMP file (ffmpeg's test picture with sensor noise),
# made once; the path, or nothing when it can't be made.
make_picture() {
  local path=$files/camera-$1.bmp
  if [ ! -f "$path" ]; then
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=s=$2:d=1,noise=alls=12:allf=t,gblur=sigma=0.8" \
      -frames:v 1 -pix_fmt bgr24 "$path.part.bmp" && mv "$path.part.bmp" "$path"
  fi
  [ -f "$path" ] && echo "$path"
}

# Prints "wall cpu": the medians of the runs, in seconds.
measure() {
  local walls=() cpus=() e u s
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%e %U %S" -o "$files/time.txt" "$@" >/dev/null 2>&1 </dev/null
    read -r e u s <"$files/time.txt"
    walls+=("$e")
    cpus+=("$(awk -v u="$u" -v s="$s" 'BEGIN { print u + s }')")
  done
  local median='{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
  echo "$(printf '%s\n' "${walls[@]}" | sort -g | awk "$median") $(printf '%s\n' "${cpus[@]}" | sort -g | awk "$median")"
}

# Wine's name for a path of this machine.
windows_path() { echo "Z:${1//\//\\}"; }

row() {
  local label=$1 ours=$2 theirs=$3
  read -r ow oc <<<"$ours"
  read -r tw tc <<<"$theirs"
  awk -v l="$label" -v ow="$ow" -v oc="$oc" -v tw="$tw" -v tc="$tc" 'BEGIN {
    printf "%-34s bmp2jpg %5.2f s (%.2f s cpu), cjpeg %5.2f s (%.2f s cpu): %.2fx wall, %.2fx cpu\n",
           l, ow, oc, tw, tc, tw / ow, tc / oc }'
}

echo "bmp2jpg.exe under Wine against cjpeg, quality 100, median of $runs runs (ratio cjpeg / ours):"
for picture in "12 4000x3000" "48 8000x6000"; do
  set -- $picture
  bmp=$(make_picture "$1" "$2")
  if [ -z "$bmp" ]; then
    echo "$1 MP: no picture could be made"
    continue
  fi
  ours=$(measure wine "$bmp2jpg" "$(windows_path "$bmp")" "$(windows_path "$files/ours.jpg")" 100)
  native=$(measure cjpeg -quality 100 -outfile "$files/cjpeg.jpg" "$bmp")
  row "$1 MP, Debian's cjpeg" "$ours" "$native"
  if [ -n "$wine_cjpeg" ] && [ -f "$wine_cjpeg" ]; then
    turbo=$(measure wine "$wine_cjpeg" -quality 100 -outfile "$(windows_path "$files/turbo.jpg")" "$(windows_path "$bmp")")
    row "$1 MP, cjpeg.exe under Wine" "$ours" "$turbo"
  fi
done
