#!/usr/bin/env bash
# The thumbnails the Windows tests left. Those the album makes through GDI+
# (a GIF, a progressive JPEG) must equal the ones made through a BMP file
# pixel for pixel; every JPEG's must stay close to ImageMagick's own
# exact-size scaling of the picture (a white turned black or swapped colour
# channels fall far below).   check-thumbnails.sh FOLDER
set -uo pipefail
cd "$1"
failed=0
for name in progressive transparent; do
  differing=$(compare -metric AE "$name.memory.bmp" "$name.file.bmp" null: 2>&1)
  if [ "$differing" != "0" ]; then echo "FAIL $name: $differing pixels differ from the BMP-file way"; failed=1
  else echo "ok   $name: equal to the BMP-file way"; fi
done
for name in white-shapes gradient progressive; do
  convert "$name.jpg" -resize '80x60!' -type TrueColor "$name.magick.bmp"
  psnr=$(compare -metric PSNR "$name.memory.bmp" "$name.magick.bmp" null: 2>&1 | cut -d' ' -f1)
  # GDI+'s own scaling, which the progressive picture gets, is the looser one.
  least=30; [ "$name" = progressive ] && least=22
  if awk -v p="$psnr" -v least="$least" 'BEGIN { exit !(p + 0 >= least) }'; then
    echo "ok   $name: PSNR $psnr dB against ImageMagick"
  else echo "FAIL $name: PSNR $psnr dB against ImageMagick"; failed=1; fi
done
exit $failed
