"""Designs that move over the whole picture: falling snow, confetti and a
birthday border with balloons. Every moving thing comes back to where it
started after one loop (a whole number of turns, sways and trips down), so
the animation repeats without a jump."""
import math
import random

from design_borders import HEIGHT, WIDTH, heart
from pictures import text_image
from raster import (Canvas, Circle, Ellipse, Polygon, RoundRect, Rotated, Segment, hex_colour, linear, mix, radial)


class Faller:
    """Something that falls through the frame once a loop, a little more than
    the frame's height, swaying from side to side."""

    def __init__(self, rng, trip_extra):
        self.x = rng.uniform(0, WIDTH)
        self.start = rng.uniform(0, 1)
        self.trip = HEIGHT + trip_extra + rng.uniform(0, 40)
        self.sway = rng.uniform(2, 7)
        self.sways = rng.choice((1, 2))
        self.phase = rng.uniform(0, 2 * math.pi)
        self.turns = rng.choice((-1, 1))
        self.angle = rng.uniform(0, 360)

    def place(self, index, count):
        t = index / count
        y = ((self.start + t) % 1.0) * self.trip - (self.trip - HEIGHT) / 2
        x = self.x + self.sway * math.sin(2 * math.pi * self.sways * t + self.phase)
        return x, y, t


# ---- falling snow --------------------------------------------------------------

SNOW = ['#ffffff', '#eef5ff', '#c9dcf2']
SNOW_EDGE = '#8aa4c4'


def _crystal(cx, cy, radius, degrees):
    arms = None
    for k in range(6):
        a = math.radians(degrees + 60 * k)
        dx, dy = math.cos(a), math.sin(a)
        arm = Segment(cx, cy, cx + dx * radius, cy + dy * radius, 2.2)
        for along, side in ((0.55, 0.32), (0.8, 0.22)):
            bx, by = cx + dx * radius * along, cy + dy * radius * along
            for turn in (-1, 1):
                b = a + turn * math.radians(50)
                arm = arm | Segment(bx, by, bx + math.cos(b) * radius * side, by + math.sin(b) * radius * side, 1.8)
        arms = arm if arms is None else arms | arm
    return arms


def _snow_drift(c):
    mounds = (Ellipse(40, 246, 70, 26) | Ellipse(130, 250, 70, 22) | Ellipse(215, 247, 64, 25) |
              Ellipse(292, 244, 60, 28) | RoundRect(0, 236, WIDTH, HEIGHT + 4))
    c.outlined(mounds & RoundRect(0, 0, WIDTH, HEIGHT + 4), linear(0, 216, 0, HEIGHT, SNOW), outline=SNOW_EDGE,
               width=1.3)
    for x, y in ((30, 229), (88, 233), (150, 236), (201, 230), (262, 232), (305, 228)):
        c.fill(Circle(x, y, 1.2), '#9ec4ff')


def _snow_cap(c):
    cap = RoundRect(4, -10, WIDTH - 4, 7, 7)
    for x in range(14, WIDTH - 10, 26):
        cap = cap | Ellipse(x, 6, 11, 5)
    c.outlined(cap, linear(0, 0, 0, 12, SNOW), outline=SNOW_EDGE, width=1.2)
    for k, x in enumerate(range(22, WIDTH - 16, 31)):
        length = 9 + 7 * ((k * 7) % 3)
        c.outlined(Polygon([(x - 3.5, 8), (x + 3.5, 8), (x + 0.5, 8 + length), (x - 0.5, 8 + length)]),
                   linear(0, 8, 0, 8 + length, ['#ffffff', '#b8d8f8']), outline=SNOW_EDGE, width=1)


def snow(c, index, count):
    """Flakes of three sizes falling over the picture, a snowy edge above and
    drifts below; the largest flakes turn as they fall."""
    rng = random.Random(1225)
    flakes = [(Faller(rng, 20), rng.uniform(1.5, 2.1), 'dot') for _ in range(38)]
    flakes += [(Faller(rng, 30), rng.uniform(2.4, 3.2), 'flake') for _ in range(20)]
    flakes += [(Faller(rng, 50), rng.uniform(8, 11), 'crystal') for _ in range(7)]
    for faller, radius, kind in flakes:
        x, y, t = faller.place(index, count)
        if kind == 'dot':
            c.fill(Circle(x, y, radius), '#ffffff')
        elif kind == 'flake':
            c.outlined(Circle(x, y, radius), radial(x - 1, y - 1, radius * 1.4, SNOW), outline=SNOW_EDGE, width=1)
        else:
            shape = _crystal(x, y, radius, faller.angle + faller.turns * 60 * t)
            c.outlined(shape.grow(0.8), '#ffffff', outline=SNOW_EDGE, width=0.9)


def snow_edges(c):
    _snow_cap(c)
    _snow_drift(c)


# ---- confetti ----------------------------------------------------------------

CONFETTI = ['#ff4d6d', '#ffbe0b', '#3a86ff', '#38d39f', '#b15cff', '#ff8c42', '#2ec4f1', '#ffe066']


def _towards(colour, target, amount):
    return '#%02x%02x%02x' % tuple(int(round(v * 255)) for v in mix(hex_colour(colour), hex_colour(target), amount))


def _darker(colour, amount=0.45):
    return _towards(colour, '#1a0d26', amount)


def streamers(c):
    """Two festoons of paper streamer hang along the top edge, tied with rosettes."""
    for left, right, colour in ((10, 164, '#ff4d6d'), (156, 310, '#3a86ff')):
        points = []
        for k in range(25):
            t = k / 24
            points.append((left + (right - left) * t, 8 + 26 * math.sin(math.pi * t)))
        ribbon = None
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            piece = Segment(x0, y0, x1, y1, 9)
            ribbon = piece if ribbon is None else ribbon | piece
        c.outlined(ribbon, linear(0, 0, 0, 36, [_towards(colour, '#ffffff', 0.3), colour]),
                   outline=_darker(colour), width=1.2)
        for k in range(1, 24, 3):
            x, y = points[k]
            c.fill(Segment(x - 2.5, y - 3.5, x + 2.5, y + 3.5, 1.4), _darker(colour, 0.25))
    for x, colour in ((12, '#ffbe0b'), (160, '#38d39f'), (308, '#b15cff')):
        c.outlined(Circle(x, 10, 9), radial(x - 2, 8, 11, ['#ffffff', colour]), outline=_darker(colour), width=1.2)


def confetti(c, index, count):
    """Paper confetti tumbling down under two festoons of streamers."""
    rng = random.Random(2024)
    for k in range(52):
        faller = Faller(rng, 30)
        colour = CONFETTI[k % len(CONFETTI)]
        x, y, t = faller.place(index, count)
        flip = math.cos(2 * math.pi * (rng.choice((1, 2)) * t) + faller.phase)
        angle = faller.angle + faller.turns * 360 * t
        if k % 3 == 0:
            shape = Ellipse(x, y, 4.6, max(1.0, 4.6 * abs(flip)))
        else:
            half = max(1.0, 3.4 * abs(flip))
            shape = RoundRect(x - 6, y - half, x + 6, y + half, 0.8)
        paint = colour if flip > 0 else _towards(colour, '#ffffff', 0.3)
        c.outlined(Rotated(shape.grow(0.6), angle, x, y), paint, outline=_darker(colour), width=0.9)


# ---- birthday ----------------------------------------------------------------

FLAGS = ['#e63946', '#ffc83d', '#3a86ff', '#2ec27e', '#9b5de5', '#ff8c42']
BALLOONS = [(36, 150, '#ff4d6d'), (70, 172, '#ffbe0b'), (26, 196, '#3a86ff'),
            (284, 152, '#38d39f'), (250, 176, '#b15cff'), (294, 198, '#ff8c42')]


def _bunting(c, index, count):
    for left, right in ((8, 162), (158, 312)):
        string = []
        for k in range(17):
            t = k / 16
            string.append((left + (right - left) * t, 6 + 18 * math.sin(math.pi * t)))
        for (x0, y0), (x1, y1) in zip(string, string[1:]):
            c.fill(Segment(x0, y0, x1, y1, 1.6), '#4a3423')
        for k in range(1, 16, 3):
            x, y = string[k]
            sway = 6 * math.sin(2 * math.pi * index / count + x / 40)
            colour = FLAGS[(k // 3 + (0 if left < 100 else 3)) % len(FLAGS)]
            flag = Rotated(Polygon([(x - 10, y), (x + 10, y), (x, y + 24)]), sway, x, y)
            c.outlined(flag, colour, outline='#3b2a20', width=1.2)


def _balloon(c, x, y, colour):
    c.fill(Segment(x, y + 24, x + 3, y + 40, 1.2) | Segment(x + 3, y + 40, x - 2, y + 60, 1.2), '#5a5a5a')
    c.outlined(Polygon([(x - 3.5, y + 25.5), (x + 3.5, y + 25.5), (x, y + 20)]), colour, outline=_darker(colour),
               width=1)
    c.outlined(Ellipse(x, y, 17, 21), radial(x - 6, y - 8, 30, ['#ffffff', colour, _darker(colour, 0.25)]),
               outline=_darker(colour), width=1.3)
    c.fill(Rotated(Ellipse(x - 7, y - 9, 3, 6), 30, x - 7, y - 9), '#ffffff', 0.75)


def birthday(c, index, count):
    """Bunting along the top and bobbing balloons in the lower corners."""
    _bunting(c, index, count)
    for k, (x, y, colour) in enumerate(BALLOONS):
        _balloon(c, x, y + 4 * math.sin(2 * math.pi * index / count + k * 1.3), colour)


def birthday_ribbon(c):
    """A ribbon saying "Happy Birthday!" between the balloons."""
    for end, tip in ((78, 64), (242, 256)):
        c.outlined(Polygon([(end, 211), (tip, 211), (tip + (6 if tip > end else -6), 220), (tip, 229), (end, 229)]),
                   '#c9184a', outline='#5e0a24', width=1.2)
    c.outlined(RoundRect(76, 207, 244, 233, 7), linear(0, 207, 0, 233, ['#ff8fab', '#ff4d7d', '#e0245e']),
               outline='#5e0a24', width=1.3)
    width, height, rgba = text_image('Happy Birthday!', 'DejaVuSans-Bold.ttf', 12, '#ffffff')
    c.paste_rgba(rgba, width, height, int(160 - width / 2), int(220 - height / 2))
    for x in (89, 231):
        c.outlined(heart(x, 220, 12, 0), '#ffffff', outline='#5e0a24', width=1)


# ---- preview backdrop ----------------------------------------------------------

def camera_backdrop(width, height):
    """A stand-in for a webcam picture (a wall, a window and a person), only
    for looking at the designs."""
    c = Canvas(width, height)
    c.fill(RoundRect(0, 0, width, height), linear(0, 0, width, height, ['#d9cbb4', '#a99c88']))
    c.fill(RoundRect(200, 20, 300, 120, 3), linear(0, 20, 0, 120, ['#9fd3ff', '#e6f4ff']))
    c.fill(Ellipse(160, 250, 95, 70), linear(0, 180, 0, 240, ['#2f5d8a', '#1d3d5c']))
    c.fill(RoundRect(145, 150, 175, 190, 8), '#e0b08a')
    c.fill(Ellipse(160, 118, 42, 52), radial(150, 105, 60, ['#f4cfae', '#d9a27c']))
    c.fill(Ellipse(160, 82, 46, 28), '#3a2a1e')
    return c.flatten('#000000')
