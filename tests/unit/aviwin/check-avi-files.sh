#!/usr/bin/env bash
# Checks the AVI files that the Windows tests wrote, with ffprobe and ffmpeg:
# every Motion-JPEG frame decodes close to the picture, full frames decode
# exactly, and the time base follows the frame period.
#   check-avi-files.sh FOLDER
set -uo pipefail
dir=$1
width=162 height=120 frames=10
min_psnr=40
status=0
fail() { echo "FAIL: $*"; status=1; }

probe() {  # file entry
  ffprobe -v error -select_streams v:0 -count_frames -show_entries "stream=$2" -of default=nw=1:nk=1 "$dir/$1"
}

decode_errors() {
  ffmpeg -nostdin -v error -i "$dir/$1" -f null - 2>&1
}

for file in motion-jpeg.avi full-frames.avi; do
  [ -s "$dir/$file" ] || { fail "$file missing"; continue; }
  [ -z "$(decode_errors "$file")" ] || fail "$file: ffmpeg reports errors: $(decode_errors "$file")"
  [ "$(probe "$file" nb_read_frames)" = "$frames" ] || fail "$file: $(probe "$file" nb_read_frames) frames decoded, $frames written"
  [ "$(probe "$file" width)x$(probe "$file" height)" = "${width}x${height}" ] || fail "$file: wrong picture size"
done
[ "$(probe motion-jpeg.avi codec_name)" = mjpeg ] || fail "motion-jpeg.avi is not Motion-JPEG: $(probe motion-jpeg.avi codec_name)"
[ "$(probe full-frames.avi codec_name)" = rawvideo ] || fail "full-frames.avi is not uncompressed: $(probe full-frames.avi codec_name)"

# Full frames: every byte of every frame as written.
ffmpeg -nostdin -v error -y -i "$dir/full-frames.avi" -f rawvideo -pix_fmt bgr24 "$dir/full-frames.bgr" \
  || fail "full-frames.avi does not decode to raw pixels"
cmp -s "$dir/full-frames.bgr" "$dir/frames.bgr" || fail "full frames differ from the written pixels"

# Motion-JPEG: each frame close to its picture.
psnr_log=$(ffmpeg -nostdin -v error -i "$dir/motion-jpeg.avi" \
  -f rawvideo -pix_fmt bgr24 -s "${width}x${height}" -framerate 10 -i "$dir/frames.bgr" \
  -lavfi "[0:v]format=bgr24[a];[1:v]format=bgr24[b];[a][b]psnr=stats_file=$dir/psnr.log" -f null - 2>&1)
[ "$(wc -l < "$dir/psnr.log")" = "$frames" ] || fail "PSNR measured for $(wc -l < "$dir/psnr.log") frames, not $frames"
worst=$(sed -n 's/.*psnr_avg:\([0-9.inf]*\).*/\1/p' "$dir/psnr.log" | sort -g | head -1)
echo "Motion-JPEG worst frame PSNR: $worst dB (bound $min_psnr)"
awk -v p="$worst" -v m="$min_psnr" 'BEGIN { exit !(p != "" && (p == "inf" || p + 0 >= m)) }' \
  || fail "a Motion-JPEG frame is too far from its picture: $worst dB; $psnr_log"

for case in 30:3/100 120:3/25 210:21/100; do
  period=${case%%:*} expected=${case#*:}
  file=period-$period.avi
  base=$(ffprobe -v error -select_streams v:0 -show_entries stream=time_base -of default=nw=1:nk=1 "$dir/$file")
  [ "$base" = "$expected" ] || fail "$file: time base $base, expected $expected"
  [ "$(probe "$file" nb_read_frames)" = 3 ] || fail "$file: not 3 decodable frames"
  [ -z "$(decode_errors "$file")" ] || fail "$file: ffmpeg reports errors"
done

[ $status -eq 0 ] && echo "AVI files: all checks passed"
exit $status
