"""Designs that frame the camera picture: film strip, hearts, twinkling stars,
a camcorder's recording overlay and a wooden frame. Each function draws frame
`index` of `count` onto a 320 x 240 canvas; a frame's top-left pixel is always
left undrawn, since its colour is what the window cuts out."""
import math

from pictures import text_image
from raster import (Circle, Ellipse, Polygon, RoundRect, Rotated, Segment, clamp, hex_colour, linear, mix, radial,
                    regular_points)

WIDTH, HEIGHT = 320, 240


def erase(c, shape):
    """Takes a shape out of what is drawn, as a hole the camera shows through."""
    x0, y0, x1, y1 = shape.bbox
    for py in range(max(int(y0) - 1, 0), min(int(math.ceil(y1)) + 1, c.height)):
        for px in range(max(int(x0) - 1, 0), min(int(math.ceil(x1)) + 1, c.width)):
            coverage = clamp(0.5 - shape.sdf(px + 0.5, py + 0.5))
            if coverage > 0.0:
                pixel = c.pixels[py * c.width + px]
                pixel[:] = [v * (1.0 - coverage) for v in pixel]


def border_points(inset, across, down):
    """Points around a rectangle inset from the frame's edge: its four corners
    first, then `across` points between them on the long sides and `down` on
    the short ones, in order round the frame."""
    left, top, right, bottom = inset, inset, WIDTH - inset, HEIGHT - inset
    corners = [(left, top), (right, top), (right, bottom), (left, bottom)]
    points = []
    for side, (start, end) in enumerate(zip(corners, corners[1:] + corners[:1])):
        points.append((start[0], start[1], True))
        between = across if side % 2 == 0 else down
        for k in range(1, between + 1):
            t = k / (between + 1)
            points.append((start[0] + (end[0] - start[0]) * t, start[1] + (end[1] - start[1]) * t, False))
    return points


def wave(index, count, phase):
    """0..1 and back once a loop, shifted by phase (0..1): seamless when the
    animation repeats."""
    return 0.5 + 0.5 * math.sin(2 * math.pi * (index / count + phase))


# ---- film strip ----------------------------------------------------------------

FILM_BAND = 34
SPROCKET_PITCH = 24


def film_strip(c, index, count):
    """Two bands of film whose sprocket holes run to the left, one hole pitch a loop."""
    outer = RoundRect(0, 0, WIDTH, HEIGHT, 6)
    for top in (0, HEIGHT - FILM_BAND):
        band = outer & RoundRect(-2, top, WIDTH + 2, top + FILM_BAND)
        c.fill(band, linear(0, top, 0, top + FILM_BAND, ['#34302b', '#1b1916', '#24211d']))
        inner_edge = top + FILM_BAND - 2 if top == 0 else top
        c.fill(RoundRect(0, inner_edge, WIDTH, inner_edge + 2), '#0b0a09')
        c.fill(RoundRect(0, top + 5, WIDTH, top + 6), '#4a443c', 0.8)
        c.fill(RoundRect(0, top + FILM_BAND - 6, WIDTH, top + FILM_BAND - 5), '#4a443c', 0.8)
    shift = SPROCKET_PITCH * index / count
    for x in range(-SPROCKET_PITCH, WIDTH + SPROCKET_PITCH, SPROCKET_PITCH):
        left = x + 5 - shift
        for top in (11, HEIGHT - 23):
            erase(c, RoundRect(left, top, left + 14, top + 12, 2.5))
        # Edge print between the holes, as the film's frame marks.
        if (x // SPROCKET_PITCH) % 4 == 1:
            c.fill(Polygon([(left + 17, 3), (left + 23, 3), (left + 20, 7.5)]), '#e8a33c')
            c.fill(Polygon([(left + 17, HEIGHT - 3), (left + 23, HEIGHT - 3), (left + 20, HEIGHT - 7.5)]), '#e8a33c')


# ---- hearts -------------------------------------------------------------------

def heart(cx, cy, size, degrees):
    points = []
    for i in range(40):
        t = 2 * math.pi * i / 40
        x = 16 * math.sin(t) ** 3
        y = -(13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t))
        points.append((cx + x * size / 32, cy + (y - 2.5) * size / 32))
    return Rotated(Polygon(points), degrees, cx, cy)


HEART_PAINTS = (['#ff9aa8', '#ec2a42', '#a3102a'], ['#ffd0e2', '#ff72a8', '#c8336e'])


def hearts(c, index, count):
    """A border of hearts; a beat runs round it twice a loop."""
    points = border_points(18, 9, 6)
    for k, (x, y, corner) in enumerate(points):
        beat = wave(index, count, -2 * k / len(points)) ** 3
        size = (36 if corner else 23) * (1 + 0.16 * beat)
        tilt = 0 if corner else (-10 if k % 2 else 10)
        paint = HEART_PAINTS[0 if corner else k % 2]
        shape = heart(x, y, size, tilt)
        c.outlined(shape, radial(x - size * 0.2, y - size * 0.3, size * 0.85, paint), outline='#5a0a22', width=1.6)
        c.fill(Rotated(Ellipse(x - size * 0.24, y - size * 0.17, size * 0.11, size * 0.07), -35, x, y),
               '#ffffff', 0.8)


# ---- twinkling stars ----------------------------------------------------------

def star(cx, cy, radius, degrees=0.0):
    outer = regular_points(cx, cy, radius, 5, -90 + degrees)
    inner = regular_points(cx, cy, radius * 0.46, 5, -54 + degrees)
    return Polygon([p for pair in zip(outer, inner) for p in pair])


def sparkle(cx, cy, reach):
    """A four-pointed glint, as light catches a star."""
    points = []
    for k in range(8):
        radius = reach if k % 2 == 0 else reach * 0.17
        angle = math.radians(45 * k - 90)
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return Polygon(points)


def stars(c, index, count):
    """Gold stars round the frame, each brightening and sparkling in its own time."""
    points = border_points(17, 7, 4)
    for k, (x, y, corner) in enumerate(points):
        shine = wave(index, count, (k * 0.618) % 1.0)
        radius = (17 if corner else (12 if k % 2 else 9)) * (0.82 + 0.26 * shine)
        centre = '#%02x%02x%02x' % tuple(int(v * 255) for v in mix(hex_colour('#fff3b0'), (1.0, 1.0, 1.0), shine))
        paint = radial(x, y - radius * 0.15, radius, [(0.0, centre), (0.45, '#ffd23a'), (1.0, '#e59108')])
        if shine > 0.55:
            reach = radius * (1.25 + 0.9 * (shine - 0.55) / 0.45)
            c.outlined(sparkle(x, y, reach), '#fffbe6', outline='#a06800', width=0.8)
        c.outlined(star(x, y, radius, 8 * math.sin(k)), paint, outline='#7a4300', width=1.3)


# ---- recording overlay --------------------------------------------------------

PLATE = '#1f2226'


def _bracket(c, x, y, dx, dy):
    arm, thick = 30, 4.5
    across = RoundRect(min(x, x + dx * arm), min(y, y + dy * thick), max(x, x + dx * arm), max(y, y + dy * thick), 1)
    down = RoundRect(min(x, x + dx * thick), min(y, y + dy * arm), max(x, x + dx * thick), max(y, y + dy * arm), 1)
    c.outlined((across | down).grow(1.2), '#ffffff', outline='#151515', width=1.2)


def _text(c, text, points, colour, left, top):
    width, height, rgba = text_image(text, 'DejaVuSans-Bold.ttf', points, colour)
    c.paste_rgba(rgba, width, height, left, top)
    return width


def rec(c, index, count):
    """A camcorder screen: bezel, corner brackets, a battery and "REC" whose
    red light is on for the first frame and off for the second."""
    c.fill(RoundRect(0, 0, WIDTH, HEIGHT, 8) - RoundRect(6, 6, WIDTH - 6, HEIGHT - 6, 5),
           linear(0, 0, 0, HEIGHT, ['#4a4f57', '#2a2d32', '#3a3e45']))
    c.fill(RoundRect(5, 5, WIDTH - 5, HEIGHT - 5, 5) - RoundRect(6.5, 6.5, WIDTH - 6.5, HEIGHT - 6.5, 5), '#0e0f11')
    for x, y, dx, dy in ((16, 16, 1, 1), (WIDTH - 16, 16, -1, 1), (16, HEIGHT - 16, 1, -1),
                         (WIDTH - 16, HEIGHT - 16, -1, -1)):
        _bracket(c, x, y, dx, dy)
    c.outlined(RoundRect(54, 15, 122, 39, 6), PLATE, outline='#5b616b', width=1)
    if index == 0:
        c.outlined(Circle(67, 27, 6.5), radial(65, 25, 8, ['#ff9a8a', '#ff2a1a', '#b30800']), outline='#5a0000',
                   width=1)
    else:
        c.fill(Circle(67, 27, 6.5), '#4a1512')
    _text(c, 'REC', 13, '#ffffff', 78, 18)
    c.outlined(RoundRect(WIDTH - 110, 15, WIDTH - 54, 39, 6), PLATE, outline='#5b616b', width=1)
    c.outlined(RoundRect(WIDTH - 101, 20, WIDTH - 68, 34, 2), PLATE, outline='#f2f2f2', width=2)
    c.fill(RoundRect(WIDTH - 68, 24, WIDTH - 64, 30, 1), '#f2f2f2')
    for bar in range(3):
        left = WIDTH - 98 + bar * 10
        c.fill(RoundRect(left, 23, left + 8, 31, 1), '#4be36a')
    cx, cy = WIDTH / 2, HEIGHT / 2
    cross = (Segment(cx - 13, cy, cx - 5, cy, 2.4) | Segment(cx + 5, cy, cx + 13, cy, 2.4) |
             Segment(cx, cy - 13, cx, cy - 5, 2.4) | Segment(cx, cy + 5, cx, cy + 13, 2.4))
    c.outlined(cross.grow(1), '#ffffff', outline='#151515', width=1)


# ---- wooden frame -------------------------------------------------------------

FRAME = 26
WOOD_LIGHT, WOOD_DARK = hex_colour('#c08a50'), hex_colour('#7b4a22')
GOLD = ['#fff0a8', '#e2b44c', '#8a6214']
GLINT = hex_colour('#fff4dc')
# Light from the top left: each side of the moulding is lit differently.
SIDE_LIGHT = (1.06, 0.98, 0.82, 0.9)


def _grain(depth, along, side):
    g = (math.sin(depth * 1.9 + 1.3 * math.sin(along / 61.0 + side * 1.7) + side) * 0.5 +
         math.sin(depth * 0.7 + along / 140.0 + side * 2.3) * 0.35 + 0.5)
    return clamp(g)


def _moulding(depth, along, side):
    """The wood at a depth into the frame (0 at the outer edge): grain along the
    side, a rounded outer edge, a shadowed lip and a gilt inner edge."""
    if depth > FRAME - 3:
        t = min((depth - (FRAME - 3)) / 3, 1.0)
        return mix(hex_colour(GOLD[0]), hex_colour(GOLD[2]), t) if t > 0.5 else mix(
            hex_colour(GOLD[1]), hex_colour(GOLD[0]), 1 - 2 * t)
    colour = mix(WOOD_LIGHT, WOOD_DARK, _grain(depth, along, side))
    if depth < 5:
        colour = mix(colour, hex_colour('#e8c08a'), 0.45 * (1 - depth / 5))
    elif depth > FRAME - 9:
        colour = mix(colour, hex_colour('#3e220c'), 0.55 * (depth - (FRAME - 9)) / 6)
    return tuple(clamp(v * SIDE_LIGHT[side]) for v in colour)


def wooden_frame(c, index, count):
    """A carved wooden frame with a gilt inner edge; a gleam of light crosses
    it in the first half of the loop."""
    sweep = count // 2
    glint_at = -60 + (WIDTH + HEIGHT + 120) * index / (sweep - 1) if index < sweep else None

    def paint(side):
        def at(x, y):
            depth, along = ((y, x), (WIDTH - x, y), (HEIGHT - y, x), (x, y))[side]
            colour = _moulding(depth, along, side)
            if glint_at is not None:
                colour = mix(colour, GLINT, 0.6 * math.exp(-((x + y - glint_at) / 12.0) ** 2))
            return colour
        return at

    outer = RoundRect(0, 0, WIDTH, HEIGHT, 5)
    w, h, f = WIDTH, HEIGHT, FRAME
    sides = (Polygon([(0, 0), (w, 0), (w - f, f), (f, f)]), Polygon([(w, 0), (w, h), (w - f, h - f), (w - f, f)]),
             Polygon([(w, h), (0, h), (f, h - f), (w - f, h - f)]), Polygon([(0, h), (0, 0), (f, f), (f, h - f)]))
    for side, shape in enumerate(sides):
        c.fill(shape.grow(0.5) & outer, paint(side))
    for x0, y0, x1, y1 in ((0, 0, f, f), (w, 0, w - f, f), (w, h, w - f, h - f), (0, h, f, h - f)):
        c.fill(Segment(x0, y0, x1, y1, 1.2) & outer, '#3a2010', 0.7)
