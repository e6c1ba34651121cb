#!/usr/bin/env bash
# Makes the MP3 files that the recording tests dub with, before they run,
# and clears what an earlier run left in the folder.
#   make-mp3.sh FOLDER
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
# Two seconds of a stereo chord: shorter than one video, longer than another.
sox -n -r 44100 -c 2 -b 16 "$dir/short.wav" synth 2 sine 440 sine 660
lame --quiet -b 128 "$dir/short.wav" "$dir/short.mp3"
# Half an hour, so that adding it keeps the recording composing for a few
# seconds: one half-minute piece without the encoder's header, repeated (MP3
# frames simply follow each other).
sox -n -r 44100 -c 1 -b 16 "$dir/piece.wav" synth 30 sine 330
lame --quiet -t -b 64 "$dir/piece.wav" "$dir/piece.mp3"
for _ in $(seq 60); do cat "$dir/piece.mp3"; done > "$dir/long.mp3"
rm -f "$dir/short.wav" "$dir/piece.wav" "$dir/piece.mp3"
