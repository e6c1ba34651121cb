"""Part painters: each draws one frame (one state) of a skin image.

Coordinates are pixels; a frame is a raster.Canvas of the part's frame size.
Parts that the engine paints over their own previous paint (captions,
frames, scroll tracks and arrows) cover every pixel; the others may leave
alpha for the off-screen buffer they are drawn into.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'art'))

from raster import Canvas, Circle, Polygon, RoundRect, Segment, linear  # noqa: E402


def gradient(look, y0, y1, horizontal=False):
    if horizontal:
        return linear(y0, 0, y1, 0, [look.top, look.bottom])
    return linear(0, y0, 0, y1, [look.top, look.bottom])


def panel(cv, box, look, radius, horizontal=False):
    """A bordered face: a one-pixel border around a gradient."""
    x0, y0, x1, y1 = box
    cv.fill(RoundRect(x0, y0, x1, y1, radius), look.border)
    inner = (y0 + 1, y1 - 1) if not horizontal else (x0 + 1, x1 - 1)
    cv.fill(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(radius - 1, 0)),
            gradient(look, inner[0], inner[1], horizontal))


def opaque(cv, colour):
    cv.fill(RoundRect(0, 0, cv.width, cv.height, 0), colour)


def bordered(w, h, border, fill):
    """An opaque box: a one-pixel border around a flat fill."""
    cv = Canvas(w, h)
    opaque(cv, border)
    cv.fill(RoundRect(1, 1, w - 1, h - 1, 0), fill)
    return cv


# ---- glyphs -------------------------------------------------------------------------

def arrow(cv, cx, cy, size, direction, colour):
    """A filled triangle pointing up, down, left or right, `size` its half width."""
    h = size * 0.55
    points = {
        'up': [(cx - size, cy + h), (cx + size, cy + h), (cx, cy - h)],
        'down': [(cx - size, cy - h), (cx + size, cy - h), (cx, cy + h)],
        'left': [(cx + h, cy - size), (cx + h, cy + size), (cx - h, cy)],
        'right': [(cx - h, cy - size), (cx - h, cy + size), (cx + h, cy)],
    }[direction]
    cv.fill(Polygon(points), colour)


def cross(cv, cx, cy, r, width, colour):
    cv.fill(Segment(cx - r, cy - r, cx + r, cy + r, width) | Segment(cx - r, cy + r, cx + r, cy - r, width), colour)


def check_mark(cv, cx, cy, colour):
    cv.fill(Segment(cx - 3.2, cy - 0.2, cx - 1.0, cy + 2.2, 1.8) | Segment(cx - 1.0, cy + 2.2, cx + 3.2, cy - 2.6, 1.8),
            colour)


def caption_glyph(cv, kind, cx, cy, r, colour):
    """Close, minimize, maximize, restore and help marks, r their half size."""
    line = max(1.3, r / 3.2)
    if kind in ('close', 'smallclose'):
        cross(cv, cx, cy, r * 0.8, line + 0.3, colour)
    elif kind == 'min':
        cv.fill(RoundRect(cx - r, cy + r - line, cx + r, cy + r, 0), colour)
    elif kind == 'max':
        box = RoundRect(cx - r, cy - r, cx + r, cy + r, 0)
        cv.fill(box - RoundRect(cx - r + 1.2, cy - r + line + 1, cx + r - 1.2, cy + r - 1.2, 0), colour)
    elif kind == 'restore':
        back = RoundRect(cx - r + r * 0.6, cy - r, cx + r, cy + r - r * 0.6, 0)
        front = RoundRect(cx - r, cy - r + r * 0.6, cx + r - r * 0.6, cy + r, 0)
        hole = RoundRect(cx - r + 1.2, cy - r + r * 0.6 + line + 0.6, cx + r - r * 0.6 - 1.2, cy + r - 1.2, 0)
        cv.fill((back - front.grow(1.0)) | (front - hole), colour)
    elif kind == 'help':
        hook = Circle(cx, cy - r * 0.35, r * 0.62)
        ring = hook.grow(line / 2) - hook.grow(-line / 2)
        cut = RoundRect(cx - r * 1.5, cy - r * 0.35, cx, cy + r, 0)
        cv.fill((ring - cut) | Segment(cx, cy + r * 0.28, cx, cy + r * 0.45, line), colour)
        cv.fill(Circle(cx, cy + r * 0.95, line * 0.62), colour)


def grip_lines(cv, cx, cy, vertical, colour, light):
    """Three short ridges across a thumb."""
    for i in (-2, 0, 2):
        if vertical:
            cv.fill(RoundRect(cx - 3, cy + i - 0.5, cx + 3, cy + i + 0.5, 0), colour)
            cv.fill(RoundRect(cx - 3, cy + i + 0.5, cx + 3, cy + i + 1.0, 0), light)
        else:
            cv.fill(RoundRect(cx + i - 0.5, cy - 3, cx + i + 0.5, cy + 3, 0), colour)
            cv.fill(RoundRect(cx + i + 0.5, cy - 3, cx + i + 1.0, cy + 3, 0), light)


def grip_dots(cv, right_aligned, colour, light):
    """The diagonal of dots in a size box."""
    w, h = cv.width, cv.height
    for row in range(3):
        for col in range(3 - row):
            x = w - 4 - col * 4 if right_aligned else 3 + col * 4
            y = h - 4 - row * 4
            cv.fill(RoundRect(x, y, x + 2, y + 2, 0), light)
            cv.fill(RoundRect(x - 1, y - 1, x + 1, y + 1, 0), colour)


# ---- part frames ----------------------------------------------------------------------

def caption(d, state, w, h, small=False):
    look = d.caption(state != 'inactive' and state != 'disabled')
    cv = Canvas(w, h)
    opaque(cv, look.border)
    cv.fill(RoundRect(1, 1, w - 1, h, 0), gradient(look, 1, h - 1))
    if d.stem != 'black':
        cv.fill(RoundRect(1, 1, w - 1, 2, 0), d.c['light'], 0.35)
    line = 2 if d.stem == 'black' and not small else 1
    cv.fill(RoundRect(1, h - line, w - 1, h, 0), look.glyph)
    return cv


def frame_side(d, state, w, h, side):
    look = d.frame(state == 'active')
    cv = Canvas(w, h)
    opaque(cv, look.top)
    edge = {'left': (0, 0, 1, h), 'right': (w - 1, 0, w, h), 'bottom': (0, h - 1, w, h)}[side]
    cv.fill(RoundRect(*edge, 0), look.border)
    if side == 'bottom':
        cv.fill(RoundRect(0, 0, 1, h, 0) | RoundRect(w - 1, 0, w, h, 0), look.border)
    return cv


def caption_button(d, state, w, h, kind):
    """state: (look state, active)."""
    look_state, active = state
    look = d.caption_button(look_state, active, close=kind in ('close', 'smallclose'))
    cv = Canvas(w, h)
    if d.round_caption_buttons:
        r = min(w, h) / 2 - 1.5
        cx, cy = w / 2, h / 2
        cv.fill(Circle(cx, cy, r), look.border)
        cv.fill(Circle(cx, cy, r - 1), linear(0, cy - r, 0, cy + r, [look.top, look.bottom]))
        cv.fill(Circle(cx, cy - r * 0.45, r * 0.45), '#ffffff', 0.35)
        caption_glyph(cv, kind, cx, cy, r * 0.45, look.glyph)
    else:
        panel(cv, (0, 0, w, h), look, 2.0)
        caption_glyph(cv, kind, w / 2, h / 2, min(w, h) * 0.24, look.glyph)
    return cv


def push_button(d, state, w, h):
    look = d.button(state)
    cv = Canvas(w, h)
    panel(cv, (0, 0, w, h), look, d.button_radius)
    if state == 'default':
        cv.fill(RoundRect(1, 1, w - 1, h - 1, max(d.button_radius - 1, 0))
                - RoundRect(2, 2, w - 2, h - 2, max(d.button_radius - 2, 0)), look.border, 0.6)
    return cv


def check_box(d, state, w, h, radio, mark):
    look = d.check_box(state)
    cv = Canvas(w, h)
    if radio:
        cv.fill(Circle(w / 2, h / 2, w / 2 - 0.2), look.border)
        cv.fill(Circle(w / 2, h / 2, w / 2 - 1.2), linear(0, 1, 0, h - 1, [look.top, look.bottom]))
        if mark:
            cv.fill(Circle(w / 2, h / 2, 2.6), look.glyph)
    else:
        panel(cv, (0, 0, w, h), look, 2.0 if d.button_radius > 4 else 1.0)
        if mark == 'checked':
            check_mark(cv, w / 2, h / 2, look.glyph)
        elif mark == 'mixed':
            cv.fill(RoundRect(3, h / 2 - 1, w - 3, h / 2 + 1, 0.5), look.glyph)
    return cv


def group_box(d, state, w, h):
    """Only alpha 0 or 255: the engine paints it straight onto the dialog."""
    colour = d.c['off_border'] if state == 'disabled' else d.c['border']
    cv = Canvas(w, h)
    cv.fill(RoundRect(0, 0, w, h, 0) - RoundRect(1, 1, w - 1, h - 1, 0), colour)
    if d.stem != 'black':
        cv.fill(RoundRect(1, 1, w - 1, h - 1, 0) - RoundRect(2, 2, w - 2, h - 2, 0), d.c['light'])
    return cv


def tab_item(d, state, w, h):
    look = d.tab(state)
    cv = Canvas(w, h)
    r = d.tab_radius
    cv.fill(RoundRect(0, 0, w, h + r, r), look.border)
    cv.fill(RoundRect(1, 1, w - 1, h + r, max(r - 1, 0)), gradient(look, 1, h))
    if state in ('selected', 'focused'):
        cv.fill(RoundRect(1, 1, w - 1, 3, max(r - 1, 0)) & RoundRect(1, 1, w - 1, h, max(r - 1, 0)), look.glyph)
    return cv


def tab_pane(d, state, w, h):
    return bordered(w, h, d.c['border'], d.c['face'])


def track(d, state, w, h, vertical):
    cv = Canvas(w, h)
    look = d.track('pressed')
    cv.fill(RoundRect(0, 0, w, h, 2), d.c['shadow'])
    cv.fill(RoundRect(1, 1, w - 1, h - 1, 1.5), look.top)
    return cv


def thumb(d, state, w, h, point):
    """Track bar thumbs; `point` is the side the pointer faces, or None."""
    look = d.button(state)
    if state == 'focused':
        look = d.button('default')
    cv = Canvas(w, h)
    x0, y0, x1, y1 = 0.5, 0.5, w - 0.5, h - 0.5
    tip = (w if point in ('top', 'bottom') else h) / 2
    shapes = {
        None: [(x0, y0), (x1, y0), (x1, y1), (x0, y1)],
        'bottom': [(x0, y0), (x1, y0), (x1, y1 - tip), (w / 2, y1), (x0, y1 - tip)],
        'top': [(w / 2, y0), (x1, y0 + tip), (x1, y1), (x0, y1), (x0, y0 + tip)],
        'right': [(x0, y0), (x1 - tip, y0), (x1, h / 2), (x1 - tip, y1), (x0, y1)],
        'left': [(x0 + tip, y0), (x1, y0), (x1, y1), (x0 + tip, y1), (x0, h / 2)],
    }[point]
    outline = Polygon(shapes)
    horizontal = point in ('left', 'right') or (point is None and w > h)
    cv.fill(outline.grow(0.5), look.border)
    cv.fill(outline.grow(-0.5), gradient(look, 1, (w if horizontal else h) - 1, horizontal))
    return cv


def toolbar_button(d, state, w, h):
    look = d.toolbar(state)
    cv = Canvas(w, h)
    if look is not None:
        panel(cv, (0, 0, w, h), look, min(d.button_radius, 4.0))
    return cv


def drop_glyph(d, state, w, h):
    """The split button's arrow, drawn at its true size over the face."""
    cv = Canvas(w, h)
    arrow(cv, w / 2, h / 2, 3.5, 'down', d.c['gray_text'] if state == 'disabled' else d.c['text'])
    return cv


def separator(d, state, w, h, vertical_line):
    cv = Canvas(w, h)
    if vertical_line:
        cv.fill(RoundRect(w / 2 - 1, 2, w / 2, h - 2, 0), d.c['shadow'])
        cv.fill(RoundRect(w / 2, 2, w / 2 + 1, h - 2, 0), d.c['light'])
    else:
        cv.fill(RoundRect(2, h / 2 - 1, w - 2, h / 2, 0), d.c['shadow'])
        cv.fill(RoundRect(2, h / 2, w - 2, h / 2 + 1, 0), d.c['light'])
    return cv


def scroll_arrow(d, state, w, h):
    """state: (direction, look state); covers every pixel."""
    direction, look_state = state
    look = d.scroll(look_state)
    cv = Canvas(w, h)
    opaque(cv, d.c['track'])
    horizontal = direction in ('left', 'right')
    panel(cv, (0, 0, w, h), look, min(d.button_radius, 3.0), horizontal)
    arrow(cv, w / 2, h / 2, 3.5, direction, look.glyph)
    return cv


def scroll_thumb(d, state, w, h, vertical):
    look = d.scroll(state)
    cv = Canvas(w, h)
    r = min(d.button_radius, (w if vertical else h) / 2 - 1)
    box = (1, 0, w - 1, h) if vertical else (0, 1, w, h - 1)
    panel(cv, box, look, r, horizontal=vertical)
    return cv


def scroll_track(d, state, w, h, vertical):
    look = d.track(state)
    cv = Canvas(w, h)
    opaque(cv, look.top)
    edge = look.border
    if vertical:
        cv.fill(RoundRect(0, 0, 1, h, 0) | RoundRect(w - 1, 0, w, h, 0), edge)
    else:
        cv.fill(RoundRect(0, 0, w, 1, 0) | RoundRect(0, h - 1, w, h, 0), edge)
    return cv


def gripper(d, state, w, h, vertical):
    look = d.scroll(state)
    cv = Canvas(w, h)
    grip_lines(cv, w / 2, h / 2, vertical, look.border, d.c['light'])
    return cv


def size_box(d, state, w, h):
    cv = Canvas(w, h)
    opaque(cv, d.c['face'])
    grip_dots(cv, state == 'right', d.c['shadow'], d.c['light'])
    return cv


def header_item(d, state, w, h):
    look = d.button(state)
    if state == 'normal':
        look = look._replace(top=d.c['window'], bottom=d.c['tab_bottom'])
    cv = Canvas(w, h)
    opaque(cv, look.border)
    cv.fill(RoundRect(0, 0, w - 1, h - 1, 0), gradient(look, 0, h - 1))
    return cv


def sort_arrow(d, state, w, h):
    cv = Canvas(w, h)
    arrow(cv, w / 2, h / 2, w / 2 - 0.5, 'up' if state == 'up' else 'down', d.c['arrow'])
    return cv


def list_item(d, state, w, h):
    look = d.item(state)
    cv = Canvas(w, h)
    if look is not None:
        panel(cv, (0, 0, w, h), look, 1.0)
    return cv


def edit_text(d, state, w, h):
    look = d.edit(state)
    return bordered(w, h, look.border, look.top)


def drop_button(d, state, w, h, direction='down'):
    look = d.scroll(state)
    cv = Canvas(w, h)
    horizontal = direction in ('left', 'right')
    panel(cv, (0, 0, w, h), look, min(d.button_radius, 3.0), horizontal)
    arrow(cv, w / 2, h / 2, 3.0 if min(w, h) > 12 else 2.5, direction, look.glyph)
    return cv


def progress(d, state, w, h, vertical, chunk):
    if not chunk:
        return bordered(w, h, d.c['border'], d.c['window'])
    cv = Canvas(w, h)
    look = d.button('hot') if d.stem != 'black' else d.tab('selected')
    accent = d.c['hot_border'] if d.premultiplied else d.c['accent']
    cv.fill(RoundRect(0, 0, w, h, 0), linear(0, 0, w, 0, [look.top, accent]) if vertical
            else linear(0, 0, 0, h, [look.top, accent]))
    return cv


def tooltip(d, state, w, h):
    return bordered(w, h, d.c['shadow'], d.c['info'])


def menu_item(d, state, w, h):
    cv = Canvas(w, h)
    opaque(cv, d.c['menu'])
    # A light selection, so that one text colour reads on every state.
    look = d.item('hot') if state == 'selected' else None
    if look is not None:
        panel(cv, (1, 1, w - 1, h - 1), look, 2.0)
    return cv


def status_pane(d, state, w, h):
    cv = Canvas(w, h)
    opaque(cv, d.c['face'])
    cv.fill(RoundRect(0, 0, w, 1, 0), d.c['shadow'])
    cv.fill(RoundRect(w - 1, 2, w, h - 2, 0), d.c['shadow'])
    return cv


def status_gripper(d, state, w, h):
    cv = Canvas(w, h)
    grip_dots(cv, True, d.c['shadow'], d.c['light'])
    return cv
