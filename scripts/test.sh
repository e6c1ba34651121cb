#!/usr/bin/env bash
# Builds everything and runs every test: the native build under ASan/UBSan,
# the fuzz smoke runs, the 32-bit Windows build (unit and end-to-end tests
# under Wine in Xvfb) and the 64-bit Windows unit tests.
# Prints "N passed, M failed" as its last line.
#
# The 64-bit tree is built and tested alongside the others: those tests wait
# on Wine's windows more than on the processor. It has a Wine prefix and an
# X display of its own, so the two Windows runs never see each other.
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-packages.sh || exit 1
bash scripts/build.sh native fuzz i686 || exit 1

screen="-screen 0 1280x1024x24"
mkdir -p build
# The 64-bit tree: built, then its unit tests run; its ctest log is parsed below.
(
  bash scripts/build.sh x86_64 >build/build-x86_64-steps.log 2>&1 || { echo "x86_64 build failed" >build/ctest-x86_64.log; exit 1; }
  TAVRELIN_WINE_ROOT=$repo/build/wine-x86_64 xvfb-run -a -s "$screen" \
    ctest --test-dir build/x86_64 -LE e2e --output-on-failure >build/ctest-x86_64.log 2>&1
) &
second=$!

passed=0
failed=0
status=0

# Adds the counts of one CTest log to the totals; rc is the run's exit code.
count_ctest() {
  local name=$1 rc=$2
  local log=build/ctest-$name.log
  echo "== $name" >&2
  grep -E '^\s*[0-9]+/[0-9]+ Test' "$log" | grep -v ' Passed ' >&2
  grep -E '[0-9]+% tests passed' "$log" >&2
  local line total bad
  if grep -q 'No tests were found' "$log"; then return; fi
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    echo "$name: no test summary (see $log)" >&2
    tail -20 "$log" >&2
    failed=$((failed + 1)); status=1; return
  fi
  bad=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$line" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  if [ "$bad" -gt 0 ]; then
    # Each failed check with the lines that say what was seen.
    grep -E -A6 ': Failure$' "$log" | head -300 >&2
    grep -E -A80 'still runs after' "$log" | head -400 >&2
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [ "$rc" -eq 0 ] || status=1
}

# Runs one CTest tree in the foreground and counts it.
run_ctest() {
  local name=$1; shift
  "$@" >"build/ctest-$name.log" 2>&1
  count_ctest "$name" $?
}

run_ctest native ctest --test-dir build/native -j2 --output-on-failure
run_ctest fuzz ctest --test-dir build/fuzz -j2 --output-on-failure
run_ctest i686 xvfb-run -a -s "$screen" ctest --test-dir build/i686 --output-on-failure
wait "$second"
count_ctest x86_64 $?

echo "$passed passed, $failed failed"
exit $status
