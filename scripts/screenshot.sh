#!/usr/bin/env bash
# Saves what an X display shows as a PNG file.
#   screenshot.sh OUT.png [DISPLAY]     (default: $DISPLAY)
# ImageMagick's import from /usr/bin: /usr/local/bin holds a stub of another tool.
set -euo pipefail
out=${1:?usage: screenshot.sh OUT.png [DISPLAY]}
display=${2:-${DISPLAY:-}}
[ -n "$display" ] || { echo "screenshot.sh: no display given and DISPLAY is unset" >&2; exit 2; }
timeout -k 5 30 /usr/bin/import -display "$display" -window root "$out"
