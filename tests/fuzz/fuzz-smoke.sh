#!/bin/sh
# A short fuzz run for the test command: every seed and every input that
# once crashed the target is run, then RUNS mutations from a fixed seed.
#   fuzz-smoke.sh FUZZER RUNS SEED_DIR REGRESSION_DIR [DICTIONARY]
# New inputs go to a scratch folder, never into the tree.
set -eu
fuzzer=$1 runs=$2 seed=$3 regressions=$4 dictionary=${5:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A 32-bit program has 2 GB in all: one allocation of more than a quarter of
# that is a finding.
limits="-timeout=20 -rss_limit_mb=2048 -malloc_limit_mb=512"
# Each earlier crash by name first, so that a failure says which one it is.
if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
  "$fuzzer" $limits -artifact_prefix="$scratch/" "$regressions"/*
fi
set -- -runs="$runs" -seed=1 $limits -artifact_prefix="$scratch/" "$scratch" "$seed"
[ -d "$regressions" ] && set -- "$@" "$regressions"
[ -n "$dictionary" ] && set -- -dict="$dictionary" "$@"
exec "$fuzzer" "$@"
