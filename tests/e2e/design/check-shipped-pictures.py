#!/usr/bin/env python3
"""The picture taken with each shipped design dragged exactly over the design
box, against the design as ImageMagick decodes it and against the picture
taken before with no design (shipped-none.jpg). Where every frame draws, the
picture shows the design: a colour one of its frames has there, allowing for
JPEG. Where every frame is cut out, it shows the camera's picture as the
picture without a design does, but for the test camera's moving parts. A
band of two pixels along the edges between the two is left out, where JPEG
mixes them.
    check-shipped-pictures.py OUTPUT_FOLDER DESIGN_FOLDER"""
import glob
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'support'))
from gif_frames import frames_of, picture_of  # noqa: E402

MARGIN = 2
TOLERANCE = 48
MIN_DRAWN_SHARE, MIN_CAMERA_SHARE = 0.9, 0.8


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def inner(mask, width, height):
    """The mask without the pixels within MARGIN of its edge."""
    return [mask[y * width + x] and all(mask[v * width + u]
                                        for v in range(max(y - MARGIN, 0), min(y + MARGIN + 1, height))
                                        for u in range(max(x - MARGIN, 0), min(x + MARGIN + 1, width)))
            for y in range(height) for x in range(width)]


def check(design, shot, camera):
    width, height, _, frames = frames_of(design)
    shot_width, shot_height, picture = picture_of(shot)
    if (shot_width, shot_height) != (width, height) or len(camera) != len(picture):
        return 'the picture is %d x %d, the design %d x %d' % (shot_width, shot_height, width, height)
    count = width * height
    keys = [frame[0:3] for frame in frames]
    colours = [{frame[3 * i:3 * i + 3] for frame in frames} for i in range(count)]
    drawn = inner([all(frame[3 * i:3 * i + 3] != key for frame, key in zip(frames, keys)) for i in range(count)],
                  width, height)
    cut = inner([all(frame[3 * i:3 * i + 3] == key for frame, key in zip(frames, keys)) for i in range(count)],
                width, height)
    drawn_total = sum(drawn)
    if drawn_total < 100:
        return 'only %d pixels drawn in every frame: nothing to judge' % drawn_total
    shown = sum(1 for i in range(count) if drawn[i] and min(
        distance(picture[3 * i:3 * i + 3], colour) for colour in colours[i]) <= TOLERANCE)
    through = sum(1 for i in range(count)
                  if cut[i] and distance(picture[3 * i:3 * i + 3], camera[3 * i:3 * i + 3]) <= TOLERANCE)
    drawn_share, camera_share = shown / drawn_total, through / max(sum(cut), 1)
    summary = 'design shown at %.3f of its drawn pixels, the camera at %.3f of the cut-out ones' % (drawn_share,
                                                                                                   camera_share)
    if drawn_share < MIN_DRAWN_SHARE or camera_share < MIN_CAMERA_SHARE:
        return summary
    print('ok   %s: %s' % (os.path.basename(design), summary))
    return None


def main():
    output, designs = sys.argv[1], sorted(glob.glob(os.path.join(sys.argv[2], '*.gif')))
    bare = os.path.join(output, 'shipped-none.jpg')
    if not os.path.exists(bare):
        print('FAIL no picture without a design')
        return 1
    camera = picture_of(bare)[2]
    failed = 0
    for design in designs:
        stem = os.path.splitext(os.path.basename(design))[0]
        shot = os.path.join(output, 'shipped-%s.jpg' % stem)
        fault = check(design, shot, camera) if os.path.exists(shot) else 'no picture taken'
        if fault:
            print('FAIL %s: %s' % (os.path.basename(design), fault))
            failed += 1
    return 1 if failed or not designs else 0


if __name__ == '__main__':
    sys.exit(main())
