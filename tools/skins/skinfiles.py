"""Writes a skin in its two forms.

Folder form: <stem>/Normal.ini (ANSI, CR LF) beside its PNG images.
Module form sources: module/<stem>.rc with the property text and THEMES_INI
as UTF-16LE (byte-order mark, CR LF after every line including the last),
string 5000 and every image as a "PNG" resource.
"""
import os

from raster import hex_colour
from imagefiles import png_rgba

import office2007
import parts

PROPERTY_FILE = 'Normal.ini'
THEMES_TEXT = '[File.Normal]\nColorSchemes = Normal\nSizes = Normal\n'


def resource_name(file_name):
    """The module form's resource name for a file name: upper case, "." and "\\" as "_"."""
    return file_name.upper().replace('.', '_').replace('\\', '_')


def rgb_text(colour):
    return ' '.join(str(int(round(v * 255))) for v in hex_colour(colour))


def rgba_bytes(canvas, premultiplied):
    """Straight RGBA, or premultiplied for the variant that blends without multiplying."""
    if not premultiplied:
        return bytes(canvas.rgba_bytes())
    out = bytearray()
    for r, g, b, a in canvas.pixels:
        alpha = int(round(min(max(a, 0.0), 1.0) * 255))
        out += bytes(min(int(round(c * 255)), alpha) for c in (r, g, b))
        out.append(alpha)
    return bytes(out)


def stacked(design, painter, states, size):
    """The frames of every state, top to bottom, as one canvas."""
    from raster import Canvas
    w, h = size
    out = Canvas(w, h * len(states))
    for i, (_, state) in enumerate(states):
        frame = painter(design, state, w, h)
        out.pixels[i * w * h:(i + 1) * w * h] = frame.pixels
    return out


def skin_images(design, part_list):
    """Image file name -> PNG bytes; parts that share a file must draw it alike."""
    canvases = {}

    def add(name, canvas):
        data = png_rgba(canvas.width, canvas.height, rgba_bytes(canvas, design.premultiplied))
        if canvases.setdefault(name, data) != data:
            raise ValueError('%s is drawn differently by two parts' % name)

    for item in part_list:
        add(item.image, stacked(design, item.painter, item.states, item.size))
        glyph = item.extra.get('GlyphImageFile')
        if glyph:
            add(glyph[0], stacked(design, glyph[2], item.states, glyph[1]))
    if design.premultiplied:
        for name, canvas in office2007.office2007_images(design).items():
            add(name, canvas)
    return canvases


def _value_text(value):
    if isinstance(value, bool):
        return 'True' if value else 'False'
    if isinstance(value, tuple):
        return value[0] if isinstance(value[0], str) else ', '.join(str(v) for v in value)
    return str(value)


def property_lines(design, part_list):
    d = design
    lines = ['; %s skin of Tavrelin, written by tools/skins/make_skins.py.' % d.display_name, '',
             '[Documentation]', 'DisplayName = ' + d.display_name, 'Author = Tavrelin',
             'Description = %s look for every window of the program' % d.display_name]
    if d.premultiplied:
        # Keeps the folder form, which has no string 5000, from multiplying the images a second time.
        lines.append('AlphaLevel = 255')
    lines += ['',
             '[SysMetrics]', 'CaptionFont = ' + d.caption_font, 'SmallCaptionFont = ' + d.small_caption_font,
             'CaptionBarHeight = %d' % d.caption_height, 'SmCaptionBarHeight = %d' % d.small_caption_height,
             'ScrollbarWidth = %d' % d.scrollbar_size, 'ScrollbarHeight = %d' % d.scrollbar_size]
    lines += ['%s = %s' % (name, rgb_text(colour)) for name, colour in d.sys_colours()]
    for item in part_list:
        lines += ['', '[%s.%s]' % (item.cls, item.part), 'BgType = ImageFile', 'ImageFile = ' + item.image,
                  'ImageCount = %d' % len(item.states), 'ImageLayout = Vertical',
                  'SizingType = ' + item.sizing, 'SizingMargins = ' + _value_text(item.margins)]
        lines += ['%s = %s' % (key, _value_text(value)) for key, value in item.extra.items()]
        named_states = [(name, state) for name, state in item.states if name]
        if item.text and not named_states:
            lines.append('TextColor = ' + rgb_text(item.text(d, item.states[0][1])))
        for name, state in named_states if item.text else []:
            lines += ['', '[%s.%s(%s)]' % (item.cls, item.part, name), 'TextColor = ' + rgb_text(item.text(d, state))]
            if item.fill:
                lines.append('FillColor = ' + rgb_text(item.fill(d, state)))
    for tics in ('Tics', 'TicsVert'):
        lines += ['', '[Trackbar.%s]' % tics, 'Color = ' + rgb_text(d.c['arrow'])]
    for name, values in parts.class_sections(d):
        lines += ['', '[%s]' % name]
        lines += ['%s = %s' % (key, rgb_text(value) if str(value).startswith('#') else _value_text(value))
                  for key, value in values]
    return lines


def _write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


def utf16_text(lines):
    return b'\xff\xfe' + ''.join(line + '\r\n' for line in lines).encode('utf-16-le')


def rc_text(design, images, module_dir_name):
    d = design
    lines = ['// The %s skin as a resource-only module; written by tools/skins/make_skins.py.' % d.display_name,
             'STRINGTABLE', 'BEGIN', '  5000 "%s"' % d.style_name, 'END', '',
             'THEMES_INI TEXTFILE "%s/%s_THEMES_INI.txt"' % (module_dir_name, d.stem),
             '%s TEXTFILE "%s/%s_%s.txt"' % (resource_name(PROPERTY_FILE), module_dir_name, d.stem,
                                               resource_name(PROPERTY_FILE))]
    for name in sorted(images):
        lines.append('%s PNG "%s/%s"' % (resource_name(name), d.stem, name.replace('\\', '/')))
    return ''.join(line + '\n' for line in lines)


def write_skin(design, out):
    """Writes the folder form to out/<stem>/ and the module sources to out/module/."""
    part_list = parts.parts(design)
    images = skin_images(design, part_list)
    lines = property_lines(design, part_list)
    folder = os.path.join(out, design.stem)
    _write(os.path.join(folder, PROPERTY_FILE), ''.join(line + '\r\n' for line in lines).encode('cp1252'))
    for name, data in images.items():
        _write(os.path.join(folder, *name.split('\\')), data)
    module = os.path.join(out, 'module')
    _write(os.path.join(module, '%s_%s.txt' % (design.stem, resource_name(PROPERTY_FILE))), utf16_text(lines))
    _write(os.path.join(module, '%s_THEMES_INI.txt' % design.stem), utf16_text(THEMES_TEXT.splitlines()))
    _write(os.path.join(out, design.stem + '.rc'), rc_text(design, images, 'module').encode('ascii'))
