#include "skin/engine/controls/SkinObjectScrollBar.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"

#include <vssym32.h>

namespace tavrelin::skin {
namespace {

// The grip of a size box without the skin's image: three diagonal rows of
// dots in the shadow colour.
void DrawPlainGrip(HDC dc, const RECT& client, const CSkinMetrics& metrics, bool left)
{
    FillSolid(dc, client, metrics.Color(COLOR_BTNFACE));
    for (int row = 0; row < 3; ++row) {
        for (int dot = 0; dot <= row; ++dot) {
            const int x = left ? client.left + 2 + 4 * dot : client.right - 4 - 4 * dot;
            const int y = client.bottom - 4 - 4 * (row - dot);
            FillSolid(dc, RECT{x, y, x + 2, y + 2}, metrics.Color(COLOR_BTNSHADOW));
        }
    }
}

} // namespace

bool CSkinObjectScrollBar::IsSizeBox() const
{
    return (::GetWindowLongPtrA(Window(), GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

bool CSkinObjectScrollBar::TrackingPosition(int bar, int& position) const
{
    if (bar != SB_CTL || !m_bar.tracking)
        return false;
    position = m_bar.trackPosition;
    return true;
}

SkinScrollBarState& CSkinObjectScrollBar::LaidOutBar()
{
    m_bar.control = true;
    m_bar.vertical = (::GetWindowLongPtrA(Window(), GWL_STYLE) & SBS_VERT) != 0;
    ::GetClientRect(Window(), &m_bar.rect);
    return m_bar;
}

void CSkinObjectScrollBar::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        if (IsSizeBox())
            PaintSizeBox(dc, client);
        else
            DrawSkinScrollBar(dc, *Skin(), Window(), LaidOutBar());
    });
}

void CSkinObjectScrollBar::PaintSizeBox(HDC dc, const RECT& client)
{
    const bool bLeft = (::GetWindowLongPtrA(Window(), GWL_STYLE) & SBS_SIZEBOXTOPLEFTALIGN) &&
                       !(::GetWindowLongPtrA(Window(), GWL_STYLE) & SBS_SIZEGRIP);
    FillSolid(dc, client, SkinScrollColor(*Skin(), false));
    if (!DrawSkinBackground(dc, Skin()->GetSkinClassById(kSkinClassScrollBar), SBP_SIZEBOX,
                            bLeft ? SZB_LEFTALIGN : SZB_RIGHTALIGN, client))
        DrawPlainGrip(dc, client, Skin()->GetMetrics(), bLeft);
}

void CSkinObjectScrollBar::TrackHot(POINT point)
{
    const SCROLLINFO info = ReadSkinScrollInfo(Window(), SB_CTL);
    SkinScrollBarState& bar = LaidOutBar();
    const int hot = HitSkinScrollBar(LayoutSkinScrollBar(bar.rect, bar.vertical, info, info.nPos), point);
    if (hot == bar.hot)
        return;
    bar.hot = hot;
    ::InvalidateRect(Window(), nullptr, FALSE);
    if (hot != kScrollNone)
        RequestMouseLeave(Window());
}

void CSkinObjectScrollBar::Press(POINT point)
{
    if (!::IsWindowEnabled(Window()))
        return;
    SkinScrollDrag drag;
    drag.window = Window();
    drag.bar = SB_CTL;
    drag.notify = ::GetParent(Window());
    drag.control = reinterpret_cast<LPARAM>(Window());
    drag.state = &LaidOutBar();
    drag.toBar = [this](POINT screen) {
        ::ScreenToClient(Window(), &screen);
        return screen;
    };
    drag.repaint = [this] { ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    RunScrollDrag(drag, point);
}

LRESULT CSkinObjectScrollBar::DefaultUndrawn(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallPrevious(message, wParam, lParam);
    ::InvalidateRect(Window(), nullptr, FALSE);
    return result;
}

bool CSkinObjectScrollBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    if (IsSizeBox())
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    if (POINT point; HotTrackingPoint(message, lParam, point)) {
        result = Default(wParam, lParam);
        TrackHot(point);
        return true;
    }
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(MousePoint(lParam));
        result = 0;
        return true;
    case SBM_SETPOS:
        result = DefaultUndrawn(message, wParam, FALSE);
        return true;
    case SBM_SETSCROLLINFO:
        result = DefaultUndrawn(message, FALSE, lParam);
        return true;
    case SBM_SETRANGEREDRAW:
        result = DefaultUndrawn(SBM_SETRANGE, wParam, lParam);
        return true;
    case SBM_ENABLE_ARROWS:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        result = DefaultUndrawn(message, wParam, lParam);
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
