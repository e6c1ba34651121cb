#include "design/DesignWnd.h"

#include "grab/PictureSources.h"
#include "res/resource.h"
#include "win/App.h"

namespace {

constexpr UINT_PTR kFrameTimer = 1000;
// Moving a window by its caption, as the system menu's Move does with the mouse.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;
constexpr int kWindowMenu = 1;
constexpr int kZoomMenu = 3;

// The zoom menu's commands after "Colse": the window menu is the one way a
// user reaches them.
void AddZoomCommands(HMENU windowMenu, HMENU zoomMenu)
{
    const int count = zoomMenu ? ::GetMenuItemCount(zoomMenu) : 0;
    if (!windowMenu || count <= 0)
        return;
    ::AppendMenuA(windowMenu, MF_SEPARATOR, 0, nullptr);
    for (int item = 0; item < count; ++item) {
        char text[64] = {};
        ::GetMenuStringA(zoomMenu, static_cast<UINT>(item), text, sizeof text, MF_BYPOSITION);
        ::AppendMenuA(windowMenu, MF_STRING, ::GetMenuItemID(zoomMenu, item), text);
    }
}

// The system's full-window-drag setting, switched on for one drag and put
// back afterwards, so that the design is seen where it goes.
class CFullWindowDrag {
public:
    CFullWindowDrag()
    {
        m_known = ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &m_previous, 0) != FALSE;
        if (!m_known || !m_previous)
            ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    }
    ~CFullWindowDrag()
    {
        if (m_known && !m_previous)
            ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    }
    CFullWindowDrag(const CFullWindowDrag&) = delete;
    CFullWindowDrag& operator=(const CFullWindowDrag&) = delete;

private:
    BOOL m_previous = FALSE;
    bool m_known = false;
};

} // namespace

CDesignWnd::CDesignWnd(std::string gifPath, tavrelin::SDesignFrames design, std::function<void(CDesignWnd*)> gone)
    : m_strGifPath(std::move(gifPath)), m_design(std::move(design)), m_gone(std::move(gone))
{}

bool CDesignWnd::Open(int x, int y)
{
    if (!Create(IDD_DESIGN_WINDOW, nullptr))
        return false;
    SetWindowPos(HWND_TOPMOST, x, y, m_size.cx, m_size.cy, SWP_NOACTIVATE);
    ShowWindow(SW_SHOW);
    return true;
}

BOOL CDesignWnd::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_size = {m_design.size.cx, m_design.size.cy};
    // No task-bar button: the design belongs on the picture, not among the programs.
    const LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, (exStyle & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
    SetWindowPos(HWND_TOPMOST, 0, 0, m_size.cx, m_size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    ShowFrame(0);
    ::SetTimer(m_hWnd, kFrameTimer, m_design.intervalMs, nullptr);
    return TRUE;
}

void CDesignWnd::ShowFrame(int index)
{
    m_nCurrentFrame = index;
    const HRGN region = m_design.regions[static_cast<size_t>(index)].get();
    // The window owns the region it is given: it gets a copy.
    win::UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    if (shape && ::CombineRgn(shape.get(), region, nullptr, RGN_COPY) != ERROR) {
        if (::SetWindowRgn(m_hWnd, shape.get(), TRUE))
            shape.release();
    }
    // Saved pictures are composed from the frame on show, not read from the screen.
    tavrelin::PublishPicture({m_hWnd,
                              tavrelin::EPictureLayer::Design,
                              tavrelin::PictureOfBitmap(m_design.frames[static_cast<size_t>(index)].get()),
                              false,
                              {},
                              tavrelin::CopyRegion(region)});
    Invalidate(false);
}

void CDesignWnd::OnTimer()
{
    const int next = m_nCurrentFrame + 1;
    ShowFrame(next >= FrameCount() ? 0 : next);
    // Under Wine a window activated later (the main window after the
    // recording's compressor dialog) is raised over the design on the
    // display, although the design stays first in the window order; only a
    // real change of place raises it again. The user must go on seeing the
    // design over the picture (saved pictures follow the window order).
    HWND foreground = ::GetForegroundWindow();
    if (foreground != m_hLastForeground) {
        m_hLastForeground = foreground;
        SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void CDesignWnd::OnPaint()
{
    const win::PaintDC paint(m_hWnd);
    const win::UniqueMemoryDC memory(::CreateCompatibleDC(paint.get()));
    if (!memory)
        return;
    const win::SelectedObject frame(memory.get(), m_design.frames[static_cast<size_t>(m_nCurrentFrame)].get());
    ::BitBlt(paint.get(), 0, 0, m_size.cx, m_size.cy, memory.get(), 0, 0, SRCCOPY);
}

void CDesignWnd::OnLButtonDown()
{
    const CFullWindowDrag fullDrag;
    SendMessage(WM_SYSCOMMAND, kMoveByCaption, 0);
}

void CDesignWnd::OnRButtonDown()
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ShowWindowMenu(cursor, TPM_RIGHTBUTTON);
}

// Shift+F10 and the menu key (taken here: not every system turns both into
// WM_CONTEXTMENU): the menu opens at the window's corner.
void CDesignWnd::OpenMenuFromKeyboard()
{
    POINT corner{0, 0};
    ::ClientToScreen(m_hWnd, &corner);
    ShowWindowMenu(corner, TPM_LEFTALIGN);
}

void CDesignWnd::ShowWindowMenu(POINT at, UINT flags)
{
    const win::UniqueMenu menus(::LoadMenuA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_POPUP_MENUS)));
    if (!menus)
        return;
    HMENU windowMenu = ::GetSubMenu(menus.get(), kWindowMenu);
    AddZoomCommands(windowMenu, ::GetSubMenu(menus.get(), kZoomMenu));
    ::TrackPopupMenu(windowMenu, flags, at.x, at.y, 0, m_hWnd, nullptr);
}

// A notch up zooms in, a notch down out; finer wheels add up to notches.
void CDesignWnd::OnMouseWheel(int delta)
{
    m_nWheelDelta += delta;
    for (; m_nWheelDelta >= WHEEL_DELTA; m_nWheelDelta -= WHEEL_DELTA)
        Resize(tavrelin::ZoomedIn(m_size));
    for (; m_nWheelDelta <= -WHEEL_DELTA; m_nWheelDelta += WHEEL_DELTA)
        Resize(tavrelin::ZoomedOut(m_size));
}

void CDesignWnd::Resize(tavrelin::SWindowSize size)
{
    if (size == m_size)
        return;
    m_size = size;
    SetWindowPos(HWND_TOPMOST, 0, 0, m_size.cx, m_size.cy, SWP_NOMOVE | SWP_NOACTIVATE);
    Invalidate(false);
}

LRESULT CDesignWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kFrameTimer) {
            OnTimer();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The frame covers the whole shape; painting draws it.
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown();
        return 0;
    case WM_CONTEXTMENU:
        if (lParam != -1)
            break;
        OpenMenuFromKeyboard();
        return 0;
    case WM_KEYUP:
        if (wParam != VK_APPS)
            break;
        OpenMenuFromKeyboard();
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_F10 || !(::GetKeyState(VK_SHIFT) & 0x8000))
            break;
        OpenMenuFromKeyboard();
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    case WM_DESTROY:
        ::KillTimer(m_hWnd, kFrameTimer);
        tavrelin::WithdrawPicture(m_hWnd);
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CDesignWnd::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case ID_DESIGN_CLOSE:
        DestroyWindow();
        return true;
    case ID_ZOOM_OUT:
        Resize(tavrelin::ZoomedOut(m_size));
        return true;
    case ID_ZOOM_IN:
        Resize(tavrelin::ZoomedIn(m_size));
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CDesignWnd::PostNcDestroy()
{
    // The call may delete this object, and its function with it: a copy runs.
    const std::function<void(CDesignWnd*)> gone = m_gone;
    if (gone)
        gone(this);
}
