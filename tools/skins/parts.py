"""Which parts a skin draws: image, frame size, states, margins and text.

Every skin has the same parts; only the design (colours and shapes) differs.
A part's frames are stacked vertically in its image, one per state in the
order of the state numbers, so that state n draws frame n.
"""
from collections import namedtuple
import functools

import paint

# states: list of (state name for a section header or None, painter state).
# text: None, or a function (design, painter state) -> colour of the text drawn on that state.
# fill: None, or a function (design, painter state) -> colour behind that text, for the
# controls that fill their text's background themselves (edit boxes).
Part = namedtuple('Part', 'cls part image size states painter margins sizing text fill extra')


def part(cls, name, image, size, states, painter, margins=(0, 0, 0, 0), sizing='Stretch', text=None, fill=None,
         **extra):
    return Part(cls, name, image, size, states, painter, margins, sizing, text, fill, extra)


def named(*names):
    """States whose section names and painter names are the same words."""
    return [(n, n.lower()) for n in names]


def frames_only(*names):
    """States that have no state table under their part: frames, but no sections."""
    return [(None, n) for n in names]


BUTTON_STATES = named('Normal', 'Hot', 'Pressed', 'Disabled') + [('Defaulted', 'default')]
TAB_STATES = named('Normal', 'Hot', 'Selected', 'Disabled', 'Focused')
THUMB_STATES = named('Normal', 'Hot', 'Pressed', 'Focused', 'Disabled')
FOUR = ('normal', 'hot', 'pressed', 'disabled')
CAPTION_BUTTON_STATES = ([(s, (s.lower(), True)) for s in ('Normal', 'Hot', 'Pushed', 'Disabled')]
                         + [(None, (s, False)) for s in FOUR])
CAPTION_BUTTON_STATES = [(n, ('pressed' if p[0] == 'pushed' else p[0], p[1])) for n, p in CAPTION_BUTTON_STATES]


def check_states(mixed):
    kinds = [('Unchecked', None), ('Checked', 'checked')] + ([('Mixed', 'mixed')] if mixed else [])
    return [(prefix + s, (s.lower(), mark)) for prefix, mark in kinds for s in ('Normal', 'Hot', 'Pressed', 'Disabled')]


ARROW_STATES = [(d.capitalize() + s.capitalize(), (d, s)) for d in ('up', 'down', 'left', 'right') for s in FOUR]


def caption_text(d, state):
    return d.caption(state == 'active').text


def button_text(d, state):
    return d.button(state).text


def check_text(d, state):
    return d.c['gray_text'] if state[0] == 'disabled' else d.c['text']


def tab_text(d, state):
    return d.tab(state).text


def item_text(d, state):
    return {'selected': d.c['highlight_text'], 'disabled': d.c['gray_text']}.get(state, d.c['window_text'])


def edit_text(d, state):
    return d.edit(state).text


def edit_fill(d, state):
    return d.edit(state).top


def plain_text(d, state):
    return d.c['text']


def menu_text(d, state):
    return d.c['menu_text']


def info_text(d, state):
    return d.c['info_text']


def group_text(d, state):
    return d.c['gray_text'] if state == 'disabled' else d.c['text']


def p(fn, **kw):
    return functools.partial(fn, **kw)


def parts(d):
    """The part list of design d (sizes follow its caption and scroll bar sizes)."""
    cap_h = d.caption_height + 4
    small_h = d.small_caption_height + 4
    button_h = d.caption_height - 4
    button_w = button_h if d.round_caption_buttons else button_h + 6
    button_m = (0, 0, 0, 0) if d.round_caption_buttons else (3, 3, 3, 3)
    sb = d.scrollbar_size
    r = max(int(d.button_radius) + 1, 4)
    tab_m = (int(d.tab_radius) + 1, int(d.tab_radius) + 1, int(d.tab_radius) + 1, 2)
    caption_extra = {'ContentAlignment': 'Center'} if d.caption_centred else {}
    result = [
        part('Window', 'Caption', 'CAPTION.PNG', (40, cap_h), named('Active', 'Inactive', 'Disabled'),
             p(paint.caption), (4, 4, 3, 3), text=caption_text, CaptionMargins=(4, 4, 0, 0), **caption_extra),
        part('Window', 'SmallCaption', 'SMALLCAPTION.PNG', (40, small_h), frames_only('active', 'inactive'),
             p(paint.caption, small=True), (4, 4, 3, 3), **caption_extra),
    ]
    for prefix in ('', 'Small'):
        for side, size, margins in (('Left', (4, 24), (1, 0, 0, 0)), ('Right', (4, 24), (0, 1, 0, 0)),
                                    ('Bottom', (24, 4), (1, 1, 0, 1))):
            result.append(part('Window', prefix + 'Frame' + side, 'FRAME%s.PNG' % side.upper(), size,
                               frames_only('active', 'inactive'), p(paint.frame_side, side=side.lower()), margins))
    for name, kind in (('CloseButton', 'close'), ('MinButton', 'min'), ('MaxButton', 'max'),
                       ('RestoreButton', 'restore'), ('HelpButton', 'help')):
        result.append(part('Window', name, name.upper() + '.PNG', (button_w, button_h), CAPTION_BUTTON_STATES,
                           p(paint.caption_button, kind=kind), button_m))
    small_states = [(None, s) for _, s in CAPTION_BUTTON_STATES]
    result.append(part('Window', 'SmallCloseButton', 'SMALLCLOSEBUTTON.PNG', (small_h - 8, small_h - 8),
                       small_states, p(paint.caption_button, kind='smallclose'), (0, 0, 0, 0)))
    result += [
        part('Button', 'PushButton', 'PUSHBUTTON.PNG', (2 * r + 8, max(24, 2 * r + 2)), BUTTON_STATES,
             p(paint.push_button), (r, r, r, r), text=button_text, ContentMargins=(4, 4, 3, 3)),
        part('Button', 'RadioButton', 'RADIOBUTTON.PNG', (13, 13), check_states(False),
             lambda d, s, w, h: paint.check_box(d, s[0], w, h, True, s[1]), sizing='TrueSize', text=check_text),
        part('Button', 'CheckBox', 'CHECKBOX.PNG', (13, 13), check_states(True),
             lambda d, s, w, h: paint.check_box(d, s[0], w, h, False, s[1]), sizing='TrueSize', text=check_text),
        part('Button', 'GroupBox', 'GROUPBOX.PNG', (12, 12), named('Normal', 'Disabled'), p(paint.group_box),
             (3, 3, 3, 3), text=group_text, BorderOnly=True),
        part('Tab', 'Pane', 'TABPANE.PNG', (12, 12), frames_only('normal'), p(paint.tab_pane), (2, 2, 2, 2)),
    ]
    for name in ('TopTabItem', 'TopTabItemLeftEdge', 'TopTabItemRightEdge', 'TopTabItemBothEdge'):
        result.append(part('Tab', name, 'TABITEM.PNG', (24, 22), TAB_STATES, p(paint.tab_item), tab_m,
                           text=tab_text, ContentMargins=(4, 4, 2, 2)))
    result += [
        part('Trackbar', 'Track', 'TRACK.PNG', (12, 6), named('Normal'), p(paint.track, vertical=False), (3, 3, 2, 2)),
        part('Trackbar', 'TrackVert', 'TRACKVERT.PNG', (6, 12), named('Normal'), p(paint.track, vertical=True),
             (2, 2, 3, 3)),
    ]
    for name, size, point, margins in (('Thumb', (11, 21), None, (3, 3, 4, 4)),
                                       ('ThumbBottom', (11, 21), 'bottom', (3, 3, 3, 7)),
                                       ('ThumbTop', (11, 21), 'top', (3, 3, 7, 3)),
                                       ('ThumbVert', (21, 11), None, (4, 4, 3, 3)),
                                       ('ThumbLeft', (21, 11), 'left', (7, 3, 3, 3)),
                                       ('ThumbRight', (21, 11), 'right', (3, 7, 3, 3))):
        result.append(part('Trackbar', name, name.upper() + '.PNG', size, THUMB_STATES, p(paint.thumb, point=point),
                           margins))
    toolbar_states = frames_only('normal', 'hot', 'pressed', 'disabled', 'checked', 'hotchecked')
    result += [
        part('Toolbar', 'Button', 'TOOLBARBUTTON.PNG', (24, 24), toolbar_states, p(paint.toolbar_button), (4, 4, 4, 4),
             text=plain_text),
        part('Toolbar', 'SplitButton', 'TOOLBARBUTTON.PNG', (24, 24), toolbar_states, p(paint.toolbar_button),
             (4, 4, 4, 4), text=plain_text),
        part('Toolbar', 'SplitButtonDropDown', 'TOOLBARBUTTON.PNG', (24, 24), toolbar_states,
             p(paint.toolbar_button), (4, 4, 4, 4), text=plain_text, GlyphType='ImageGlyph',
             GlyphImageFile=('TOOLBARDROP.PNG', (9, 7), p(paint.drop_glyph))),
        part('Toolbar', 'Separator', 'SEPARATOR.PNG', (8, 24), frames_only('normal'),
             p(paint.separator, vertical_line=True), (3, 3, 3, 3)),
        part('Toolbar', 'SeparatorVert', 'SEPARATORVERT.PNG', (24, 8), frames_only('normal'),
             p(paint.separator, vertical_line=False), (3, 3, 3, 3)),
        part('Scrollbar', 'ArrowBtn', 'SCROLLARROWS.PNG', (sb, sb), ARROW_STATES, p(paint.scroll_arrow), (3, 3, 3, 3)),
        part('Scrollbar', 'ThumbBtnVert', 'SCROLLTHUMBVERT.PNG', (sb, 24), frames_only(*FOUR),
             p(paint.scroll_thumb, vertical=True), (3, 3, 6, 6)),
        part('Scrollbar', 'ThumbBtnHorz', 'SCROLLTHUMBHORZ.PNG', (24, sb), frames_only(*FOUR),
             p(paint.scroll_thumb, vertical=False), (6, 6, 3, 3)),
    ]
    for name, vertical in (('LowerTrackVert', True), ('UpperTrackVert', True), ('LowerTrackHorz', False),
                           ('UpperTrackHorz', False)):
        image, size, margins = (('SCROLLTRACKVERT.PNG', (sb, 8), (1, 1, 0, 0)) if vertical
                                else ('SCROLLTRACKHORZ.PNG', (8, sb), (0, 0, 1, 1)))
        result.append(part('Scrollbar', name, image, size, frames_only(*FOUR),
                           p(paint.scroll_track, vertical=vertical), margins))
    result += [
        part('Scrollbar', 'GripperVert', 'GRIPPERVERT.PNG', (9, 8), frames_only(*FOUR),
             p(paint.gripper, vertical=True), sizing='TrueSize'),
        part('Scrollbar', 'GripperHorz', 'GRIPPERHORZ.PNG', (8, 9), frames_only(*FOUR),
             p(paint.gripper, vertical=False), sizing='TrueSize'),
        part('Scrollbar', 'SizeBox', 'SIZEBOX.PNG', (sb, sb), [('RightAlign', 'right'), ('LeftAlign', 'left')],
             p(paint.size_box), sizing='TrueSize'),
    ]
    for name in ('HeaderItem', 'HeaderItemLeft', 'HeaderItemRight'):
        result.append(part('Header', name, 'HEADERITEM.PNG', (24, 22), named('Normal', 'Hot', 'Pressed'),
                           p(paint.header_item), (2, 2, 2, 2), text=button_text, ContentMargins=(4, 4, 2, 2)))
    result += [
        part('Header', 'HeaderSortArrow', 'SORTARROW.PNG', (9, 5), [('SortedUp', 'up'), ('SortedDown', 'down')],
             p(paint.sort_arrow), sizing='TrueSize'),
        part('ListView', 'ListItem', 'LISTITEM.PNG', (16, 16),
             named('Normal', 'Hot', 'Selected', 'Disabled', 'SelectedNotFocus'), p(paint.list_item), (2, 2, 2, 2),
             text=item_text),
        part('Edit', 'EditText', 'EDITTEXT.PNG', (16, 16),
             named('Normal', 'Hot', 'Selected', 'Disabled', 'Focused', 'ReadOnly', 'Assist'), p(paint.edit_text),
             (2, 2, 2, 2), text=edit_text, fill=edit_fill),
        part('ComboBox', 'DropDownButton', 'COMBODROP.PNG', (sb, 20), frames_only(*FOUR), p(paint.drop_button),
             (3, 3, 3, 3)),
    ]
    for name, direction, size in (('Up', 'up', (16, 11)), ('Down', 'down', (16, 11)), ('UpHorz', 'right', (11, 16)),
                                  ('DownHorz', 'left', (11, 16))):
        result.append(part('Spin', name, 'SPIN' + name.upper() + '.PNG', size, named('Normal', 'Hot', 'Pressed',
                           'Disabled'), p(paint.drop_button, direction=direction), (2, 2, 2, 2)))
    result += [
        part('Progress', 'Bar', 'PROGRESSBAR.PNG', (16, 14), frames_only('normal'),
             p(paint.progress, vertical=False, chunk=False), (2, 2, 2, 2), ContentMargins=(2, 2, 2, 2)),
        part('Progress', 'BarVert', 'PROGRESSBARVERT.PNG', (14, 16), frames_only('normal'),
             p(paint.progress, vertical=True, chunk=False), (2, 2, 2, 2), ContentMargins=(2, 2, 2, 2)),
        part('Progress', 'Chunk', 'PROGRESSCHUNK.PNG', (8, 12), frames_only('normal'),
             p(paint.progress, vertical=False, chunk=True), ProgressChunkSize=8, ProgressSpaceSize=2),
        part('Progress', 'ChunkVert', 'PROGRESSCHUNKVERT.PNG', (12, 8), frames_only('normal'),
             p(paint.progress, vertical=True, chunk=True), ProgressChunkSize=8, ProgressSpaceSize=2),
        part('Tooltip', 'Standard', 'TOOLTIP.PNG', (16, 16), frames_only('normal'), p(paint.tooltip), (2, 2, 2, 2),
             text=info_text, ContentMargins=(3, 3, 2, 2)),
        part('Menu', 'MenuItem', 'MENUITEM.PNG', (16, 18), frames_only('normal', 'selected', 'demoted'),
             p(paint.menu_item), (3, 3, 3, 3), text=menu_text),
        part('Menu', 'MenuBarItem', 'MENUITEM.PNG', (16, 18), frames_only('normal', 'selected', 'demoted'),
             p(paint.menu_item), (3, 3, 3, 3), text=menu_text),
        part('Menu', 'Separator', 'MENUSEPARATOR.PNG', (16, 5), frames_only('normal'),
             p(paint.separator, vertical_line=False), (3, 3, 0, 0)),
        part('Status', 'Pane', 'STATUSPANE.PNG', (16, 18), frames_only('normal'), p(paint.status_pane), (2, 2, 2, 2),
             text=plain_text),
        part('Status', 'GripperPane', 'STATUSPANE.PNG', (16, 18), frames_only('normal'), p(paint.status_pane),
             (2, 2, 2, 2), text=plain_text),
        part('Status', 'Gripper', 'STATUSGRIPPER.PNG', (12, 12), frames_only('normal'), p(paint.status_gripper),
             sizing='TrueSize'),
    ]
    return result


def class_sections(d):
    """Colours of whole classes, for the controls that draw with colours, not
    images: (section name, [(property, value)])."""
    c = d.c
    return [
        ('ListBox', [('BgType', 'BorderFill'), ('BorderSize', 1), ('BorderColor', c['border']),
                     ('FillColor', c['window']), ('TextColor', c['window_text'])]),
        ('ListView', [('FillColor', c['window'])]),
        ('Menu', [('FillColor', c['menu']), ('BorderColor', c['border'])]),
    ]
