"""Reading skin images back for checks and previews: a PNG decoder (8-bit RGB
and RGBA, every filter), frames, compositing and the nine-grid stretch."""
import struct
import zlib


class Image:
    """Straight-alpha RGBA pixels, rows top-down: pixels[y * width + x] = (r, g, b, a), 0..255."""

    def __init__(self, width, height, pixels=None):
        self.width, self.height = width, height
        self.pixels = pixels if pixels is not None else [(0, 0, 0, 0)] * (width * height)

    def at(self, x, y):
        return self.pixels[y * self.width + x]

    def crop(self, x0, y0, x1, y1):
        return Image(x1 - x0, y1 - y0, [self.pixels[y * self.width + x] for y in range(y0, y1) for x in range(x0, x1)])

    def frame(self, index, count):
        """Frame `index` (0-based) of `count` stacked vertically."""
        h = self.height // count
        return self.crop(0, index * h, self.width, (index + 1) * h)

    def unpremultiplied(self):
        def straight(p):
            r, g, b, a = p
            if a == 0:
                return (0, 0, 0, 0)
            return (min(255, round(r * 255 / a)), min(255, round(g * 255 / a)), min(255, round(b * 255 / a)), a)
        return Image(self.width, self.height, [straight(p) for p in self.pixels])


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG file')
    pos, idat, header = 8, b'', None
    while pos + 8 <= len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            raise ValueError('PNG chunk runs past the end')
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        elif kind == b'IEND':
            break
        pos += 12 + length
    if header is None:
        raise ValueError('PNG without IHDR')
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace:
        raise ValueError('only 8-bit RGB or RGBA, not interlaced')
    channels = 4 if colour_type == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up, corner = previous[i], previous[i - channels] if i >= channels else 0
            line[i] = (line[i] + (0, left, up, (left + up) // 2, _paeth(left, up, corner))[kind]) & 0xFF
        rows.append(line)
        previous = line
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            pixels.append(tuple(px) if channels == 4 else (px[0], px[1], px[2], 255))
    return Image(width, height, pixels)


def over(pixel, backdrop):
    """A straight-alpha pixel laid over an opaque (r, g, b) backdrop."""
    r, g, b, a = pixel
    t = a / 255.0
    return tuple(round(c * t + k * (1 - t)) for c, k in zip((r, g, b), backdrop))


def flattened(image, backdrop):
    return [over(p, backdrop) for p in image.pixels]


def blit(target, source, left, top):
    """Source-over of a straight-alpha image onto an opaque target Image."""
    for y in range(source.height):
        ty = top + y
        if not 0 <= ty < target.height:
            continue
        for x in range(source.width):
            tx = left + x
            if 0 <= tx < target.width:
                p = source.pixels[y * source.width + x]
                if p[3]:
                    i = ty * target.width + tx
                    target.pixels[i] = over(p, target.pixels[i][:3]) + (255,)


def _axis(size, near, far, dest):
    """Source index for every destination index along one axis of a nine-grid."""
    if near + far >= dest:
        near = dest * near // max(near + far, 1)
        far = dest - near
    middle_src, middle_dst = size - near - far, dest - near - far
    out = []
    for i in range(dest):
        if i < near:
            out.append(i)
        elif i >= dest - far:
            out.append(size - (dest - i))
        else:
            out.append(near + (i - near) * max(middle_src, 1) // max(middle_dst, 1))
    return out


def nine_grid(frame, width, height, margins):
    """The frame stretched to width x height keeping its margins (left, right, top, bottom)."""
    left, right, top, bottom = margins
    xs = _axis(frame.width, left, right, width)
    ys = _axis(frame.height, top, bottom, height)
    return Image(width, height, [frame.pixels[sy * frame.width + sx] for sy in ys for sx in xs])
