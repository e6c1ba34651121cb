"""The four skins' palettes and shapes.

A design names its colours once; the part painters ask it for a Look (face
gradient, border, text and glyph colour) by role and state, so that a
button, a tab and a scroll arrow of one skin share their light and shade.
"""
from collections import namedtuple

Look = namedtuple('Look', 'top bottom border text glyph')


def _look(top, bottom, border, text, glyph=None):
    return Look(top, bottom, border, text, glyph or text)


class Design:
    """Common role logic; each skin below supplies its colours and shapes."""
    stem = ''                 # file name without ".skin"
    style_name = ''           # string 5000
    display_name = ''
    premultiplied = False     # images stored premultiplied (Office2007 variant)
    caption_centred = False
    button_radius = 3.0
    tab_radius = 3.0
    round_caption_buttons = False
    caption_font = 'Tahoma, 9, Bold'
    small_caption_font = 'Tahoma, 8, Bold'
    caption_height = 22
    small_caption_height = 18
    scrollbar_size = 17
    c = {}                    # named colours

    # ---- looks by role and state -------------------------------------------------

    def button(self, state):
        """state: normal, hot, pressed, disabled, default (also checked, focused)."""
        c = self.c
        if state == 'hot':
            return _look(c['hot_top'], c['hot_bottom'], c['hot_border'], c['text'])
        if state in ('pressed', 'checked'):
            return _look(c['press_top'], c['press_bottom'], c['press_border'], c.get('press_text', c['text']))
        if state == 'disabled':
            return _look(c['off_top'], c['off_bottom'], c['off_border'], c['gray_text'])
        if state in ('default', 'focused'):
            return _look(c['button_top'], c['button_bottom'], c['accent'], c['text'])
        return _look(c['button_top'], c['button_bottom'], c['border'], c['text'])

    def check_box(self, state):
        """The 13 x 13 box of check boxes and radio buttons; the mark takes the glyph colour."""
        look = self.button(state)
        mark = self.c['gray_text'] if state == 'disabled' else self.c['mark']
        return look._replace(glyph=mark)

    def tab(self, state):
        c = self.c
        if state == 'selected':
            return _look(c['tab_on_top'], c['tab_on_bottom'], c['border'], c['text'], c['accent'])
        if state == 'hot':
            return _look(c['hot_top'], c['hot_bottom'], c['hot_border'], c['text'])
        if state == 'disabled':
            return _look(c['off_top'], c['off_bottom'], c['off_border'], c['gray_text'])
        if state == 'focused':
            return _look(c['tab_on_top'], c['tab_on_bottom'], c['accent'], c['text'], c['accent'])
        return _look(c['tab_top'], c['tab_bottom'], c['border'], c['text'])

    def caption(self, active):
        c = self.c
        if active:
            return _look(c['caption_top'], c['caption_bottom'], c['frame_outer'], c['caption_text'], c['caption_line'])
        return _look(c['caption_off_top'], c['caption_off_bottom'], c['frame_off_outer'], c['caption_off_text'],
                     c['caption_off_line'])

    def frame(self, active):
        c = self.c
        if active:
            return _look(c['frame'], c['frame'], c['frame_outer'], c['caption_text'])
        return _look(c['frame_off'], c['frame_off'], c['frame_off_outer'], c['caption_off_text'])

    def caption_button(self, state, active, close=False):
        """Caption buttons: state normal, hot, pressed, disabled; drawn over the caption."""
        c = self.c
        key = 'cb_close_' if close and ('cb_close_hot' in c) else 'cb_'
        if state == 'disabled':
            return _look(c['cb_off_top'], c['cb_off_bottom'], c['cb_off_border'], c['cb_off_border'])
        if not active and state == 'normal':
            return _look(c['cb_off_top'], c['cb_off_bottom'], c['cb_off_border'], c['cb_off_glyph'])
        if state == 'hot':
            return _look(c[key + 'hot'], c[key + 'hot_bottom'], c['cb_hot_border'], c['cb_hot_glyph'])
        if state == 'pressed':
            return _look(c[key + 'press'], c[key + 'press_bottom'], c['cb_press_border'], c['cb_hot_glyph'])
        return _look(c['cb_top'], c['cb_bottom'], c['cb_border'], c['cb_glyph'])

    def scroll(self, state):
        """Arrow buttons and thumbs."""
        look = self.button(state)
        if state == 'normal':
            c = self.c
            return _look(c['thumb_top'], c['thumb_bottom'], c['thumb_border'], c['text'], c['arrow'])
        if state == 'disabled':
            return look._replace(glyph=self.c['off_border'])
        return look._replace(glyph=self.c['arrow_hot'])

    def track(self, state):
        c = self.c
        if state == 'pressed':
            return _look(c['track_press'], c['track_press'], c['track_edge'], c['text'])
        if state == 'hot':
            return _look(c['track_hot'], c['track_hot'], c['track_edge'], c['text'])
        if state == 'disabled':
            return _look(c['face'], c['face'], c['face'], c['gray_text'])
        return _look(c['track'], c['track'], c['track_edge'], c['text'])

    def toolbar(self, state):
        """Flat toolbar buttons: None for the states that show no face."""
        if state in ('normal', 'disabled'):
            return None
        c = self.c
        if state == 'hotchecked':
            return _look(c['press_top'], c['hot_bottom'], c['hot_border'], c['text'])
        return self.button({'checked': 'pressed'}.get(state, state))

    def item(self, state):
        """Selection looks of list, menu and header items."""
        c = self.c
        if state == 'selected':
            return _look(c['highlight'], c['highlight'], c['highlight'], c['highlight_text'])
        if state == 'hot':
            return _look(c['hot_top'], c['hot_bottom'], c['hot_border'], c['text'])
        if state == 'selectednotfocus':
            return _look(c['tab_top'], c['tab_bottom'], c['border'], c['text'])
        if state == 'disabled':
            return None
        return None

    def edit(self, state):
        c = self.c
        if state == 'disabled':
            return _look(c['face'], c['face'], c['off_border'], c['gray_text'])
        if state == 'readonly':
            return _look(c['face'], c['face'], c['border'], c['text'])
        if state in ('hot', 'focused', 'selected'):
            return _look(c['window'], c['window'], c['accent'], c['window_text'])
        return _look(c['window'], c['window'], c['border'], c['window_text'])

    # ---- system colours ------------------------------------------------------------

    def sys_colours(self):
        """The 31 system colours by SysMetrics property name."""
        c = self.c
        return [
            ('Scrollbar', c['track']), ('Background', c['desktop']), ('ActiveCaption', c['caption_bottom']),
            ('InactiveCaption', c['caption_off_bottom']), ('Menu', c['menu']), ('Window', c['window']),
            ('WindowFrame', c['frame_outer']), ('MenuText', c['menu_text']), ('WindowText', c['window_text']),
            ('CaptionText', c['caption_text']), ('ActiveBorder', c['frame']), ('InactiveBorder', c['frame_off']),
            ('AppWorkspace', c['workspace']), ('Highlight', c['highlight']), ('HighlightText', c['highlight_text']),
            ('BtnFace', c['face']), ('BtnShadow', c['shadow']), ('GrayText', c['gray_text']), ('BtnText', c['text']),
            ('InactiveCaptionText', c['caption_off_text']), ('BtnHighlight', c['light']),
            ('DkShadow3d', c['dark_shadow']), ('Light3d', c['light3d']), ('InfoText', c['info_text']),
            ('InfoBk', c['info']), ('ButtonAlternateFace', c['alt_face']), ('HotTracking', c['hot_tracking']),
            ('GradientActiveCaption', c['caption_top']), ('GradientInactiveCaption', c['caption_off_top']),
            ('MenuHilight', c['highlight']), ('MenuBar', c['menu']),
        ]


class Red(Design):
    """The default look: crimson caption over warm, light faces."""
    stem = 'red'
    style_name = 'Tavrelin Red'
    display_name = 'Default'
    button_radius = 3.0
    c = dict(
        face='#f3ebe2', window='#fffcf8', text='#2e1e18', window_text='#2e1e18', gray_text='#9c8d83',
        mark='#a8182c', accent='#b3243a', arrow='#5c3a30', arrow_hot='#8e1424',
        button_top='#fffdfa', button_bottom='#eadbce', border='#a88c7a',
        hot_top='#fff5ef', hot_bottom='#f7dad0', hot_border='#b3243a',
        press_top='#e3c6b9', press_bottom='#f1ddd3', press_border='#8e1b2c',
        off_top='#f2ede8', off_bottom='#ece5de', off_border='#d5c9bf',
        tab_top='#eadfd4', tab_bottom='#e1d3c6', tab_on_top='#fffcf8', tab_on_bottom='#f3ebe2',
        caption_top='#c62c41', caption_bottom='#8a1324', caption_text='#ffffff', caption_line='#5e0b17',
        caption_off_top='#d9c8bf', caption_off_bottom='#c2ada2', caption_off_text='#3f2f29',
        caption_off_line='#9c857a',
        frame='#8a1324', frame_outer='#55101a', frame_off='#c2ada2', frame_off_outer='#8f786d',
        cb_top='#d5475a', cb_bottom='#a51c30', cb_border='#6a0e1b', cb_glyph='#ffffff',
        cb_hot='#ec6b7c', cb_hot_bottom='#c8354a', cb_hot_border='#6a0e1b', cb_hot_glyph='#ffffff',
        cb_press='#7a0f1e', cb_press_bottom='#941a2c', cb_press_border='#4a0a13',
        cb_off_top='#e3d6cf', cb_off_bottom='#cdbab0', cb_off_border='#9c857a', cb_off_glyph='#7d6a61',
        thumb_top='#fbf3ec', thumb_bottom='#e6d4c6', thumb_border='#a88c7a',
        track='#e9dfd5', track_hot='#e4d6c9', track_press='#cfb7a8', track_edge='#d8c9bc',
        highlight='#a8182c', highlight_text='#ffffff', menu='#fbf6f0', menu_text='#2e1e18',
        desktop='#6e2a33', workspace='#c9b8ac', shadow='#a88c7a', light='#ffffff', dark_shadow='#5a463d',
        light3d='#f8f2ec', info='#fff4dc', info_text='#2e1e18', alt_face='#e6d9cc', hot_tracking='#b3243a',
    )


class Office(Design):
    """Pale blue with amber hover; scroll bars come from the OFFICE2007 images."""
    stem = 'Office'
    style_name = 'Office 2007 Style'
    display_name = 'Office Style'
    premultiplied = True
    button_radius = 2.5
    caption_height = 24
    caption_font = 'Tahoma, 9, Bold'
    c = dict(
        face='#d5e3f5', window='#ffffff', text='#15325a', window_text='#15325a', gray_text='#8a99ad',
        mark='#1f4e8f', accent='#3b6fb6', arrow='#35598c', arrow_hot='#7a4b06',
        button_top='#f9fbfe', button_bottom='#d3e2f4', border='#8ea8cb',
        hot_top='#fff7d6', hot_bottom='#ffd46a', hot_border='#dba431',
        press_top='#f9bd5c', press_bottom='#fddc98', press_border='#c08428',
        off_top='#eef2f7', off_bottom='#e7ecf3', off_border='#c4cfdd',
        tab_top='#d6e3f3', tab_bottom='#c6d7ee', tab_on_top='#ffffff', tab_on_bottom='#e8f0fa',
        caption_top='#e1edfc', caption_bottom='#a6c5ee', caption_text='#15428b', caption_line='#8eaee0',
        caption_off_top='#f1f4f8', caption_off_bottom='#dce3ec', caption_off_text='#5f6f86',
        caption_off_line='#b9c5d4',
        frame='#a6c5ee', frame_outer='#6a8fc4', frame_off='#cbd5e2', frame_off_outer='#97a8bd',
        cb_top='#e1ecfa', cb_bottom='#b4cff0', cb_border='#7fa2d6', cb_glyph='#2b4f86',
        cb_hot='#fff3c4', cb_hot_bottom='#ffd062', cb_hot_border='#d39b2a', cb_hot_glyph='#4a2e02',
        cb_press='#f7b452', cb_press_bottom='#fbd38a', cb_press_border='#b57a22',
        cb_close_hot='#f9c2b4', cb_close_hot_bottom='#e9745e', cb_close_press='#c8452f',
        cb_close_press_bottom='#df6a52',
        cb_off_top='#eef2f7', cb_off_bottom='#dde4ed', cb_off_border='#b9c5d4', cb_off_glyph='#6d7c91',
        thumb_top='#edf3fb', thumb_bottom='#c8daf1', thumb_border='#8ea8cb',
        track='#e8eff8', track_hot='#e0e9f5', track_press='#c5d6ed', track_edge='#cbd8ea',
        highlight='#3369b5', highlight_text='#ffffff', menu='#f6f9fd', menu_text='#15325a',
        desktop='#3a6ea5', workspace='#b8cbe4', shadow='#8ea8cb', light='#ffffff', dark_shadow='#4d6a92',
        light3d='#eef4fb', info='#fdfbe4', info_text='#15325a', alt_face='#cfdcee', hot_tracking='#c07a10',
    )


class Apple(Design):
    """Light silver, a centred caption and pill-shaped buttons."""
    stem = 'apple'
    style_name = 'Tavrelin Silver'
    display_name = 'Apple Style'
    caption_centred = True
    button_radius = 11.0
    tab_radius = 5.0
    round_caption_buttons = True
    caption_font = 'Tahoma, 9'
    c = dict(
        face='#e8e8e8', window='#ffffff', text='#1c1c1c', window_text='#1c1c1c', gray_text='#9a9a9a',
        mark='#2d62b8', accent='#4a80cf', arrow='#505050', arrow_hot='#1d3f73',
        button_top='#ffffff', button_bottom='#e2e2e2', border='#a4a4a4',
        hot_top='#f5f9ff', hot_bottom='#d3e3f7', hot_border='#7b9dc9',
        press_top='#bcd0ea', press_bottom='#d6e3f3', press_border='#5b7ca8',
        off_top='#f4f4f4', off_bottom='#eeeeee', off_border='#d2d2d2',
        tab_top='#e6e6e6', tab_bottom='#d9d9d9', tab_on_top='#ffffff', tab_on_bottom='#efefef',
        caption_top='#eeeeee', caption_bottom='#c2c2c2', caption_text='#262626', caption_line='#9a9a9a',
        caption_off_top='#f8f8f8', caption_off_bottom='#e4e4e4', caption_off_text='#6e6e6e',
        caption_off_line='#bdbdbd',
        frame='#c4c4c4', frame_outer='#8a8a8a', frame_off='#dcdcdc', frame_off_outer='#b0b0b0',
        cb_top='#f2f2f2', cb_bottom='#b9b9b9', cb_border='#858585', cb_glyph='#3a3a3a',
        cb_hot='#e6f0fd', cb_hot_bottom='#9fbfe8', cb_hot_border='#5b7ca8', cb_hot_glyph='#12305c',
        cb_press='#8fb0dc', cb_press_bottom='#b8cfee', cb_press_border='#4a6a96',
        cb_off_top='#f6f6f6', cb_off_bottom='#dadada', cb_off_border='#b3b3b3', cb_off_glyph='#8c8c8c',
        thumb_top='#fafafa', thumb_bottom='#d8d8d8', thumb_border='#a4a4a4',
        track='#f1f1f1', track_hot='#e9e9e9', track_press='#d6d6d6', track_edge='#dcdcdc',
        highlight='#336fcc', highlight_text='#ffffff', menu='#f7f7f7', menu_text='#1c1c1c',
        desktop='#7c8a99', workspace='#c6c6c6', shadow='#a4a4a4', light='#ffffff', dark_shadow='#5c5c5c',
        light3d='#f5f5f5', info='#fdfde6', info_text='#1c1c1c', alt_face='#dedede', hot_tracking='#2d62b8',
    )


class Black(Design):
    """Charcoal with a cyan accent and light text."""
    stem = 'black'
    style_name = 'Tavrelin Black'
    display_name = 'Black'
    button_radius = 2.0
    tab_radius = 2.0
    c = dict(
        face='#2b2d31', window='#1e1f22', text='#e8eaed', window_text='#e8eaed', gray_text='#80858d',
        mark='#35cde6', accent='#2fc6e0', arrow='#c9ced4', arrow_hot='#6fe3f5',
        button_top='#44474d', button_bottom='#35383d', border='#5b5f67',
        hot_top='#3d5058', hot_bottom='#2e3d44', hot_border='#2fc6e0',
        press_top='#195866', press_bottom='#1f6b7b', press_border='#2fc6e0',
        off_top='#2c2e32', off_bottom='#2b2d31', off_border='#3e4147',
        tab_top='#26282c', tab_bottom='#222428', tab_on_top='#3a3d43', tab_on_bottom='#2b2d31',
        caption_top='#202125', caption_bottom='#141517', caption_text='#f2f4f5', caption_line='#2fc6e0',
        caption_off_top='#303236', caption_off_bottom='#292b2f', caption_off_text='#a3a8af',
        caption_off_line='#45484e',
        frame='#1a1b1e', frame_outer='#2fc6e0', frame_off='#2a2c30', frame_off_outer='#4a4d53',
        cb_top='#2a2c31', cb_bottom='#1f2024', cb_border='#3b3e44', cb_glyph='#e3e6e9',
        cb_hot='#3a4f57', cb_hot_bottom='#2c3d44', cb_hot_border='#2fc6e0', cb_hot_glyph='#ffffff',
        cb_press='#1a6273', cb_press_bottom='#1f7486', cb_press_border='#2fc6e0',
        cb_close_hot='#d1495f', cb_close_hot_bottom='#a8293e', cb_close_press='#7d1a2a',
        cb_close_press_bottom='#952236',
        cb_off_top='#2e3034', cb_off_bottom='#2a2c30', cb_off_border='#45484e', cb_off_glyph='#8f949b',
        thumb_top='#55595f', thumb_bottom='#474a50', thumb_border='#656a72',
        track='#232428', track_hot='#282a2e', track_press='#1a4f5b', track_edge='#1c1d20',
        highlight='#2fc6e0', highlight_text='#0b1a1e', menu='#26282c', menu_text='#e8eaed',
        press_text='#ffffff',
        desktop='#101113', workspace='#18191b', shadow='#15161a', light='#4a4d54', dark_shadow='#0b0c0d',
        light3d='#3a3d43', info='#33363b', info_text='#e8eaed', alt_face='#33363b', hot_tracking='#2fc6e0',
    )


DESIGNS = [Red(), Office(), Apple(), Black()]
