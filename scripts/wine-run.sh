#!/usr/bin/env bash
# Runs a Windows program under the work tree's Wine prefix with a hard timeout.
#   wine-run.sh PROGRAM.exe [ARGS...]
set -u
. "$(dirname "$0")/wine-env.sh"
limit=${TAVRELIN_WINE_TIMEOUT:-300}
exec timeout -k 10 "$limit" wine "$@"
