"""A contact sheet for a person's eye: per skin, a mock dialog put together
from the skin's own frames (nine-grid stretched as the engine does), then
the frames of the busiest parts side by side. Text is set by ImageMagick in
the caption font when it is installed, and left out otherwise."""
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'art'))

from imagefiles import png_rgba  # noqa: E402

from skinimage import Image, blit, nine_grid  # noqa: E402

CONVERT = '/usr/bin/convert'
FONTS = ['/usr/share/wine/fonts/tahoma.ttf', '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf']
BOLD = ['/usr/share/wine/fonts/tahomabd.ttf', '/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf']
MOCK_W, MOCK_H = 460, 450
STRIP_W = 760
GAP = 12


def text(words, colour, bold=False, size=11):
    font = next((f for f in (BOLD if bold else FONTS) if os.path.exists(f)), None)
    if font is None or not os.path.exists(CONVERT):
        return None
    hex_colour = '#%02x%02x%02x' % colour
    data = subprocess.run([CONVERT, '-background', 'none', '-fill', hex_colour, '-font', font, '-pointsize',
                           str(size), 'label:' + words, '-depth', '8', 'PAM:-'], capture_output=True).stdout
    header, _, pixels = data.partition(b'ENDHDR\n')
    fields = dict(line.split(b' ', 1) for line in header.split(b'\n')[1:] if b' ' in line)
    if fields.get(b'DEPTH') != b'4':
        return None
    w, h = int(fields[b'WIDTH']), int(fields[b'HEIGHT'])
    return Image(w, h, [tuple(pixels[i:i + 4]) for i in range(0, w * h * 4, 4)])


class Mock:
    def __init__(self, skin, width, height):
        self.skin = skin
        face = skin.sys_colour('BTNFACE')
        self.image = Image(width, height, [face + (255,)] * (width * height))

    def part(self, cls, part, state, box):
        frames = self.skin.frames(cls, part)
        if not frames:
            return
        frame = frames[min(state, len(frames) - 1)]
        x0, y0, x1, y1 = box
        if (self.skin.get(cls, part, '-', 'SIZINGTYPE') or '').startswith('TRUESIZE'):
            blit(self.image, frame, (x0 + x1 - frame.width) // 2, (y0 + y1 - frame.height) // 2)
        else:
            blit(self.image, nine_grid(frame, x1 - x0, y1 - y0, self.skin.margins(cls, part)), x0, y0)
        glyph = self.skin.get(cls, part, '-', 'GLYPHIMAGEFILE')
        if glyph:
            glyph = self.skin.image(glyph).frame(min(state, len(frames) - 1), len(frames))
            blit(self.image, glyph, (x0 + x1 - glyph.width) // 2, (y0 + y1 - glyph.height) // 2)

    def label(self, words, colour, box, centred=True, bold=False):
        picture = text(words, colour, bold)
        if picture is None:
            return
        x0, y0, x1, y1 = box
        left = (x0 + x1 - picture.width) // 2 if centred else x0
        blit(self.image, picture, left, (y0 + y1 - picture.height) // 2)

    def fill(self, box, colour):
        x0, y0, x1, y1 = box
        blit(self.image, Image(x1 - x0, y1 - y0, [tuple(colour) + (255,)] * ((x1 - x0) * (y1 - y0))), x0, y0)

    def bordered(self, box, border, inside):
        x0, y0, x1, y1 = box
        self.fill(box, border)
        self.fill((x0 + 1, y0 + 1, x1 - 1, y1 - 1), inside)

    def class_colour(self, cls, name, fallback):
        value = self.skin.get(cls, '-', '-', name)
        return tuple(int(v) for v in value.split()) if value else self.skin.sys_colour(fallback)

    def colour(self, cls, part, state, fallback):
        value = self.skin.get(cls, part, state, 'TEXTCOLOR')
        return tuple(int(v) for v in value.split()) if value else self.skin.sys_colour(fallback)


def toolbar_icons():
    """The program's nine 48 x 48 toolbar pictures (magenta is transparent), or none."""
    path = os.path.join(HERE, '..', '..', 'res', 'bitmaps', 'toolbar_images_135.bmp')
    try:
        with open(path, 'rb') as f:
            data = f.read()
    except OSError:
        return []
    offset, width, height = struct.unpack_from('<I', data, 10)[0], *struct.unpack_from('<ii', data, 18)
    stride = (width * 3 + 3) & ~3
    pixels = []
    for y in range(height):
        row = offset + (height - 1 - y) * stride
        for x in range(width):
            b, g, r = data[row + 3 * x:row + 3 * x + 3]
            pixels.append((r, g, b, 0 if (r, g, b) == (255, 0, 255) else 255))
    strip = Image(width, height, pixels)
    return [strip.crop(i * height, 0, (i + 1) * height, height) for i in range(width // height)]


def dialog(skin):
    m = Mock(skin, MOCK_W, MOCK_H)
    w, h = MOCK_W, MOCK_H
    cap = skin.frames('WINDOW', 'CAPTION')[0].height
    m.part('WINDOW', 'CAPTION', 0, (0, 0, w, cap))
    m.part('WINDOW', 'FRAMELEFT', 0, (0, cap, 4, h - 4))
    m.part('WINDOW', 'FRAMERIGHT', 0, (w - 4, cap, w, h - 4))
    m.part('WINDOW', 'FRAMEBOTTOM', 0, (0, h - 4, w, h))
    bw, bh = skin.frames('WINDOW', 'CLOSEBUTTON')[0].width, skin.frames('WINDOW', 'CLOSEBUTTON')[0].height
    right, top = w - 5, (cap - bh) // 2 + 1
    for part, state in (('CLOSEBUTTON', 1), ('MAXBUTTON', 0), ('MINBUTTON', 0)):
        m.part('WINDOW', part, state, (right - bw, top, right, top + bh))
        right -= bw + 2
    centred = (skin.get('WINDOW', 'CAPTION', 'ACTIVE', 'CONTENTALIGNMENT') or '').startswith('CENTER')
    title = m.colour('WINDOW', 'CAPTION', 'ACTIVE', 'CAPTIONTEXT')
    m.label('Tavrelin', title, (8, 0, w if centred else w, cap), centred=centred, bold=True)
    y = cap + 6
    icons = toolbar_icons()
    for i, state in enumerate((0, 1, 2, 4, 0, 3)):
        box = (8 + i * 54, y, 62 + i * 54, y + 54)
        m.part('TOOLBAR', 'BUTTON', state, box)
        if i < len(icons):
            blit(m.image, icons[i], box[0] + 3 + (state == 2), box[1] + 3 + (state == 2))
    m.part('TOOLBAR', 'SEPARATOR', 0, (334, y, 342, y + 54))
    m.part('TOOLBAR', 'SPLITBUTTON', 1, (346, y, 400, y + 54))
    m.part('TOOLBAR', 'SPLITBUTTONDROPDOWN', 1, (400, y, 414, y + 54))
    if len(icons) > 6:
        blit(m.image, icons[6], 349, y + 3)
    y += 60
    m.part('TAB', 'PANE', 0, (10, y + 22, 300, y + 200))
    for i, (part, state, words) in enumerate((('TOPTABITEMLEFTEDGE', 2, 'Camera'), ('TOPTABITEM', 1, 'Album'),
                                              ('TOPTABITEMRIGHTEDGE', 0, 'Designs'))):
        box = (10 + i * 70, y + 2, 78 + i * 70, y + 24) if state != 2 else (8, y, 82, y + 24)
        m.part('TAB', part, state, box)
        m.label(words, m.colour('TAB', part, ('NORMAL', 'HOT', 'SELECTED')[state], 'BTNTEXT'), box)
    yy = y + 34
    for i, (state, words) in enumerate(((0, 'Normal'), (1, 'Hot'), (2, 'Pressed'), (3, 'Off'))):
        box = (20 + i * 68, yy, 84 + i * 68, yy + 23)
        m.part('BUTTON', 'PUSHBUTTON', state, box)
        name = ('NORMAL', 'HOT', 'PRESSED', 'DISABLED')[state]
        m.label(words, m.colour('BUTTON', 'PUSHBUTTON', name, 'BTNTEXT'), box)
    yy += 34
    m.part('BUTTON', 'GROUPBOX', 0, (20, yy + 6, 290, yy + 84))
    m.label(' Select a window style ', m.colour('BUTTON', 'GROUPBOX', 'NORMAL', 'BTNTEXT'), (28, yy, 200, yy + 12),
            centred=False)
    for i, (part, state) in enumerate((('RADIOBUTTON', 4), ('RADIOBUTTON', 1), ('CHECKBOX', 4), ('CHECKBOX', 0))):
        row, col = divmod(i, 2)
        box = (30 + col * 130, yy + 22 + row * 26, 43 + col * 130, yy + 35 + row * 26)
        m.part('BUTTON', part, state, box)
        m.label(('Office Style', 'Black', 'Sound', 'Preview')[i], m.colour('BUTTON', part, 'CHECKEDNORMAL', 'BTNTEXT'),
                (box[2] + 5, box[1], box[2] + 120, box[3]), centred=False)
    yy += 94
    m.part('BUTTON', 'PUSHBUTTON', 4, (20, yy, 100, yy + 23))
    m.label('OK', m.colour('BUTTON', 'PUSHBUTTON', 'DEFAULTED', 'BTNTEXT'), (20, yy, 100, yy + 23))
    m.part('TRACKBAR', 'TRACK', 0, (120, yy + 9, 280, yy + 13))
    m.part('TRACKBAR', 'THUMB', 1, (180, yy, 191, yy + 21))
    scroll(m, skin, (w - 4 - skin.frames('SCROLLBAR', 'ARROWBTN')[0].width, cap, w - 4, h - 4))
    m.part('EDIT', 'EDITTEXT', 4, (310, cap + 72, 420, cap + 94))
    m.label('Album\\', m.colour('EDIT', 'EDITTEXT', 'FOCUSED', 'WINDOWTEXT'), (314, cap + 72, 420, cap + 94),
            centred=False)
    m.part('PROGRESS', 'BAR', 0, (310, cap + 108, 420, cap + 124))
    for i in range(6):
        m.part('PROGRESS', 'CHUNK', 0, (312 + i * 10, cap + 110, 320 + i * 10, cap + 122))
    for i, state in enumerate((0, 1, 2)):
        m.part('LISTVIEW', 'LISTITEM', state, (310, cap + 142 + i * 20, 420, cap + 160 + i * 20))
        name = ('NORMAL', 'HOT', 'SELECTED')[state]
        m.label('000%d.avi' % (i + 1), m.colour('LISTVIEW', 'LISTITEM', name, 'WINDOWTEXT'),
                (316, cap + 142 + i * 20, 420, cap + 160 + i * 20), centred=False)
    lists(m, cap)
    menu_and_combo(m, cap)
    return m.image


def lists(m, cap):
    """A header over a list box with its selection."""
    y = cap + 318
    for i, (part, state, words) in enumerate((('HEADERITEM', 0, 'Name'), ('HEADERITEM', 1, 'Size'),
                                              ('HEADERITEM', 2, 'Date'))):
        box = (20 + i * 90, y, 110 + i * 90, y + 22)
        m.part('HEADER', part, state, box)
        name = ('NORMAL', 'HOT', 'PRESSED')[state]
        m.label(words, m.colour('HEADER', part, name, 'BTNTEXT'), (box[0] + 6, y, box[2], y + 22), centred=False)
    m.part('HEADER', 'HEADERSORTARROW', 0, (175, y + 6, 196, y + 16))
    box = (20, y + 22, 290, y + 100)
    m.bordered(box, m.class_colour('LISTBOX', 'BORDERCOLOR', 'BTNSHADOW'),
               m.class_colour('LISTBOX', 'FILLCOLOR', 'WINDOW'))
    text = m.class_colour('LISTBOX', 'TEXTCOLOR', 'WINDOWTEXT')
    for i, words in enumerate(('160 x 120', '320 x 240', '640 x 480')):
        row = (21, y + 24 + i * 18, 289, y + 42 + i * 18)
        if i == 1:
            m.fill(row, m.skin.sys_colour('HIGHLIGHT'))
        m.label(words, m.skin.sys_colour('HIGHLIGHTTEXT') if i == 1 else text, (row[0] + 4, row[1], 289, row[3]),
                centred=False)


def menu_and_combo(m, cap):
    """A popup menu with its hot item, a separator and a check; a combo box; a tooltip."""
    x0, y = 305, cap + 222
    m.bordered((x0, y, x0 + 125, y + 90), m.class_colour('MENU', 'BORDERCOLOR', 'BTNSHADOW'),
               m.class_colour('MENU', 'FILLCOLOR', 'MENU'))
    text = m.colour('MENU', 'MENUITEM', '-', 'MENUTEXT')
    rows = (('Rename', 0), ('Delete', 1), (None, 0), ('Open folder', 0))
    top = y + 3
    for words, state in rows:
        height = 8 if words is None else 20
        box = (x0 + 3, top, x0 + 122, top + height)
        m.part('MENU', 'SEPARATOR' if words is None else 'MENUITEM', state, box)
        if words:
            m.label(words, text, (box[0] + 20, box[1], box[2], box[3]), centred=False)
        top += height
    m.label('v', text, (x0 + 6, top - 20, x0 + 20, top), centred=False)
    y += 100
    m.part('EDIT', 'EDITTEXT', 0, (x0, y, x0 + 125, y + 22))
    m.part('COMBOBOX', 'DROPDOWNBUTTON', 1, (x0 + 125 - 19, y + 2, x0 + 123, y + 20))
    m.label('Full Frames', m.colour('EDIT', 'EDITTEXT', 'NORMAL', 'WINDOWTEXT'), (x0 + 4, y, x0 + 100, y + 22),
            centred=False)
    y += 30
    m.part('TOOLTIP', 'STANDARD', 0, (x0, y, x0 + 100, y + 20))
    m.label('take pictures', m.colour('TOOLTIP', 'STANDARD', '-', 'INFOTEXT'), (x0, y, x0 + 100, y + 20))


def scroll(m, skin, box):
    x0, y0, x1, y1 = box
    size = x1 - x0
    m.part('SCROLLBAR', 'ARROWBTN', 0, (x0, y0, x1, y0 + size))
    m.part('SCROLLBAR', 'ARROWBTN', 5, (x0, y1 - size, x1, y1))
    m.part('SCROLLBAR', 'UPPERTRACKVERT', 0, (x0, y0 + size, x1, y0 + 80))
    m.part('SCROLLBAR', 'THUMBBTNVERT', 1, (x0, y0 + 80, x1, y0 + 150))
    m.part('SCROLLBAR', 'GRIPPERVERT', 1, (x0, y0 + 80, x1, y0 + 150))
    m.part('SCROLLBAR', 'LOWERTRACKVERT', 2, (x0, y0 + 150, x1, y1 - size))


STRIP = [('WINDOW', 'CAPTION'), ('WINDOW', 'CLOSEBUTTON'), ('WINDOW', 'MINBUTTON'), ('WINDOW', 'SMALLCLOSEBUTTON'),
         ('BUTTON', 'PUSHBUTTON'), ('BUTTON', 'RADIOBUTTON'), ('BUTTON', 'CHECKBOX'), ('TAB', 'TOPTABITEM'),
         ('TOOLBAR', 'BUTTON'), ('SCROLLBAR', 'ARROWBTN'), ('SCROLLBAR', 'THUMBBTNVERT'), ('TRACKBAR', 'THUMBBOTTOM'),
         ('EDIT', 'EDITTEXT'), ('HEADER', 'HEADERITEM'), ('SPIN', 'UP')]


def strip(skin, width):
    """Every frame of the busiest parts, magnified twice, one part a column."""
    columns = [skin.frames(cls, part) for cls, part in STRIP]
    height = max(sum(f.height * 2 + 2 for f in frames) for frames in columns if frames)
    out = Image(width, height, [skin.sys_colour('BTNFACE') + (255,)] * (width * height))
    x = 4
    for frames in columns:
        y = 0
        for frame in frames or []:
            blit(out, nine_grid(frame, frame.width * 2, frame.height * 2, (0, 0, 0, 0)), x, y)
            y += frame.height * 2 + 2
        x += max(f.width for f in frames) * 2 + 8 if frames else 0
    return out


def write(skins, path):
    width = MOCK_W + STRIP_W + GAP * 3
    panels = []
    for skin in skins:
        panels.append((dialog(skin), strip(skin, STRIP_W)))
    height = sum(max(a.height, b.height) + GAP for a, b in panels) + GAP
    sheet = Image(width, height, [(90, 90, 96, 255)] * (width * height))
    y = GAP
    for mock, frames in panels:
        blit(sheet, mock, GAP, y)
        blit(sheet, frames, GAP * 2 + MOCK_W, y)
        y += max(mock.height, frames.height) + GAP
    rgba = bytearray()
    for p in sheet.pixels:
        rgba += bytes(p)
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(png_rgba(width, height, bytes(rgba)))
