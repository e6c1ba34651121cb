#!/usr/bin/env bash
# Prints the thread stacks of every program in this work tree's Wine session
# (or of the given Windows process ids), with the frames of the stripped
# Tavrelin.exe named from its debug file.
#   stack-report.sh STACK_REPORT.exe [PID...]
# TAVRELIN_SYMBOLS_FILE names the debug file and TAVRELIN_ADDR2LINE the
# addr2line of the target; without them the frames stay module+offset.
set -u
here=$(dirname "$0")
. "$here/wine-env.sh"
tool=$1; shift
out=$(mktemp)
# To a file, not a pipe: a Wine process may hold a pipe open after it ends.
timeout -k 5 60 wine "$tool" "$@" >"$out" 2>/dev/null </dev/null
symbols=${TAVRELIN_SYMBOLS_FILE:-}
addr2line=${TAVRELIN_ADDR2LINE:-}
if [ -z "$symbols" ] || [ ! -f "$symbols" ] || [ -z "$addr2line" ]; then
  tr -d '\r' <"$out"; rm -f "$out"; exit 0
fi
base=$(objdump -p "$symbols" 2>/dev/null | awk '/^ImageBase/ { print $2; exit }')
base=${base:-00400000}
# A return address lies just after its call: naming the byte before it
# gives the call's line.
tr -d '\r' <"$out" | while IFS= read -r line; do
  offset=$(printf '%s\n' "$line" | sed -nE 's/.* [Tt]avrelin(\.exe)?\+0x([0-9a-fA-F]+).*/\2/p')
  if [ -n "$offset" ]; then
    where=$("$addr2line" -f -p -e "$symbols" "$(printf '0x%x' $((16#$base + 16#$offset - 1)))" 2>/dev/null |
            sed -E 's/^(Z[NS])/_\1/' | c++filt)
    line="$line  <- $where"
  fi
  printf '%s\n' "$line"
done
rm -f "$out"
