"""The committed skins regenerate byte for byte, and the checker catches the
faults it is there for. Needs SKINTOOL (path of the native skintool)."""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
TOOLS = os.path.join(ROOT, 'tools', 'skins')
SKINS = os.path.join(ROOT, 'skins')
sys.path[:0] = [TOOLS, os.path.join(ROOT, 'tools', 'art')]

import check_skins  # noqa: E402
import skinimage  # noqa: E402
from imagefiles import png_rgba  # noqa: E402

SKINTOOL = os.environ.get('SKINTOOL', '')
HAND_WRITTEN = {'CMakeLists.txt', 'README.md'}


def tree(root):
    found = set()
    for folder, _, files in os.walk(root):
        found |= {os.path.relpath(os.path.join(folder, f), root) for f in files}
    return found - HAND_WRITTEN


class Regeneration(unittest.TestCase):
    def test_generator_reproduces_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, '-B', os.path.join(TOOLS, 'make_skins.py'), '--out', out], check=True)
            self.assertEqual(tree(out), tree(SKINS))
            _, mismatch, errors = filecmp.cmpfiles(out, SKINS, sorted(tree(out)), shallow=False)
            self.assertEqual(mismatch + errors, [])


class Contrast(unittest.TestCase):
    def test_published_ratios(self):
        # Figures from the accessibility guidelines' own examples.
        cases = [((0, 0, 0), (255, 255, 255), 21.0), ((0x76, 0x76, 0x76), (255, 255, 255), 4.54),
                 ((0x77, 0x77, 0x77), (255, 255, 255), 4.48), ((255, 255, 255), (255, 255, 255), 1.0)]
        for a, b, ratio in cases:
            self.assertAlmostEqual(check_skins.contrast(a, b), ratio, places=2)
            self.assertAlmostEqual(check_skins.contrast(b, a), ratio, places=2)


class PngReader(unittest.TestCase):
    def test_every_filter_agrees_with_imagemagick(self):
        convert = shutil.which('convert')
        if not convert:
            self.skipTest('ImageMagick not installed')
        with tempfile.TemporaryDirectory() as tmp:
            source = os.path.join(tmp, 'source.png')
            pixels = bytes((x * 7 + y * 3) % 256 if c < 3 else (x * 20) % 256
                           for y in range(9) for x in range(13) for c in range(4))
            with open(source, 'wb') as f:
                f.write(png_rgba(13, 9, pixels))
            for filter_type in range(5):
                target = os.path.join(tmp, 'f%d.png' % filter_type)
                subprocess.run([convert, source, '-define', 'png:compression-filter=%d' % filter_type,
                                'PNG32:' + target], check=True)
                raw = subprocess.run([convert, target, '-depth', '8', 'RGBA:-'], check=True,
                                     capture_output=True).stdout
                with open(target, 'rb') as f:
                    image = skinimage.read_png(f.read())
                self.assertEqual(b''.join(bytes(p) for p in image.pixels), raw, 'filter %d' % filter_type)


class SharedImages(unittest.TestCase):
    def test_two_parts_drawing_one_file_differently_are_refused(self):
        import designs
        import paint
        import parts
        import skinfiles
        design = designs.DESIGNS[0]
        left = next(p for p in parts.parts(design) if p.image == 'FRAMELEFT.PNG')
        inactive_only = left._replace(painter=lambda d, state, w, h: paint.frame_side(d, 'inactive', w, h, 'left'))
        skinfiles.skin_images(design, [left, left])
        with self.assertRaises(ValueError):
            skinfiles.skin_images(design, [left, inactive_only])


class LoaderAlpha(unittest.TestCase):
    def test_when_the_loader_keeps_an_image_s_alpha(self):
        cases = [([255, 255], False), ([255, 0, 0], False), ([0, 255], True), ([255, 128, 255], True),
                 ([0, 0, 0], False), ([255, 0, 255, 0], True)]
        for alphas, kept in cases:
            self.assertEqual(check_skins.keeps_alpha(alphas), kept, alphas)


def replace_in(path, old, new):
    with open(path, 'rb') as f:
        data = f.read()
    assert old in data, (path, old)
    with open(path, 'wb') as f:
        f.write(data.replace(old, new, 1))


def edit_png(path, change):
    with open(path, 'rb') as f:
        image = skinimage.read_png(f.read())
    change(image)
    with open(path, 'wb') as f:
        f.write(png_rgba(image.width, image.height, b''.join(bytes(p) for p in image.pixels)))


def set_frame(image, count, index, source_index):
    h = image.height // count
    for y in range(h):
        row = image.width * (index * h + y)
        image.pixels[row:row + image.width] = image.pixels[image.width * (source_index * h + y):][:image.width]


# (what is broken, skin, file in that skin, how, text the checker must report)
FAULTS = [
    ('a line the parser skips', 'red', 'Normal.ini', lambda p: replace_in(p, b'[Button.PushButton]\r\n',
                                                                          b'[Button.PushButton]\r\nColour = 1\r\n'),
     'stores nothing'),
    ('a state section dropped', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'[Button.PushButton(Hot)]', b'[Button.PushButton(Hotter)]'), 'no text colour'),
    ('text as light as the face', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'[Tab.TopTabItem(Normal)]\r\nTextColor = 46 30 24',
                          b'[Tab.TopTabItem(Normal)]\r\nTextColor = 225 211 198'), 'TOPTABITEM(NORMAL): text contrast'),
    ('frame count that does not divide', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'ImageFile = PUSHBUTTON.PNG\r\nImageCount = 5', b'ImageFile = PUSHBUTTON.PNG\r\nImageCount = 7'),
     'do not divide'),
    ('an image in Globals', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'[SysMetrics]', b'[Globals]\r\nImageFile = CAPTION.PNG\r\n\r\n[SysMetrics]'),
     'GLOBALS section'),
    ('a part left out', 'red', 'Normal.ini', lambda p: replace_in(p, b'[Window.HelpButton]', b'[Window.HelpButtons]'),
     'HELPBUTTON has no image of its own'),
    ('inactive caption button states left out', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'HELPBUTTON.PNG\r\nImageCount = 8', b'HELPBUTTON.PNG\r\nImageCount = 4'),
     'fewer than 8 frames'),
    ('a system colour left out', 'red', 'Normal.ini', lambda p: replace_in(p, b'MenuHilight = ', b'MenuHighlight = '),
     'lacks MENUHILIGHT'),
    ('no tick colour', 'red', 'Normal.ini', lambda p: replace_in(p, b'[Trackbar.Tics]', b'[Trackbar.Tick]'),
     'TRACKBAR.TICS has no colour'),
    ('an enumeration value misspelt', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'SizingType = Stretch', b'SizingType = Stretched'), 'names no value'),
    ('an image property on a class', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'[SysMetrics]', b'[Button]\r\nSizingMargins = 1, 1, 1, 1\r\n\r\n[SysMetrics]'),
     'BUTTON section'),
    ('a dim caption text', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'[Window.Caption(Active)]\r\nTextColor = 255 255 255',
                          b'[Window.Caption(Active)]\r\nTextColor = 190 40 60'), 'CAPTION(ACTIVE): text contrast'),
    ('an image the module lacks', 'red', os.path.join('..', 'red.rc'),
     lambda p: replace_in(p, b'GROUPBOX_PNG PNG', b'GROUP_BOX_PNG PNG'), 'no PNG resource GROUPBOX_PNG'),
    ('a caption with partial alpha', 'red', 'CAPTION.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(5, im.pixels[5][:3] + (128,))), 'not fully opaque'),
    ('a transparent image', 'red', 'SORTARROW.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(slice(None), [(0, 0, 0, 0)] * len(im.pixels))),
     'entirely transparent'),
    ('visible pixels only before the transparent ones', 'red', 'SORTARROW.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(slice(None), [(9, 9, 9, 255)] * (len(im.pixels) // 2)
                                                           + [(0, 0, 0, 0)] * (len(im.pixels) - len(im.pixels) // 2))),
     'transparent pixels for opaque'),
    ('a hot frame like the normal one', 'red', 'PUSHBUTTON.PNG', lambda p: edit_png(p, lambda im: set_frame(im, 5, 1, 0)),
     'frame 2 looks like frame 1'),
    ('a disabled frame louder than normal', 'red', 'PUSHBUTTON.PNG',
     lambda p: edit_png(p, lambda im: set_frame(im, 5, 3, 2)), 'not muted'),
    ('a magenta pixel', 'red', 'THUMB.PNG', lambda p: edit_png(p, lambda im: im.pixels.__setitem__(40, (255, 0, 255, 255))),
     'magenta'),
    ('a group box with soft edges', 'red', 'GROUPBOX.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(0, im.pixels[0][:3] + (100,))), 'partial alpha'),
    ('a rounded outer corner', 'red', 'CAPTION.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(0, (255, 255, 255, 255))), 'shaped top-left corner'),
    ('module text without its last line end', 'red', os.path.join('..', 'module', 'red_NORMAL_INI.txt'),
     lambda p: truncate(p, 4), 'not CR LF'),
    ('edit text on a fill as dark as itself', 'red', 'Normal.ini',
     lambda p: replace_in(p, b'TextColor = 46 30 24\r\nFillColor = 255 252 248',
                          b'TextColor = 46 30 24\r\nFillColor = 60 40 30'), 'EDITTEXT(NORMAL): text contrast'),
    ('list box colours left out', 'red', 'Normal.ini', lambda p: replace_in(p, b'[ListBox]', b'[ListBoxes]'),
     'LISTBOX lacks FILLCOLOR'),
    ('Office without AlphaLevel', 'Office', 'Normal.ini', lambda p: replace_in(p, b'AlphaLevel = 255\r\n', b''),
     'AlphaLevel = 255'),
    ('an Office image not premultiplied', 'Office', 'TOOLBARBUTTON.PNG',
     lambda p: edit_png(p, lambda im: im.pixels.__setitem__(0, (200, 200, 200, 10))), 'not stored premultiplied'),
]


def truncate(path, count):
    with open(path, 'rb') as f:
        data = f.read()
    with open(path, 'wb') as f:
        f.write(data[:-count])


@unittest.skipUnless(SKINTOOL, 'SKINTOOL not set')
class Checker(unittest.TestCase):
    def test_committed_skins_pass(self):
        _, problems = check_skins.check_all(SKINS, SKINTOOL)
        self.assertEqual(problems, [])

    def test_each_fault_is_reported(self):
        for what, stem, name, damage, expected in FAULTS:
            with self.subTest(what), tempfile.TemporaryDirectory() as tmp:
                copy = os.path.join(tmp, 'skins')
                shutil.copytree(SKINS, copy)
                damage(os.path.join(copy, stem, name))
                _, problems = check_skins.check_all(copy, SKINTOOL, [stem])
                self.assertTrue(any(expected in line for line in problems), problems)

    def test_images_in_subfolders_are_found(self):
        with tempfile.TemporaryDirectory() as tmp:
            copy = os.path.join(tmp, 'skins')
            shutil.copytree(SKINS, copy)
            os.makedirs(os.path.join(copy, 'red', 'SUB'))
            os.rename(os.path.join(copy, 'red', 'SORTARROW.PNG'), os.path.join(copy, 'red', 'SUB', 'SORTARROW.PNG'))
            replace_in(os.path.join(copy, 'red', 'Normal.ini'), b'= SORTARROW.PNG', b'= SUB\\SORTARROW.PNG')
            replace_in(os.path.join(copy, 'red.rc'), b'SORTARROW_PNG PNG "red/', b'SUB_SORTARROW_PNG PNG "red/SUB/')
            _, problems = check_skins.check_all(copy, SKINTOOL, ['red'])
            self.assertFalse([line for line in problems if 'SORTARROW' in line], problems)

    def test_alike_skins_are_reported(self):
        with tempfile.TemporaryDirectory() as tmp:
            copy = os.path.join(tmp, 'skins')
            shutil.copytree(SKINS, copy)
            shutil.rmtree(os.path.join(copy, 'black'))
            shutil.copytree(os.path.join(copy, 'red'), os.path.join(copy, 'black'))
            for name in ('NORMAL_INI', 'THEMES_INI'):
                shutil.copy(os.path.join(copy, 'module', 'red_%s.txt' % name),
                            os.path.join(copy, 'module', 'black_%s.txt' % name))
            skins = [check_skins.Skin(copy, stem, SKINTOOL) for stem in ('red', 'black')]
            self.assertTrue(any('look alike' in line for line in check_skins.check_distinct(skins)))


if __name__ == '__main__':
    unittest.main()
