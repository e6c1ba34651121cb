"""Generates the program's bitmaps, icon and shipped designs into res/. Run through
scripts/make-art.sh; the results are committed, so a build needs no generator."""
import argparse
import os
import subprocess
import sys

import shipped_designs
import imagefiles
import pictures
import toolbar_icons
from raster import Canvas

MAGENTA = (255, 0, 255)
BUTTON = 48
# Edge pixels are blended toward this grey instead of toward magenta, so no
# pink fringe is left once the magenta is masked out.
EDGE_GREY = '#c8c8c8'


def toolbar_strip():
    """Top-down RGB of the nine buttons side by side on magenta."""
    count = len(toolbar_icons.BUTTONS)
    width = BUTTON * count
    rgb = bytearray(bytes(MAGENTA) * (width * BUTTON))
    for i, draw in enumerate(toolbar_icons.BUTTONS):
        c = Canvas(BUTTON, BUTTON)
        draw(c)
        colours, alpha = c.flatten(EDGE_GREY), c.alpha()
        for y in range(BUTTON):
            for x in range(BUTTON):
                if alpha[y * BUTTON + x] >= 0.5:
                    src, dst = (y * BUTTON + x) * 3, (y * width + i * BUTTON + x) * 3
                    rgb[dst:dst + 3] = colours[src:src + 3]
    return width, BUTTON, rgb


ICON_SIZES = ((16, dict(detail=False, rim=0.2)), (32, dict(blades=6, rim=0.14)), (48, {}), (256, {}))


def app_icon():
    images = []
    for size, options in ICON_SIZES:
        c = Canvas(size, size, size / 48)
        pictures.aperture(c, 24, 24, 23.5, **options)
        images.append((size, c.rgba_bytes()))
    return images


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)
    print('wrote', path)


def preview(folder, name, width, height, rgb):
    os.makedirs(folder, exist_ok=True)
    subprocess.run([pictures.CONVERT, '-size', '%dx%d' % (width, height), '-depth', '8', 'rgb:-',
                    os.path.join(folder, name + '.png')], input=bytes(rgb), check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--out', default='res', help='resource folder to fill')
    parser.add_argument('--preview', help='also write PNG copies into this folder')
    parser.add_argument('--designs-only', action='store_true', help='only the designs (they take minutes)')
    args = parser.parse_args()
    shipped_designs.write_designs(os.path.join(args.out, 'designs'), args.preview)
    if args.designs_only:
        return 0
    bitmaps = os.path.join(args.out, 'bitmaps')

    def bitmap24(name, picture):
        width, height, rgb = picture
        write(os.path.join(bitmaps, name + '.bmp'), imagefiles.bmp24(width, height, rgb))
        if args.preview:
            preview(args.preview, name, width, height, rgb)

    strip = toolbar_strip()
    bitmap24('toolbar_images_135', strip)
    width, height, rgb = strip
    indices, palette = imagefiles.reduce_keeping(width, height, rgb, MAGENTA, 16)
    write(os.path.join(bitmaps, 'toolbar_133.bmp'), imagefiles.bmp4(width, height, indices, palette))
    if args.preview:
        preview(args.preview, 'toolbar_133', width, height, b''.join(bytes(palette[i]) for i in indices))

    bitmap24('black_138', pictures.camera_box())
    for n in range(pictures.STRIP_DOTS):
        bitmap24('strip_%d' % (140 + n), pictures.strip(n))
    bitmap24('video_164', pictures.video_thumbnail())
    bitmap24('splash_173', pictures.splash())
    bitmap24('notice_174', pictures.notice())

    icons = app_icon()
    write(os.path.join(args.out, 'icons', 'app_128.ico'), imagefiles.ico(icons))
    if args.preview:
        for size, rgba in icons:
            os.makedirs(args.preview, exist_ok=True)
            with open(os.path.join(args.preview, 'app_128_%d.png' % size), 'wb') as f:
                f.write(imagefiles.png_rgba(size, size, rgba))
    return 0


if __name__ == '__main__':
    sys.exit(main())
