// The frame object's sizes, painting, activation and window shape.
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/takeover/SkinObject.h"

#include <algorithm>

namespace tavrelin::skin {
namespace {

constexpr UINT kIsActiveIconMessage = 0x35;
constexpr int kHorz = 0;
constexpr int kVert = 1;

LONG StyleOf(HWND window) { return ::GetWindowLongA(window, GWL_STYLE); }
LONG ExStyleOf(HWND window) { return ::GetWindowLongA(window, GWL_EXSTYLE); }

bool IsMaximizedTopLevel(LONG style) { return (style & WS_MAXIMIZE) && !(style & WS_CHILD) && HasCaption(style); }

// The client area in window coordinates.
RECT ClientInWindow(HWND window)
{
    RECT windowRect{}, client{};
    ::GetWindowRect(window, &windowRect);
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&client, origin.x - windowRect.left, origin.y - windowRect.top);
    return client;
}

SIZE WindowSize(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

bool CSkinObjectFrame::FrameApplies() const
{
    const CSkinManager* manager = Manager();
    return manager && manager->IsLoaded() && (manager->GetApplyOptions() & SKIN_APPLY_FRAME);
}

// The common controls' flat scroll bars draw themselves; such a window
// answers the flat-bar property query.
bool CSkinObjectFrame::UsesFlatScrollBars() const
{
    using GetPropFunction = BOOL(WINAPI*)(HWND, INT, LPINT);
    HMODULE comctl = ::GetModuleHandleA("COMCTL32.DLL");
    const auto getProp = reinterpret_cast<GetPropFunction>(
        comctl ? reinterpret_cast<void*>(::GetProcAddress(comctl, "FlatSB_GetScrollProp")) : nullptr);
    int value = 0;
    constexpr int kWsbPropVStyle = 0x100;
    return getProp && getProp(Window(), kWsbPropVStyle, &value);
}

bool CSkinObjectFrame::HandleFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_bInModalLoop && (message == WM_CAPTURECHANGED || message == WM_DESTROY))
        WakeModalLoop();
    if (!FrameApplies())
        return false;
    switch (message) {
    case WM_NCCALCSIZE:
        if (UsesFlatScrollBars()) {
            m_bHasHorzScroll = m_bHasVertScroll = false;
            return false;
        }
        result = OnNcCalcSize(wParam, lParam);
        return true;
    case WM_NCPAINT:
        if (UsesFlatScrollBars())
            return false;
        if (!m_bChangingStyles) {
            win::WholeWindowDC dc(Window());
            if (dc)
                PaintNonClient(dc.get());
        }
        result = 0;
        return true;
    case WM_PRINT:
        if (!(lParam & PRF_NONCLIENT))
            return false;
        result = lParam == PRF_NONCLIENT ? 0 : Default(wParam, lParam & ~PRF_NONCLIENT);
        if (lParam & PRF_NONCLIENT)
            PaintNonClient(reinterpret_cast<HDC>(wParam));
        return true;
    case WM_NCACTIVATE:
        result = OnNcActivate(wParam, lParam);
        return true;
    case WM_NCHITTEST:
        result = OnNcHitTest(wParam, lParam);
        return true;
    case WM_NCMOUSEMOVE:
        if (!OnNcMouseMove(lParam))
            return false;
        result = 0;
        return true;
    case WM_NCMOUSELEAVE:
        ClearHotStates();
        return false;
    case WM_TIMER:
        if (wParam != kSkinHotTrackTimer)
            return false;
        OnHotTimer();
        result = 0;
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        return OnNcLButtonDown(wParam, lParam, result);
    case WM_NCRBUTTONUP:
        // The system's scroll bar menu would draw the system's bar.
        if (wParam != HTVSCROLL && wParam != HTHSCROLL)
            return false;
        result = ::SendMessageA(Window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Window()), lParam);
        return true;
    case WM_SETTEXT:
        result = Default(wParam, lParam);
        if (HasCaption(StyleOf(Window())))
            RepaintFrame();
        return true;
    case WM_STYLECHANGED: {
        result = Default(wParam, lParam);
        m_borders = CalcFrameBorders(StyleOf(Window()), ExStyleOf(Window()), IsMaximizedTopLevel(StyleOf(Window())),
                                     Manager()->GetMetrics());
        const SIZE size = WindowSize(Window());
        UpdateRegion(size.cx, size.cy, true);
        RefreshButtons();
        return true;
    }
    case WM_CREATE:
        result = Default(wParam, lParam);
        if (result != -1) {
            CorrectCaptionHeight();
            const SIZE size = WindowSize(Window());
            UpdateRegion(size.cx, size.cy, true);
        }
        return true;
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED: {
        result = Default(wParam, lParam);
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        const bool bRtl = (ExStyleOf(Window()) & WS_EX_LAYOUTRTL) != 0;
        if (position && !(position->flags & SWP_NOSIZE) && bRtl == (message == WM_WINDOWPOSCHANGED))
            UpdateRegion(position->cx, position->cy, false);
        return true;
    }
    case WM_GETMINMAXINFO:
        result = Default(wParam, lParam);
        if (lParam)
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
        return true;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MOVE && ::IsIconic(Window()))
            RepaintFrame();
        result = Default(wParam, lParam);
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            RepaintFrame();
        return true;
    case WM_ERASEBKGND:
        if (m_nDialogKind == 6)
            return false;
        result = OnEraseBackground(wParam, lParam);
        return true;
    default:
        return false;
    }
}

LRESULT CSkinObjectFrame::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    auto* rect = reinterpret_cast<RECT*>(lParam);
    if (!rect)
        return 0;
    const LONG style = StyleOf(Window());
    const LONG exStyle = ExStyleOf(Window());
    const CSkinMetrics& metrics = Manager()->GetMetrics();
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
    if (m_nDialogKind == 2) {
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
    const CSkinMetrics& metrics = Manager()->GetMetrics();
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
    HBRUSH skinBrush = brush >= 1 && brush <= 30 ? Manager()->GetMetrics().Brush(static_cast<int>(brush) - 1) : nullptr;
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
    const CSkinManager* manager = Manager();
    const LONG style = StyleOf(Window());
    if (!manager || !HasCaption(style) || (style & (WS_CHILD | WS_MAXIMIZE | WS_MINIMIZE)))
        return;
    int growth = 0;
    if (manager->IsLoaded() && (manager->GetApplyOptions() & SKIN_APPLY_METRICS)) {
        const CSkinMetrics& metrics = manager->GetMetrics();
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
    look.borders = CalcFrameBorders(look.style, look.exStyle, IsMaximizedTopLevel(look.style), Manager()->GetMetrics());
    look.client = RECT{look.borders.left, look.borders.top, width - look.borders.right, height - look.borders.bottom};
    // The system owns a region once it is set.
    HRGN region = BuildSkinFrameRegion(*Manager(), look);
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
    DrawSkinFrame(dc, *Manager(), MakeLook(size.cx, size.cy));
    PaintScrollBars(dc, client);
    ::RestoreDC(dc, saved);
}

void CSkinObjectFrame::LayOutScrollBars(const RECT& client)
{
    const CSkinMetrics& metrics = Manager()->GetMetrics();
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
            DrawSkinScrollBar(dc, *Manager(), Window(), state);
            continue;
        }
        // The buffer's origin is the bar's corner; the drawing keeps window coordinates.
        ::SetViewportOrgEx(offscreen, -rect.left, -rect.top, nullptr);
        DrawSkinScrollBar(offscreen, *Manager(), Window(), state);
        m_scrollBuffer.CopyTo(dc, rect);
    }
    if (m_bHasVertScroll && m_bHasHorzScroll) {
        const RECT& vertical = m_scrollBars[kVert].rect;
        const RECT corner{vertical.left, m_scrollBars[kHorz].rect.top, vertical.right, m_scrollBars[kHorz].rect.bottom};
        if (IsDrawable(corner))
            FillSolid(dc, corner, SkinScrollColor(*Manager(), false));
    }
}

bool CSkinObjectFrame::TrackingPosition(int bar, int& position) const
{
    const SkinScrollBarState& state = m_scrollBars[bar == SB_VERT ? kVert : kHorz];
    if ((bar != SB_VERT && bar != SB_HORZ) || !state.tracking)
        return false;
    position = state.trackPosition;
    return true;
}

void CSkinObjectFrame::OnSkinChanged(bool wasLoaded, bool isLoaded)
{
    if (isLoaded && !wasLoaded)
        m_bActive = ::SendMessageA(Window(), kIsActiveIconMessage, 0, 0) != 0 || ::GetActiveWindow() == Window();
    m_nLastStyle = m_nLastExStyle = -1;
    CorrectCaptionHeight();
    ::SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CSkinObject::OnSkinChanged(wasLoaded, isLoaded);
    const SIZE size = WindowSize(Window());
    UpdateRegion(size.cx, size.cy, true);
    ::InvalidateRect(Window(), nullptr, TRUE);
}

// Windows taken over after their creation get at once what others get at
// WM_CREATE.
void CSkinObjectFrame::OnHookAttached(const CREATESTRUCTA* create, bool automatic)
{
    CSkinObject::OnHookAttached(create, automatic);
    m_bActive = ::GetActiveWindow() == Window();
    if (create || !FrameApplies())
        return;
    CorrectCaptionHeight();
    const SIZE size = WindowSize(Window());
    UpdateRegion(size.cx, size.cy, true);
}

void CSkinObjectFrame::OnHookDetached(bool automatic)
{
    if (automatic || !::IsWindow(Window()))
        return;
    if (m_bRegionSet)
        ::SetWindowRgn(Window(), nullptr, TRUE);
    m_bRegionSet = false;
    ::SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace tavrelin::skin
