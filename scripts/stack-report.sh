#!/usr/bin/env bash
# Prints the thread stacks of every program in this work tree's Wine session
# (or of the given Windows process ids), with the frames of the stripped
# Tavrelin.exe named from its debug file; then, through gdb, the native stacks
# of the same programs' Linux processes, which show where a thread waits
# inside Wine's own libraries and Xlib.
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

# The Linux side of every program of this prefix outside the Windows folder.
native_stacks() {
  command -v gdb >/dev/null || return 0
  local pid exe command
  for pid in $(pgrep -f '[.]exe'); do
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case $exe in */wine|*/wine64|*/wine-preloader|*/wine64-preloader) ;; *) continue ;; esac
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    command=$(tr '\0' ' ' <"/proc/$pid/cmdline")
    case $command in [Cc]:\\windows\\*) continue ;; esac
    echo "native threads of $command(Linux process $pid)"
    timeout -k 5 60 gdb -p "$pid" -batch -nx -ex 'thread apply all bt 30' </dev/null 2>/dev/null |
      grep -E '^(Thread |#[0-9])'
  done
}

if [ -z "$symbols" ] || [ ! -f "$symbols" ] || [ -z "$addr2line" ]; then
  tr -d '\r' <"$out"; rm -f "$out"; native_stacks; exit 0
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
native_stacks
