#!/usr/bin/env bash
# The soak run: the 32-bit program under Wine with the test camera for the
# given time (10 minutes by default), driven through recordings, pictures,
# design windows, skin switches and album changes by soak_runner.exe, every
# file it makes judged here by ffmpeg or djpeg as soon as it is made. Prints
# one table of the program's memory, GDI objects and handles; exits non-zero
# when a limit is broken. Not part of scripts/test.sh.
#   scripts/soak.sh [MINUTES]
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
minutes=${1:-10}
bash scripts/install-packages.sh || exit 1
bash scripts/build.sh i686 || exit 1
tree=$repo/build/i686
out=$repo/build/soak
rm -rf "$out"
mkdir -p "$out/check"

bash tests/e2e/recording/make-mp3.sh "$out/sound" >/dev/null
# A design with a cut-out corner, in the shape the program's designs have.
convert -size 240x180 xc:'rgb(255,0,255)' -fill 'rgb(40,160,90)' -draw 'rectangle 0,0 239,29' \
  -draw 'rectangle 0,150 239,179' -fill 'rgb(255,0,255)' -draw 'point 0,0' "$out/soak-design.gif"

# Judges each file soak_runner hands over: a copy with a ".ready" mark,
# answered by ".ok" or ".bad" (with what the decoder said).
judge_files() {
  while [ ! -f "$out/check/.done" ]; do
    for mark in "$out"/check/*.ready; do
      [ -e "$mark" ] || continue
      file=${mark%.ready}
      case $file in
        *.avi) ffmpeg -nostdin -v error -i "$file" -f null - >"$file.log" 2>&1 ;;
        *.jpg) djpeg "$file" >/dev/null 2>"$file.log" ;;
        *) echo "unknown kind" >"$file.log"; false ;;
      esac
      status=$?
      if [ $status -eq 0 ] && [ ! -s "$file.log" ]; then
        rm -f "$file" "$file.log"; touch "$file.ok"
      else
        mv "$file.log" "$file.bad"
      fi
      rm -f "$mark"
    done
    sleep 0.2
  done
}
judge_files &
judge=$!

limit=$((minutes * 60 + 1800))
# A Wine prefix of its own, so a soak never disturbs a test run's.
export TAVRELIN_WINE_ROOT=$repo/build/wine-soak
xvfb-run -a -s "-screen 0 1280x1024x24" env \
  TAVRELIN_PROGRAM_DIR="$tree/Tavrelin" TAVRELIN_SOAK_MINUTES="$minutes" TAVRELIN_SOAK_OUTPUT="$out" \
  TAVRELIN_SOAK_MP3="$out/sound/short.mp3" TAVRELIN_SOAK_DESIGN="$out/soak-design.gif" \
  TAVRELIN_WINE_TIMEOUT=$limit TAVRELIN_STACK_REPORT="$tree/tests/support/stack_report.exe" \
  TAVRELIN_SYMBOLS_FILE="$tree/symbols/Tavrelin.exe.debug" TAVRELIN_ADDR2LINE=i686-w64-mingw32-addr2line \
  sh -c 'scripts/wine-session.sh start && scripts/wine-run.sh "$0" --gtest_color=no; status=$?;
         scripts/wine-session.sh stop; exit $status' "$tree/tests/soak/soak_runner.exe" >"$out/soak.log" 2>&1
status=$?
touch "$out/check/.done"
wait "$judge"
tr -d '\r' <"$out/soak.log" | grep -v '^\[' | sed -n '/^| moment/,$p'
tr -d '\r' <"$out/soak.log" | grep -E 'Failure|error:|FAILED' | head -40
echo "soak: $minutes minutes, $( [ $status -eq 0 ] && echo passed || echo FAILED ) (log: $out/soak.log)"
exit $status
