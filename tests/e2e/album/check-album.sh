#!/usr/bin/env bash
# Each screenshot of the play box against ImageMagick's fit of the JPEG that
# was on show: scaled to fit keeping its shape, centred on black.
#   check-album.sh FOLDER MIN_FILES
set -uo pipefail
cd "$1"
checked=0
failed=0
for shot in play-box-*.jpg.bmp; do
  [ -f "$shot" ] || continue
  source=${shot%.bmp}.source.jpg
  size=$(identify -format '%wx%h' "$shot")
  convert "$source" -resize "$size" -background black -gravity center -extent "$size" -type TrueColor "${shot%.bmp}.magick.bmp"
  psnr=$(compare -metric PSNR "$shot" "${shot%.bmp}.magick.bmp" null: 2>&1 | cut -d' ' -f1)
  if awk -v p="$psnr" 'BEGIN { exit !(p + 0 >= 20) }'; then echo "ok   $shot: PSNR $psnr dB"
  else echo "FAIL $shot: PSNR $psnr dB against ImageMagick's fit"; failed=$((failed + 1)); fi
  checked=$((checked + 1))
done
# The video's last picture against ffmpeg's decode of its last frame, fitted
# the same way; the renamed video still reads in ffprobe.
if [ -f video-last-frame.bmp ]; then
  size=$(identify -format '%wx%h' video-last-frame.bmp)
  frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames -of csv=p=0 video-last-frame.source.avi)
  ffmpeg -v error -y -i video-last-frame.source.avi -vf "select=eq(n\,$((frames - 1)))" -frames:v 1 video-last-frame.ffmpeg.png
  convert video-last-frame.ffmpeg.png -resize "$size" -background black -gravity center -extent "$size" -type TrueColor video-last-frame.magick.bmp
  psnr=$(compare -metric PSNR video-last-frame.bmp video-last-frame.magick.bmp null: 2>&1 | cut -d' ' -f1)
  if awk -v p="$psnr" 'BEGIN { exit !(p + 0 >= 20) }'; then echo "ok   video last frame: PSNR $psnr dB against ffmpeg"
  else echo "FAIL video last frame: PSNR $psnr dB against ffmpeg's last frame"; failed=$((failed + 1)); fi
  streams=$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 renamed-party.avi)
  if [ "$(echo "$streams" | head -1)" = video ]; then
    echo "ok   renamed video reads in ffprobe"
  else echo "FAIL renamed video does not read in ffprobe"; failed=$((failed + 1)); fi
fi
[ "$checked" -ge "$2" ] || { echo "FAIL only $checked screenshots, expected $2"; failed=$((failed + 1)); }
exit $((failed > 0))
