"""Anti-aliased vector drawing into an RGBA canvas, in pure Python.

Shapes are signed distance functions in design units; a pixel's coverage is
taken from the distance at its centre, which gives smooth edges with one
sample per pixel and lets outlines be made by offsetting a shape.
"""
import math


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def hex_colour(text):
    text = text.lstrip('#')
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# ---- shapes -----------------------------------------------------------------

class Shape:
    def __init__(self, bbox):
        self.bbox = bbox

    def sdf(self, x, y):
        raise NotImplementedError

    def grow(self, amount):
        return Offset(self, amount)

    def __or__(self, other):
        return Union(self, other)

    def __and__(self, other):
        return Intersect(self, other)

    def __sub__(self, other):
        return Subtract(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        super().__init__((cx - r, cy - r, cx + r, cy + r))
        self.cx, self.cy, self.r = cx, cy, r

    def sdf(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Ellipse(Shape):
    """Approximate distance: exact enough for edge shading of mild ellipses."""

    def __init__(self, cx, cy, rx, ry):
        super().__init__((cx - rx, cy - ry, cx + rx, cy + ry))
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry

    def sdf(self, x, y):
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        k = math.hypot(dx, dy)
        if k == 0.0:
            return -min(self.rx, self.ry)
        gradient = math.hypot(dx / self.rx, dy / self.ry) / k
        return (k - 1.0) / max(gradient, 1e-9)


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        super().__init__((x0, y0, x1, y1))
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hx, self.hy = (x1 - x0) / 2, (y1 - y0) / 2
        self.radius = min(radius, self.hx, self.hy)

    def sdf(self, x, y):
        qx = abs(x - self.cx) - self.hx + self.radius
        qy = abs(y - self.cy) - self.hy + self.radius
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.radius


class Segment(Shape):
    """A line of the given width with round caps."""

    def __init__(self, x0, y0, x1, y1, width):
        h = width / 2
        super().__init__((min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))
        self.p0, self.p1, self.half = (x0, y0), (x1, y1), h

    def sdf(self, x, y):
        (ax, ay), (bx, by) = self.p0, self.p1
        ex, ey = bx - ax, by - ay
        wx, wy = x - ax, y - ay
        length2 = ex * ex + ey * ey
        t = clamp((wx * ex + wy * ey) / length2) if length2 else 0.0
        return math.hypot(wx - ex * t, wy - ey * t) - self.half


class Polygon(Shape):
    def __init__(self, points):
        xs, ys = [p[0] for p in points], [p[1] for p in points]
        super().__init__((min(xs), min(ys), max(xs), max(ys)))
        self.points = list(points)

    def sdf(self, x, y):
        pts = self.points
        best = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        sign = 1.0
        j = len(pts) - 1
        for i in range(len(pts)):
            vix, viy = pts[i]
            vjx, vjy = pts[j]
            ex, ey = vjx - vix, vjy - viy
            wx, wy = x - vix, y - viy
            length2 = ex * ex + ey * ey
            t = clamp((wx * ex + wy * ey) / length2) if length2 else 0.0
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1, c2, c3 = y >= viy, y < vjy, ex * wy > ey * wx
            if (c1 and c2 and c3) or not (c1 or c2 or c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)


class Offset(Shape):
    def __init__(self, shape, amount):
        x0, y0, x1, y1 = shape.bbox
        a = max(amount, 0.0)
        super().__init__((x0 - a, y0 - a, x1 + a, y1 + a))
        self.shape, self.amount = shape, amount

    def sdf(self, x, y):
        return self.shape.sdf(x, y) - self.amount


class Ring(Shape):
    """The band of the given width centred on a shape's edge."""

    def __init__(self, shape, width):
        x0, y0, x1, y1 = shape.bbox
        h = width / 2
        super().__init__((x0 - h, y0 - h, x1 + h, y1 + h))
        self.shape, self.half = shape, h

    def sdf(self, x, y):
        return abs(self.shape.sdf(x, y)) - self.half


class _Pair(Shape):
    def __init__(self, a, b, bbox):
        super().__init__(bbox)
        self.a, self.b = a, b


class Union(_Pair):
    def __init__(self, a, b):
        (ax0, ay0, ax1, ay1), (bx0, by0, bx1, by1) = a.bbox, b.bbox
        super().__init__(a, b, (min(ax0, bx0), min(ay0, by0), max(ax1, bx1), max(ay1, by1)))

    def sdf(self, x, y):
        return min(self.a.sdf(x, y), self.b.sdf(x, y))


class Intersect(_Pair):
    def __init__(self, a, b):
        (ax0, ay0, ax1, ay1), (bx0, by0, bx1, by1) = a.bbox, b.bbox
        super().__init__(a, b, (max(ax0, bx0), max(ay0, by0), min(ax1, bx1), min(ay1, by1)))

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), self.b.sdf(x, y))


class Subtract(_Pair):
    def __init__(self, a, b):
        super().__init__(a, b, a.bbox)

    def sdf(self, x, y):
        return max(self.a.sdf(x, y), -self.b.sdf(x, y))


class Rotated(Shape):
    def __init__(self, shape, degrees, cx, cy):
        x0, y0, x1, y1 = shape.bbox
        r = max(math.hypot(px - cx, py - cy) for px in (x0, x1) for py in (y0, y1))
        super().__init__((cx - r, cy - r, cx + r, cy + r))
        self.shape, self.cx, self.cy = shape, cx, cy
        self.cos, self.sin = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))

    def sdf(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        return self.shape.sdf(self.cx + dx * self.cos + dy * self.sin,
                              self.cy - dx * self.sin + dy * self.cos)


def regular_points(cx, cy, radius, count, start_degrees=-90.0):
    step = 2 * math.pi / count
    start = math.radians(start_degrees)
    return [(cx + radius * math.cos(start + i * step), cy + radius * math.sin(start + i * step))
            for i in range(count)]


def gear(cx, cy, outer, inner, teeth, hole):
    points = []
    for i in range(teeth * 4):
        angle = 2 * math.pi * (i - 0.5) / (teeth * 4)
        r = outer if (i % 4) in (0, 1) else inner
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    return Polygon(points) - Circle(cx, cy, hole)


# ---- paints -----------------------------------------------------------------

def _stop_colour(stops, t):
    t = clamp(t)
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 0.0)
    return stops[-1][1]


def _stops(colours):
    if isinstance(colours[0], str):
        n = len(colours) - 1
        return [(i / n, hex_colour(c)) for i, c in enumerate(colours)]
    return [(t, hex_colour(c)) for t, c in colours]


def solid(colour):
    rgb = hex_colour(colour) if isinstance(colour, str) else colour
    return lambda x, y: rgb


def linear(x0, y0, x1, y1, colours):
    stops = _stops(colours)
    ex, ey = x1 - x0, y1 - y0
    length2 = ex * ex + ey * ey
    return lambda x, y: _stop_colour(stops, ((x - x0) * ex + (y - y0) * ey) / length2)


def radial(cx, cy, r, colours):
    stops = _stops(colours)
    return lambda x, y: _stop_colour(stops, math.hypot(x - cx, y - cy) / r)


# ---- canvas -----------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA floats; `scale` maps design units to pixels."""

    def __init__(self, width, height, scale=1.0):
        self.width, self.height, self.scale = width, height, scale
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, paint, opacity=1.0):
        if isinstance(paint, str):
            paint = solid(paint)
        s = self.scale
        x0, y0, x1, y1 = shape.bbox
        px0, py0 = max(int(math.floor(x0 * s)) - 1, 0), max(int(math.floor(y0 * s)) - 1, 0)
        px1, py1 = min(int(math.ceil(x1 * s)) + 1, self.width), min(int(math.ceil(y1 * s)) + 1, self.height)
        for py in range(py0, py1):
            y = (py + 0.5) / s
            row = py * self.width
            for px in range(px0, px1):
                x = (px + 0.5) / s
                coverage = clamp(0.5 - shape.sdf(x, y) * s)
                if coverage <= 0.0:
                    continue
                self._blend(row + px, paint(x, y), coverage * opacity)

    def _blend(self, index, rgb, alpha):
        pixel = self.pixels[index]
        keep = 1.0 - alpha
        pixel[0] = rgb[0] * alpha + pixel[0] * keep
        pixel[1] = rgb[1] * alpha + pixel[1] * keep
        pixel[2] = rgb[2] * alpha + pixel[2] * keep
        pixel[3] = alpha + pixel[3] * keep

    def outlined(self, shape, paint, outline='#262b33', width=1.5):
        """Fill a shape with a dark edge of the given width lying inside it."""
        self.fill(shape, outline)
        self.fill(shape.grow(-width), paint)

    def paste_rgba(self, rgba_bytes, width, height, left, top, opacity=1.0):
        """Lay straight-alpha RGBA bytes (for example rendered text) over the canvas."""
        for y in range(height):
            cy = top + y
            if not 0 <= cy < self.height:
                continue
            for x in range(width):
                cx = left + x
                if not 0 <= cx < self.width:
                    continue
                i = (y * width + x) * 4
                a = rgba_bytes[i + 3] / 255.0 * opacity
                if a > 0.0:
                    rgb = (rgba_bytes[i] / 255.0, rgba_bytes[i + 1] / 255.0, rgba_bytes[i + 2] / 255.0)
                    self._blend(cy * self.width + cx, rgb, a)

    def flatten(self, background):
        """RGB bytes of the canvas laid over an opaque background colour."""
        bg = hex_colour(background) if isinstance(background, str) else background
        out = bytearray()
        for r, g, b, a in self.pixels:
            keep = 1.0 - a
            out += bytes(int(round(clamp(c + k * keep) * 255)) for c, k in zip((r, g, b), bg))
        return out

    def alpha(self):
        return [p[3] for p in self.pixels]

    def rgba_bytes(self):
        """Straight (not premultiplied) RGBA bytes, for icons."""
        out = bytearray()
        for r, g, b, a in self.pixels:
            if a <= 0.0:
                out += b'\0\0\0\0'
                continue
            out += bytes(int(round(clamp(c / a) * 255)) for c in (r, g, b))
            out.append(int(round(clamp(a) * 255)))
        return out
