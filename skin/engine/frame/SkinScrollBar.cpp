#include "skin/engine/frame/SkinScrollBar.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"
#include "skin/engine/frame/SkinFrameGeometry.h"

#include <algorithm>

namespace tavrelin::skin {
namespace {

// The arrow frames run up, down, left and right, four states each, then one
// frame per direction for an arrow of a bar under the mouse, when the
// image has them.
constexpr int kArrowStates = ABS_DOWNNORMAL - ABS_UPNORMAL;
constexpr int kArrowFramesWithHover = ABS_RIGHTHOVER;
constexpr int kOfficeThumbMargin = 5;

struct ScrollAxis {
    int start;
    int end;
    int thickness;
};

ScrollAxis AxisOf(const RECT& rect, bool vertical)
{
    return vertical ? ScrollAxis{rect.top, rect.bottom, rect.right - rect.left}
                    : ScrollAxis{rect.left, rect.right, rect.bottom - rect.top};
}

RECT Span(const RECT& rect, bool vertical, int from, int to)
{
    return vertical ? RECT{rect.left, from, rect.right, to} : RECT{from, rect.top, to, rect.bottom};
}

int ThumbLength(int trackLength, int thickness, const SCROLLINFO& info)
{
    const long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    if (info.nPage == 0)
        return thickness;
    const int minimum = std::max(thickness / 2, 6);
    return std::max(static_cast<int>(trackLength * static_cast<long long>(info.nPage) / std::max(range, 1LL)), minimum);
}

// Positions the thumb can take: nMin to nMax - nPage + 1.
long long ScrollSpan(const SCROLLINFO& info)
{
    const long long range = static_cast<long long>(info.nMax) - info.nMin + 1;
    return range - std::max<long long>(info.nPage, 1);
}

int StateOf(const SkinScrollBarState& state, int part, bool disabled)
{
    if (disabled)
        return SCRBS_DISABLED;
    if (state.pressed == part)
        return SCRBS_PRESSED;
    return state.hot == part ? SCRBS_HOT : SCRBS_NORMAL;
}

void DrawOrFill(HDC dc, CSkinClass& skinClass, int part, int state, const RECT& rect, COLORREF fill)
{
    if (IsDrawable(rect) && !DrawSkinBackground(dc, skinClass, part, state, rect))
        FillSolid(dc, rect, fill);
}

void DrawArrow(HDC dc, CSkinContext& skin, const SkinScrollBarState& state, int part, const RECT& rect, bool disabled)
{
    if (!IsDrawable(rect))
        return;
    CSkinClass& skinClass = skin.GetSkinClassById(kSkinClassScrollBar);
    const bool bForward = part == kScrollArrowForward;
    const int direction = state.vertical ? (bForward ? 1 : 0) : (bForward ? 3 : 2); // up, down, left, right
    const int look = StateOf(state, part, disabled);
    int frame = ABS_UPNORMAL + direction * kArrowStates + (look - SCRBS_NORMAL);
    if (look == SCRBS_NORMAL && state.hot != kScrollNone &&
        skinClass.GetInt(SBP_ARROWBTN, 0, kPropImageCount, 1) == kArrowFramesWithHover)
        frame = ABS_UPHOVER + direction;
    if (DrawSkinBackground(dc, skinClass, SBP_ARROWBTN, frame, rect))
        return;
    static const UINT kinds[] = {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT};
    RECT copy = rect;
    ::DrawFrameControl(dc, &copy, DFC_SCROLL,
                       kinds[direction] | (disabled ? DFCS_INACTIVE : 0) | (state.pressed == part ? DFCS_PUSHED : 0));
}

void DrawDefault(HDC dc, CSkinContext& skin, const SkinScrollBarState& state, const SkinScrollLayout& layout,
                 const bool disabled[6])
{
    CSkinClass& skinClass = skin.GetSkinClassById(kSkinClassScrollBar);
    const COLORREF fill = SkinScrollColor(skin, state.hot != kScrollNone);
    DrawArrow(dc, skin, state, kScrollArrowBack, layout.parts[kScrollArrowBack], disabled[kScrollArrowBack]);
    DrawArrow(dc, skin, state, kScrollArrowForward, layout.parts[kScrollArrowForward], disabled[kScrollArrowForward]);
    const int lower = state.vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ;
    const int upper = state.vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ;
    DrawOrFill(dc, skinClass, lower, StateOf(state, kScrollTrackBack, disabled[0]), layout.parts[kScrollTrackBack],
               fill);
    DrawOrFill(dc, skinClass, upper, StateOf(state, kScrollTrackForward, disabled[0]),
               layout.parts[kScrollTrackForward], fill);
    if (!layout.hasThumb)
        return;
    const RECT& thumb = layout.parts[kScrollThumb];
    const int thumbState = StateOf(state, kScrollThumb, false);
    if (!DrawSkinBackground(dc, skinClass, state.vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, thumbState, thumb)) {
        RECT copy = thumb;
        ::DrawFrameControl(dc, &copy, DFC_BUTTON, DFCS_BUTTONPUSH);
        return;
    }
    DrawSkinBackground(dc, skinClass, state.vertical ? SBP_GRIPPERVERT : SBP_GRIPPERHORZ, thumbState, thumb);
}

// One image of the Office2007 set, stretched (or cut in frames) into rect.
void DrawOfficeImage(HDC dc, CSkinContext& skin, const char* name, const RECT& rect, int frames, int frame,
                     bool vertical, SkinMargins margins = {})
{
    CSkinImage* image = IsDrawable(rect) ? skin.GetSkinClassById(kSkinClassScrollBar).GetImage(name) : nullptr;
    if (!image)
        return;
    const std::optional<SkinRect> source = SelectSkinFrame(image->Width(), image->Height(), frames, vertical, frame);
    if (!source)
        return;
    image->PrepareFrames(frames, vertical);
    SkinDrawRequest request;
    request.dest = rect;
    request.source = ToRect(*source);
    request.margins = margins;
    image->DrawImage(dc, request);
}

// The glyph image is a grid: a row per state (normal, hot, pressed,
// disabled), a column per direction (up, down, left, right).
void DrawOfficeGlyph(HDC dc, CSkinContext& skin, int direction, int row, const RECT& rect)
{
    CSkinImage* image = skin.GetSkinClassById(kSkinClassScrollBar).GetImage("OFFICE2007\\SCROLLARROWGLYPHS.BMP");
    if (!image || image->Width() < 4 || image->Height() < 4)
        return;
    const int width = image->Width() / 4;
    const int height = image->Height() / 4;
    const SkinRect source{direction * width, row * height, (direction + 1) * width, (row + 1) * height};
    image->PrepareFrames(1, false);
    SkinDrawRequest request;
    request.source = ToRect(source);
    request.dest = ToRect(PlaceSkinTrueSize(ToSkinRect(rect), width, height, true, false));
    request.sizing = ESkinSizing::TrueSize;
    if (!image->HasAlpha())
        request.colorKey = RGB(255, 0, 255);
    image->DrawImage(dc, request);
}

// A bar at rest is drawn from the LIGHT images, a bar under the mouse from
// the DARK ones; arrow backgrounds hold normal, hot and pressed frames.
void DrawOffice(HDC dc, CSkinContext& skin, const SkinScrollBarState& state, const SkinScrollLayout& layout,
                const bool disabled[6])
{
    const bool bVertical = state.vertical;
    const bool bDark = state.hot != kScrollNone || state.pressed != kScrollNone;
    FillSolid(dc, layout.parts[0], SkinScrollColor(skin, bDark));
    const char* track =
        bVertical ? (bDark ? "OFFICE2007\\SCROLLVERTICALDARK.BMP" : "OFFICE2007\\SCROLLVERTICALLIGHT.BMP")
                  : (bDark ? "OFFICE2007\\SCROLLHORIZONTALDARK.BMP" : "OFFICE2007\\SCROLLHORIZONTALLIGHT.BMP");
    for (int part : {kScrollTrackBack, kScrollTrackForward})
        DrawOfficeImage(dc, skin, track, layout.parts[part], 1, 1, false);
    const char* arrows =
        bVertical
            ? (bDark ? "OFFICE2007\\SCROLLARROWSVERTICALDARK.BMP" : "OFFICE2007\\SCROLLARROWSVERTICALLIGHT.BMP")
            : (bDark ? "OFFICE2007\\SCROLLARROWSHORIZONTALDARK.BMP" : "OFFICE2007\\SCROLLARROWSHORIZONTALLIGHT.BMP");
    for (int part : {kScrollArrowBack, kScrollArrowForward}) {
        const int look = StateOf(state, part, disabled[part]);
        DrawOfficeImage(dc, skin, arrows, layout.parts[part], 3, std::min<int>(look, SCRBS_PRESSED), true);
        const int direction = (bVertical ? 0 : 2) + (part == kScrollArrowForward ? 1 : 0);
        DrawOfficeGlyph(dc, skin, direction, look - SCRBS_NORMAL, layout.parts[part]);
    }
    if (!layout.hasThumb)
        return;
    const int third = state.pressed == kScrollThumb ? 2 : state.hot == kScrollThumb ? 1 : 0;
    DrawOfficeImage(dc, skin,
                    bVertical ? "OFFICE2007\\SCROLLTHUMBVERTICAL.BMP" : "OFFICE2007\\SCROLLTHUMBHORIZONTAL.BMP",
                    layout.parts[kScrollThumb], 3, third + 1, true,
                    SkinMargins{kOfficeThumbMargin, kOfficeThumbMargin, kOfficeThumbMargin, kOfficeThumbMargin});
}

} // namespace

SkinScrollLayout LayoutSkinScrollBar(const RECT& rect, bool vertical, const SCROLLINFO& info, int position)
{
    SkinScrollLayout layout;
    layout.parts[0] = rect;
    const ScrollAxis axis = AxisOf(rect, vertical);
    const int length = std::max(axis.end - axis.start, 0);
    const int arrow = std::min(axis.thickness, length / 2);
    layout.parts[kScrollArrowBack] = Span(rect, vertical, axis.start, axis.start + arrow);
    layout.parts[kScrollArrowForward] = Span(rect, vertical, axis.end - arrow, axis.end);
    const int trackStart = axis.start + arrow;
    const int trackEnd = axis.end - arrow;
    const int trackLength = trackEnd - trackStart;
    const int thumb = ThumbLength(trackLength, axis.thickness, info);
    const long long span = ScrollSpan(info);
    layout.hasThumb = span > 0 && thumb <= trackLength && trackLength > 0;
    if (!layout.hasThumb) {
        layout.parts[kScrollTrackBack] = Span(rect, vertical, trackStart, trackEnd);
        return layout;
    }
    const long long offset = std::clamp<long long>(static_cast<long long>(position) - info.nMin, 0, span);
    const int thumbStart = trackStart + static_cast<int>((trackLength - thumb) * offset / span);
    layout.parts[kScrollTrackBack] = Span(rect, vertical, trackStart, thumbStart);
    layout.parts[kScrollThumb] = Span(rect, vertical, thumbStart, thumbStart + thumb);
    layout.parts[kScrollTrackForward] = Span(rect, vertical, thumbStart + thumb, trackEnd);
    return layout;
}

ESkinScrollPart HitSkinScrollBar(const SkinScrollLayout& layout, POINT point)
{
    if (!::PtInRect(&layout.parts[0], point))
        return kScrollNone;
    for (int part = kScrollArrowBack; part <= kScrollArrowForward; ++part) {
        if (::PtInRect(&layout.parts[part], point))
            return static_cast<ESkinScrollPart>(part);
    }
    return kScrollNone;
}

int SkinScrollPositionAt(const SkinScrollLayout& layout, bool vertical, const SCROLLINFO& info, int offset)
{
    const ScrollAxis back = AxisOf(layout.parts[kScrollArrowBack], vertical);
    const ScrollAxis forward = AxisOf(layout.parts[kScrollArrowForward], vertical);
    const ScrollAxis thumb = AxisOf(layout.parts[kScrollThumb], vertical);
    const int room = (forward.start - back.end) - (thumb.end - thumb.start);
    const long long span = ScrollSpan(info);
    if (room <= 0 || span <= 0)
        return info.nMin;
    const long long moved = std::clamp(offset, 0, room);
    return info.nMin + static_cast<int>((moved * span + room / 2) / room);
}

COLORREF SkinScrollColor(CSkinContext& skin, bool highlighted)
{
    const CSkinSchema* schema = skin.GetSchema();
    if (schema && schema->Variant() == ESkinSchemaVariant::Office2007)
        return highlighted ? RGB(121, 157, 207) : RGB(245, 245, 245);
    return skin.GetMetrics().Color(COLOR_BTNFACE);
}

void DrawSkinScrollBar(HDC dc, CSkinContext& skin, HWND window, const SkinScrollBarState& state)
{
    const int bar = state.control ? SB_CTL : state.vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    if (!::GetScrollInfo(window, bar, &info))
        info = SCROLLINFO{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    const SkinScrollLayout layout =
        LayoutSkinScrollBar(state.rect, state.vertical, info, state.tracking ? state.trackPosition : info.nPos);
    SCROLLBARINFO barInfo{};
    barInfo.cbSize = sizeof barInfo;
    bool disabled[6] = {};
    const LONG object = state.control ? OBJID_CLIENT : state.vertical ? OBJID_VSCROLL : OBJID_HSCROLL;
    if (::GetScrollBarInfo(window, object, &barInfo)) {
        for (int part = 0; part < 6; ++part)
            disabled[part] = (barInfo.rgstate[part] & STATE_SYSTEM_UNAVAILABLE) != 0;
    }
    const CSkinSchema* schema = skin.GetSchema();
    if (schema && schema->Variant() == ESkinSchemaVariant::Office2007)
        DrawOffice(dc, skin, state, layout, disabled);
    else
        DrawDefault(dc, skin, state, layout, disabled);
}

} // namespace tavrelin::skin
