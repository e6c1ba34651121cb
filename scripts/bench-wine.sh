#!/usr/bin/env bash
# Builds the Windows benchmarks and runs them under Wine, one Wine session per
# target, and prints their tables (also kept in build/bench-results/).
#   bench-wine.sh [i686|x86_64]...   (default: both)
# Measurements, not tests: no figure makes this fail.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
targets=("$@"); [ ${#targets[@]} -gt 0 ] || targets=(i686 x86_64)
results=$repo/build/bench-results
mkdir -p "$results"

for target in "${targets[@]}"; do
  bash "$repo/scripts/build.sh" --bench-deps --only jpeg_turbo_bench "$target"
  tree=$repo/build/$target
  # Wine's processes keep pipes open: output goes to files, read afterwards.
  xvfb-run -a sh -c '
    "$1/scripts/wine-session.sh" start
    TAVRELIN_WINE_TIMEOUT=600 "$1/scripts/wine-run.sh" "$2/tests/bench-wine/jpeg/jpeg_turbo_bench.exe" "$3-jpeg.txt" >/dev/null 2>&1
    "$1/scripts/wine-session.sh" stop' sh "$repo" "$tree" "$results/$target"
  tr -d '\r' < "$results/$target-jpeg.txt"
done
