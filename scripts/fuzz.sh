#!/usr/bin/env bash
# Fuzz campaigns: every reader of outside files for a set time, from its seed
# files, the inputs that once crashed it and what earlier campaigns found.
#   scripts/fuzz.sh [--minutes N] [--jobs J] [TARGET...]
#     --minutes  per target (default 10)
#     --jobs     fuzzing processes at once (default: one per core)
#     TARGET     names from build/fuzz/fuzz-targets.txt (default: all)
# Kept in build/fuzz-campaign/TARGET/: corpus/ (grows from run to run),
# findings/ (crash-, timeout-, oom- and leak- inputs) and run.log. Prints one
# line per target (executions, coverage, corpus, findings) and writes the
# table to build/fuzz-campaign/summary.txt. Exits 1 when a target found
# anything: mend it, then keep the input in the target's regressions/ folder.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
minutes=10
jobs=$(nproc)
while [ $# -gt 0 ]; do
  case $1 in
    --minutes) minutes=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) break ;;
  esac
done

bash "$repo/scripts/build.sh" fuzz
list=$repo/build/fuzz/fuzz-targets.txt
wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || mapfile -t wanted < <(cut -f1 "$list")
out=$repo/build/fuzz-campaign
mkdir -p "$out"
seconds=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
found=0

# Runs one target; its last status line gives the figures.
campaign() {
  local name=$1 fuzzer=$2 seed=$3 regressions=$4 dictionary=$5
  local dir=$out/$name
  mkdir -p "$dir/corpus" "$dir/findings"
  local args=(-fork="$jobs" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1
              -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=512
              -artifact_prefix="$dir/findings/" "$dir/corpus" "$seed")
  [ -d "$regressions" ] && args+=("$regressions")
  [ -n "$dictionary" ] && args=(-dict="$dictionary" "${args[@]}")
  echo "fuzzing $name for $minutes min on $jobs jobs (log: $dir/run.log)" >&2
  # Below other work: a campaign may run beside builds and tests.
  nice -n 10 "$fuzzer" "${args[@]}" >"$dir/run.log" 2>&1 || true
  local last executions took cov ft corpus findings
  last=$(grep -E '^#[0-9]+: cov: ' "$dir/run.log" | tail -1)
  executions=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
  took=$(sed -E 's/.* time: ([0-9]+)s.*/\1/' <<<"$last")
  cov=$(sed -E 's/.* cov: ([0-9]+).*/\1/' <<<"$last")
  ft=$(sed -E 's/.* ft: ([0-9]+).*/\1/' <<<"$last")
  corpus=$(find "$dir/corpus" -type f | wc -l)
  findings=$(find "$dir/findings" -type f | wc -l)
  [ "$findings" -eq 0 ] || found=1
  row "$name" "$minutes" "${executions:-0}" "$(( ${executions:-0} / (${took:-0} > 0 ? ${took:-1} : 1) ))" \
    "${cov:-?}" "${ft:-?}" "$corpus" "$findings" | tee "$dir/figures.txt"
}

row() { printf '%-16s %7s %12s %9s %7s %7s %7s %9s\n' "$@"; }

for name in "${wanted[@]}"; do
  line=$(awk -F'\t' -v n="$name" '$1 == n' "$list")
  [ -n "$line" ] || { echo "no fuzz target $name (see $list)" >&2; exit 2; }
  IFS=$'\t' read -r _ fuzzer seed regressions dictionary <<<"$line"
  campaign "$name" "$fuzzer" "$seed" "$regressions" "${dictionary:-}"
done
summary=$out/summary.txt
{
  row target minutes executions "exec/s" cov ft corpus findings
  for name in "${wanted[@]}"; do cat "$out/$name/figures.txt"; done
} >"$summary"
cat "$summary"
if [ "$found" -ne 0 ]; then
  echo "findings: build/fuzz-campaign/*/findings/" >&2
  exit 1
fi
