"""The nine 48 x 48 toolbar pictures, drawn in a 48-unit design space with
one light from the top left and a dark outline, so that they read alike."""
from raster import (Circle, Ellipse, Polygon, RoundRect, Rotated, Segment, gear,
                    linear, radial)

OUTLINE = '#262b33'
GLASS = [(0.0, '#b5e4ff'), (0.45, '#3f8fe0'), (1.0, '#0d2c5e')]
METAL = ['#fbfcfd', '#c9d0d9', '#8c96a3']


def lens(c, cx, cy, r):
    c.outlined(Circle(cx, cy, r), radial(cx - r * 0.3, cy - r * 0.3, r * 1.6, ['#6b7686', '#2c333d']))
    glass = r * 0.72
    c.fill(Circle(cx, cy, glass), radial(cx - glass * 0.35, cy - glass * 0.35, glass * 1.5, GLASS))
    c.fill(Circle(cx, cy, glass * 0.42), '#0a1933', 0.85)
    c.fill(Ellipse(cx - glass * 0.38, cy - glass * 0.42, glass * 0.34, glass * 0.22), '#ffffff', 0.85)


def bezel(c, r_outer=20.0):
    c.outlined(Circle(24, 24, r_outer), linear(10, 6, 38, 44, METAL))
    c.fill(Circle(24, 24, r_outer - 3.6), OUTLINE)


def gloss(c, cx, cy, rx, ry, opacity=0.35):
    c.fill(Ellipse(cx, cy, rx, ry), '#ffffff', opacity)


def take_pictures(c):
    c.outlined(RoundRect(34, 9, 41, 16, 1.5), linear(0, 9, 0, 16, ['#ff7a6e', '#c7261d']))
    body = RoundRect(4, 14, 44, 40, 5) | Polygon([(14, 15), (18, 8), (30, 8), (34, 15)])
    c.outlined(body, linear(0, 8, 0, 40, ['#8f9bac', '#56616f', '#343c47']))
    c.fill(RoundRect(5.5, 15.5, 42.5, 21, 3), '#ffffff', 0.18)
    c.outlined(RoundRect(7.5, 17, 14, 21.5, 1), linear(0, 17, 0, 22, ['#ffffff', '#cdd6e2']), width=1)
    lens(c, 24, 27.5, 11)


def start_video_record(c):
    bezel(c)
    c.fill(Circle(24, 24, 15), radial(19, 18, 22, ['#ff9b8c', '#e8322b', '#a10f0c']))
    gloss(c, 24, 15.5, 9, 5, 0.4)


def end_video_record(c):
    bezel(c)
    c.fill(Circle(24, 24, 15), radial(19, 18, 22, ['#ffffff', '#dfe4ea', '#a9b3bf']))
    c.outlined(RoundRect(16.5, 16.5, 31.5, 31.5, 2.5), linear(16, 16, 32, 32, ['#4b5461', '#2a3039']), width=1.2)
    gloss(c, 24, 15.5, 9, 5, 0.3)


def pc_camera_config(c):
    c.outlined(Polygon([(17, 29), (25, 29), (28, 38), (14, 38)]), linear(0, 29, 0, 38, ['#9aa4b1', '#4d5663']))
    c.outlined(Ellipse(21, 40, 12, 4), linear(0, 36, 0, 44, ['#b9c1cc', '#59626f']))
    c.outlined(Circle(21, 18, 14), radial(15, 11, 24, ['#ffffff', '#d8dee6', '#8d97a5']))
    lens(c, 21, 18, 7.5)
    c.outlined(gear(36.5, 35.5, 10.5, 7.8, 8, 3.2), radial(33, 32, 14, ['#ffd36b', '#f0a025', '#b86a0b']))


def video_format(c):
    c.outlined(RoundRect(5, 7, 43, 41, 3), linear(0, 7, 0, 41, ['#4a5261', '#262b33']))
    for y in (10, 16.5, 23, 29.5, 36):
        for x in (7.5, 37.5):
            c.fill(RoundRect(x, y, x + 3, y + 2.6, 0.8), '#e4e8ee')
    c.outlined(RoundRect(13, 10, 35, 38, 1.5), linear(0, 10, 0, 38, ['#a8deff', '#4a9be6', '#2b69b8']), width=1)
    arrow = (Segment(18.5, 33.5, 29.5, 14.5, 2.4)
             | Polygon([(31.5, 11), (31, 20), (24, 16)])
             | Polygon([(16.5, 37), (17, 28), (24, 32)]))
    c.fill(arrow.grow(1.1), OUTLINE)
    c.fill(arrow, '#ffffff')


def design_management(c):
    c.outlined(RoundRect(4, 6, 44, 42, 2), linear(4, 6, 44, 42, ['#fff0b0', '#f0c04a', '#b97a1a', '#e8b445']))
    c.fill(RoundRect(10, 12, 38, 36, 0.5), '#7a4e10')
    picture = RoundRect(11, 13, 37, 35)
    c.fill(picture, linear(0, 13, 0, 35, ['#d4efff', '#86c9f5']))
    c.fill(Circle(30, 19, 3.2), radial(29, 18, 4, ['#fff6b0', '#ffc928']))
    c.fill(Polygon([(11, 35), (11, 30), (19, 21), (25.5, 28), (29, 24.5), (37, 32), (37, 35)]) & picture,
           linear(0, 21, 0, 35, ['#7bd36f', '#2f8a37']))
    c.fill(RoundRect(5.5, 7.5, 42.5, 10, 1), '#ffffff', 0.35)


def window_style_config(c):
    window = RoundRect(3, 6, 37, 36, 2.5)
    c.outlined(window, '#f3f5f8')
    c.fill(RoundRect(4.5, 7.5, 35.5, 14, 1.3), linear(0, 7, 0, 14, ['#7ab6f5', '#2c6cc4']))
    c.fill(Segment(3.5, 14.5, 36.5, 14.5, 1.2), OUTLINE)
    for i, colour in enumerate(('#e8463c', '#f4b323', '#3cae4b', '#3a7fe0')):
        x = 7 + i * 6.5
        c.outlined(RoundRect(x, 18, x + 5, 23, 1), colour, width=0.9)
    c.fill(RoundRect(7, 26.5, 25, 28.5, 1), '#b7c0cc')
    c.fill(RoundRect(7, 30.5, 19, 32.5, 1), '#b7c0cc')
    brush(c, 35, 22, 30)


def brush(c, cx, pivot_y, degrees):
    """A paint brush drawn upright with its tip down, then tilted about the pivot."""
    parts = (
        (Polygon([(cx - 3.4, 26.5), (cx + 3.4, 26.5), (cx + 3.6, 32), (cx + 1.4, 36.5),
                  (cx, 38.5), (cx - 2.2, 35.5), (cx - 3.6, 31.5)]),
         linear(0, 26, 0, 38, ['#ff9a7a', '#e3402b', '#b3200f'])),
        (RoundRect(cx - 3.6, 21.5, cx + 3.6, 27, 0.8), linear(cx - 4, 0, cx + 4, 0, ['#f7f9fb', '#8e98a5'])),
        (RoundRect(cx - 2.4, 6, cx + 2.4, 22.5, 2.4), linear(cx - 3, 0, cx + 3, 0, ['#f0b070', '#8a4d18'])),
    )
    for shape, _ in parts:
        c.fill(Rotated(shape, degrees, cx, pivot_y).grow(1.2), OUTLINE)
    for shape, paint in parts:
        c.fill(Rotated(shape, degrees, cx, pivot_y), paint)


def read_me(c):
    page = Polygon([(10, 4), (30, 4), (39, 13), (39, 44), (10, 44)])
    c.outlined(page, linear(10, 4, 39, 44, ['#ffffff', '#e6ebf1', '#cbd3de']))
    c.outlined(Polygon([(30, 4), (30, 13), (39, 13)]), linear(30, 4, 39, 13, ['#ffffff', '#aeb8c5']), width=1.2)
    c.fill(Segment(15, 11, 25, 11, 2.4), '#2f6fd0')
    for y, x1 in ((18.5, 34), (23.5, 32), (28.5, 34), (33.5, 30), (38.5, 26)):
        c.fill(Segment(15, y, x1, y, 1.8), '#7d8898')


def about(c):
    c.outlined(Circle(24, 24, 20), radial(17, 14, 34, ['#9fd2ff', '#3c8ae6', '#1a4d9c']))
    gloss(c, 24, 13.5, 12, 6.5, 0.28)
    letter = (Circle(24, 13.5, 3.3) | RoundRect(21, 20, 27, 35, 1)
              | RoundRect(18.5, 20, 27, 23, 1) | RoundRect(18.5, 32, 29.5, 35, 1))
    c.fill(letter.grow(0.8), '#143a75', 0.5)
    c.fill(letter, '#ffffff')


BUTTONS = (take_pictures, start_video_record, end_video_record, pc_camera_config, video_format,
           design_management, window_style_config, read_me, about)
