#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_skin_images (kept in seed/skin_images): every
unit-test image behind the selector byte of its reader, and module texts for
the text readers.
    make_image_seed.py ../../unit/skin/make_skin_images.py seed/skin_images"""
import os
import subprocess
import sys
import tempfile

SELECTOR = {"png": 0, "bmp": 1, "dib": 2}


def main():
    generator, out = sys.argv[1], sys.argv[2]
    os.makedirs(out, exist_ok=True)
    with tempfile.TemporaryDirectory() as images:
        subprocess.run([sys.executable, generator, images], check=True)
        for line in open(os.path.join(images, "images.txt")):
            name, kind = line.split()
            with open(os.path.join(images, "%s.%s" % (name, kind)), "rb") as f:
                data = f.read()
            with open(os.path.join(out, name), "wb") as f:
                f.write(bytes([SELECTOR[kind]]) + data)
    texts = {
        "themes_ini": (3, "[Documentation]\r\n[File.Normal]\r\nColorSchemes = Blue\r\n"),
        "utf16_lines": (4, "\ufeff[Window.Caption]\r\nImageFile = CAPTION.BMP\r\nSizingMargins = 1, 2, 3, 4\r\ntail"),
    }
    for name, (selector, text) in texts.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bytes([selector]) + text.encode("utf-16-le"))
    with open(os.path.join(out, "nine_grid"), "wb") as f:
        f.write(bytes([5]) + bytes(range(1, 25)))


if __name__ == "__main__":
    main()
