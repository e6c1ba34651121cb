#!/usr/bin/env bash
# Builds Tavrelin and starts it under Wine. With a display it runs until you
# close it; without one it runs inside Xvfb, saves a screenshot and says where.
#   scripts/run.sh [ARGUMENTS FOR TAVRELIN...]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
bash scripts/install-packages.sh
bash scripts/build.sh i686
# The built-in test picture stands in for a camera, which Wine can't reach.
export TAVRELIN_CAMERA=${TAVRELIN_CAMERA-test}
program=$repo/build/i686/Tavrelin/Tavrelin.exe

if [ -n "${DISPLAY:-}" ] && [ "${TAVRELIN_HEADLESS:-0}" != 1 ]; then
  scripts/wine-session.sh start
  status=0
  TAVRELIN_WINE_TIMEOUT=${TAVRELIN_WINE_TIMEOUT:-86400} scripts/wine-run.sh "$program" "$@" || status=$?
  scripts/wine-session.sh stop
  exit $status
fi

shot=$repo/build/screenshots/tavrelin.png
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -e
  scripts/wine-session.sh start
  TAVRELIN_WINE_TIMEOUT=60 scripts/wine-run.sh "$0" "${@:2}" >build/run.log 2>&1 &
  # The splash closes after 750 ms; give the main window time to settle.
  sleep 5
  scripts/screenshot.sh "$1"
  scripts/wine-session.sh stop
' "$program" "$shot" "$@"
echo "No display: Tavrelin ran inside Xvfb; screenshot saved to $shot"
