#!/usr/bin/env bash
# Decodes every AVI file the snapshot tests left in a folder with ffmpeg: no
# decoder error, a video stream, and at least MIN_FRAMES frames.
# Usage: check-video.sh FOLDER MIN_FILES MIN_FRAMES
set -uo pipefail
folder=$1
min_files=$2
min_frames=$3
checked=0
failed=0

for avi in "$folder"/*.avi; do
  [ -f "$avi" ] || continue
  name=$(basename "$avi")
  errors=$(ffmpeg -nostdin -v error -i "$avi" -f null - 2>&1)
  frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames \
           -of default=nw=1:nk=1 "$avi" 2>&1)
  if [ -n "$errors" ]; then
    echo "FAIL $name: ffmpeg reports: $errors"; failed=$((failed + 1))
  elif ! [ "$frames" -ge "$min_frames" ] 2>/dev/null; then
    echo "FAIL $name: '$frames' video frames, expected at least $min_frames"; failed=$((failed + 1))
  else
    echo "$name: $frames frames"; checked=$((checked + 1))
  fi
done

echo "$checked AVI files decode, $failed do not"
[ "$failed" -eq 0 ] && [ "$checked" -ge "$min_files" ]
