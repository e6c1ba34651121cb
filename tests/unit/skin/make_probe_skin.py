#!/usr/bin/env python3
"""The probe skin: every part and state of the classes the control objects
draw with is one flat colour with a 1-pixel border of another, and each state
with a state table has its own text colour, so that a pixel read from the
screen names the (class, part, state) that drew it.

    write_probe_skin(OUTDIR)

OUTDIR/probe/          folder form: Normal.ini and Images/*.BMP; Bare.ini
                       gives only the classes of the first objects (BUTTON,
                       TAB, TRACKBAR, TOOLBAR) and the system colours, for the
                       looks derived from those colours
OUTDIR/probe/probe.txt the table: "RRGGBB CLASS PART STATE ROLE" per line,
                       ROLE fill, border, text or color (a COLOR property)
OUTDIR/probe-module/   probe.rc and the files it names, for a resource-only DLL
"""
import os

import make_skin_images as images

# (class, part name, part id, state names or a count of unnamed states)
PUSH = ["NORMAL", "HOT", "PRESSED", "DISABLED", "DEFAULTED"]
RADIO = ["UNCHECKEDNORMAL", "UNCHECKEDHOT", "UNCHECKEDPRESSED", "UNCHECKEDDISABLED",
         "CHECKEDNORMAL", "CHECKEDHOT", "CHECKEDPRESSED", "CHECKEDDISABLED"]
CHECK = RADIO + ["MIXEDNORMAL", "MIXEDHOT", "MIXEDPRESSED", "MIXEDDISABLED"]
TABITEM = ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED"]
THUMB = ["NORMAL", "HOT", "PRESSED", "FOCUSED", "DISABLED"]
PARTS = [
    ("BUTTON", "PUSHBUTTON", 1, PUSH),
    ("BUTTON", "RADIOBUTTON", 2, RADIO),
    ("BUTTON", "CHECKBOX", 3, CHECK),
    ("BUTTON", "GROUPBOX", 4, ["NORMAL", "DISABLED"]),
    ("TAB", "TOPTABITEM", 5, TABITEM),
    ("TAB", "TOPTABITEMLEFTEDGE", 6, TABITEM),
    ("TAB", "TOPTABITEMRIGHTEDGE", 7, TABITEM),
    ("TAB", "PANE", 9, 1),
    ("TRACKBAR", "TRACK", 1, 1),
    ("TRACKBAR", "TRACKVERT", 2, 1),
    ("TRACKBAR", "THUMB", 3, THUMB),
    ("TRACKBAR", "THUMBBOTTOM", 4, THUMB),
    ("TRACKBAR", "THUMBTOP", 5, THUMB),
    ("TRACKBAR", "THUMBVERT", 6, THUMB),
    ("TRACKBAR", "THUMBLEFT", 7, THUMB),
    ("TRACKBAR", "THUMBRIGHT", 8, THUMB),
    ("TOOLBAR", "BUTTON", 1, 6),
    ("TOOLBAR", "DROPDOWNBUTTON", 2, 6),
    ("TOOLBAR", "SPLITBUTTON", 3, 6),
    ("TOOLBAR", "SPLITBUTTONDROPDOWN", 4, 6),
    ("TOOLBAR", "SEPARATOR", 5, 1),
    ("TOOLBAR", "SEPARATORVERT", 6, 1),
]
EDIT_STATES = ["NORMAL", "HOT", "SELECTED", "DISABLED", "FOCUSED", "READONLY", "ASSIST"]
ARROWS = [d + s for d in ("UP", "DOWN", "LEFT", "RIGHT") for s in ("NORMAL", "HOT", "PRESSED", "DISABLED")]
# The classes of the later objects; Bare.ini leaves them out.
LATER_PARTS = [
    ("EDIT", "EDITTEXT", 1, EDIT_STATES),
    ("LISTVIEW", "LISTITEM", 1, ["NORMAL", "HOT", "SELECTED", "DISABLED", "SELECTEDNOTFOCUS"]),
    ("HEADER", "HEADERITEM", 1, ["NORMAL", "HOT", "PRESSED"]),
    ("HEADER", "HEADERSORTARROW", 4, ["SORTEDUP", "SORTEDDOWN"]),
    ("COMBOBOX", "DROPDOWNBUTTON", 1, 4),
    ("SCROLLBAR", "ARROWBTN", 1, ARROWS),
    ("SCROLLBAR", "THUMBBTNHORZ", 2, 4),
    ("SCROLLBAR", "THUMBBTNVERT", 3, 4),
    ("SCROLLBAR", "LOWERTRACKHORZ", 4, 4),
    ("SCROLLBAR", "UPPERTRACKHORZ", 5, 4),
    ("SCROLLBAR", "LOWERTRACKVERT", 6, 4),
    ("SCROLLBAR", "UPPERTRACKVERT", 7, 4),
    ("SCROLLBAR", "SIZEBOX", 10, ["RIGHTALIGN", "LEFTALIGN"]),
    ("PROGRESS", "BAR", 1, 1),
    ("PROGRESS", "BARVERT", 2, 1),
    ("PROGRESS", "CHUNK", 3, 1),
    ("PROGRESS", "CHUNKVERT", 4, 1),
    ("TOOLTIP", "STANDARD", 1, ["NORMAL", "LINK"]),
    ("MENU", "MENUITEM", 1, 3),
    ("MENU", "SEPARATOR", 6, 1),
]
# Parts whose states also give a fill colour (role "back").
FILL_COLOURS = {("EDIT", "EDITTEXT")}
# Colours of whole classes (state 0): (class, property, role).
CLASS_COLOURS = [("LISTBOX", "BorderColor", "border"), ("LISTBOX", "FillColor", "back"),
                 ("LISTBOX", "TextColor", "text"), ("MENU", "TextColor", "text")]
# Tick colours: a COLOR property, state 1.
TICS = [("TRACKBAR", "TICS", 9), ("TRACKBAR", "TICSVERT", 10)]
# Metrics colours the controls use; none of them is a system default.
METRICS = {"BtnFace": (0x31, 0x62, 0x93), "BtnText": (0x13, 0x24, 0x35), "BtnShadow": (0x52, 0x41, 0x30),
           "BtnHighlight": (0xE7, 0xD6, 0xC5), "Window": (0xF1, 0xE2, 0xD3), "WindowText": (0x21, 0x12, 0x03),
           "Highlight": (0x0A, 0x4B, 0x8C), "HighlightText": (0xFA, 0xEB, 0xDC), "GrayText": (0x77, 0x66, 0x55),
           "Menu": (0x45, 0x56, 0x67), "MenuText": (0x0B, 0x1C, 0x2D), "MenuHilight": (0x6A, 0x7B, 0x8E),
           "InfoBk": (0xEE, 0xDD, 0xAA), "InfoText": (0x1A, 0x2A, 0x3A)}
FRAME = 8  # each state's frame is FRAME x FRAME pixels


def probe_colours():
    """Distinct colours: the blue byte says the role, red and green count up."""
    counter = [0]

    def next_colour(role_blue):
        index = counter[0]
        counter[0] += 1
        return (0x18 + (index % 28) * 8, 0x1C + (index // 28) * 8, role_blue)
    return next_colour


def hexcolour(rgb):
    return "%02X%02X%02X" % rgb


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def frame_rows(frames):
    """Frames stacked vertically: (fill, border) per state, as ARGB words."""
    def word(rgb):
        return 0xFF000000 | rgb[0] << 16 | rgb[1] << 8 | rgb[2]
    rows = []
    for fill, border in frames:
        for y in range(FRAME):
            edge_row = y in (0, FRAME - 1)
            rows.append([word(border if edge_row or x in (0, FRAME - 1) else fill) for x in range(FRAME)])
    return rows


def add_parts(parts, colour, ini, table, bitmaps):
    for cls, part, part_id, states in parts:
        names = states if isinstance(states, list) else [str(n + 1) for n in range(states)]
        frames = []
        for number, state in enumerate(names, start=1):
            fill, border = colour(0xA5), colour(0x5A)
            frames.append((fill, border))
            state_id = number if len(names) > 1 else 0
            table.append("%s %s %s %d fill" % (hexcolour(fill), cls, part, state_id))
            table.append("%s %s %s %d border" % (hexcolour(border), cls, part, state_id))
        file_name = "%s_%s.BMP" % (cls, part)
        bitmaps[file_name] = frame_rows(frames)
        ini += ["", "[%s.%s]" % (cls.capitalize(), part.capitalize()), "ImageFile = Images\\" + file_name,
                "ImageCount = %d" % len(frames), "ImageLayout = Vertical", "SizingMargins = 1, 1, 1, 1"]
        if isinstance(states, list):
            for number, state in enumerate(states, start=1):
                text = colour(0x3C)
                table.append("%s %s %s %d text" % (hexcolour(text), cls, part, number))
                ini += ["", "[%s.%s(%s)]" % (cls.capitalize(), part.capitalize(), state.capitalize()),
                        "TextColor = %d %d %d" % text]
                if (cls, part) in FILL_COLOURS:
                    back = colour(0x96)
                    table.append("%s %s %s %d back" % (hexcolour(back), cls, part, number))
                    ini.append("FillColor = %d %d %d" % back)


def build():
    colour = probe_colours()
    ini = ["; Probe skin: one flat colour per part and state", "[Documentation]", "DisplayName = Probe", "",
           "[SysMetrics]"]
    ini += ["%s = %d %d %d" % ((name,) + rgb) for name, rgb in METRICS.items()]
    table = ["%s SYSMETRICS %s 0 color" % (hexcolour(rgb), name.upper()) for name, rgb in METRICS.items()]
    bitmaps = {}
    add_parts(PARTS, colour, ini, table, bitmaps)
    for cls, part, part_id in TICS:
        tick = colour(0xC3)
        table.append("%s %s %s 1 color" % (hexcolour(tick), cls, part))
        ini += ["", "[%s.%s]" % (cls.capitalize(), part.capitalize()), "Color = %d %d %d" % tick]
    bare = list(ini)
    add_parts(LATER_PARTS, colour, ini, table, bitmaps)
    for cls, name, role in CLASS_COLOURS:
        value = colour(0x69)
        table.append("%s %s 0 0 %s" % (hexcolour(value), cls, role))
        ini += ["", "[%s]" % cls.capitalize(), "%s = %d %d %d" % ((name,) + value)]
    ini += ["", "[ListBox]", "BgType = BorderFill", "BorderSize = 1"]
    selected = colour(0x3C)
    table.append("%s MENU 0 2 text" % hexcolour(selected))
    ini += ["", "[Menu(Selected)]", "TextColor = %d %d %d" % selected]
    return "\n".join(ini) + "\n", "\n".join(bare) + "\n", "\n".join(table) + "\n", bitmaps


def write_probe_skin(out):
    ini, bare, table, bitmaps = build()
    folder = os.path.join(out, "probe")
    module = os.path.join(out, "probe-module")
    rc = ["// The probe skin as a resource-only module; written by make_probe_skin.py.",
          "STRINGTABLE", "BEGIN", '  5000 "Probe"', "END", "",
          'THEMES_INI TEXTFILE "themes_ini.txt"', 'NORMAL_INI TEXTFILE "normal_ini.txt"']
    for file_name, rows in sorted(bitmaps.items()):
        dib = images.dib_bytes(FRAME, len(rows), 24, rows)
        write(os.path.join(folder, "Images", file_name), images.bmp_file(dib))
        write(os.path.join(module, file_name), dib)
        rc.append('IMAGES_%s 2 "%s"' % (file_name.replace(".", "_"), file_name))
    write(os.path.join(folder, "Normal.ini"), ini.replace("\n", "\r\n").encode("latin-1"))
    write(os.path.join(folder, "Bare.ini"), bare.replace("\n", "\r\n").encode("latin-1"))
    write(os.path.join(folder, "probe.txt"), table.encode())
    write(os.path.join(module, "probe.rc"), ("\n".join(rc) + "\n").encode())
    utf16 = (lambda text: b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))
    write(os.path.join(module, "themes_ini.txt"),
          utf16("[Documentation]\nDisplayName = Probe\n\n[File.Normal]\nColorSchemes = Probe\n"))
    write(os.path.join(module, "normal_ini.txt"), utf16(ini))
