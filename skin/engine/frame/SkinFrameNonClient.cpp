// The frame object's sizes, painting, activation and window shape.
#include "skin/engine/frame/SkinObjectFrame.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinGdi.h"

#include <algorithm>

namespace tavrelin::skin {

LRESULT CSkinObjectFrame::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (!rect)
        return 0;
    const LONG style = StyleOf(Window());
    const LONG exStyle = ExStyleOf(Window());
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    m_borders = CalcFrameBorders(style, exStyle, IsMaximizedTopLevel(style), metrics);
    rect->left += m_borders.left;
    rect->top += m_borders.top;
    rect->right -= m_borders.right;
    rect->bottom -= m_borders.bottom;
    m_bHasVertScroll = (style & WS_VSCROLL) != 0;
    m_bHasHorzScroll = (style & WS_HSCROLL) != 0;
    if (m_bHasVertScroll) {
        if (exStyle & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL))
            rect->left += metrics.CxVScroll();
        else
            rect->right -= metrics.CxVScroll();
    }
    if (m_bHasHorzScroll)
        rect->bottom -= metrics.CyHScroll();
    // A window smaller than its frame keeps an empty client, never one inside out.
    rect->right = std::max(rect->right, rect->left);
    rect->bottom = std::max(rect->bottom, rect->top);
    return 0;
}

// A dialog's own procedure sees the activation first; it may be a handle
// that only CallWindowProc can call.
LRESULT CSkinObjectFrame::OnNcActivate(WPARAM wParam, LPARAM lParam)
{
    if (DialogKind() == kSkinDialog) {
        const bool bUnicode = ::SendMessageA(Window(), WM_NOTIFYFORMAT, 0, NF_QUERY) == NFR_UNICODE;
        const LONG_PTR procedure =
            bUnicode ? ::GetWindowLongPtrW(Window(), DWLP_DLGPROC) : ::GetWindowLongPtrA(Window(), DWLP_DLGPROC);
        if (procedure && bUnicode)
            ::CallWindowProcW(reinterpret_cast<WNDPROC>(procedure), Window(), WM_NCACTIVATE, wParam, lParam);
        else if (procedure)
            ::CallWindowProcA(reinterpret_cast<WNDPROC>(procedure), Window(), WM_NCACTIVATE, wParam, lParam);
    }
    m_bActive = wParam != 0;
    if (!m_bActive && !::IsWindowEnabled(Window()))
        m_bActive = false;
    RepaintFrame();
    return TRUE;
}

void CSkinObjectFrame::OnGetMinMaxInfo(MINMAXINFO& info)
{
    const LONG style = StyleOf(Window());
    if (!HasCaption(style))
        return;
    const LONG exStyle = ExStyleOf(Window());
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const SkinFrameBorders borders = CalcFrameBorders(style, exStyle, false, metrics);
    const int buttons = static_cast<int>(ListCaptionButtons(style, exStyle, false).size());
    info.ptMinTrackSize.x = std::max<LONG>(
        info.ptMinTrackSize.x, borders.top * buttons + ::GetSystemMetrics(SM_CYSIZE) + 2 * metrics.CxEdge());
    info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, borders.top + borders.bottom);
}

// A class brush that names a system colour paints in the skin's colour.
LRESULT CSkinObjectFrame::OnEraseBackground(WPARAM wParam, LPARAM lParam)
{
    const ULONG_PTR brush = ::GetClassLongPtrA(Window(), GCLP_HBRBACKGROUND);
    HBRUSH skinBrush = brush >= 1 && brush < kSkinMetricsColorCount
                           ? Skin()->GetMetrics().Brush(static_cast<int>(brush) - 1)
                           : nullptr;
    if (!skinBrush)
        return Default(wParam, lParam);
    ::SetClassLongPtrA(Window(), GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(skinBrush));
    const LRESULT result = Default(wParam, lParam);
    ::SetClassLongPtrA(Window(), GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(brush));
    return result;
}

void CSkinObjectFrame::RepaintFrame()
{
    if (!FrameApplies() || m_bChangingStyles || !::IsWindowVisible(Window()))
        return;
    win::WholeWindowDC dc(Window());
    if (dc)
        PaintNonClient(dc.get());
}

// The skin's taller caption would take its height from the client area: the
// window grows by the difference, and gives it back when the skin changes
// or goes, so that its client area keeps its size throughout.
void CSkinObjectFrame::CorrectCaptionHeight()
{
    const CSkinContext* skin = Skin();
    const LONG style = StyleOf(Window());
    if (!skin || !HasCaption(style) || (style & (WS_CHILD | WS_MAXIMIZE | WS_MINIMIZE)))
        return;
    int growth = 0;
    if (skin->Applies(SKIN_APPLY_METRICS)) {
        const CSkinMetrics& metrics = skin->GetMetrics();
        const bool bTool = (ExStyleOf(Window()) & WS_EX_TOOLWINDOW) != 0;
        growth = bTool ? metrics.SkinSmallCaptionHeight() - metrics.SystemSmallCaptionHeight()
                       : metrics.SkinCaptionHeight() - metrics.SystemCaptionHeight();
    }
    const int change = growth - m_nCaptionGrowth;
    m_nCaptionGrowth = growth;
    if (change == 0)
        return;
    const SIZE size = WindowSize(Window());
    ::SetWindowPos(Window(), nullptr, 0, 0, size.cx, size.cy + change,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void CSkinObjectFrame::UpdateRegion(int width, int height, bool force)
{
    if (!FrameApplies() || !HasCaption(StyleOf(Window()))) {
        if (m_bRegionSet)
            ::SetWindowRgn(Window(), nullptr, TRUE);
        m_bRegionSet = false;
        m_regionSize = {};
        return;
    }
    if (!force && m_regionSize.cx == width && m_regionSize.cy == height)
        return;
    m_regionSize = {width, height};
    RefreshButtons();
    SkinFrameLook look = MakeLook(width, height);
    look.borders = CalcFrameBorders(look.style, look.exStyle, IsMaximizedTopLevel(look.style), Skin()->GetMetrics());
    look.client = RECT{look.borders.left, look.borders.top, width - look.borders.right, height - look.borders.bottom};
    // The system owns a region once it is set.
    HRGN region = BuildSkinFrameRegion(*Skin(), look);
    if (region || m_bRegionSet)
        ::SetWindowRgn(Window(), region, TRUE);
    m_bRegionSet = region != nullptr;
}

void CSkinObjectFrame::RefreshButtons()
{
    const LONG style = StyleOf(Window());
    const LONG exStyle = ExStyleOf(Window());
    bool bCloseGrayed = false;
    if (HasCaption(style) && (style & WS_SYSMENU)) {
        const UINT state = ::GetMenuState(::GetSystemMenu(Window(), FALSE), SC_CLOSE, MF_BYCOMMAND);
        bCloseGrayed = state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED));
    }
    if (style != m_nLastStyle || exStyle != m_nLastExStyle) {
        m_buttons = ListCaptionButtons(style, exStyle, bCloseGrayed);
        m_nLastStyle = style;
        m_nLastExStyle = exStyle;
        m_nHotButton = m_nPressedButton = -1;
    }
    // The system menu's close item may change without a style change.
    if (!m_buttons.empty() && m_buttons.front().command == SC_CLOSE && !(exStyle & WS_EX_TOOLWINDOW))
        m_buttons.front().enabled = !bCloseGrayed;
}

SkinFrameLook CSkinObjectFrame::MakeLook(int width, int height)
{
    SkinFrameLook look;
    look.window = Window();
    look.style = StyleOf(Window());
    look.exStyle = ExStyleOf(Window());
    look.borders = m_borders;
    look.size = SIZE{width, height};
    look.client = ClientInWindow(Window());
    look.active = m_bActive;
    look.buttons = &m_buttons;
    look.hotButton = m_nHotButton;
    look.pressedButton = m_nPressedButton;
    return look;
}

void CSkinObjectFrame::PaintNonClient(HDC dc)
{
    if (!FrameApplies() || m_bChangingStyles || !dc)
        return;
    const SIZE size = WindowSize(Window());
    const RECT client = ClientInWindow(Window());
    RefreshButtons();
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    const LONG style = StyleOf(Window());
    if (HasCaption(style) || !PaintOwnBorder(dc, RECT{0, 0, size.cx, size.cy}, client))
        DrawSkinFrame(dc, *Skin(), MakeLook(size.cx, size.cy));
    PaintScrollBars(dc, client);
    ::RestoreDC(dc, saved);
}

void CSkinObjectFrame::LayOutScrollBars(const RECT& client)
{
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const bool bLeft = (ExStyleOf(Window()) & (WS_EX_LEFTSCROLLBAR | WS_EX_LAYOUTRTL)) != 0;
    SkinScrollBarState& vertical = m_scrollBars[kVert];
    SkinScrollBarState& horizontal = m_scrollBars[kHorz];
    vertical.vertical = true;
    horizontal.vertical = false;
    if (!vertical.tracking) {
        vertical.rect = bLeft ? RECT{client.left - metrics.CxVScroll(), client.top, client.left, client.bottom}
                              : RECT{client.right, client.top, client.right + metrics.CxVScroll(), client.bottom};
    }
    if (!horizontal.tracking)
        horizontal.rect = RECT{client.left, client.bottom, client.right, client.bottom + metrics.CyHScroll()};
    if (!m_bHasVertScroll)
        vertical.rect = RECT{};
    if (!m_bHasHorzScroll)
        horizontal.rect = RECT{};
}

// Each bar is composed off-screen and copied in one go.
void CSkinObjectFrame::PaintScrollBars(HDC dc, const RECT& client)
{
    LayOutScrollBars(client);
    for (int bar : {kVert, kHorz}) {
        const SkinScrollBarState& state = m_scrollBars[bar];
        const RECT& rect = state.rect;
        if (!IsDrawable(rect))
            continue;
        HDC offscreen = m_scrollBuffer.Prepare(dc, rect.right - rect.left, rect.bottom - rect.top);
        if (!offscreen) {
            DrawSkinScrollBar(dc, *Skin(), Window(), state);
            continue;
        }
        // The buffer's origin is the bar's corner; the drawing keeps window coordinates.
        ::SetViewportOrgEx(offscreen, -rect.left, -rect.top, nullptr);
        DrawSkinScrollBar(offscreen, *Skin(), Window(), state);
        m_scrollBuffer.CopyTo(dc, rect);
    }
    if (m_bHasVertScroll && m_bHasHorzScroll) {
        const RECT& vertical = m_scrollBars[kVert].rect;
        const RECT corner{vertical.left, m_scrollBars[kHorz].rect.top, vertical.right, m_scrollBars[kHorz].rect.bottom};
        if (IsDrawable(corner))
            FillSolid(dc, corner, SkinScrollColor(*Skin(), false));
    }
}

} // namespace tavrelin::skin
