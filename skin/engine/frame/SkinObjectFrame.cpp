// The frame object's messages: which it takes, how it answers them, and what
// it does when the skin changes or its window is taken over or given back.
#include "skin/engine/frame/SkinObjectFrame.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/takeover/SkinTakeover.h"

namespace tavrelin::skin {
namespace {

// WM_ISACTIVEICON, which the system answers but no header names.
constexpr UINT kIsActiveIconMessage = 0x0035;
// The low four bits of a WM_SYSCOMMAND command are the system's own.
constexpr WPARAM kSysCommandMask = 0xFFF0;
// How long after a z-order change the frame styles are stripped again.
constexpr UINT kFrameStyleDelay = 1000;

} // namespace

// The common controls keep the system colours they read; they read them
// again on WM_SYSCOLORCHANGE.
void CSkinObjectFrame::RefreshMetrics() { ::PostMessageA(Window(), WM_SYSCOLORCHANGE, 0, 0); }

bool CSkinObjectFrame::IsExcludedMessage(UINT message)
{
    if (CSkinObject::IsExcludedMessage(message))
        return true;
    if (m_bChangingStyles && (message == WM_STYLECHANGING || message == WM_STYLECHANGED || message == WM_NCCALCSIZE))
        return true;
    if (FrameApplies())
        return false;
    switch (message) {
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_NCHITTEST:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCMOUSELEAVE:
    case WM_PRINT:
        return true;
    default:
        return false;
    }
}

bool CSkinObjectFrame::AnswerControlColor(UINT message, HDC dc, LRESULT& result) const
{
    const CSkinMetrics& metrics = Skin()->GetMetrics();
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int background = field ? COLOR_WINDOW : COLOR_BTNFACE;
    HBRUSH brush = metrics.Brush(background);
    if (!brush)
        return false;
    ::SetBkColor(dc, metrics.Color(background));
    ::SetTextColor(dc, metrics.Color(field ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
    result = reinterpret_cast<LRESULT>(brush);
    return true;
}

void CSkinObjectFrame::OnReordered()
{
    if (!FrameApplies())
        return;
    if (::GetWindowLongA(Window(), GWL_STYLE) & (WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL))
        ::SetTimer(Window(), kSkinFrameStyleTimer, kFrameStyleDelay, nullptr);
}

// The styles are removed only while the frame is recalculated: removed for
// good, the window would lose its scroll bars (the skin draws the bars a
// window's styles ask for) and its callers would read the wrong styles.
void CSkinObjectFrame::ReapplyFrameStyles()
{
    constexpr LONG_PTR kSystemDrawn = WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL;
    HWND window = Window();
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    if (HWND parent = ::GetParent(window); parent && (style & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&frame), 2);
    m_bChangingStyles = true;
    ::SetWindowLongPtrA(window, GWL_STYLE, style & ~kSystemDrawn);
    ::SendMessageA(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&frame));
    ::SetWindowLongPtrA(window, GWL_STYLE, style);
    m_bChangingStyles = false;
}

bool CSkinObjectFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (HandleFrameMessage(message, wParam, lParam, result))
        return true;
    switch (message) {
    case WM_TIMER:
        if (wParam != kSkinFrameStyleTimer)
            return false;
        ReapplyFrameStyles();
        ::KillTimer(Window(), kSkinFrameStyleTimer);
        result = 0;
        return true;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC: {
        // The control's own answer first: a combo box passes its parts'
        // colour messages on to its parent, and those parts know their colours.
        const auto dc = reinterpret_cast<HDC>(wParam);
        const CSkinObjectRef child = SkinnedWindow(reinterpret_cast<HWND>(lParam));
        if (child && child.get() != this && child->AnswerOwnColor(message, dc, result))
            return true;
        return SkinClassId() != kSkinClassComboBox && AnswerControlColor(message, dc, result);
    }
    case WM_ERASEBKGND: {
        if (DialogKind() != kSkinSheetPage)
            return false;
        HBRUSH brush = Skin()->GetMetrics().Brush(COLOR_BTNFACE);
        RECT client{};
        if (!brush || !::GetClientRect(Window(), &client))
            return false;
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

bool CSkinObjectFrame::FrameApplies() const { return Skin() && Skin()->Applies(SKIN_APPLY_FRAME); }

// The common controls' flat scroll bars draw themselves; such a window
// answers the flat-bar property query.
bool CSkinObjectFrame::UsesFlatScrollBars() const
{
    using GetPropFunction = BOOL(WINAPI*)(HWND, INT, LPINT);
    HMODULE comctl = ::GetModuleHandleA("COMCTL32.DLL");
    const auto getProp = reinterpret_cast<GetPropFunction>(
        comctl ? reinterpret_cast<void*>(::GetProcAddress(comctl, "FlatSB_GetScrollProp")) : nullptr);
    int value = 0;
    return getProp && getProp(Window(), WSB_PROP_VSTYLE, &value);
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
                                     Skin()->GetMetrics());
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
        if ((wParam & kSysCommandMask) == SC_MOVE && ::IsIconic(Window()))
            RepaintFrame();
        result = Default(wParam, lParam);
        if ((wParam & kSysCommandMask) == SC_MINIMIZE)
            RepaintFrame();
        return true;
    case WM_ERASEBKGND:
        if (DialogKind() == kSkinSheetPage)
            return false;
        result = OnEraseBackground(wParam, lParam);
        return true;
    default:
        return false;
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
