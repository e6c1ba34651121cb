#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine, one Wine session per
# target, and prints their tables (also kept in build/bench-results/):
#   - our JPEG encoder against TurboJPEG built for the same target, per path;
#   - per frame: the grab of the design box (read from the screen and composed
#     in memory), the BMP write and the AVI append (uncompressed and
#     Motion-JPEG) at 320 x 240, 640 x 480 and 1280 x 720;
#   - i686 only (the program that ships): frames written per second of a real
#     recording by the program with the virtual camera, at the same sizes,
#     counted in the files by ffprobe;
#   - i686 only: a full repaint of the main window, and of the album page with
#     50 pictures, unskinned and under skins;
#   - i686 only: album start-up with 1,000 pictures + 100 videos and with
#     10,000 + 1,000 against an empty album, how soon thumbnails show, and
#     every thumbnail of 1,100 pictures against the old way of making them;
#   - i686 only: the album with 1,000, 20,000 and 100,000 pictures and with
#     10,000 + 1,000 videos: memory, thumbnails on screen on a first and a
#     second start, at the top and after a jump to the end;
#   - i686 only: the whole bmp2jpg.exe against cjpeg on 12 and 48 megapixels.
#   bench-wine.sh [i686|x86_64]...   (default: both)
# Measurements, not tests: no figure makes this fail.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@"); [ ${#targets[@]} -gt 0 ] || targets=(i686 x86_64)
results=$repo/build/bench-results
mkdir -p "$results"

for target in "${targets[@]}"; do
  tree=$repo/build/$target
  programs=jpeg_turbo_bench,grab_bench_runner
  rate_dir=
  if [ "$target" = i686 ]; then
    programs=$programs,recording_rate_runner,repaint_bench_runner,album_startup_bench,album_scale_bench,bmp2jpg,Tavrelin
    rate_dir=$tree/tests/e2e/recording/files
    bash "$repo/tests/e2e/recording/make-mp3.sh" "$rate_dir"
    # The album's files: a VGA camera picture and a short video.
    mkdir -p "$repo/build/bench-files"
    [ -f "$repo/build/bench-files/album-picture.jpg" ] ||
      convert -seed 3 -size 640x480 plasma:fractal -blur 0x2 -attenuate 0.2 +noise Gaussian -quality 95 \
        "$repo/build/bench-files/album-picture.jpg"
    [ -f "$repo/build/bench-files/album-video.avi" ] ||
      ffmpeg -nostdin -v error -y -f lavfi -i testsrc=size=320x240:rate=10 -t 1 -c:v mjpeg \
        "$repo/build/bench-files/album-video.avi"
    bash "$repo/tests/bench-wine/album/make-albums.sh" "$repo/build/bench-files"
  fi
  bash "$repo/scripts/build.sh" --bench-deps --only "$programs" "$target"
  # libjpeg-turbo's own cjpeg, built with the benchmark dependencies.
  cache=${TAVRELIN_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavrelin-deps}
  turbo_cjpeg=$(ls "$cache"/"$target"-*/libjpeg-turbo-*/bin/cjpeg.exe 2>/dev/null | head -1)
  # Wine's processes keep pipes open: output goes to files, read afterwards.
  # The program window needs a screen of the size the end-to-end tests use.
  xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    repo=$1 tree=$2 out=$3 rate_dir=$4 turbo_cjpeg=$5
    "$repo/scripts/wine-session.sh" start
    export TAVRELIN_WINE_TIMEOUT=900
    # The program runs with the test camera, as in the end-to-end tests.
    export TAVRELIN_CAMERA=test
    "$repo/scripts/wine-run.sh" "$tree/tests/bench-wine/jpeg/jpeg_turbo_bench.exe" "$out-jpeg.txt" >/dev/null 2>&1
    "$repo/scripts/wine-run.sh" "$tree/tests/bench-wine/grab_bench_runner.exe" "$out-grab.txt" >/dev/null 2>&1
    if [ -n "$rate_dir" ]; then
      TAVRELIN_PROGRAM_DIR=$tree/Tavrelin "$repo/scripts/wine-run.sh" \
        "$tree/tests/e2e/recording/recording_rate_runner.exe" >"$out-rate-runner.txt" 2>&1
      TAVRELIN_PROGRAM_DIR=$tree/Tavrelin "$repo/scripts/wine-run.sh" \
        "$tree/tests/e2e/shell/repaint_bench_runner.exe" >"$out-repaint.txt" 2>&1
      TAVRELIN_PROGRAM_DIR=$tree/Tavrelin TAVRELIN_WINE_TIMEOUT=3000 "$repo/scripts/wine-run.sh" \
        "$tree/tests/bench-wine/album/album_startup_bench.exe" "Z:$repo/build/bench-files/album-picture.jpg" \
        "Z:$repo/build/bench-files/album-video.avi" "Z:$out-album.txt" >/dev/null 2>&1
      TAVRELIN_PROGRAM_DIR=$tree/Tavrelin TAVRELIN_WINE_TIMEOUT=3000 "$repo/scripts/wine-run.sh" \
        "$tree/tests/bench-wine/album/album_scale_bench.exe" "Z:$repo/build/bench-files/albums" \
        "Z:$out-album-scale.txt" >/dev/null 2>&1
      bash "$repo/tests/bench-wine/jpeg/bmp2jpg-vs-cjpeg.sh" "$tree/tools/bmp2jpg/bmp2jpg.exe" "$turbo_cjpeg" \
        >"$out-bmp2jpg.txt" 2>&1
    fi
    "$repo/scripts/wine-session.sh" stop' sh "$repo" "$tree" "$results/$target" "$rate_dir" "$turbo_cjpeg"
  tr -d '\r' < "$results/$target-jpeg.txt"
  echo
  echo "Per frame under Wine, $target:"
  tr -d '\r' < "$results/$target-grab.txt"
  if [ -n "$rate_dir" ]; then
    echo
    echo "Frames written per second of recording, $target:"
    bash "$repo/tests/e2e/recording/report-rate.sh" "$rate_dir" >/dev/null
    cp "$rate_dir/recording-rate.txt" "$results/$target-rate.txt"
    cat "$results/$target-rate.txt"
    echo
    echo "Full repaint of the main window and of the album page, $target:"
    tr -d '\r' < "$results/$target-repaint.txt" | grep -E '^(main window|album page|no skin|test skin|[A-Za-z]+\.skin)'
    echo
    echo "Album start-up and thumbnails, $target:"
    tr -d '\r' < "$results/$target-album.txt"
    echo
    echo "The album at lifetime sizes, $target:"
    tr -d '\r' < "$results/$target-album-scale.txt"
    echo
    cat "$results/$target-bmp2jpg.txt"
  fi
done
