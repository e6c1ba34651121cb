#!/usr/bin/env bash
# Fails when a program imports a DLL that a plain Windows installation lacks
# (a dynamic runtime or zlib slips in easily, and Wine would hide it).
#   check-imports.sh OBJDUMP PROGRAM.exe...
set -euo pipefail
objdump=$1; shift
allowed='^(kernel32|user32|gdi32|gdiplus|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|winmm|msvfw32|avifil32|msvcrt|psapi|imagehlp|dbghelp|uxtheme|msimg32|atl|version|ws2_32)\.dll$'
status=0
for program in "$@"; do
  dlls=$("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$dlls" ] || { echo "$program: no import table found"; status=1; continue; }
  for dll in $dlls; do
    if ! [[ $dll =~ $allowed ]]; then
      echo "$program imports $dll, which is not a system DLL"
      status=1
    fi
  done
done
[ $status -eq 0 ] && echo "imports: system DLLs only"
exit $status
