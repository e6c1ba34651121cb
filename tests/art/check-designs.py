#!/usr/bin/env python3
"""Checks every design the program ships, decoded by ImageMagick: animated
(at least two different frames, one delay for all of them that a design
window plays as drawn), a size that suits the 320 x 240 design box, at most
200 KB, and in every frame the key colour (the top-left pixel's, which the
window cuts out) covering between a quarter and nearly all of the frame with
no fringe along its edges: no pixel touching the cut-out is near the key
colour or a blend of the key colour with the drawing beside it, which would
show as a halo round the window on the camera picture.
    check-designs.py DESIGN_FOLDER"""
import glob
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'support'))
from gif_frames import frames_of  # noqa: E402

MAX_BYTES = 200 * 1024
MIN_SIZE, MAX_SIZE = (200, 150), (320, 240)
KEY_SHARE = (0.25, 0.97)
# A pixel this close to the key colour shows as a tinge of it.
NEAR_KEY = 60
# How close to the line from the key colour to a neighbour's colour makes a
# pixel a blend of the two, and how far along that line it must lie.
BLEND_TOLERANCE, BLEND_RANGE = 8.0, (0.1, 0.85)


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def is_blend(pixel, key, neighbour):
    """Whether pixel lies between the key colour and the neighbour's colour."""
    line = [n - k for n, k in zip(neighbour, key)]
    length2 = sum(v * v for v in line)
    if length2 == 0:
        return False
    t = sum((p - k) * v for p, k, v in zip(pixel, key, line)) / length2
    if not BLEND_RANGE[0] <= t <= BLEND_RANGE[1]:
        return False
    closest = [k + v * t for k, v in zip(key, line)]
    return distance(pixel, closest) <= BLEND_TOLERANCE


def frame_faults(rgb, width, height):
    """The key share and the first fringe pixel found, if any."""
    pixels = [rgb[i:i + 3] for i in range(0, len(rgb), 3)]
    key = pixels[0]
    keyed = [p == key for p in pixels]
    share = sum(keyed) / len(pixels)
    blends = {}
    for y in range(height):
        for x in range(width):
            i = y * width + x
            if keyed[i]:
                continue
            around = [(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy]
            around = [(u, v) for u, v in around if 0 <= u < width and 0 <= v < height]
            if not any(keyed[v * width + u] for u, v in around if u == x or v == y):
                continue
            colour = pixels[i]
            if distance(colour, key) < NEAR_KEY:
                return share, '(%d, %d) is %s, near the key %s' % (x, y, colour.hex(), key.hex())
            for u, v in around:
                other = pixels[v * width + u]
                if keyed[v * width + u] or other == colour:
                    continue
                pair = (colour, other)
                if pair not in blends:
                    blends[pair] = is_blend(colour, key, other)
                if blends[pair]:
                    return share, '(%d, %d) is %s, a blend of the key %s and %s beside it' % (
                        x, y, colour.hex(), key.hex(), other.hex())
    return share, None


def check(path):
    faults = []
    name = os.path.basename(path)
    size = os.path.getsize(path)
    if size > MAX_BYTES:
        faults.append('%d bytes, more than %d' % (size, MAX_BYTES))
    width, height, delays, frames = frames_of(path)
    if not (MIN_SIZE[0] <= width <= MAX_SIZE[0] and MIN_SIZE[1] <= height <= MAX_SIZE[1]):
        faults.append('%d x %d, not within %d x %d .. %d x %d' % ((width, height) + MIN_SIZE + MAX_SIZE))
    if len(frames) < 2 or len(set(frames)) < 2:
        faults.append('not animated: %d frames, %d different' % (len(frames), len(set(frames))))
    if len(set(delays)) != 1 or not 2 <= delays[0] <= 100:
        faults.append('frame delays %s: a design plays every frame at the first delay' % sorted(set(delays)))
    for number, rgb in enumerate(frames):
        share, fringe = frame_faults(rgb, width, height)
        if not KEY_SHARE[0] <= share <= KEY_SHARE[1]:
            faults.append('frame %d: key colour covers %.3f of it' % (number, share))
        if fringe:
            faults.append('frame %d: fringe at %s' % (number, fringe))
    verdict = 'FAIL' if faults else 'ok  '
    print('%s %s: %d frames at %d/100 s, %d x %d, %d bytes' % (verdict, name, len(frames), delays[0], width, height,
                                                              size))
    for fault in faults:
        print('     ' + fault)
    return not faults


def main():
    designs = sorted(glob.glob(os.path.join(sys.argv[1], '*.gif')))
    if len(designs) < 8:
        print('FAIL only %d designs in %s' % (len(designs), sys.argv[1]))
        return 1
    results = [check(path) for path in designs]
    return 0 if all(results) else 1


if __name__ == '__main__':
    sys.exit(main())
