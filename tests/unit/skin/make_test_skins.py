#!/usr/bin/env python3
"""Writes the test skins of the engine tests:

    make_test_skins.py OUTDIR

OUTDIR/module/   the files the resource scripts in skins/ compile into skin
                 modules (UTF-16LE property texts, images as raw DIB and PNG)
OUTDIR/folder/   a folder skin: skin.ini and image files of the same names
OUTDIR/alpha255/ a folder skin whose Documentation says AlphaLevel = 255
OUTDIR/draw/     NAME.expect for each drawing image: "W H ALPHA" and the
                 pixels 0xAARRGGBB as the image holds them (straight alpha)
OUTDIR/images/   the reader test images (see make_skin_images.py)
OUTDIR/probe/, OUTDIR/probe-module/  the probe skin (see make_probe_skin.py)
OUTDIR/frames/   a folder skin whose frame, caption button and scroll bar parts
                 are solid colours, one per state (FRAME_COLOURS below)
OUTDIR/frameimages/ a folder skin whose caption is a nine-grid PNG with alpha
OUTDIR/module/office.rc the Office2007 scroll bar images (OFFICE_IMAGES)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_skin_images as images  # noqa: E402
import make_probe_skin  # noqa: E402

MAGENTA = 0xFF00FF


def rgb(r, g, b):
    return (r << 16) | (g << 8) | b


def nine_regions(size, cell, colours, pattern_corners=True):
    """A size x size image of 3 x 3 cells; corners get a pattern of distinct
    pixels so that a copy in the wrong place shows."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            cx, cy = min(x // cell, 2), min(y // cell, 2)
            colour = colours[cy * 3 + cx]
            if pattern_corners and cx != 1 and cy != 1:
                colour = rgb(17 * x % 256, 29 * y % 256, (x * y * 7 + 40) % 256)
            row.append(0xFF000000 | colour)
        rows.append(row)
    return rows


def drawing_images():
    """name -> (file name, bytes for the folder, bytes for the module, kind, w, h, alpha, rows)."""
    out = {}
    grid = nine_regions(9, 3, [0, rgb(200, 0, 0), 0, rgb(0, 200, 0), rgb(0, 0, 200), rgb(200, 200, 0), 0,
                               rgb(0, 200, 200), 0])
    tile = [[0xFF000000 | rgb(20 * x + 10, 25 * y + 5, (x ^ y) * 30) for x in range(8)] for y in range(8)]
    keyed = [[0xFF000000 | (MAGENTA if (x + y) % 3 == 0 else rgb(50 * x, 60 * y, 90)) for x in range(4)]
             for y in range(4)]
    frames = [[0xFF000000 | [rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(9, 9, 9)][x // 4] for x in range(16)]
              for y in range(4)]
    alpha = [[((x * 50) % 256 if y != 1 else 0) << 24 | rgb(200, 40 * y, 30 * x) for x in range(6)] for y in range(4)]
    opaque32 = [[0xFF000000 | rgb(3 * x, 100, 7 * y) for x in range(5)] for y in range(3)]
    zero32 = [[rgb(3 * x, 100, 7 * y) for x in range(5)] for y in range(3)]
    for name, rows, bits in (("GRID", grid, 24), ("TILE", tile, 24), ("KEYED", keyed, 24), ("FRAMES", frames, 24),
                             ("OPAQUE32", opaque32, 32), ("ZERO32", zero32, 32)):
        dib = images.dib_bytes(len(rows[0]), len(rows), bits, rows)
        out[name] = (name + ".BMP", images.bmp_file(dib), dib, "2", len(rows[0]), len(rows), bits == 32, rows)
    large = [[0xFF000000 | rgb((x * 7 + y) & 255, (x * y) & 255, (y * 3) & 255) for x in range(800)]
             for y in range(600)]
    dib = images.dib_bytes(800, 600, 24, large)
    out["LARGE"] = ("LARGE.BMP", images.bmp_file(dib), dib, "2", 800, 600, False, None)
    large_png = [[(x & 255, y & 255, (x ^ y) & 255, (x + y) & 255) for x in range(1024)] for y in range(512)]
    png = images.png_bytes(1024, 512, 8, 6, large_png)
    out["LARGEPNG"] = ("LARGE.PNG", png, png, "PNG", 1024, 512, True, None)
    png_rows = [[((p >> 16) & 255, (p >> 8) & 255, p & 255, p >> 24) for p in r] for r in alpha]
    png = images.png_bytes(6, 4, 8, 6, png_rows)
    out["ALPHA"] = ("ALPHA.PNG", png, png, "PNG", 6, 4, True, alpha)
    return out


PROPERTIES = r"""; Test skin of the engine tests
[Documentation]
DisplayName = Engine test skin

[SysMetrics]
BtnFace = 1 2 3
Window = 250 240 230
CaptionBarHeight = 30
SmCaptionBarHeight = 100000
ScrollbarWidth = 99999
ScrollbarHeight = 21
CaptionFont = Tahoma, 9, Bold

[Button.PushButton]
ImageFile = Images\Grid.bmp
SizingMargins = 3, 3, 3, 3

[Button.PushButton(Hot)]
BorderOnly = True

[Button.PushButton(Pressed)]
SizingMargins = 3, 3, 3, 3
ImageFile = Images\Grid.bmp
BorderOnly = 7

[Button.RadioButton]
ImageFile = Images\Tile.bmp
SizingMargins = 2, 2, 2, 2
SizingType = Tile

[Button.CheckBox]
ImageFile = Images\Alpha.png
SizingType = TrueSize

[Button.GroupBox]
ImageFile = Images\Keyed.bmp
SizingType = TrueSize
Transparent = True

[Button.UserButton]
ImageFile = Images\Frames.bmp
ImageCount = 4
ImageLayout = Horizontal

[Window.FrameLeft]
ImageFile = Images\Grid.bmp
SizingMargins = 3, 3, 3, 3
BorderOnly = True

[Toolbar.Button]
BgType = None

[Toolbar.DropDownButton]
BgType = BorderFill
BorderSize = 2
BorderColor = 10 20 30
FillColor = 200 100 50

[Toolbar.SplitButton]
ImageFile = Images\Missing.bmp

[Status.Pane]
ImageFile = Images\Opaque32.bmp
SizingType = TrueSize

[Status.GripperPane]
ImageFile = Images\Zero32.bmp
SizingType = TrueSize

[Trackbar.Track]
ImageFile = Images\Large.png
SizingMargins = 10, 10, 10, 10

[Trackbar.Thumb]
ImageFile = Images\Large.bmp
SizingMargins = 20, 20, 20, 20
SizingType = Tile

[Spin.UpHorz]
ImageFile = Images\Keyed.bmp
SizingType = TrueSize
MirrorImage = False

[Spin.DownHorz]
ImageFile = Images\Keyed.bmp
SizingType = TrueSize

[Header.HeaderItem]
ImageFile = Images\Frames.bmp
ImageCount = 4
GlyphType = ImageGlyph
GlyphImageFile = Images\Keyed.bmp
GlyphTransparent = True
ContentMargins = 2, 0, 0, 0

[Status.Gripper]
TextColor = 0 0 255
TextShadowType = Single
TextShadowOffset = 2, 2
TextShadowColor = 255 0 0
"""


def utf16(text, bom):
    data = text.replace("\n", "\r\n").encode("utf-16-le")
    return (b"\xff\xfe" if bom else b"") + data


def loader_sections(cases):
    """Property lines naming every reader test image, eight to a section."""
    sections = ["Progress.Bar", "Progress.BarVert", "Progress.Chunk", "Progress.ChunkVert", "Tab.TabItem",
                "Tab.Pane", "Tab.Body", "Header.HeaderItem", "Spin.Up", "Spin.Down", "Edit.EditText"]
    keys = ["ImageFile", "ImageFile1", "ImageFile2", "ImageFile3", "ImageFile4", "ImageFile5", "GlyphImageFile",
            "StockImageFile"]
    lines = []
    for index, name in enumerate(cases):
        if index % len(keys) == 0:
            lines.append("\n[%s]" % sections[index // len(keys)])
        lines.append("%s = Readers\\%s" % (keys[index % len(keys)], name))
    return "\n".join(lines) + "\n"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# Solid colours of the frames skin: part -> colour per state, top to bottom.
FRAME_COLOURS = {
    "Caption": [rgb(200, 30, 40), rgb(90, 95, 100)],
    "Left": [rgb(10, 120, 30), rgb(15, 60, 20)],
    "Right": [rgb(20, 130, 140), rgb(25, 65, 70)],
    "Bottom": [rgb(140, 20, 150), rgb(70, 25, 75)],
    "Close": [rgb(250, 210, 10), rgb(250, 120, 10), rgb(160, 60, 10), rgb(120, 120, 120)],
    "Buttons": [rgb(30, 40, 220), rgb(60, 160, 250), rgb(10, 20, 110), rgb(140, 140, 150)],
    "Arrows": [rgb(16 * i + 5, 255 - 12 * i, 40 + 7 * i) for i in range(16)],
    "TrackLow": [rgb(210, 190, 170), rgb(211, 191, 171), rgb(212, 192, 172), rgb(213, 193, 173)],
    "TrackHigh": [rgb(170, 190, 210), rgb(171, 191, 211), rgb(172, 192, 212), rgb(173, 193, 213)],
    "Thumb": [rgb(70, 20, 20), rgb(90, 20, 20), rgb(110, 20, 20), rgb(130, 20, 20)],
}

FRAMES_PROPERTIES = r"""[SysMetrics]
CaptionBarHeight = 29
ScrollbarWidth = 18
ScrollbarHeight = 18
CaptionText = 255 255 254
InactiveCaptionText = 1 1 2

[Window.Caption]
ImageFile = Frames\Caption.bmp
ImageCount = 2
ImageLayout = Vertical

[Window.FrameLeft]
ImageFile = Frames\Left.bmp
ImageCount = 2
ImageLayout = Vertical

[Window.FrameRight]
ImageFile = Frames\Right.bmp
ImageCount = 2
ImageLayout = Vertical

[Window.FrameBottom]
ImageFile = Frames\Bottom.bmp
ImageCount = 2
ImageLayout = Vertical

[Window.CloseButton]
ImageFile = Frames\Close.bmp
ImageCount = 4
ImageLayout = Vertical

[Window.MaxButton]
ImageFile = Frames\Buttons.bmp
ImageCount = 4
ImageLayout = Vertical

[Window.MinButton]
ImageFile = Frames\Buttons.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.ArrowBtn]
ImageFile = Frames\Arrows.bmp
ImageCount = 16
ImageLayout = Vertical

[Scrollbar.LowerTrackVert]
ImageFile = Frames\TrackLow.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.UpperTrackVert]
ImageFile = Frames\TrackHigh.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.LowerTrackHorz]
ImageFile = Frames\TrackLow.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.UpperTrackHorz]
ImageFile = Frames\TrackHigh.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.ThumbBtnVert]
ImageFile = Frames\Thumb.bmp
ImageCount = 4
ImageLayout = Vertical

[Scrollbar.ThumbBtnHorz]
ImageFile = Frames\Thumb.bmp
ImageCount = 4
ImageLayout = Vertical
"""

# The image skin's caption: 12 x 12 per state with a 4-pixel border, the two
# top corner pixels fully transparent, the centre half transparent.
CAPTION_CENTRE = [(0x80, rgb(40, 200, 120)), (0x80, rgb(200, 120, 40))]
CAPTION_EDGE = [rgb(10, 20, 30), rgb(30, 20, 10)]

FRAMEIMAGES_PROPERTIES = r"""[SysMetrics]
CaptionBarHeight = 25
ActiveCaption = 0 0 255
InactiveCaption = 255 0 0

[Window.Caption]
ImageFile = Caption.png
ImageCount = 2
ImageLayout = Vertical
SizingMargins = 4, 4, 4, 4

; More frames than the image has rows: each frame is empty.
[Window.CloseButton]
ImageFile = Caption.png
ImageCount = 100
ImageLayout = Vertical
"""


def solid_stack(colours, width=12, height=8):
    return [[0xFF000000 | c for _ in range(width)] for c in colours for _ in range(height)]


def caption_png():
    rows = []
    for state in range(2):
        alpha, centre = CAPTION_CENTRE[state]
        for y in range(12):
            row = []
            for x in range(12):
                if y == 0 and (x == 0 or x == 11):
                    row.append((0, 0, 0, 0))
                elif 4 <= x < 8 and 4 <= y < 8:
                    row.append(((centre >> 16) & 255, (centre >> 8) & 255, centre & 255, alpha))
                else:
                    e = CAPTION_EDGE[state]
                    row.append(((e >> 16) & 255, (e >> 8) & 255, e & 255, 255))
            rows.append(row)
    return images.png_bytes(12, 24, 8, 6, rows)


# The Office2007 scroll bar images of the office test module: name ->
# (width, height, colours of the frames stacked top to bottom).
OFFICE_IMAGES = {
    "SCROLLTHUMBVERTICAL": (18, 72, [rgb(11, 12, 200), rgb(12, 13, 201), rgb(13, 14, 202)]),
    "SCROLLTHUMBHORIZONTAL": (24, 54, [rgb(11, 12, 200), rgb(12, 13, 201), rgb(13, 14, 202)]),
    "SCROLLVERTICALLIGHT": (18, 8, [rgb(220, 221, 1)]),
    "SCROLLVERTICALDARK": (18, 8, [rgb(120, 121, 2)]),
    "SCROLLHORIZONTALLIGHT": (8, 18, [rgb(220, 221, 1)]),
    "SCROLLHORIZONTALDARK": (8, 18, [rgb(120, 121, 2)]),
    "SCROLLARROWSVERTICALLIGHT": (18, 51, [rgb(1, 150, 151), rgb(2, 160, 161), rgb(3, 170, 171)]),
    "SCROLLARROWSVERTICALDARK": (18, 51, [rgb(4, 90, 91), rgb(5, 100, 101), rgb(6, 110, 111)]),
    "SCROLLARROWSHORIZONTALLIGHT": (17, 54, [rgb(1, 150, 151), rgb(2, 160, 161), rgb(3, 170, 171)]),
    "SCROLLARROWSHORIZONTALDARK": (17, 54, [rgb(4, 90, 91), rgb(5, 100, 101), rgb(6, 110, 111)]),
}


def office_images():
    """Resource lines and DIBs; the glyphs are dots on the colour key."""
    out = {}
    for name, (w, h, colours) in OFFICE_IMAGES.items():
        rows = [[0xFF000000 | colours[y * len(colours) // h] for _ in range(w)] for y in range(h)]
        out[name] = images.dib_bytes(w, h, 24, rows)
    glyphs = [[0xFF000000 | (rgb(0, 0, 0) if 3 <= x % 9 < 6 and 3 <= y % 9 < 6 else MAGENTA) for x in range(36)]
              for y in range(36)]
    out["SCROLLARROWGLYPHS"] = images.dib_bytes(36, 36, 24, glyphs)
    return out


def write_frame_skins(out):
    office_lines = []
    for name, dib in office_images().items():
        write(os.path.join(out, "module", "office", name + ".dib"), dib)
        office_lines.append('OFFICE2007_%s_BMP 2 "office/%s.dib"' % (name, name))
    write(os.path.join(out, "module", "office.rc"), ("\n".join(office_lines) + "\n").encode())
    rc_lines = []
    for name, colours in FRAME_COLOURS.items():
        rows = solid_stack(colours)
        dib = images.dib_bytes(len(rows[0]), len(rows), 24, rows)
        write(os.path.join(out, "frames", "Frames", name + ".bmp"), images.bmp_file(dib))
        write(os.path.join(out, "module", "frames", name + ".dib"), dib)
        rc_lines.append('FRAMES_%s_BMP 2 "frames/%s.dib"' % (name.upper(), name))
    write(os.path.join(out, "module", "frames.rc"), ("\n".join(rc_lines) + "\n").encode())
    write(os.path.join(out, "module", "frames_ini.txt"), utf16(FRAMES_PROPERTIES, True))
    write(os.path.join(out, "frames", "skin.ini"), FRAMES_PROPERTIES.replace("\n", "\r\n").encode("latin-1"))
    write(os.path.join(out, "frameimages", "Caption.png"), caption_png())
    write(os.path.join(out, "frameimages", "skin.ini"),
          FRAMEIMAGES_PROPERTIES.replace("\n", "\r\n").encode("latin-1"))


def main():
    out = sys.argv[1]
    write_frame_skins(out)
    images.write_all(os.path.join(out, "images"))
    reader_cases = [line.split() for line in open(os.path.join(out, "images", "images.txt"))]
    module_cases = [(n, k) for n, k in reader_cases if k in ("png", "dib")]
    reader_names = ["%s.%s" % (n, "BMP" if k == "dib" else "PNG") for n, k in module_cases]
    properties = PROPERTIES + loader_sections(reader_names)

    draw = drawing_images()
    rc_lines = []
    for name, (file_name, folder_bytes, module_bytes, rc_type, w, h, alpha, rows) in draw.items():
        write(os.path.join(out, "folder", "Images", file_name), folder_bytes)
        write(os.path.join(out, "module", file_name), module_bytes)
        rc_lines.append('IMAGES_%s %s "%s"' % (file_name.replace(".", "_"), rc_type, file_name))
        if rows is None:
            continue
        words = " ".join("%08x" % p for r in rows for p in r)
        write(os.path.join(out, "draw", name + ".expect"), ("%d %d %d\n%s\n" % (w, h, int(alpha), words)).encode())
    for (name, kind), res_name in zip(module_cases, reader_names):
        with open(os.path.join(out, "images", "%s.%s" % (name, kind)), "rb") as f:
            data = f.read()
        write(os.path.join(out, "module", "readers", "%s.%s" % (name, kind)), data)
        rc_type = "PNG" if kind == "png" else "2"
        rc_lines.append('READERS_%s %s "readers/%s.%s"' % (res_name.replace(".", "_"), rc_type, name, kind))
    write(os.path.join(out, "module", "images.rc"), ("\n".join(rc_lines) + "\n").encode())

    write(os.path.join(out, "module", "themes_ini.txt"),
          utf16("[Documentation]\nDisplayName = Test\n\n[File.Normal]\nColorSchemes = Test\n", False))
    # A byte-order mark and an odd last byte, as the text may come.
    write(os.path.join(out, "module", "normal_ini.txt"), utf16(properties, True) + b"\r")
    write(os.path.join(out, "module", "office_ini.txt"), utf16("[Globals]\nImageFile = Images\\Grid.bmp\n", True))
    write(os.path.join(out, "folder", "skin.ini"), properties.replace("\n", "\r\n").encode("latin-1"))
    write(os.path.join(out, "alpha255", "skin.ini"),
          b"[Documentation]\r\nAlphaLevel = 255\r\n[Button.CheckBox]\r\nImageFile = Alpha.png\r\n")
    write(os.path.join(out, "alpha255", "Alpha.png"), draw["ALPHA"][1])
    make_probe_skin.write_probe_skin(out)


if __name__ == "__main__":
    main()
