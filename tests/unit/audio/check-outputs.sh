#!/usr/bin/env bash
# Judges the WAV files that the Windows sound tests wrote, with sox and ffmpeg.
#   check-outputs.sh WORK_DIR
set -uo pipefail
work=${1:?work folder}
inputs=$work/inputs outputs=$work/outputs
failures=0 checks=0

check() {  # description, actual, expected
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: got '$2', expected '$3'"
    failures=$((failures + 1))
  fi
}

check_true() {  # description, command...
  local description=$1; shift
  checks=$((checks + 1))
  if ! "$@"; then
    echo "FAIL $description"
    failures=$((failures + 1))
  fi
}

# Bytes 36..39 of a canonical WAV file: the data chunk right after a 16-byte format.
data_tag() { dd if="$1" bs=1 skip=36 count=4 status=none; }

# name, channels, rate, and how many samples per channel the count may differ
# from ffmpeg's decode of the same file ("-": not compared). A file cut short
# ends inside a frame, which the two decoders may keep or drop: one frame.
while read -r name channels rate tolerance; do
  wav=$outputs/$name.wav
  if [ ! -f "$wav" ]; then
    check "$name.wav exists" missing present
    continue
  fi
  check "$name channels" "$(soxi -c "$wav")" "$channels"
  check "$name rate" "$(soxi -r "$wav")" "$rate"
  check "$name bits" "$(soxi -b "$wav")" 16
  check "$name encoding" "$(soxi -e "$wav")" "Signed Integer PCM"
  check "$name header" "$(data_tag "$wav")" data
  samples=$(soxi -s "$wav")
  if [ "$tolerance" != - ]; then
    # ffmpeg trims the encoder's delay and padding from the same tag as we do.
    reference_bytes=$(ffmpeg -nostdin -v error -i "$inputs/$name.mp3" -f s16le -acodec pcm_s16le - | wc -c)
    reference=$((reference_bytes / (2 * channels)))
    difference=$((samples > reference ? samples - reference : reference - samples))
    check_true "$name: $samples samples, ffmpeg $reference (tolerance $tolerance)" test "$difference" -le "$tolerance"
  fi
  if [ "$tolerance" = 0 ]; then
    # Sample for sample the same sound as ffmpeg's decode, up to rounding.
    ffmpeg -nostdin -v error -y -i "$inputs/$name.mp3" -acodec pcm_s16le "$work/reference.wav"
    peak=$(sox -m -v 1 "$wav" -v -1 "$work/reference.wav" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}')
    check_true "$name differs from ffmpeg's decode by at most 2 LSB (peak $peak)" \
      awk -v peak="$peak" 'BEGIN { exit !(peak != "" && peak <= 2 / 32768) }'
  fi
  echo "$name: $channels ch, $rate Hz, $samples samples"
done <<'CASES'
sine-mono-44100 1 44100 0
sine-stereo-44100 2 44100 0
sine-mono-22050 1 22050 0
sine-stereo-22050 2 22050 0
cut-in-half 2 44100 1152
formats-joined 1 44100 -
CASES

# The whole 3 s sine comes out: sample for sample what was encoded.
check "sine-mono-44100 length" "$(soxi -s "$outputs/sine-mono-44100.wav" 2>/dev/null)" 132300
check "sine-stereo-44100 length" "$(soxi -s "$outputs/sine-stereo-44100.wav" 2>/dev/null)" 132300

for name in cut-in-first-frame random-bytes wave-renamed empty missing; do
  check_true "no WAV from $name.mp3" test ! -e "$outputs/$name.wav"
done
check_true "no temporary file left" test -z "$(find "$outputs" -name '*.part')"

# The microphone: fixed format, canonical header, and at least as much sound as
# the time it recorded (Wine's ALSA null device is not paced, so it delivers
# more than real time; a real device delivers about the same).
mic=$outputs/microphone.wav
if [ -f "$mic" ] && [ -f "$outputs/microphone-elapsed-ms.txt" ]; then
  check "microphone channels" "$(soxi -c "$mic")" 1
  check "microphone rate" "$(soxi -r "$mic")" 44100
  check "microphone bits" "$(soxi -b "$mic")" 16
  check "microphone encoding" "$(soxi -e "$mic")" "Signed Integer PCM"
  check "microphone header" "$(data_tag "$mic")" data
  elapsed_ms=$(tr -d '\r\n' < "$outputs/microphone-elapsed-ms.txt")
  recorded_ms=$(( $(soxi -s "$mic") * 1000 / 44100 ))
  echo "microphone: recorded $recorded_ms ms of sound in $elapsed_ms ms"
  check_true "microphone recorded at least its window ($recorded_ms ms for $elapsed_ms ms)" \
    test "$recorded_ms" -ge $((elapsed_ms * 9 / 10))
  check_true "microphone recorded a bounded amount ($recorded_ms ms for $elapsed_ms ms)" \
    test "$recorded_ms" -le $((elapsed_ms * 20 + 1000))
else
  check "microphone.wav and its window exist" missing present
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
