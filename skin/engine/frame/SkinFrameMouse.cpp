// The frame object's mouse: hit testing, hot tracking, caption button
// presses and scroll bar dragging.
#include "skin/engine/frame/SkinObjectFrame.h"

#include "skin/engine/context/SkinContext.h"

#include <windowsx.h>

#include <algorithm>

namespace tavrelin::skin {
namespace {

constexpr UINT kHotTrackInterval = 50;

bool IsCaptionButtonHit(LRESULT hit)
{
    return hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE || hit == HTHELP;
}

} // namespace

POINT CSkinObjectFrame::ToWindowPoint(POINT screenPoint) const
{
    RECT rect{};
    ::GetWindowRect(Window(), &rect);
    return POINT{screenPoint.x - rect.left, screenPoint.y - rect.top};
}

int CSkinObjectFrame::ButtonAt(POINT windowPoint) const
{
    const LONG style = ::GetWindowLongA(Window(), GWL_STYLE);
    // Child windows have no caption buttons to hit, MDI children aside.
    if ((style & WS_CHILD) && !(::GetWindowLongA(Window(), GWL_EXSTYLE) & WS_EX_MDICHILD))
        return -1;
    for (int index = 0; index < static_cast<int>(m_buttons.size()); ++index) {
        if (m_buttons[index].enabled && ::PtInRect(&m_buttons[index].rect, windowPoint))
            return index;
    }
    return -1;
}

int CSkinObjectFrame::OwnHitTest(POINT windowPoint) const
{
    if (m_bHasVertScroll && ::PtInRect(&m_scrollBars[kVert].rect, windowPoint))
        return HTVSCROLL;
    if (m_bHasHorzScroll && ::PtInRect(&m_scrollBars[kHorz].rect, windowPoint))
        return HTHSCROLL;
    const int button = ButtonAt(windowPoint);
    return button >= 0 ? m_buttons[button].hitCode : HTNOWHERE;
}

LRESULT CSkinObjectFrame::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    const LRESULT system = Default(wParam, lParam);
    const POINT point = ToWindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (const int own = OwnHitTest(point); own != HTNOWHERE)
        return own;
    if ((system == HTHSCROLL || system == HTVSCROLL) && !UsesFlatScrollBars())
        return HTCLIENT;
    if (IsCaptionButtonHit(system))
        return HTCAPTION;
    // Below the system's caption a taller skin caption is still caption.
    RECT rect{};
    ::GetWindowRect(Window(), &rect);
    const LONG style = ::GetWindowLongA(Window(), GWL_STYLE);
    if ((system == HTNOWHERE || (system == HTMENU && !::GetMenu(Window()))) && HasCaption(style) &&
        point.y < m_borders.top && point.x >= m_borders.left && point.x < rect.right - rect.left - m_borders.right)
        return HTCAPTION;
    return system;
}

bool CSkinObjectFrame::OnNcMouseMove(LPARAM lParam)
{
    const POINT point = ToWindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    const int hot = ButtonAt(point);
    if (hot != m_nHotButton) {
        m_nHotButton = hot;
        RepaintFrame();
        if (hot < 0)
            ::KillTimer(Window(), kSkinHotTrackTimer);
    }
    if (hot >= 0) {
        ::SetTimer(Window(), kSkinHotTrackTimer, kHotTrackInterval, nullptr);
        return true;
    }
    bool bAnyHot = false;
    for (SkinScrollBarState& bar : m_scrollBars) {
        int part = kScrollNone;
        if (IsDrawable(bar.rect)) {
            const SCROLLINFO info = ReadSkinScrollInfo(Window(), bar.vertical ? SB_VERT : SB_HORZ);
            part = HitSkinScrollBar(LayoutSkinScrollBar(bar.rect, bar.vertical, info, info.nPos), point);
        }
        if (part != bar.hot) {
            bar.hot = part;
            RepaintFrame();
        }
        bAnyHot = bAnyHot || part != kScrollNone;
    }
    if (bAnyHot)
        ::SetTimer(Window(), kSkinHotTrackTimer, kHotTrackInterval, nullptr);
    return bAnyHot;
}

bool CSkinObjectFrame::ClearHotStates()
{
    bool bChanged = m_nHotButton >= 0;
    m_nHotButton = -1;
    for (SkinScrollBarState& bar : m_scrollBars) {
        bChanged = bChanged || bar.hot != kScrollNone;
        bar.hot = kScrollNone;
    }
    if (bChanged)
        RepaintFrame();
    return bChanged;
}

void CSkinObjectFrame::OnHotTimer()
{
    if (::GetCapture() == Window())
        return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT rect{};
    ::GetWindowRect(Window(), &rect);
    if (::PtInRect(&rect, cursor) && OwnHitTest(ToWindowPoint(cursor)) != HTNOWHERE)
        return;
    ClearHotStates();
    ::KillTimer(Window(), kSkinHotTrackTimer);
}

bool CSkinObjectFrame::OnNcLButtonDown(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const POINT point = ToWindowPoint(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    result = 0;
    if (const int button = ButtonAt(point); button >= 0) {
        PressCaptionButton(button);
        return true;
    }
    if (wParam == HTVSCROLL || wParam == HTHSCROLL) {
        const int own = OwnHitTest(point);
        if (own == HTVSCROLL || own == HTHSCROLL) {
            TrackScrollBar(own == HTVSCROLL, point);
            return true;
        }
    }
    // Presses on disabled buttons, or on the system's idea of them, go nowhere.
    return IsCaptionButtonHit(static_cast<LRESULT>(wParam));
}

// The next message of a press loop; false when the loop must end: the window
// lost the mouse or is gone, or the thread is to quit (the quit message is
// posted again for the thread's own loop).
bool CSkinObjectFrame::NextLoopMessage(HWND window, MSG& message)
{
    if (m_bModalLoopCancelled || !::IsWindow(window) || ::GetCapture() != window)
        return false;
    const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
    if (got == 0)
        ::PostQuitMessage(static_cast<int>(message.wParam));
    return got > 0;
}

void CSkinObjectFrame::WakeModalLoop()
{
    m_bModalLoopCancelled = true;
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

// The loop ends on the button's release, and also when the window loses the
// mouse or is destroyed: a release may then never come.
void CSkinObjectFrame::PressCaptionButton(int index)
{
    const CSkinObjectRef keepAlive(this);
    HWND window = Window();
    const SkinCaptionButton button = m_buttons[index];
    m_bInModalLoop = true;
    m_bModalLoopCancelled = false;
    ::SetCapture(window);
    m_nPressedButton = index;
    RepaintFrame();
    bool bInside = true;
    bool bReleased = false;
    MSG message{};
    while (NextLoopMessage(window, message)) {
        if (message.message == WM_LBUTTONUP || message.message == WM_MOUSEMOVE) {
            bInside = ::PtInRect(&button.rect, ToWindowPoint(message.pt)) != FALSE;
            if (message.message == WM_LBUTTONUP) {
                bReleased = true;
                break;
            }
            if (bInside != (m_nPressedButton == index)) {
                m_nPressedButton = bInside ? index : -1;
                RepaintFrame();
            }
            continue;
        }
        if (message.message == WM_NCMOUSELEAVE)
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    m_bInModalLoop = false;
    if (!::IsWindow(window))
        return;
    if (::GetCapture() == window)
        ::ReleaseCapture();
    m_nPressedButton = -1;
    RepaintFrame();
    if (bReleased && bInside && !m_bModalLoopCancelled)
        ::SendMessageA(window, WM_SYSCOMMAND, button.command, MAKELPARAM(message.pt.x, message.pt.y));
}

void CSkinObjectFrame::TrackScrollBar(bool vertical, POINT windowPoint)
{
    SkinScrollDrag drag;
    drag.window = drag.notify = Window();
    drag.bar = vertical ? SB_VERT : SB_HORZ;
    drag.state = &m_scrollBars[vertical ? kVert : kHorz];
    drag.toBar = [this](POINT screen) { return ToWindowPoint(screen); };
    drag.repaint = [this] { RepaintFrame(); };
    RunScrollDrag(drag, windowPoint);
}

void CSkinObjectFrame::RunScrollDrag(SkinScrollDrag& drag, POINT start)
{
    const CSkinObjectRef keepAlive(this);
    m_bInModalLoop = true;
    m_bModalLoopCancelled = false;
    drag.next = [this](MSG& message) { return NextLoopMessage(Window(), message); };
    drag.cancelled = [this] { return m_bModalLoopCancelled; };
    // Letting the mouse go is no reason to cancel.
    drag.finished = [this] { m_bInModalLoop = false; };
    DragSkinScrollBar(drag, start);
}

} // namespace tavrelin::skin
