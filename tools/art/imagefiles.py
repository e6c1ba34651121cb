"""Writers for the file formats the resource compiler takes: Windows BMP v3
(uncompressed, bottom-up) at 24 or 4 bits per pixel and ICO with 32-bit
entries. Pixels are passed as top-down RGB (or RGBA) byte strings.
"""
import struct
import zlib


def _bmp_file(width, height, bit_count, palette, rows_bottom_up):
    stride = ((width * bit_count + 31) // 32) * 4
    image = bytearray()
    for row in rows_bottom_up:
        image += row + b'\0' * (stride - len(row))
    colour_table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(image), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bit_count, 0, len(image),
                       2835, 2835, len(palette), len(palette))
    return header + info + colour_table + bytes(image)


def bmp24(width, height, rgb):
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            i = (y * width + x) * 3
            row += bytes((rgb[i + 2], rgb[i + 1], rgb[i]))
        rows.append(bytes(row))
    return _bmp_file(width, height, 24, [], rows)


def bmp4(width, height, indices, palette):
    if len(palette) > 16:
        raise ValueError('a 4-bit bitmap holds at most 16 colours')
    palette = list(palette) + [(0, 0, 0)] * (16 - len(palette))
    rows = []
    for y in reversed(range(height)):
        line = indices[y * width:(y + 1) * width]
        if len(line) % 2:
            line = list(line) + [0]
        rows.append(bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2)))
    return _bmp_file(width, height, 4, palette, rows)


def _png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png_rgba(width, height, rgba):
    """A minimal PNG without time stamps, so that regenerating gives the same bytes."""
    raw = b''.join(b'\0' + bytes(rgba[y * width * 4:(y + 1) * width * 4]) for y in range(height))
    return (b'\x89PNG\r\n\x1a\n'
            + _png_chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
            + _png_chunk(b'IDAT', zlib.compress(raw, 9))
            + _png_chunk(b'IEND', b''))


def _icon_dib(size, rgba):
    """A 32-bit icon image: BGRA rows bottom-up, then an AND mask that agrees with alpha."""
    pixels = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            i = (y * size + x) * 4
            pixels += bytes((rgba[i + 2], rgba[i + 1], rgba[i], rgba[i + 3]))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if rgba[(y * size + x) * 4 + 3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + bytes(pixels) + bytes(mask)


def ico(images):
    """images: list of (size, rgba). Sizes of 256 are stored as PNG, the rest as DIBs."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        blob = png_rgba(size, size, rgba) if size >= 256 else _icon_dib(size, rgba)
        dim = 0 if size >= 256 else size
        entries.append(struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs)


# ---- colour reduction -------------------------------------------------------

def _median_cut(colours, count):
    boxes = [colours]
    while len(boxes) < count:
        splittable = [b for b in boxes if len(set(b)) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: len(b) * max(
            max(c[k] for c in b) - min(c[k] for c in b) for k in range(3)))
        boxes.remove(box)
        channel = max(range(3), key=lambda k: max(c[k] for c in box) - min(c[k] for c in box))
        box.sort(key=lambda c: c[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[k] for c in b) / len(b)) for k in range(3)) for b in boxes]


def _refine(colours, palette, rounds=10):
    """A few k-means rounds over the distinct colours, weighted by their counts:
    median cut alone leaves small saturated areas (a red button) muddy."""
    counts = {}
    for colour in colours:
        counts[colour] = counts.get(colour, 0) + 1
    centres = [list(map(float, p)) for p in palette]
    for _ in range(rounds):
        sums = [[0.0, 0.0, 0.0, 0] for _ in centres]
        for colour, n in counts.items():
            k = min(range(len(centres)), key=lambda i: sum((colour[c] - centres[i][c]) ** 2 for c in range(3)))
            total = sums[k]
            for c in range(3):
                total[c] += colour[c] * n
            total[3] += n
        centres = [[t[c] / t[3] for c in range(3)] if t[3] else old for t, old in zip(sums, centres)]
    return [tuple(int(round(v)) for v in centre) for centre in centres]


def reduce_keeping(width, height, rgb, key, count):
    """Indices and palette of at most `count` colours. Pixels of the key colour
    keep it exactly (entry 0) and no other pixel is mapped to it, so the key
    stays a clean transparent colour. The other pixels are error-diffused
    among themselves only."""
    pixels = [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
    others = [p for p in pixels if p != key]
    palette = [key] + _refine(others, _median_cut(list(others), count - 1))
    work = [list(map(float, p)) for p in pixels]
    indices = [0] * len(pixels)
    for y in range(height):
        for x in range(width):
            i = y * width + x
            if pixels[i] == key:
                continue
            want = work[i]
            best = min(range(1, len(palette)),
                       key=lambda k: sum((want[c] - palette[k][c]) ** 2 for c in range(3)))
            indices[i] = best
            error = [want[c] - palette[best][c] for c in range(3)]
            for dx, dy, share in ((1, 0, 7 / 16), (-1, 1, 3 / 16), (0, 1, 5 / 16), (1, 1, 1 / 16)):
                nx, ny = x + dx, y + dy
                if 0 <= nx < width and ny < height and pixels[ny * width + nx] != key:
                    target = work[ny * width + nx]
                    for c in range(3):
                        target[c] += error[c] * share * 0.6
    return indices, palette
