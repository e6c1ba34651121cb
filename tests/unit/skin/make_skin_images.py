#!/usr/bin/env python3
"""Writes the test images of the skin image readers, each with the pixels it
must decode to, computed here from the same source numbers (not by the code
under test).

    make_skin_images.py OUTDIR

OUTDIR/images.txt lists "NAME KIND" (KIND png, bmp or dib). NAME.expect holds
"refuse", or "W H ALPHA" and a second line of W*H hexadecimal words 0xAARRGGBB,
top row first. ALPHA is 1 when the decoder must report an alpha channel.
"""
import os
import struct
import sys
import zlib


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def pack_row(samples, depth):
    if depth == 8:
        return bytes(samples)
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    out, acc, used = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        used += depth
        if used == 8:
            out.append(acc)
            acc, used = 0, 0
    if used:
        out.append(acc << (8 - used))
    return bytes(out)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png_bytes(width, height, depth, color_type, rows, extra=b"", interlace=False):
    """rows: list of rows, each a list of per-pixel sample tuples."""
    raw = bytearray()
    if interlace:
        for x0, y0, dx, dy in ADAM7:
            xs = list(range(x0, width, dx))
            if not xs:
                continue
            for y in range(y0, height, dy):
                raw += b"\0" + pack_row([s for x in xs for s in rows[y][x]], depth)
    else:
        for row in rows:
            raw += b"\0" + pack_row([s for px in row for s in px], depth)
    ihdr = struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, 1 if interlace else 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + extra +
            png_chunk(b"IDAT", zlib.compress(bytes(raw))) + png_chunk(b"IEND", b""))


def argb(a, r, g, b):
    return (a << 24) | (r << 16) | (g << 8) | b


def grid(width, height, fn):
    return [[fn(x, y) for x in range(width)] for y in range(height)]


def png_cases():
    cases = {}
    w, h = 5, 3
    rgba = grid(w, h, lambda x, y: (40 * x, 60 * y + 10, 200 - 30 * x, [0, 128, 255, 17, 255][x]))
    cases["png_rgba8"] = (png_bytes(w, h, 8, 6, rgba), w, h, 1, [argb(p[3], p[0], p[1], p[2]) for r in rgba for p in r])
    rgb = [[p[:3] for p in r] for r in rgba]
    cases["png_rgb8"] = (png_bytes(w, h, 8, 2, rgb), w, h, 0, [argb(0, *p) for r in rgb for p in r])
    rgb16 = [[tuple(v * 257 for v in p) for p in r] for r in rgba]
    cases["png_rgba16"] = (png_bytes(w, h, 16, 6, rgb16), w, h, 1,
                           [argb(p[3], p[0], p[1], p[2]) for r in rgba for p in r])

    palette = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (10, 20, 30)]
    index = grid(w, h, lambda x, y: ((x + y) % 4,))
    plte = png_chunk(b"PLTE", bytes(c for p in palette for c in p))
    trns_alpha = [0, 100]
    cases["png_palette8_trns"] = (
        png_bytes(w, h, 8, 3, index, plte + png_chunk(b"tRNS", bytes(trns_alpha))), w, h, 1,
        [argb(trns_alpha[i[0]] if i[0] < 2 else 255, *palette[i[0]]) for r in index for i in r])
    cases["png_palette2"] = (png_bytes(w, h, 2, 3, index, plte), w, h, 0,
                             [argb(0, *palette[i[0]]) for r in index for i in r])

    for depth in (1, 2, 4):
        top = (1 << depth) - 1
        grey = grid(7, 2, lambda x, y: ((x + 3 * y) % (top + 1),))
        cases["png_grey%d" % depth] = (png_bytes(7, 2, depth, 0, grey), 7, 2, 0,
                                       [argb(0, *(3 * (g[0] * 255 // top,))) for r in grey for g in r])
    grey_alpha = grid(w, h, lambda x, y: (30 * x + y, 255 - 50 * x))
    cases["png_grey_alpha8"] = (png_bytes(w, h, 8, 4, grey_alpha), w, h, 1,
                                [argb(p[1], p[0], p[0], p[0]) for r in grey_alpha for p in r])
    grey8 = grid(w, h, lambda x, y: (x * 10,))
    cases["png_grey8_trns"] = (png_bytes(w, h, 8, 0, grey8, png_chunk(b"tRNS", struct.pack(">H", 20))), w, h, 1,
                               [argb(0 if g[0] == 20 else 255, g[0], g[0], g[0]) for r in grey8 for g in r])
    key = rgb[1][2]
    cases["png_rgb8_trns"] = (png_bytes(w, h, 8, 2, rgb, png_chunk(b"tRNS", struct.pack(">HHH", *key))), w, h, 1,
                              [argb(0 if p == key else 255, *p) for r in rgb for p in r])

    iw, ih = 9, 7
    inter = grid(iw, ih, lambda x, y: (x * 25, y * 30, (x * y) % 256, 255 - x * y))
    cases["png_interlaced"] = (png_bytes(iw, ih, 8, 6, inter, interlace=True), iw, ih, 1,
                               [argb(p[3], p[0], p[1], p[2]) for r in inter for p in r])

    ramp = grid(8, 1, lambda x, y: (x * 36, x * 30, x * 20))
    def gamma(v, file_gamma):
        return round(255 * (v / 255) ** (1 / (file_gamma * 2.2)))
    cases["png_gama_linear"] = (png_bytes(8, 1, 8, 2, ramp, png_chunk(b"gAMA", struct.pack(">I", 100000))), 8, 1, 0,
                                [argb(0, *(gamma(v, 1.0) for v in p)) for r in ramp for p in r])
    cases["png_gama_display"] = (png_bytes(8, 1, 8, 2, ramp, png_chunk(b"gAMA", struct.pack(">I", 45455))), 8, 1, 0,
                                 [argb(0, *p) for r in ramp for p in r])
    # A background colour is a hint for viewers; the skin keeps its transparency.
    cases["png_bkgd_keeps_alpha"] = (png_bytes(w, h, 8, 6, rgba, png_chunk(b"bKGD", struct.pack(">HHH", 9, 9, 9))),
                                     w, h, 1, [argb(p[3], p[0], p[1], p[2]) for r in rgba for p in r])

    good = cases["png_rgba8"][0]
    huge = bytearray(good)
    huge[16:24] = struct.pack(">II", 100000, 3)
    huge[29:33] = struct.pack(">I", zlib.crc32(bytes(huge[12:29])) & 0xFFFFFFFF)
    bad_crc = bytearray(good)
    bad_crc[20] ^= 1
    refused = {
        "png_truncated": good[: len(good) - 20],
        "png_signature_only": good[:8],
        "png_huge": bytes(huge),
        "png_bad_header_crc": bytes(bad_crc),
        "png_no_idat": good[:33] + png_chunk(b"IEND", b""),
    }
    return cases, refused


def dib_bytes(width, height, bits, pixels, header_size=40, compression=0, palette=None, top_down=False,
              masks=None, colors_used=0, planes=1):
    """pixels: rows top-down of ARGB words (bits >= 24) or palette indices."""
    stride = (bits * width + 31) // 32 * 4
    rows = []
    for row in pixels:
        if bits == 32:
            if masks:
                data = b"".join(struct.pack("<I", encode_masked(p, masks)) for p in row)
            else:
                data = b"".join(struct.pack("<I", p) for p in row)
        elif bits == 24:
            data = b"".join(struct.pack("<I", p)[:3] for p in row)
        else:
            data = pack_row(row, bits)
        rows.append(data + b"\0" * (stride - len(data)))
    if not top_down:
        rows.reverse()
    header = struct.pack("<IiiHHIIiiII", header_size, width, -height if top_down else height, planes, bits,
                         compression, stride * height, 2835, 2835, colors_used, 0)
    if header_size > 40:
        m = (masks or (0, 0, 0, 0)) + (0,) * (4 - len(masks or ()))
        header += struct.pack("<IIII", *m[:4]) + b"\0" * (header_size - 56)
    elif compression == 3:
        header += struct.pack("<III", *masks[:3])
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 0) for c in (palette or []))
    return header + table + b"".join(rows)


def encode_masked(p, masks):
    if len(masks) == 3:  # the byte no colour mask covers holds alpha
        masks = masks + (0xFF000000 & ~(masks[0] | masks[1] | masks[2]),)
    a, r, g, b = p >> 24, (p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF
    word = 0
    for value, mask in zip((r, g, b, a), masks + (0,) * (4 - len(masks))):
        if mask:
            shift = (mask & -mask).bit_length() - 1
            word |= (value << shift) & mask
    return word


def bmp_file(dib, gap=0):
    header_size = struct.unpack_from("<I", dib)[0]
    bits = struct.unpack_from("<H", dib, 14)[0]
    compression = struct.unpack_from("<I", dib, 16)[0]
    colors = struct.unpack_from("<I", dib, 32)[0] or (1 << bits if bits <= 8 else 0)
    table_end = header_size + (12 if compression == 3 and header_size == 40 else 0) + 4 * colors
    body = dib[:table_end] + b"\0" * gap + dib[table_end:]
    offset = 14 + table_end + gap
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def dib_cases():
    cases = {}
    w, h = 5, 3
    straight = grid(w, h, lambda x, y: argb([0, 128, 255, 17, 255][x], 40 * x, 60 * y + 10, 200 - 30 * x))
    flat = [p for r in straight for p in r]
    opaque = [p | 0xFF000000 for p in flat]
    rgb_masks = (0xFF0000, 0xFF00, 0xFF)
    argb_masks = (0xFF0000, 0xFF00, 0xFF, 0xFF000000)
    cases["dib40_32_rgb"] = ("dib", dib_bytes(w, h, 32, straight), w, h, 1, flat)
    cases["dib40_32_bitfields"] = ("dib", dib_bytes(w, h, 32, straight, compression=3, masks=rgb_masks), w, h, 1, flat)
    swapped = (0xFF, 0xFF00, 0xFF0000, 0xFF000000)
    cases["dib108_32_bitfields_topdown"] = ("dib", dib_bytes(w, h, 32, straight, 108, 3, masks=swapped, top_down=True),
                                            w, h, 1, flat)
    cases["dib124_32_bitfields"] = ("dib", dib_bytes(w, h, 32, straight, 124, 3, masks=argb_masks), w, h, 1, flat)
    cases["dib124_32_no_alpha_mask"] = ("dib", dib_bytes(w, h, 32, straight, 124, 3, masks=rgb_masks), w, h, 1, opaque)
    cases["dib124_24"] = ("dib", dib_bytes(w, h, 24, straight, 124), w, h, 0, opaque)
    cases["dib40_24_topdown"] = ("dib", dib_bytes(3, 2, 24, [r[:3] for r in straight[:2]], top_down=True), 3, 2, 0,
                                 [p | 0xFF000000 for r in straight[:2] for p in r[:3]])
    palette = [0x102030, 0xFF0000, 0x00FF00, 0x0000FF, 0xABCDEF] + [i * 0x010101 for i in range(251)]
    for bits, count, header in ((8, 0, 40), (4, 5, 40), (1, 0, 40), (8, 0, 124)):
        n = count or (1 << bits)
        idx = grid(7, 3, lambda x, y: (x + 2 * y) % min(n, 5))
        table = palette[:n] if n <= len(palette) else palette + [0] * (n - len(palette))
        cases["dib%d_%d_palette" % (header, bits)] = (
            "dib", dib_bytes(7, 3, bits, idx, header, palette=table, colors_used=count), 7, 3, 0,
            [0xFF000000 | table[i] for r in idx for i in r])
    idx8 = grid(7, 3, lambda x, y: (x + 2 * y) % 5)
    cases["bmp_8"] = ("bmp", bmp_file(dib_bytes(7, 3, 8, idx8, palette=palette)), 7, 3, 0,
                      [0xFF000000 | palette[i] for r in idx8 for i in r])
    cases["bmp_24_gap"] = ("bmp", bmp_file(dib_bytes(w, h, 24, straight), gap=6), w, h, 0, opaque)
    cases["bmp_32"] = ("bmp", bmp_file(dib_bytes(w, h, 32, straight)), w, h, 1, flat)

    good = dib_bytes(w, h, 24, straight)
    def patched(offset, fmt, value, data=good):
        out = bytearray(data)
        struct.pack_into(fmt, out, offset, value)
        return bytes(out)
    idx8_table = dib_bytes(7, 3, 8, idx8, palette=palette)
    refused = {
        "dib_16bit": ("dib", patched(14, "<H", 16)),
        "dib_rle8": ("dib", patched(16, "<I", 1, idx8_table)),
        "dib_planes2": ("dib", patched(12, "<H", 2)),
        "dib_too_many_colors": ("dib", patched(32, "<I", 300, idx8_table)),
        "dib_truncated": ("dib", good[:-1]),
        "dib_width0": ("dib", patched(4, "<i", 0)),
        "dib_height_min": ("dib", patched(8, "<i", -2 ** 31)),
        "dib_huge": ("dib", patched(4, "<i", 100000)),
        "dib_core_header": ("dib", patched(0, "<I", 12)),
        "dib_header64": ("dib", patched(0, "<I", 64)),
        "dib_bitfields24": ("dib", patched(16, "<I", 3)),
        "dib_mask_gaps": ("dib", dib_bytes(w, h, 32, straight, 40, 3, masks=(0xF0F000, 0xFF00, 0xFF))),
        "dib_header_only": ("dib", good[:40]),
        "bmp_offset_into_header": ("bmp", patched(10, "<I", 20, bmp_file(good))),
        "bmp_offset_past_end": ("bmp", patched(10, "<I", 100000, bmp_file(good))),
        "bmp_not_bm": ("bmp", b"XX" + bmp_file(good)[2:]),
    }
    return cases, refused


def write_all(out):
    os.makedirs(out, exist_ok=True)
    listing = []
    def write(name, kind, data, expect):
        with open(os.path.join(out, "%s.%s" % (name, kind)), "wb") as f:
            f.write(data)
        with open(os.path.join(out, name + ".expect"), "w") as f:
            f.write(expect)
        listing.append("%s %s" % (name, kind))
    png_ok, png_refused = png_cases()
    for name, (data, w, h, alpha, words) in png_ok.items():
        write(name, "png", data, "%d %d %d\n%s\n" % (w, h, alpha, " ".join("%08x" % v for v in words)))
    for name, data in png_refused.items():
        write(name, "png", data, "refuse\n")
    dib_ok, dib_refused = dib_cases()
    for name, (kind, data, w, h, alpha, words) in dib_ok.items():
        write(name, kind, data, "%d %d %d\n%s\n" % (w, h, alpha, " ".join("%08x" % v for v in words)))
    for name, (kind, data) in dib_refused.items():
        write(name, kind, data, "refuse\n")
    with open(os.path.join(out, "images.txt"), "w") as f:
        f.write("\n".join(listing) + "\n")


if __name__ == "__main__":
    write_all(sys.argv[1])
