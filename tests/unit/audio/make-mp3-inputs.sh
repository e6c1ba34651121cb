#!/usr/bin/env bash
# Makes the MP3 files that the Windows sound tests decode, and empties the
# folder that their WAV files go to.
#   make-mp3-inputs.sh WORK_DIR
set -euo pipefail
work=${1:?work folder}
rm -rf "$work"
mkdir -p "$work/inputs" "$work/outputs"
cd "$work/inputs"

# A 3 s sine at the given rate: 440 Hz, and 660 Hz on the right channel of a
# stereo file, so that swapped channels show.
sine_mp3() {
  local name=$1 rate=$2 channels=$3 tones=(sine 440)
  [ "$channels" = 2 ] && tones+=(sine 660)
  sox -n -r "$rate" -c "$channels" -b 16 "$name.wav" synth 3 "${tones[@]}"
  lame --quiet "$name.wav" "$name.mp3"
}

sine_mp3 sine-mono-44100 44100 1
sine_mp3 sine-stereo-44100 44100 2
sine_mp3 sine-mono-22050 22050 1
sine_mp3 sine-stereo-22050 22050 2

# A download cut off halfway still holds frames worth hearing; one cut inside
# its first frame holds none.
size=$(stat -c %s sine-stereo-44100.mp3)
head -c $((size / 2)) sine-stereo-44100.mp3 > cut-in-half.mp3
head -c 100 sine-stereo-44100.mp3 > cut-in-first-frame.mp3

# Two files of different rate and channels joined: the WAV keeps the first format.
cat sine-mono-44100.mp3 sine-stereo-22050.mp3 > formats-joined.mp3

# Not MP3 at all: noise from a fixed seed, a WAV file with the wrong name, nothing.
python3 -c 'import random,sys; r=random.Random(5); sys.stdout.buffer.write(bytes(r.randrange(256) for _ in range(65536)))' > random-bytes.mp3
cp sine-stereo-44100.wav wave-renamed.mp3
: > empty.mp3
rm -f ./*.wav
