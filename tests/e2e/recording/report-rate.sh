#!/usr/bin/env bash
# Frames actually written per second of recording, from the videos that the
# rate runner left and the capture times it noted; prints the table and
# keeps it in recording-rate.txt beside them.
#   report-rate.sh FOLDER
set -euo pipefail
dir=$1
{
  printf '%-32s %7s %9s %8s %9s\n' video frames "time(ms)" "frames/s" codec
  while read -r file ms; do
    frames=$(ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames \
             -of default=nw=1:nk=1 "$dir/$file")
    codec=$(ffprobe -v error -select_streams v:0 -show_entries stream=codec_name -of default=nw=1:nk=1 "$dir/$file")
    size=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=s=x:p=0 "$dir/$file")
    printf '%-32s %7s %9s %8.2f %9s %s\n' "$file" "$frames" "$ms" "$(awk -v f="$frames" -v t="$ms" 'BEGIN { print f * 1000 / t }')" "$codec" "$size"
  done < "$dir/rate-times.txt"
} | tee "$dir/recording-rate.txt"
