"""Checks the four skins against the rules a skin of ours must keep.

Properties are read as the engine stores them (`skintool dump`), images as
the PNG files hold them. Prints one line per problem and exits non-zero when
there is any.  Usage:
  check_skins.py --skintool PATH [--skins DIR] [--sheet OUT.png]
"""
import argparse
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import skinimage  # noqa: E402

SKINS = ['red', 'Office', 'apple', 'black']
OFFICE2007_STYLE = 'office 2007 style'
OFFICE2007_IMAGES = ['SCROLLTHUMBVERTICAL', 'SCROLLTHUMBHORIZONTAL', 'SCROLLARROWGLYPHS', 'SCROLLHORIZONTALLIGHT',
                     'SCROLLVERTICALLIGHT', 'SCROLLHORIZONTALDARK', 'SCROLLVERTICALDARK',
                     'SCROLLARROWSHORIZONTALLIGHT', 'SCROLLARROWSHORIZONTALDARK', 'SCROLLARROWSVERTICALLIGHT',
                     'SCROLLARROWSVERTICALDARK']
IMAGE_PROPERTIES = ('IMAGEFILE', 'IMAGEFILE1', 'IMAGEFILE2', 'IMAGEFILE3', 'IMAGEFILE4', 'IMAGEFILE5',
                    'GLYPHIMAGEFILE', 'IMAGECOUNT', 'SIZINGMARGINS', 'IMAGELAYOUT', 'SIZINGTYPE')

CAPTION_BUTTON = 8
SCROLL_STATES = 4
# (class, part, frames the engine can ask for)
REQUIRED = ([('WINDOW', p, 3 if p == 'CAPTION' else 2) for p in (
    'CAPTION', 'SMALLCAPTION', 'FRAMELEFT', 'FRAMERIGHT', 'FRAMEBOTTOM', 'SMALLFRAMELEFT', 'SMALLFRAMERIGHT',
    'SMALLFRAMEBOTTOM')]
    + [('WINDOW', p, CAPTION_BUTTON) for p in ('CLOSEBUTTON', 'MINBUTTON', 'MAXBUTTON', 'RESTOREBUTTON',
                                               'HELPBUTTON', 'SMALLCLOSEBUTTON')]
    + [('BUTTON', 'PUSHBUTTON', 5), ('BUTTON', 'RADIOBUTTON', 8), ('BUTTON', 'CHECKBOX', 12),
       ('BUTTON', 'GROUPBOX', 2), ('TAB', 'PANE', 1)]
    + [('TAB', p, 5) for p in ('TOPTABITEM', 'TOPTABITEMLEFTEDGE', 'TOPTABITEMRIGHTEDGE', 'TOPTABITEMBOTHEDGE')]
    + [('TRACKBAR', 'TRACK', 1), ('TRACKBAR', 'TRACKVERT', 1)]
    + [('TRACKBAR', p, 5) for p in ('THUMB', 'THUMBBOTTOM', 'THUMBTOP', 'THUMBVERT', 'THUMBLEFT', 'THUMBRIGHT')]
    + [('TOOLBAR', p, 6) for p in ('BUTTON', 'SPLITBUTTON', 'SPLITBUTTONDROPDOWN')]
    + [('TOOLBAR', 'SEPARATOR', 1), ('TOOLBAR', 'SEPARATORVERT', 1), ('SCROLLBAR', 'ARROWBTN', 16)]
    + [('SCROLLBAR', p, SCROLL_STATES) for p in ('THUMBBTNHORZ', 'THUMBBTNVERT', 'LOWERTRACKHORZ', 'UPPERTRACKHORZ',
                                                 'LOWERTRACKVERT', 'UPPERTRACKVERT')]
    + [('SCROLLBAR', 'GRIPPERHORZ', 1), ('SCROLLBAR', 'GRIPPERVERT', 1), ('SCROLLBAR', 'SIZEBOX', 2),
       ('HEADER', 'HEADERITEM', 3), ('LISTVIEW', 'LISTITEM', 5), ('EDIT', 'EDITTEXT', 7),
       ('COMBOBOX', 'DROPDOWNBUTTON', 4), ('SPIN', 'UP', 4), ('SPIN', 'DOWN', 4), ('PROGRESS', 'BAR', 1),
       ('PROGRESS', 'CHUNK', 1), ('TOOLTIP', 'STANDARD', 1), ('MENU', 'MENUITEM', 2), ('STATUS', 'PANE', 1),
       ('HEADER', 'HEADERSORTARROW', 2), ('MENU', 'SEPARATOR', 1), ('PROGRESS', 'BARVERT', 1),
       ('PROGRESS', 'CHUNKVERT', 1)])
# Colours of whole classes that the controls drawing with colours read.
CLASS_COLOURS = [('LISTBOX', 'BORDERCOLOR'), ('LISTBOX', 'FILLCOLOR'), ('LISTBOX', 'TEXTCOLOR'),
                 ('LISTVIEW', 'FILLCOLOR'), ('MENU', 'FILLCOLOR'), ('MENU', 'BORDERCOLOR')]
# Text on a colour the control fills itself: (class, part, states that must read, a state that is muted).
FIELD_TEXT = [('EDIT', 'EDITTEXT', ['NORMAL', 'HOT', 'FOCUSED', 'READONLY'], 'DISABLED')]
SYS_COLOURS = ['SCROLLBAR', 'BACKGROUND', 'ACTIVECAPTION', 'INACTIVECAPTION', 'MENU', 'WINDOW', 'WINDOWFRAME',
               'MENUTEXT', 'WINDOWTEXT', 'CAPTIONTEXT', 'ACTIVEBORDER', 'INACTIVEBORDER', 'APPWORKSPACE', 'HIGHLIGHT',
               'HIGHLIGHTTEXT', 'BTNFACE', 'BTNSHADOW', 'GRAYTEXT', 'BTNTEXT', 'INACTIVECAPTIONTEXT', 'BTNHIGHLIGHT',
               'DKSHADOW3D', 'LIGHT3D', 'INFOTEXT', 'INFOBK', 'BUTTONALTERNATEFACE', 'HOTTRACKING',
               'GRADIENTACTIVECAPTION', 'GRADIENTINACTIVECAPTION', 'MENUHILIGHT', 'MENUBAR']
SYS_SIZES = ['CAPTIONFONT', 'SMALLCAPTIONFONT', 'CAPTIONBARHEIGHT', 'SMCAPTIONBARHEIGHT', 'SCROLLBARWIDTH',
             'SCROLLBARHEIGHT']
# Parts painted over their own previous paint: partial alpha would darken them on every repaint.
OPAQUE = [('WINDOW', p) for p in ('CAPTION', 'SMALLCAPTION', 'FRAMELEFT', 'FRAMERIGHT', 'FRAMEBOTTOM',
                                  'SMALLFRAMELEFT', 'SMALLFRAMERIGHT', 'SMALLFRAMEBOTTOM')] + [
    ('SCROLLBAR', p) for p in ('ARROWBTN', 'LOWERTRACKHORZ', 'UPPERTRACKHORZ', 'LOWERTRACKVERT', 'UPPERTRACKVERT')]
TAB_ITEMS = ('TOPTABITEM', 'TOPTABITEMLEFTEDGE', 'TOPTABITEMRIGHTEDGE', 'TOPTABITEMBOTHEDGE')

TEXT_CONTRAST = 4.5
CAPTION_CONTRAST = 3.0
GRAPHIC_CONTRAST = 3.0        # marks that carry meaning without text
VISIBLY_DIFFERENT = 10.0      # mean RGB distance of two frames, 0..441
DISTINCT = 60.0               # RGB distance between two skins' active captions
# The system look a skin must differ from: the classic caption and face colours.
SYSTEM_CAPTION = (0, 0, 128)


def luminance(rgb):
    def channel(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def mean_colour(pixels):
    n = max(len(pixels), 1)
    return tuple(sum(p[i] for p in pixels) / n for i in range(3))


def saturation(pixels):
    return sum(max(p[:3]) - min(p[:3]) for p in pixels) / max(len(pixels), 1)


def unescape(value):
    """skintool writes a backslash as two and control characters as \\xNN."""
    return re.sub(r'\\(\\|x[0-9A-F]{2})', lambda m: '\\' if m.group(1) == '\\' else chr(int(m.group(1)[1:], 16)),
                  value)


def parse_dump(text):
    """(class, part, state) -> {property: (type, value)} from `skintool dump`."""
    store = {}
    for line in text.splitlines():
        fields = line.split('\t')
        if len(fields) == 6:
            cls, part, state, name, kind, value = fields
            store.setdefault((cls, part, state), {})[name] = (kind, unescape(value))
    return store


def as_colour(value):
    return tuple(int(v) for v in value.split())


def as_numbers(value):
    return tuple(int(v) for v in re.findall(r'-?\d+', value))


class Skin:
    def __init__(self, root, stem, skintool):
        self.stem, self.root = stem, root
        self.folder = os.path.join(root, stem)
        self.ini = os.path.join(self.folder, 'Normal.ini')
        self.problems = []
        run = lambda command, path: subprocess.run([skintool, command, path], capture_output=True, text=True,
                                                   check=True).stdout
        self.store = parse_dump(run('dump', self.ini))
        self.check_report = run('check', self.ini)
        self.module_report = run('check', os.path.join(root, 'module', stem + '_NORMAL_INI.txt'))
        self.images = {}

    def fail(self, text):
        self.problems.append('%s: %s' % (self.stem, text))

    def get(self, cls, part, state, name):
        """The value the engine finds: state, part, class, then Globals."""
        keys = [(cls, part, state)] if state != '-' else []
        for key in keys + [(cls, part, '-'), (cls, '-', '-'), ('GLOBALS', '-', '-')]:
            value = self.store.get(key, {}).get(name)
            if value:
                return value[1]
        return None

    def sys_colour(self, name):
        value = self.store.get(('SYSMETRICS', '-', '-'), {}).get(name)
        return as_colour(value[1]) if value else None

    def image(self, name):
        if name not in self.images:
            path = os.path.join(self.folder, *name.split('\\'))
            with open(path, 'rb') as f:
                image = skinimage.read_png(f.read())
            self.images[name] = (image.unpremultiplied() if self.premultiplied() else image, image)
        return self.images[name][0]

    def style_name(self):
        with open(os.path.join(self.root, self.stem + '.rc'), encoding='ascii') as f:
            found = re.search(r'^\s*5000\s+"([^"]*)"', f.read(), re.M)
        return found.group(1) if found else ''

    def premultiplied(self):
        """Whether the engine blends this skin's images without multiplying them first."""
        return self.style_name().lower() == OFFICE2007_STYLE or self.alpha_level() == '255'

    def alpha_level(self):
        value = self.store.get(('DOCUMENTATION', '-', '-'), {}).get('ALPHALEVEL')
        return value[1] if value else None

    def frames(self, cls, part):
        """The part's frames, or None when it has no image of its own."""
        own = self.store.get((cls, part, '-'), {})
        if 'IMAGEFILE' not in own:
            return None
        count = int(own.get('IMAGECOUNT', ('', '1'))[1])
        image = self.image(own['IMAGEFILE'][1])
        return [image.frame(i, count) for i in range(count)]

    def margins(self, cls, part):
        value = self.get(cls, part, '-', 'SIZINGMARGINS')
        return as_numbers(value) if value else (0, 0, 0, 0)


# ---- rules ----------------------------------------------------------------------------

def check_ignored_lines(skin):
    for form, report in (('folder', skin.check_report), ('module', skin.module_report)):
        for line in report.splitlines():
            if line.startswith('line '):
                skin.fail('%s form stores nothing for %s' % (form, line))
            if line.startswith('unread-tail-bytes') and line.split('\t')[1] != '0':
                skin.fail('%s form: text after the last line end is never read' % form)


def check_coverage(skin):
    for cls, part, count in REQUIRED:
        own = skin.store.get((cls, part, '-'), {})
        if 'IMAGEFILE' not in own:
            skin.fail('%s.%s has no image of its own' % (cls, part))
        elif int(own.get('IMAGECOUNT', ('', '1'))[1]) < count:
            skin.fail('%s.%s has fewer than %d frames' % (cls, part, count))
    for (cls, part, state), values in skin.store.items():
        if part == '-' and cls not in ('SYSMETRICS', 'DOCUMENTATION'):
            for name in IMAGE_PROPERTIES:
                if name in values:
                    skin.fail('%s section (%s) holds %s: sibling parts would share it' % (cls, state, name))
        for name, (kind, value) in values.items():
            if kind == 'enum' and value == '-1':
                skin.fail('%s.%s(%s) %s names no value of its list' % (cls, part, state, name))
            if name in ('IMAGEFILE', 'GLYPHIMAGEFILE'):
                check_frames(skin, cls, part, value)
    sysmetrics = skin.store.get(('SYSMETRICS', '-', '-'), {})
    for name in SYS_COLOURS + SYS_SIZES:
        if name not in sysmetrics:
            skin.fail('SysMetrics lacks %s' % name)
    for cls, name in CLASS_COLOURS:
        if name not in skin.store.get((cls, '-', '-'), {}):
            skin.fail('%s lacks %s' % (cls, name))
    for part in ('TICS', 'TICSVERT'):
        colour = skin.get('TRACKBAR', part, 'NORMAL', 'COLOR')
        if colour is None:
            skin.fail('TRACKBAR.%s has no colour' % part)
        elif contrast(as_colour(colour), skin.sys_colour('BTNFACE') or (0, 0, 0)) < GRAPHIC_CONTRAST:
            skin.fail('TRACKBAR.%s: tick marks hardly show on the face' % part)


def check_frames(skin, cls, part, name):
    path = os.path.join(skin.folder, *name.split('\\'))
    if not os.path.isfile(path):
        skin.fail('%s.%s names %s, which is missing' % (cls, part, name))
        return
    count = int(skin.get(cls, part, '-', 'IMAGECOUNT') or 1)
    layout = skin.get(cls, part, '-', 'IMAGELAYOUT') or 'HORIZONTAL (1)'
    image = skin.image(name)
    if not layout.startswith('VERTICAL'):
        skin.fail('%s.%s frames are not stacked vertically' % (cls, part))
    elif image.height % count:
        skin.fail('%s.%s: %d frames do not divide %s, %d px high' % (cls, part, count, name, image.height))


def referenced_images(skin):
    names = {}
    for (cls, part, _), values in skin.store.items():
        for key in ('IMAGEFILE', 'GLYPHIMAGEFILE'):
            if key in values:
                names.setdefault(values[key][1], (cls, part))
    if skin.premultiplied():
        for name in OFFICE2007_IMAGES:
            names['OFFICE2007\\%s.BMP' % name] = ('OFFICE2007', name)
    return names


def keeps_alpha(alphas):
    """The loader keeps an image's alpha only when some alpha is partial or a
    visible pixel follows a transparent one; otherwise it draws it opaque."""
    if any(0 < a < 255 for a in alphas):
        return True
    first_clear = alphas.index(0) if 0 in alphas else len(alphas)
    return any(alphas[first_clear:])


def check_alpha(skin):
    names = referenced_images(skin)
    for name, (cls, part) in sorted(names.items()):
        path = os.path.join(skin.folder, *name.split('\\'))
        if not os.path.isfile(path):
            skin.fail('%s is missing' % name)
            continue
        image = skin.image(name)
        alphas = set(p[3] for p in image.pixels)
        if alphas == {0}:
            skin.fail('%s is entirely transparent (the loader would draw it opaque)' % name)
        elif not skin.premultiplied() and 0 in alphas and not keeps_alpha([p[3] for p in image.pixels]):
            skin.fail('%s: the loader would take its transparent pixels for opaque ones' % name)
        if any(p[:3] == (255, 0, 255) and p[3] for p in image.pixels):
            skin.fail('%s has magenta pixels, the colour of transparency keys' % name)
        if part == 'GROUPBOX' and alphas - {0, 255}:
            skin.fail('%s has partial alpha; the group box is drawn straight onto the dialog' % name)
        opaque = (cls, part) in OPAQUE or (cls == 'OFFICE2007' and 'THUMB' not in part and 'GLYPHS' not in part)
        if opaque and alphas != {255}:
            skin.fail('%s is not fully opaque; it is painted over its own previous paint' % name)
        if skin.premultiplied():
            raw = skin.images[name][1]
            if any(max(p[:3]) > p[3] for p in raw.pixels):
                skin.fail('%s is not stored premultiplied' % name)


def check_office2007(skin):
    """The layouts the Office2007 scroll bars read: three states stacked, a 4 x 4 glyph grid."""
    if skin.style_name().lower() != OFFICE2007_STYLE:
        return
    for name in OFFICE2007_IMAGES:
        path = os.path.join(skin.folder, 'OFFICE2007', name + '.BMP')
        if not os.path.isfile(path):
            continue
        image = skin.image('OFFICE2007\\%s.BMP' % name)
        if ('THUMB' in name or 'ARROWS' in name) and image.height % 3:
            skin.fail('OFFICE2007\\%s.BMP: height %d is not three frames' % (name, image.height))
        if 'GLYPHS' in name and (image.width % 4 or image.height % 4):
            skin.fail('OFFICE2007\\%s.BMP: not four directions by four states' % name)


def centre(skin, cls, part, frame):
    left, right, top, bottom = skin.margins(cls, part)
    if left + right >= frame.width or top + bottom >= frame.height:
        return frame
    return frame.crop(left, top, frame.width - right, frame.height - bottom)


def worst_contrast(skin, cls, part, index, text, backdrop):
    frames = skin.frames(cls, part)
    if frames is None or index >= len(frames):
        return 0.0
    pixels = skinimage.flattened(centre(skin, cls, part, frames[index]), backdrop)
    return min(contrast(text, p) for p in pixels)


# (class, part, backdrop, minimum, [(state, frame index)], disabled (state, frame index) or None)
BUTTON_TEXT = [('NORMAL', 0), ('HOT', 1), ('PRESSED', 2), ('DEFAULTED', 4)]
TAB_TEXT = [('NORMAL', 0), ('HOT', 1), ('SELECTED', 2), ('FOCUSED', 4)]
FRAME_TEXT = ([('BUTTON', 'PUSHBUTTON', 'BTNFACE', TEXT_CONTRAST, BUTTON_TEXT, ('DISABLED', 3)),
               ('WINDOW', 'CAPTION', 'BTNFACE', CAPTION_CONTRAST, [('ACTIVE', 0), ('INACTIVE', 1)], None),
               ('HEADER', 'HEADERITEM', 'WINDOW', TEXT_CONTRAST, [('NORMAL', 0), ('HOT', 1), ('PRESSED', 2)], None),
               ('LISTVIEW', 'LISTITEM', 'WINDOW', TEXT_CONTRAST,
                [('NORMAL', 0), ('HOT', 1), ('SELECTED', 2), ('SELECTEDNOTFOCUS', 4)], ('DISABLED', 3)),
               ('EDIT', 'EDITTEXT', 'WINDOW', TEXT_CONTRAST,
                [('NORMAL', 0), ('HOT', 1), ('FOCUSED', 4), ('READONLY', 5)], ('DISABLED', 3)),
               ('TOOLTIP', 'STANDARD', 'INFOBK', TEXT_CONTRAST, [('NORMAL', 0)], None),
               ('MENU', 'MENUITEM', 'MENU', TEXT_CONTRAST, [('-', 0), ('-', 1)], None)]
              + [('TAB', p, 'BTNFACE', TEXT_CONTRAST, TAB_TEXT, ('DISABLED', 3)) for p in TAB_ITEMS])
CHECK_TEXT = [('BUTTON', 'RADIOBUTTON', [n + s for n in ('UNCHECKED', 'CHECKED')
                                         for s in ('NORMAL', 'HOT', 'PRESSED')], 'UNCHECKEDDISABLED'),
              ('BUTTON', 'CHECKBOX', [n + s for n in ('UNCHECKED', 'CHECKED', 'MIXED')
                                      for s in ('NORMAL', 'HOT', 'PRESSED')], 'CHECKEDDISABLED'),
              ('BUTTON', 'GROUPBOX', ['NORMAL'], 'DISABLED')]
FACES = [('BTNTEXT', 'BTNFACE'), ('WINDOWTEXT', 'WINDOW'), ('MENUTEXT', 'MENU'), ('INFOTEXT', 'INFOBK'),
         ('HIGHLIGHTTEXT', 'HIGHLIGHT')]
CAPTIONS = [('CAPTIONTEXT', 'ACTIVECAPTION'), ('INACTIVECAPTIONTEXT', 'INACTIVECAPTION')]


def text_colour(skin, cls, part, state):
    value = skin.get(cls, part, state, 'TEXTCOLOR')
    return as_colour(value) if value else None


def check_text(skin):
    for pairs, minimum in ((FACES, TEXT_CONTRAST), (CAPTIONS, CAPTION_CONTRAST)):
        for text, face in pairs:
            ratio = contrast(skin.sys_colour(text) or (0, 0, 0), skin.sys_colour(face) or (0, 0, 0))
            if ratio < minimum:
                skin.fail('%s on %s: contrast %.2f below %.1f' % (text, face, ratio, minimum))
    for cls, part, backdrop_name, minimum, states, disabled in FRAME_TEXT:
        backdrop = skin.sys_colour(backdrop_name)
        normal = None
        for state, index in states:
            text = text_colour(skin, cls, part, state)
            if text is None:
                skin.fail('%s.%s(%s) has no text colour' % (cls, part, state))
                continue
            ratio = worst_contrast(skin, cls, part, index, text, backdrop)
            normal = ratio if normal is None else normal
            if ratio < minimum:
                skin.fail('%s.%s(%s): text contrast %.2f below %.1f' % (cls, part, state, ratio, minimum))
        if disabled and normal is not None:
            text = text_colour(skin, cls, part, disabled[0])
            if text is None or worst_contrast(skin, cls, part, disabled[1], text, backdrop) >= normal:
                skin.fail('%s.%s(%s): text not muted' % (cls, part, disabled[0]))
    check_small_caption_and_toolbar(skin)
    check_field_text(skin)
    face = skin.sys_colour('BTNFACE')
    for cls, part, states, disabled in CHECK_TEXT:
        ratios = []
        for state in states:
            text = text_colour(skin, cls, part, state)
            ratios.append(contrast(text, face) if text else 0.0)
            if ratios[-1] < TEXT_CONTRAST:
                skin.fail('%s.%s(%s): text contrast %.2f on the face' % (cls, part, state, ratios[-1]))
        text = text_colour(skin, cls, part, disabled)
        if text is None or contrast(text, face) >= min(ratios):
            skin.fail('%s.%s(%s): text not muted' % (cls, part, disabled))


def check_field_text(skin):
    """Text on the colours the controls fill themselves, not on an image."""
    for cls, part, states, disabled in FIELD_TEXT:
        ratios = []
        for state in states + [disabled]:
            text, fill = text_colour(skin, cls, part, state), skin.get(cls, part, state, 'FILLCOLOR')
            if text is None or fill is None:
                skin.fail('%s.%s(%s) lacks a text or fill colour' % (cls, part, state))
                return
            ratios.append(contrast(text, as_colour(fill)))
        for state, ratio in zip(states, ratios):
            if ratio < TEXT_CONTRAST:
                skin.fail('%s.%s(%s): text contrast %.2f on its fill' % (cls, part, state, ratio))
        if ratios[-1] >= min(ratios[:-1]):
            skin.fail('%s.%s(%s): text not muted' % (cls, part, disabled))
    text, fill = skin.get('LISTBOX', '-', '-', 'TEXTCOLOR'), skin.get('LISTBOX', '-', '-', 'FILLCOLOR')
    if text and fill and contrast(as_colour(text), as_colour(fill)) < TEXT_CONTRAST:
        skin.fail('LISTBOX: text contrast %.2f on its fill' % contrast(as_colour(text), as_colour(fill)))


def check_small_caption_and_toolbar(skin):
    """Parts whose text colour the engine takes from the system colours."""
    for index, text in enumerate(('CAPTIONTEXT', 'INACTIVECAPTIONTEXT')):
        colour = text_colour(skin, 'WINDOW', 'SMALLCAPTION', '-') or skin.sys_colour(text)
        ratio = worst_contrast(skin, 'WINDOW', 'SMALLCAPTION', index, colour, (0, 0, 0))
        if ratio < CAPTION_CONTRAST:
            skin.fail('WINDOW.SMALLCAPTION frame %d: caption contrast %.2f' % (index + 1, ratio))
    face, text = skin.sys_colour('BTNFACE'), skin.sys_colour('BTNTEXT')
    for index in (0, 1, 2, 4, 5):
        ratio = worst_contrast(skin, 'TOOLBAR', 'BUTTON', index, text, face)
        if ratio < TEXT_CONTRAST:
            skin.fail('TOOLBAR.BUTTON frame %d: text contrast %.2f' % (index + 1, ratio))


# (class, part, normal frame, frames that must look different from it, disabled frame or None)
HOVER = ([('BUTTON', 'PUSHBUTTON', 0, (1, 2), 3), ('TOOLBAR', 'BUTTON', 0, (1, 2), 3),
          ('HEADER', 'HEADERITEM', 0, (1, 2), None), ('COMBOBOX', 'DROPDOWNBUTTON', 0, (1, 2), 3),
          ('SPIN', 'UP', 0, (1, 2), 3), ('SPIN', 'DOWN', 0, (1, 2), 3), ('SCROLLBAR', 'THUMBBTNVERT', 0, (1, 2), 3),
          ('SCROLLBAR', 'THUMBBTNHORZ', 0, (1, 2), 3)]
         + [('WINDOW', p, n, (n + 1, n + 2), n + 3) for p in ('CLOSEBUTTON', 'MINBUTTON', 'MAXBUTTON',
                                                              'RESTOREBUTTON', 'HELPBUTTON', 'SMALLCLOSEBUTTON')
            for n in (0, 4)]
         + [('BUTTON', p, n, (n + 1, n + 2), n + 3) for p, k in (('RADIOBUTTON', 2), ('CHECKBOX', 3))
            for n in range(0, 4 * k, 4)]
         + [('SCROLLBAR', 'ARROWBTN', n, (n + 1, n + 2), n + 3) for n in range(0, 16, 4)]
         + [('TRACKBAR', p, 0, (1, 2), 4) for p in ('THUMB', 'THUMBBOTTOM', 'THUMBTOP', 'THUMBVERT', 'THUMBLEFT',
                                                    'THUMBRIGHT')]
         + [('TAB', p, 0, (1,), 3) for p in TAB_ITEMS])


def frame_difference(a, b):
    return sum(distance(x, y) for x, y in zip(a, b)) / max(len(a), 1)


def muted(disabled, normal, face):
    """Less colour and weaker edges against the face than the normal frame."""
    strongest = lambda pixels: max(contrast(p, face) for p in pixels)
    return saturation(disabled) <= saturation(normal) + 4 and strongest(disabled) <= strongest(normal)


def check_states(skin):
    face = skin.sys_colour('BTNFACE')
    for cls, part, normal, others, disabled in HOVER:
        frames = skin.frames(cls, part)
        if frames is None or max(others + ((disabled,) if disabled else ())) >= len(frames):
            continue
        flat = [skinimage.flattened(f, face) for f in frames]
        for index in others:
            if frame_difference(flat[normal], flat[index]) < VISIBLY_DIFFERENT:
                skin.fail('%s.%s frame %d looks like frame %d' % (cls, part, index + 1, normal + 1))
        if disabled is not None:
            if not muted(flat[disabled], flat[normal], face):
                skin.fail('%s.%s frame %d (disabled) is not muted' % (cls, part, disabled + 1))


def check_corners(skin):
    """Square outer corners: the corner pixel continues both edges it joins."""
    for part, corners in (('CAPTION', ('top-left', 'top-right')), ('SMALLCAPTION', ('top-left', 'top-right')),
                          ('FRAMEBOTTOM', ('bottom-left', 'bottom-right'))):
        for frame in skin.frames('WINDOW', part) or []:
            w, h = frame.width, frame.height
            for corner in corners:
                x = 0 if corner.endswith('left') else w - 1
                y = 0 if corner.startswith('top') else h - 1
                dx, dy = (1 if x == 0 else -1), (1 if y == 0 else -1)
                if not frame.at(x, y) == frame.at(x + dx, y) == frame.at(x, y + dy):
                    skin.fail('WINDOW.%s has a shaped %s corner' % (part, corner))
                    break


def resource_name(file_name):
    return file_name.upper().replace('.', '_').replace('\\', '_')


def check_module(skin):
    """The module sources say what the folder form says, in the form the loader reads."""
    module = os.path.join(skin.root, 'module')
    with open(skin.ini, 'rb') as f:
        ansi = f.read().decode('cp1252')
    with open(os.path.join(module, skin.stem + '_NORMAL_INI.txt'), 'rb') as f:
        wide = f.read()
    if not wide.startswith(b'\xff\xfe'):
        skin.fail('module property text has no byte-order mark')
    text = wide[2:].decode('utf-16-le')
    if text != ansi:
        skin.fail('module property text differs from the folder form')
    if not text.endswith('\r\n') or text.count('\r\n') != text.count('\n') or text.count('\r') != text.count('\n'):
        skin.fail('module property text: not CR LF after every line')
    with open(os.path.join(module, skin.stem + '_THEMES_INI.txt'), 'rb') as f:
        themes = f.read()
    if not themes.startswith(b'\xff\xfe') or '[File.Normal]' not in themes[2:].decode('utf-16-le'):
        skin.fail('THEMES_INI does not name [File.Normal]')
    with open(os.path.join(skin.root, skin.stem + '.rc'), encoding='ascii') as f:
        rc = f.read()
    resources = dict(re.findall(r'^(\S+) PNG "([^"]+)"', rc, re.M))
    for name in referenced_images(skin):
        path = resources.get(resource_name(name))
        if path is None:
            skin.fail('module has no PNG resource %s for %s' % (resource_name(name), name))
        elif os.path.normpath(os.path.join(skin.root, path)) != os.path.normpath(
                os.path.join(skin.folder, *name.split('\\'))):
            skin.fail('module resource %s is not the folder form\'s %s' % (resource_name(name), name))
    for name, path in (('THEMES_INI', skin.stem + '_THEMES_INI.txt'), ('NORMAL_INI', skin.stem + '_NORMAL_INI.txt')):
        if not re.search(r'^%s TEXTFILE "module/%s"' % (name, re.escape(path)), rc, re.M):
            skin.fail('module has no TEXTFILE resource %s' % name)
    office = skin.stem == 'Office'
    if (skin.style_name().lower() == OFFICE2007_STYLE) != office:
        skin.fail('string 5000 "%s": the Office2007 variant belongs to Office.skin only' % skin.style_name())
    if office and skin.alpha_level() != '255':
        skin.fail('Documentation lacks AlphaLevel = 255: the folder form would multiply the images again')


def signature(skin):
    caption = skin.frames('WINDOW', 'CAPTION')[0]
    button = skin.frames('BUTTON', 'PUSHBUTTON')[0]
    face = skin.sys_colour('BTNFACE')
    return (mean_colour(caption.pixels), face, mean_colour(skinimage.flattened(button, face)))


def check_distinct(skins):
    problems = []
    marks = {skin.stem: signature(skin) for skin in skins if skin.frames('WINDOW', 'CAPTION')}
    for a in marks:
        if distance(marks[a][0], SYSTEM_CAPTION) < DISTINCT:
            problems.append('%s: caption too close to the system look' % a)
        for b in marks:
            if a < b:
                caption = distance(marks[a][0], marks[b][0])
                overall = sum(distance(x, y) for x, y in zip(marks[a], marks[b]))
                if caption < DISTINCT / 2 or overall < DISTINCT * 1.25:
                    problems.append('%s and %s look alike (caption %.0f, overall %.0f)' % (a, b, caption, overall))
    return problems


RULES = [check_ignored_lines, check_coverage, check_alpha, check_office2007, check_text, check_states, check_corners,
         check_module]


def check_all(root, skintool, stems=SKINS):
    skins, problems = [], []
    for stem in stems:
        skin = Skin(root, stem, skintool)
        for rule in RULES:
            rule(skin)
        problems += skin.problems
        skins.append(skin)
    return skins, problems + check_distinct(skins)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--skintool', required=True)
    parser.add_argument('--skins', default=os.path.join(HERE, '..', '..', 'skins'))
    parser.add_argument('--sheet', help='also write a contact sheet PNG here')
    args = parser.parse_args()
    skins, problems = check_all(args.skins, args.skintool)
    for line in problems:
        print(line)
    print('%d problem(s) in %d skins' % (len(problems), len(skins)))
    if args.sheet:
        import contact_sheet
        contact_sheet.write(skins, args.sheet)
        print('contact sheet: ' + args.sheet)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
