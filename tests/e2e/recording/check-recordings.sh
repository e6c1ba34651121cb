#!/usr/bin/env bash
# Checks the videos that the recording tests copied out, with ffprobe and
# ffmpeg: each decodes, the time base follows the slider, the microphone's
# sound is PCM mono 44100 Hz 16 bit, and an MP3's sound is the whole file.
#   check-recordings.sh FOLDER
set -uo pipefail
dir=$1
status=0
fail() { echo "FAIL: $*"; status=1; }

stream() {  # file selector entry
  ffprobe -v error -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$dir/$1" | head -1
}

frames() {
  ffprobe -v error -select_streams v:0 -count_frames -show_entries stream=nb_read_frames -of default=nw=1:nk=1 "$dir/$1"
}

# Samples per channel of the first audio stream of a file, decoded to 16 bits.
samples() {  # path
  local channels bytes
  channels=$(ffprobe -v error -select_streams a:0 -show_entries stream=channels -of default=nw=1:nk=1 "$1")
  bytes=$(ffmpeg -nostdin -v error -i "$1" -map 0:a:0 -f s16le -acodec pcm_s16le - | wc -c)
  [ -n "$channels" ] && [ "$channels" -gt 0 ] && echo $((bytes / 2 / channels))
}

plays() {  # file
  local file=$1
  [ -s "$dir/$file" ] || { fail "$file missing"; return 1; }
  local errors
  errors=$(ffmpeg -nostdin -v error -i "$dir/$file" -f null - 2>&1)
  [ -z "$errors" ] || fail "$file: ffmpeg reports errors: $errors"
  [ "$(stream "$file" v:0 codec_type)" = video ] || fail "$file: no video stream"
  [ "$(frames "$file")" -ge 1 ] 2>/dev/null || fail "$file: no decodable frame"
}

for file in "$dir"/*.avi; do
  plays "$(basename "$file")"
done

for n in 1 2 3; do
  [ -f "$dir/three-$n.avi" ] || fail "three-$n.avi missing"
done

for case in 100:3/100 400:3/25 700:21/100 405:3/25 standard:3/25; do
  name=speed-${case%%:*}.avi expected=${case#*:}
  base=$(stream "$name" v:0 time_base)
  [ "$base" = "$expected" ] || fail "$name: time base '$base', expected $expected"
done

for file in mike.avi latched-mike.avi; do
  format="$(stream "$file" a:0 codec_name) $(stream "$file" a:0 channels) $(stream "$file" a:0 sample_rate)"
  format="$format $(stream "$file" a:0 bits_per_sample)"
  [ "$format" = "pcm_s16le 1 44100 16" ] || fail "$file: audio is '$format', expected pcm_s16le 1 44100 16"
done

# The decoders agree up to the encoder's delay and padding, which a gapless
# decoder trims: at most one MP3 frame apart.
same_sound() {  # avi mp3
  local got wanted
  got=$(samples "$dir/$1")
  wanted=$(samples "$dir/$2")
  echo "$1: $got samples per channel; ffmpeg decodes $2 to $wanted"
  [ -n "$got" ] && [ -n "$wanted" ] && [ $((got > wanted ? got - wanted : wanted - got)) -le 1152 ] \
    || fail "$1: $got samples, $2 decodes to $wanted"
  [ "$(stream "$1" a:0 codec_name)" = pcm_s16le ] || fail "$1: audio is not PCM"
}
same_sound mp3-short-video.avi short.mp3
same_sound mp3-long-video.avi short.mp3
same_sound latched-mp3.avi short.mp3
[ -f "$dir/closed-while-composing.avi" ] && same_sound closed-while-composing.avi long.mp3

# Whole frame chunks ("00db") in a file as a crash left it, walked plainly.
whole_frames() {  # path
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset, frames = 12, 0
while offset + 8 <= len(data):
    tag, size = data[offset:offset + 4], struct.unpack('<I', data[offset + 4:offset + 8])[0]
    if tag in (b'RIFF', b'LIST') and data[offset + 8:offset + 12] in (b'AVIX', b'movi'):
        offset += 12
        continue
    if offset + 8 + size > len(data):
        break
    frames += tag == b'00db'
    offset += 8 + size + (size & 1)
print(frames)
PY
}

# A hard end while capturing: the repaired file keeps every frame that was
# whole on disk (the test ends the program once the file holds 20) and the
# sound.
for name in hard-end-mike hard-end-mp3; do
  [ -f "$dir/$name.avi" ] || { fail "$name.avi missing"; continue; }
  kept=$(frames "$name.avi") left=$(whole_frames "$dir/$name.before-repair")
  echo "$name.avi: $kept frames after the repair, $left whole frames were left by the hard end"
  [ "$kept" = "$left" ] || fail "$name.avi: $kept frames, the hard end left $left"
  [ "$kept" -ge 20 ] 2>/dev/null || fail "$name.avi: only $kept frames, the file held 20 when the program ended"
done
if [ -f "$dir/hard-end-mike.avi" ]; then
  format="$(stream hard-end-mike.avi a:0 codec_name) $(stream hard-end-mike.avi a:0 channels)"
  [ "$format" = "pcm_s16le 1" ] || fail "hard-end-mike.avi: audio is '$format', expected the microphone's"
  [ "$(samples "$dir/hard-end-mike.avi")" -ge 44100 ] 2>/dev/null || fail "hard-end-mike.avi: less than a second of sound"
fi
[ -f "$dir/hard-end-mp3.avi" ] && same_sound hard-end-mp3.avi short.mp3
[ -f "$dir/hard-end-composing.avi" ] && same_sound hard-end-composing.avi long.mp3

# Sound that could not be had: the video plays, and holds no sound stream.
for file in "$dir"/silent-*.avi; do
  [ -f "$file" ] || continue
  [ -z "$(stream "$(basename "$file")" a:0 codec_type)" ] || fail "$(basename "$file"): has a sound stream"
done

[ "$(frames one-frame.avi)" = 1 ] || fail "one-frame.avi holds $(frames one-frame.avi) frames, expected 1"

[ $status -eq 0 ] && echo "recordings: all checks passed"
exit $status
