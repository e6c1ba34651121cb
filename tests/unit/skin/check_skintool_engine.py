#!/usr/bin/env python3
"""Checks skintool's engine commands under Wine against the test skins.

    check_skintool_engine.py SKINS_DIR MODULE_UNIX_PATH WORK_DIR WINE_RUN SKINTOOL

images: every image the properties name is listed with the size and alpha
flag its expectation file gives, or as failed when it must be refused.
render: parts drawn through the engine into 24-bit BMP files equal pixels
computed here from the skin's own images (nine-grid mapping, premultiplied
over-operator within 1)."""
import os
import struct
import subprocess
import sys
import tempfile


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run(wine_run, skintool, *args):
    # Output goes to a file, not a pipe: a Wine process may start helpers
    # (the desktop process) that inherit a pipe and hold it open.
    with tempfile.TemporaryFile() as out:
        code = subprocess.call([wine_run, skintool, *args], stdin=subprocess.DEVNULL, stdout=out,
                               stderr=subprocess.DEVNULL)
        out.seek(0)
        return code, out.read().decode("latin-1").replace("\r\n", "\n")


def read_expect(path):
    with open(path) as f:
        first = f.readline().split()
        if first == ["refuse"]:
            return None
        words = [int(w, 16) for w in f.read().split()]
    return int(first[0]), int(first[1]), first[2] == "1", words


def read_bmp24(path):
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24, bits
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        row = data[offset + (height - 1 - y) * stride:]
        rows.append([(row[3 * x + 2] << 16) | (row[3 * x + 1] << 8) | row[3 * x] for x in range(width)])
    return width, height, rows


def source_index(d, dest, frame, near, far):
    if d < near:
        return d
    if d >= dest - far:
        return frame - (dest - d)
    middle = frame - near - far
    return near + (d - near) * middle // (dest - near - far)


def failures(label, got, want, tolerance=0):
    bad = 0
    for y, (grow, wrow) in enumerate(zip(got, want)):
        for x, (g, w) in enumerate(zip(grow, wrow)):
            if any(abs(((g >> s) & 255) - ((w >> s) & 255)) > tolerance for s in (0, 8, 16)):
                if bad < 3:
                    print("%s: pixel %d,%d is %06x, expected %06x" % (label, x, y, g, w))
                bad += 1
    return bad


def check_images(skins, module, wine_run, skintool):
    code, out = run(wine_run, skintool, "images", wine_path(module))
    if code != 0:
        print("images exited with", code)
        return 1
    listed = {}
    for line in out.splitlines():
        fields = line.split("\t")
        listed[fields[0]] = fields[1:]
    bad = 0
    for line in open(os.path.join(skins, "images", "images.txt")):
        name, kind = line.split()
        if kind == "bmp":
            continue
        key = "READERS\\%s.%s" % (name.upper(), "PNG" if kind == "png" else "BMP")
        expect = read_expect(os.path.join(skins, "images", name + ".expect"))
        fields = listed.get(key)
        if expect is None:
            ok = fields is not None and fields[0] == "failed"
        else:
            w, h, alpha, words = expect
            alphas = {p >> 24 for p in words}
            blends = alpha and (len(alphas) > 1 or not alphas <= {0, 255})
            ok = fields == [str(w), str(h), "alpha" if blends else "opaque"]
        if not ok:
            print("images: %s listed as %s" % (key, fields))
            bad += 1
    if listed.get("IMAGES\\MISSING.BMP", [""])[0] != "failed":
        print("images: the missing image is not reported")
        bad += 1
    return bad


def check_render(skins, module, work, wine_run, skintool):
    bad = 0
    out_bmp = os.path.join(work, "render.bmp")
    grid = read_expect(os.path.join(skins, "draw", "GRID.expect"))
    gw, gh, _, gwords = grid
    for args in (["BUTTON", "PUSHBUTTON", "NORMAL"], ["7", "1", "1"]):
        code, out = run(wine_run, skintool, "render", wine_path(module), "-", *args, "23", "17", wine_path(out_bmp),
                        "12", "34", "56")
        if code != 0 or out.split("\n")[-2] != "handled":
            print("render %s: exit %d, %r" % (args, code, out))
            bad += 1
            continue
        width, height, rows = read_bmp24(out_bmp)
        want = [[gwords[source_index(y, 17, gh, 3, 3) * gw + source_index(x, 23, gw, 3, 3)] & 0xFFFFFF
                 for x in range(23)] for y in range(17)]
        bad += failures("render %s" % args, rows, want)

    alpha = read_expect(os.path.join(skins, "draw", "ALPHA.expect"))
    aw, ah, _, awords = alpha
    code, out = run(wine_run, skintool, "render", wine_path(module), "normal.ini", "button", "checkbox", "1", "10",
                    "8", wine_path(out_bmp))
    width, height, rows = read_bmp24(out_bmp)
    left, top = (10 - aw) // 2, (8 - ah) // 2
    background = 0xFF00FF
    want = []
    for y in range(8):
        row = []
        for x in range(10):
            if left <= x < left + aw and top <= y < top + ah:
                p = awords[(y - top) * aw + x - left]
                a = p >> 24
                row.append(sum(((((p >> s) & 255) * a // 255) + (((background >> s) & 255) * (255 - a) + 127) // 255)
                               << s for s in (0, 8, 16)))
            else:
                row.append(background)
        want.append(row)
    bad += failures("render alpha", rows, want, 1)

    code, out = run(wine_run, skintool, "render", wine_path(module), "-", "TOOLBAR", "SPLITBUTTON", "1", "4", "4",
                    wine_path(out_bmp))
    if code != 0 or "not handled" not in out:
        print("render of a missing image: exit %d, %r" % (code, out))
        bad += 1
    return bad


def main():
    skins, module, work, wine_run, skintool = sys.argv[1:6]
    os.makedirs(work, exist_ok=True)
    bad = check_images(skins, module, wine_run, skintool) + check_render(skins, module, work, wine_run, skintool)
    print("skintool engine commands: %d failures" % bad)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
