"""The program's other pictures: status strips, snapshot notice, camera box
background, video placeholder, splash and the application icon."""
import math
import subprocess

from raster import Canvas, Circle, Polygon, RoundRect, Ring, clamp, hex_colour, linear, mix, radial
from toolbar_icons import GLASS, OUTLINE

CONVERT = '/usr/bin/convert'
FONT_DIR = '/usr/share/fonts/truetype/dejavu/'

BLUE = (0, 0, 255)
STRIP_GREEN = (0, 255, 0)
STRIP_RED = (255, 0, 0)
STRIP_SIZE = (400, 12)
STRIP_DOTS = 23


def filled(width, height, colour):
    return bytearray(bytes(colour) * (width * height))


def put(rgb, width, x, y, colour):
    rgb[(y * width + x) * 3:(y * width + x) * 3 + 3] = bytes(colour)


def strip(red_dot):
    """Blue is masked out when the strip is drawn, so the dots have hard edges:
    an anti-aliased rim would leave a bluish fringe."""
    width, height = STRIP_SIZE
    rgb = filled(width, height, BLUE)
    for k in range(STRIP_DOTS):
        colour = STRIP_RED if k == red_dot else STRIP_GREEN
        cx, cy = 13 + 17 * k, 6
        for dy in range(-3, 4):
            for dx in range(-3, 4):
                if dx * dx + dy * dy <= 12.25:
                    put(rgb, width, cx + dx, cy + dy, colour)
    return width, height, rgb


NOTICE_SIZE = 19
NOTICE_RADIUS = 9.4


def notice():
    """Red disc in a white ring. Pixels outside the ring are exactly blue (the
    transparent colour); the ring's edge shades toward grey, never toward blue."""
    size, centre = NOTICE_SIZE, NOTICE_SIZE / 2
    c = Canvas(size, size)
    c.fill(Circle(centre, centre, 12), '#8a9099')
    c.fill(Circle(centre, centre, NOTICE_RADIUS - 0.4), radial(7, 6, 12, ['#ffffff', '#e4e7eb']))
    c.fill(Circle(centre, centre, 6.4), radial(7.6, 7.2, 8.5, ['#ff8c7c', '#e8281f', '#a50c08']))
    c.fill(Circle(7.8, 7.2, 1.7), '#ffffff', 0.6)
    rgb = c.flatten('#000000')
    for y in range(size):
        for x in range(size):
            if math.hypot(x + 0.5 - centre, y + 0.5 - centre) > NOTICE_RADIUS:
                put(rgb, size, x, y, BLUE)
    return size, size, rgb


def camera_box():
    return 320, 240, filled(320, 240, (0, 0, 0))


def video_thumbnail():
    """A film frame with a play button. The album adds it with black as the mask
    colour, so no pixel may be pure black."""
    width, height = 80, 60
    c = Canvas(width, height)
    c.fill(RoundRect(0, 0, 80, 60), linear(0, 0, 0, 60, ['#343b47', '#1c2028']))
    for x in range(4, 80, 9):
        for y in (2.5, 53):
            c.fill(RoundRect(x, y, x + 5, y + 4.5, 1), '#e6e9ee')
    c.fill(RoundRect(3, 10, 77, 50, 1.5), linear(0, 10, 0, 50, ['#8fd0ff', '#3d86d6', '#1f4f96']))
    c.fill(Polygon([(3, 50), (3, 40), (20, 28), (33, 38), (47, 26), (77, 44), (77, 50)]),
           linear(0, 26, 0, 50, ['#5cc26a', '#2a7d3a']), 0.9)
    c.fill(Circle(40, 30, 13), '#10151c', 0.55)
    c.fill(Ring(Circle(40, 30, 13), 1.6), '#ffffff', 0.9)
    c.fill(Polygon([(35.5, 22.5), (35.5, 37.5), (48.5, 30)]), '#ffffff')
    rgb = c.flatten('#1c2028')
    for i in range(0, len(rgb), 3):
        if rgb[i:i + 3] == b'\0\0\0':
            rgb[i:i + 3] = b'\x01\x01\x01'
    return width, height, rgb


# ---- aperture: the program's emblem, shared by splash and icon ---------------

def _blade_polygons(cx, cy, opening, outer, blades, turn_degrees):
    turn = math.radians(turn_degrees)
    corners = [(cx + opening * math.cos(turn + 2 * math.pi * i / blades),
                cy + opening * math.sin(turn + 2 * math.pi * i / blades)) for i in range(blades)]

    def beyond(a, b):
        # Where the line from a through b meets the outer circle past b.
        dx, dy = b[0] - a[0], b[1] - a[1]
        fx, fy = b[0] - cx, b[1] - cy
        qa, qb, qc = dx * dx + dy * dy, 2 * (fx * dx + fy * dy), fx * fx + fy * fy - outer * outer
        t = (-qb + math.sqrt(qb * qb - 4 * qa * qc)) / (2 * qa)
        return b[0] + dx * t, b[1] + dy * t

    ends = [beyond(corners[i], corners[(i + 1) % blades]) for i in range(blades)]
    polygons = []
    for i in range(blades):
        start, stop = ends[i], ends[(i + 1) % blades]
        a0 = math.atan2(start[1] - cy, start[0] - cx)
        a1 = math.atan2(stop[1] - cy, stop[0] - cx)
        while a1 < a0:
            a1 += 2 * math.pi
        arc = [(cx + outer * math.cos(a0 + (a1 - a0) * s / 12), cy + outer * math.sin(a0 + (a1 - a0) * s / 12))
               for s in range(13)]
        polygons.append(Polygon([corners[(i + 1) % blades]] + arc))
    return polygons


BLADE_DARK, BLADE_LIGHT = hex_colour('#22304a'), hex_colour('#7f9cc9')


def _blade_paint(cx, cy, r, blade):
    """Blades facing the light (top left) are lighter; each darkens toward the rim."""
    mx = sum(p[0] for p in blade.points) / len(blade.points) - cx
    my = sum(p[1] for p in blade.points) / len(blade.points) - cy
    facing = 0.5 + 0.5 * math.cos(math.atan2(my, mx) - math.radians(225))
    base = mix(BLADE_DARK, BLADE_LIGHT, 0.05 + 0.95 * facing)

    def paint(x, y):
        return mix(base, BLADE_DARK, 0.45 * clamp(math.hypot(x - cx, y - cy) / r))
    return paint


def aperture(c, cx, cy, r, blades=7, detail=True, rim=0.11):
    """Lens barrel, iris blades and the glass seen through the opening."""
    edge = max(r * 0.025, 0.7 / c.scale)
    c.fill(Circle(cx, cy, r), OUTLINE)
    c.fill(Circle(cx, cy, r - edge), linear(cx - r, cy - r, cx + r, cy + r,
                                            ['#f4f6f9', '#aab4c2', '#4f5a6a', '#b4bdca']))
    inner = r * (1 - rim)
    c.fill(Circle(cx, cy, inner + edge), linear(cx - r, cy - r, cx + r, cy + r, ['#141920', '#3a4350']))
    c.fill(Circle(cx, cy, inner), radial(cx - inner * 0.15, cy - inner * 0.15, inner * (0.5 if detail else 0.9), GLASS))
    opening = inner * (0.45 if detail else 0.7)
    if detail:
        gap = max(r * 0.012, 0.6 / c.scale)
        lens = Circle(cx, cy, inner)
        for blade in _blade_polygons(cx, cy, opening, inner + 1, blades, -90):
            c.fill(blade & lens, _blade_paint(cx, cy, inner, blade))
            c.fill(Ring(blade, gap * 2) & lens, '#0b1018', 0.85)
    c.fill(Circle(cx - opening * 0.3, cy - opening * 0.32, opening * 0.24), '#ffffff', 0.8)
    c.fill(Circle(cx + opening * 0.3, cy + opening * 0.3, opening * 0.1), '#ffffff', 0.45)


# ---- splash -------------------------------------------------------------------

SPLASH_SIZE = (520, 317)


def text_image(text, font, points, colour, blur=0.0, kerning=0.0):
    """Text rendered by ImageMagick: (width, height, straight RGBA bytes)."""
    args = [CONVERT, '-background', 'none', '-fill', colour, '-font', FONT_DIR + font,
            '-pointsize', str(points), '-kerning', str(kerning), 'label:' + text]
    if blur:
        args += ['-bordercolor', 'none', '-border', str(int(blur * 3)), '-channel', 'A', '-blur', '0x%g' % blur, '+channel']
    data = subprocess.run(args + ['-depth', '8', 'PAM:-'], check=True, capture_output=True).stdout
    header, _, pixels = data.partition(b'ENDHDR\n')
    fields = dict(line.split(b' ', 1) for line in header.split(b'\n')[1:] if b' ' in line)
    width, height = int(fields[b'WIDTH']), int(fields[b'HEIGHT'])
    if fields[b'DEPTH'] != b'4' or len(pixels) < width * height * 4:
        raise RuntimeError('unexpected text image from ImageMagick')
    return width, height, pixels


def _soft_shadow(c, cx, cy, r, spread, strength):
    steps = 12
    for i in range(steps):
        c.fill(Circle(cx, cy, r + spread * (i + 1) / steps), '#000000', strength / steps)


def splash():
    width, height = SPLASH_SIZE
    cx, cy, r = 138, 158, 104
    c = Canvas(width, height)
    c.fill(RoundRect(0, 0, width, height), linear(0, 0, width, height, ['#0b1530', '#14305a', '#1d5a86']))
    c.fill(Circle(cx, cy, 190), radial(cx, cy, 190, [(0.0, '#3f8fd8'), (1.0, '#14305a')]), 0.35)
    for i, radius in enumerate((140, 162, 190)):
        c.fill(Ring(Circle(cx, cy, radius), 1.0), '#8fc4f5', 0.14 - 0.04 * i)
    _soft_shadow(c, cx + 4, cy + 6, r, 18, 0.45)
    aperture(c, cx, cy, r)
    title_shadow = text_image('Tavrelin', 'DejaVuSans-Bold.ttf', 50, '#000000', blur=3)
    title = text_image('Tavrelin', 'DejaVuSans-Bold.ttf', 50, '#ffffff')
    subtitle = text_image('webcam studio', 'DejaVuSans.ttf', 20, '#a9d2fa', kerning=2.5)
    block_height = title[1] + 18 + subtitle[1]
    left = (cx + r + 24 + width - 20 - title[0]) // 2
    top = cy - block_height // 2 - 4
    pad = (title_shadow[0] - title[0]) // 2
    c.paste_rgba(title_shadow[2], title_shadow[0], title_shadow[1], left - pad + 2, top - pad + 3, 0.6)
    c.paste_rgba(title[2], title[0], title[1], left, top)
    rule_y = top + title[1] + 6
    c.fill(RoundRect(left + 3, rule_y, left + title[0] - 3, rule_y + 2, 1),
           linear(left, 0, left + title[0], 0, ['#5fc8ff', '#2a6fc0']))
    c.paste_rgba(subtitle[2], subtitle[0], subtitle[1], left + (title[0] - subtitle[0]) // 2, rule_y + 10)
    # A borderless window needs an edge of its own against a similar desktop.
    c.fill(Ring(RoundRect(0.5, 0.5, width - 0.5, height - 0.5), 1.0), '#5d8fc4', 0.8)
    return width, height, c.flatten('#000000')
