#!/usr/bin/env bash
# Regenerates the bitmaps, the icon and the designs under res/ from the drawing code in
# tools/art. The generated files are committed, so only artwork changes need it.
# Usage: scripts/make-art.sh [--preview DIR] [--designs-only]   (PNG copies for viewing; only the designs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The splash text is set in DejaVu (Debian package fonts-dejavu-core).
for font in DejaVuSans.ttf DejaVuSans-Bold.ttf; do
  if [ ! -f "/usr/share/fonts/truetype/dejavu/$font" ]; then
    echo "make-art: $font missing; install fonts-dejavu-core" >&2
    exit 1
  fi
done
if [ ! -x /usr/bin/convert ]; then
  echo "make-art: ImageMagick (/usr/bin/convert) missing; install imagemagick" >&2
  exit 1
fi

cd "$root"
# -B: no __pycache__ left in the source tree.
python3 -B tools/art/make_art.py --out res "$@"
