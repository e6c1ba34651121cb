#!/usr/bin/env bash
# Runs a Windows program under the work tree's Wine prefix with a hard timeout.
#   wine-run.sh PROGRAM.exe [ARGS...]
# When TAVRELIN_STACK_REPORT names the stack report tool and the program is
# still running half a minute before its timeout, the thread stacks of every
# program in the session are written to standard error first, so that a hang
# carries its cause into the test's output.
set -u
here=$(dirname "$0")
. "$here/wine-env.sh"
limit=${TAVRELIN_WINE_TIMEOUT:-300}
report=${TAVRELIN_STACK_REPORT:-}
if [ -z "$report" ]; then
  exec timeout -k 10 "$limit" wine "$@"
fi

report_after=$((limit > 90 ? limit - 30 : limit * 2 / 3))
# Whichever ends first: the program, or the time after which it counts as
# hung. The timer starts first, so it cannot end before the wait begins.
sleep "$report_after" &
timer=$!
timeout -k 10 "$limit" wine "$@" &
child=$!
ended=
wait -n -p ended
status=$?
if [ "$ended" = "$child" ]; then
  kill "$timer" 2>/dev/null
  exit $status
fi
if kill -0 "$child" 2>/dev/null; then
  echo "== $(basename "$1") still runs after ${report_after} s of ${limit}: thread stacks follow" >&2
  "$here/stack-report.sh" "$report" >&2
fi
wait "$child"
