"""The animated designs that ship in the program's Design folder.

A design window cuts out every pixel of the colour of a frame's top-left
pixel, so each frame is drawn anti-aliased and then made hard-edged: a pixel
at least half covered keeps the drawing's own colour, every other pixel takes
the key colour. No pixel is ever a blend toward the key colour, which would
show as a halo around the window's outline on the camera picture.
"""
import os
import subprocess

import design_borders
import design_falling
import giffile
from raster import Canvas

WIDTH, HEIGHT = 320, 240
MAGENTA = (255, 0, 255)


class Design:
    """A file name, a frame count, a delay in hundredths of a second and a
    function that draws frame `index` of `count` onto a canvas; what stays
    the same in every frame may be drawn once by `still`, over the rest.
    Fewer colours keep a long animation small."""

    def __init__(self, name, count, delay, draw, still=None, colours=255):
        self.name, self.count, self.delay, self.draw, self.still = name, count, delay, draw, still
        self.colours, self.key = colours, MAGENTA


DESIGNS = [
    Design('film-strip.gif', 8, 6, design_borders.film_strip),
    Design('hearts.gif', 12, 8, design_borders.hearts),
    Design('falling-snow.gif', 40, 7, design_falling.snow, design_falling.snow_edges, colours=32),
    Design('twinkling-stars.gif', 12, 9, design_borders.stars),
    Design('birthday.gif', 12, 10, design_falling.birthday, design_falling.birthday_ribbon),
    Design('rec.gif', 2, 50, design_borders.rec),
    Design('wooden-frame.gif', 16, 9, design_borders.wooden_frame),
    Design('confetti.gif', 40, 7, design_falling.confetti, design_falling.streamers, colours=64),
]


def hard_edged(canvas, key):
    """RGB bytes: the drawing's straight colour where it covers at least half
    a pixel, the key colour elsewhere. A drawn colour equal to the key is
    moved by one step so that it is not cut out."""
    out = bytearray()
    key_bytes = bytes(key)
    nudged = bytes((key[0], key[1] ^ 1, key[2]))
    for r, g, b, a in canvas.pixels:
        if a < 0.5:
            out += key_bytes
            continue
        colour = bytes(min(255, max(0, int(c / a * 255 + 0.5))) for c in (r, g, b))
        out += nudged if colour == key_bytes else colour
    return bytes(out)


def _median_cut(counts, size):
    """Boxes of colours split at the weighted median of their widest channel."""
    boxes = [list(counts)]
    while len(boxes) < size:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break

        def spread(box):
            return max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
        box = max(splittable, key=lambda b: spread(b) * sum(counts[c] for c in b))
        boxes.remove(box)
        channel = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[channel])
        total, running, cut = sum(counts[c] for c in box), 0, 1
        for i, colour in enumerate(box[:-1]):
            running += counts[colour]
            if running * 2 >= total:
                cut = i + 1
                break
        boxes += [box[:cut], box[cut:]]
    return boxes


def palette_of(frames, key, colours):
    """The key colour at index 0, then at most `colours` drawn colours; and
    the index of every colour used. Colours beyond those are merged by median
    cut, never into the key."""
    counts = {}
    for rgb in frames:
        for i in range(0, len(rgb), 3):
            colour = rgb[i:i + 3]
            counts[colour] = counts.get(colour, 0) + 1
    key_bytes = bytes(key)
    counts.pop(key_bytes, None)
    palette, index = [key], {key_bytes: 0}
    for box in _median_cut(counts, colours):
        weight = sum(counts[c] for c in box)
        mean = tuple(int(sum(c[k] * counts[c] for c in box) / weight + 0.5) for k in range(3))
        if mean == key:
            mean = (key[0], key[1] ^ 1, key[2])
        for colour in box:
            index[colour] = len(palette)
        palette.append(mean)
    return palette, index


def lay_over(canvas, layer):
    """Puts a premultiplied layer over the canvas."""
    for pixel, top in zip(canvas.pixels, layer.pixels):
        if top[3] > 0.0:
            keep = 1.0 - top[3]
            pixel[:] = [t + p * keep for t, p in zip(top, pixel)]


def render(design):
    """The design's frames as hard-edged RGB bytes, top-down."""
    still = None
    if design.still:
        still = Canvas(WIDTH, HEIGHT)
        design.still(still)
    frames = []
    for i in range(design.count):
        canvas = Canvas(WIDTH, HEIGHT)
        design.draw(canvas, i, design.count)
        if still:
            lay_over(canvas, still)
        # Whatever passes the top-left pixel, it must stay the key colour:
        # the window takes the colour to cut out from there.
        canvas.pixels[0] = [0.0, 0.0, 0.0, 0.0]
        frames.append(hard_edged(canvas, design.key))
    return frames


def gif_bytes(design, frames):
    palette, index = palette_of(frames, design.key, design.colours)
    indexed = [[index[rgb[i:i + 3]] for i in range(0, len(rgb), 3)] for rgb in frames]
    return giffile.animated_gif(WIDTH, HEIGHT, palette, indexed, design.delay)


def preview(folder, design, frames, backdrop):
    """PNG frames as the window shows them over a camera-like backdrop."""
    os.makedirs(folder, exist_ok=True)
    stem = os.path.splitext(design.name)[0]
    key = bytes(design.key)
    for number, rgb in enumerate(frames):
        shown = bytearray(rgb)
        for i in range(0, len(rgb), 3):
            if rgb[i:i + 3] == key:
                shown[i:i + 3] = backdrop[i:i + 3]
        path = os.path.join(folder, '%s-%02d.png' % (stem, number))
        subprocess.run(['/usr/bin/convert', '-size', '%dx%d' % (WIDTH, HEIGHT), '-depth', '8', 'rgb:-', path],
                       input=bytes(shown), check=True)


def write_designs(folder, preview_folder=None, only=None):
    os.makedirs(folder, exist_ok=True)
    backdrop = design_falling.camera_backdrop(WIDTH, HEIGHT) if preview_folder else None
    for design in DESIGNS:
        if only and design.name not in only:
            continue
        frames = render(design)
        data = gif_bytes(design, frames)
        path = os.path.join(folder, design.name)
        with open(path, 'wb') as f:
            f.write(data)
        print('wrote %s (%d frames, %d bytes)' % (path, len(frames), len(data)))
        if preview_folder:
            preview(preview_folder, design, frames, backdrop)
