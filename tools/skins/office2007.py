"""The eleven OFFICE2007 images that the Office2007 schema draws its scroll bars from.

Layouts (states stacked vertically, as the thumbs are read):
- thumbs: three frames, normal, hot, pressed;
- arrow glyphs: one row per state (normal, hot, pressed, disabled), one
  column per direction (up, down, left, right), each glyph 9 x 9;
- arrow backgrounds: three frames, normal, hot, pressed; "LIGHT" for a bar
  at rest, "DARK" for a bar under the mouse;
- tracks: one frame; "LIGHT" at rest, "DARK" under the mouse.
"""
from raster import Canvas

import paint

GLYPH = 9
THUMB_LENGTH = 24
ARROW_LENGTH = 17


def _stack(frames):
    w, h = frames[0].width, frames[0].height
    out = Canvas(w, h * len(frames))
    for i, frame in enumerate(frames):
        out.pixels[i * w * h:(i + 1) * w * h] = frame.pixels
    return out


def _thumb(d, vertical, sb):
    w, h = (sb, THUMB_LENGTH) if vertical else (THUMB_LENGTH, sb)
    return _stack([paint.scroll_thumb(d, s, w, h, vertical) for s in ('normal', 'hot', 'pressed')])


def _glyphs(d):
    out = Canvas(GLYPH * 4, GLYPH * 4)
    colours = [d.c['arrow'], d.c['arrow_hot'], d.c['arrow_hot'], d.c['off_border']]
    for row, colour in enumerate(colours):
        for col, direction in enumerate(('up', 'down', 'left', 'right')):
            paint.arrow(out, col * GLYPH + GLYPH / 2, row * GLYPH + GLYPH / 2, 3.5, direction, colour)
    return out


def _arrow_backgrounds(d, vertical, dark, sb):
    w, h = (sb, ARROW_LENGTH) if vertical else (ARROW_LENGTH, sb)
    frames = []
    for state in ('normal', 'hot', 'pressed'):
        cv = Canvas(w, h)
        paint.opaque(cv, d.c['track_press'] if dark else d.c['track'])
        look = d.scroll(state)
        if dark and state == 'normal':
            look = d.button('default')
        paint.panel(cv, (0, 0, w, h), look, 2.0, horizontal=vertical)
        frames.append(cv)
    return _stack(frames)


def _track(d, vertical, dark, sb):
    w, h = (sb, 8) if vertical else (8, sb)
    return paint.scroll_track(d, 'pressed' if dark else 'normal', w, h, vertical)


def office2007_images(d):
    """Image name -> canvas, the names as the schema asks for them."""
    sb = d.scrollbar_size
    images = {
        'SCROLLTHUMBVERTICAL.BMP': _thumb(d, True, sb),
        'SCROLLTHUMBHORIZONTAL.BMP': _thumb(d, False, sb),
        'SCROLLARROWGLYPHS.BMP': _glyphs(d),
    }
    for shade in ('LIGHT', 'DARK'):
        dark = shade == 'DARK'
        images['SCROLLHORIZONTAL%s.BMP' % shade] = _track(d, False, dark, sb)
        images['SCROLLVERTICAL%s.BMP' % shade] = _track(d, True, dark, sb)
        images['SCROLLARROWSHORIZONTAL%s.BMP' % shade] = _arrow_backgrounds(d, False, dark, sb)
        images['SCROLLARROWSVERTICAL%s.BMP' % shade] = _arrow_backgrounds(d, True, dark, sb)
    return {'OFFICE2007\\' + name: canvas for name, canvas in images.items()}
