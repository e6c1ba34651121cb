#!/usr/bin/env bash
# The video recorded with the sound of an MP3 file named in Cyrillic and
# Chinese: ffprobe finds the MP3's two seconds of stereo sound in it.
#   check-names.sh FOLDER
set -euo pipefail
video=$1/mp3-named-in-any-script.avi
[ -s "$video" ] || { echo "FAIL: $video missing"; exit 1; }
probe() { ffprobe -v error -select_streams a:0 -show_entries "stream=$1" -of default=nw=1:nk=1 "$video"; }
channels=$(probe channels)
rate=$(probe sample_rate)
bytes=$(ffmpeg -nostdin -v error -i "$video" -map 0:a:0 -f s16le -acodec pcm_s16le - | wc -c)
seconds=$(awk -v b="$bytes" -v r="${rate:-1}" 'BEGIN { printf "%.2f", b / 4 / r }')
echo "sound: $channels channels, $rate Hz, $seconds s"
[ "$channels" = 2 ] && [ "$rate" = 44100 ] && awk -v s="$seconds" 'BEGIN { exit !(s > 1.9 && s < 2.2) }' ||
  { echo "FAIL: the MP3's two seconds of stereo sound are not in the video"; exit 1; }
