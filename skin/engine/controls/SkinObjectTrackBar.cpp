#include "skin/engine/controls/SkinObjectTrackBar.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinClass.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace tavrelin::skin {
namespace {

constexpr int kMarkLength = 3;
// Ticks stand this far out from the thumb's edge.
constexpr int kTickGap = 2;

// The marks of one side of the bar, in the bar's own direction: along runs
// with the values, across away from the channel (+1 or -1).
struct TickRow {
    int first = 0; // position of the range minimum
    int length = 0;
    int start = 0; // first pixel across, next to the thumb
    int outward = 1;
    bool vertical = false;
};

void DrawMark(HDC dc, const TickRow& row, int along, int length, COLORREF color)
{
    const int inner = row.start;
    const int outer = row.start + row.outward * (length - 1);
    RECT mark{};
    if (row.vertical)
        mark = RECT{std::min(inner, outer), along, std::max(inner, outer) + 1, along + 1};
    else
        mark = RECT{along, std::min(inner, outer), along + 1, std::max(inner, outer) + 1};
    FillSolid(dc, mark, color);
}

int Position(const TickRow& row, LONG value, LONG minimum, LONG maximum)
{
    const LONG range = maximum - minimum > 0 ? maximum - minimum : 1;
    return row.first + static_cast<int>(static_cast<long long>(row.length) * (value - minimum) / range);
}

} // namespace

// Wine answers TBM_GETCHANNELRECT of a vertical bar already upright; other
// systems answer it lying down, as for a horizontal bar.
RECT CSkinObjectTrackBar::ChannelRect() const
{
    RECT channel{};
    ::SendMessageA(Window(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const bool bVertical = (::GetWindowLongPtrA(Window(), GWL_STYLE) & TBS_VERT) != 0;
    if (bVertical && channel.right - channel.left > channel.bottom - channel.top)
        channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
    return channel;
}

RECT CSkinObjectTrackBar::ThumbRect() const
{
    RECT thumb{};
    ::SendMessageA(Window(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return thumb;
}

LRESULT CSkinObjectTrackBar::Notify(HDC dc, DWORD stage, DWORD_PTR item, const RECT& rect)
{
    HWND parent = ::GetParent(Window());
    if (!parent)
        return CDRF_DODEFAULT;
    NMCUSTOMDRAW draw{};
    draw.hdr.hwndFrom = Window();
    draw.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(Window()));
    draw.hdr.code = static_cast<UINT>(NM_CUSTOMDRAW);
    draw.dwDrawStage = stage;
    draw.hdc = dc;
    draw.rc = rect;
    draw.dwItemSpec = item;
    if (::GetFocus() == Window())
        draw.uItemState = CDIS_FOCUS;
    return ::SendMessageA(parent, WM_NOTIFY, draw.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
}

template <class Draw>
void CSkinObjectTrackBar::DrawItem(HDC dc, bool notify, DWORD_PTR item, const RECT& rect, Draw draw)
{
    if (notify && (Notify(dc, CDDS_ITEMPREPAINT, item, rect) & CDRF_SKIPDEFAULT))
        return;
    draw();
    if (notify)
        Notify(dc, CDDS_ITEMPOSTPAINT, item, rect);
}

void CSkinObjectTrackBar::DrawTicks(HDC dc)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    const bool bVertical = (style & TBS_VERT) != 0;
    const RECT channel = ChannelRect();
    const RECT thumb = ThumbRect();
    // Marks run between the thumb's centres at the two ends of the range,
    // where the control itself puts them.
    TickRow row;
    row.vertical = bVertical;
    const int halfThumb = bVertical ? (thumb.bottom - thumb.top) / 2 : (thumb.right - thumb.left) / 2;
    row.first = (bVertical ? channel.top : channel.left) + halfThumb;
    row.length = (bVertical ? channel.bottom : channel.right) - halfThumb - 1 - row.first;
    const COLORREF color = Skin()
                               ->GetSkinClassById(SkinClassId())
                               .GetColor(bVertical ? TKP_TICSVERT : TKP_TICS, TSS_NORMAL, kPropColor,
                                         Skin()->GetMetrics().Color(COLOR_BTNTEXT));

    const LONG minimum = static_cast<LONG>(::SendMessageA(Window(), TBM_GETRANGEMIN, 0, 0));
    const LONG maximum = static_cast<LONG>(::SendMessageA(Window(), TBM_GETRANGEMAX, 0, 0));
    // The count includes the two end marks; the array holds only the inner ones.
    const LRESULT count = std::max<LRESULT>(::SendMessageA(Window(), TBM_GETNUMTICS, 0, 0) - 2, 0);
    const auto* values = reinterpret_cast<const DWORD*>(::SendMessageA(Window(), TBM_GETPTICS, 0, 0));
    const LONG selStart = static_cast<LONG>(::SendMessageA(Window(), TBM_GETSELSTART, 0, 0));
    const LONG selEnd = static_cast<LONG>(::SendMessageA(Window(), TBM_GETSELEND, 0, 0));
    const bool bSelection = (style & TBS_ENABLESELRANGE) && selStart < selEnd && selEnd >= minimum;

    std::vector<TickRow> sides;
    const bool bBoth = (style & TBS_BOTH) != 0;
    if (bBoth || !(style & TBS_TOP)) {
        row.start = (bVertical ? thumb.right : thumb.bottom) + kTickGap;
        row.outward = 1;
        sides.push_back(row);
    }
    if (bBoth || (style & TBS_TOP)) {
        row.start = (bVertical ? thumb.left : thumb.top) - kTickGap;
        row.outward = -1;
        sides.push_back(row);
    }
    for (const TickRow& side : sides) {
        DrawMark(dc, side, Position(side, minimum, minimum, maximum), kMarkLength + 1, color);
        DrawMark(dc, side, Position(side, maximum, minimum, maximum), kMarkLength + 1, color);
        // Some systems list every value, others only every frequency step:
        // a mark is drawn where its value lies on a step.
        for (LRESULT index = 0; values && m_nTickFrequency > 0 && index < count; ++index) {
            const LONG value = static_cast<LONG>(values[index]);
            if ((value - minimum) % m_nTickFrequency == 0)
                DrawMark(dc, side, Position(side, value, minimum, maximum), kMarkLength, color);
        }
        if (!bSelection)
            continue;
        const COLORREF text = Skin()->GetMetrics().Color(COLOR_BTNTEXT);
        for (int step = 0; step < 3; ++step) {
            DrawMark(dc, side, Position(side, selStart, minimum, maximum) - step, kMarkLength - step, text);
            DrawMark(dc, side, Position(side, selEnd, minimum, maximum) + step, kMarkLength - step, text);
        }
    }
}

void CSkinObjectTrackBar::DrawChannel(HDC dc, const RECT& channel)
{
    const bool bVertical = (::GetWindowLongPtrA(Window(), GWL_STYLE) & TBS_VERT) != 0;
    DrawSkinBackground(dc, Skin()->GetSkinClassById(SkinClassId()), bVertical ? TKP_TRACKVERT : TKP_TRACK, TRS_NORMAL,
                       channel);
}

void CSkinObjectTrackBar::DrawThumb(HDC dc, const RECT& thumb)
{
    const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
    const bool bVertical = (style & TBS_VERT) != 0;
    int part = 0;
    if (style & TBS_BOTH)
        part = bVertical ? TKP_THUMBVERT : TKP_THUMB;
    else if (bVertical)
        part = (style & TBS_LEFT) ? TKP_THUMBLEFT : TKP_THUMBRIGHT;
    else
        part = (style & TBS_TOP) ? TKP_THUMBTOP : TKP_THUMBBOTTOM;
    int state = TUS_NORMAL;
    if (!::IsWindowEnabled(Window()))
        state = TUS_DISABLED;
    else if (::GetCapture() == Window())
        state = TUS_PRESSED;
    else if (::GetFocus() == Window() && !HidesFocusCues(Window()))
        state = TUS_FOCUSED;
    else if (m_bHot)
        state = TUS_HOT;
    DrawSkinBackground(dc, Skin()->GetSkinClassById(SkinClassId()), part, state, thumb);
}

void CSkinObjectTrackBar::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        const LRESULT answer = Notify(dc, CDDS_PREPAINT, 0, client);
        // A parent that painted the whole control keeps what it painted.
        if (!(answer & CDRF_SKIPDEFAULT)) {
            FillParentBackground(Window(), WM_CTLCOLORSTATIC, dc, client, Skin()->GetMetrics());
            if (::GetFocus() == Window() && !HidesFocusCues(Window())) {
                const COLORREF previous = ::SetBkColor(dc, Skin()->GetMetrics().Color(COLOR_BTNHIGHLIGHT));
                ::DrawFocusRect(dc, &client);
                ::SetBkColor(dc, previous);
            }
            const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
            const bool bNotify = (answer & CDRF_NOTIFYITEMDRAW) != 0;
            if (!(style & TBS_NOTICKS))
                DrawItem(dc, bNotify, TBCD_TICS, client, [&] { DrawTicks(dc); });
            const RECT channel = ChannelRect();
            DrawItem(dc, bNotify, TBCD_CHANNEL, channel, [&] { DrawChannel(dc, channel); });
            const RECT thumb = ThumbRect();
            if (!(style & TBS_NOTHUMB))
                DrawItem(dc, bNotify, TBCD_THUMB, thumb, [&] { DrawThumb(dc, thumb); });
            if (answer & CDRF_NOTIFYPOSTPAINT)
                Notify(dc, CDDS_POSTPAINT, 0, client);
        }
    });
}

void CSkinObjectTrackBar::TrackHot(POINT point) { TrackHotArea(Window(), ThumbRect(), point, m_bHot); }

bool CSkinObjectTrackBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    switch (message) {
    case TBM_SETTICFREQ:
        m_nTickFrequency = static_cast<int>(wParam);
        result = Default(wParam, lParam);
        return true;
    case WM_MOUSEMOVE:
        TrackHot(MousePoint(lParam));
        result = Default(wParam, lParam);
        return true;
    case WM_MOUSELEAVE:
        TrackHot(POINT{-1, -1});
        result = Default(wParam, lParam);
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
