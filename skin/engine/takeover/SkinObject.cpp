#include "skin/engine/takeover/SkinObject.h"

#include "skin/engine/hook/SkinApiHook.h"
#include "skin/engine/SkinManager.h"
#include "win/Wnd.h"

namespace tavrelin::skin {
namespace {

using CallWindowProcFunction = LRESULT(WINAPI*)(WNDPROC, HWND, UINT, WPARAM, LPARAM);

// The system's CallWindowProc, never the engine's replacement of it.
CallWindowProcFunction SystemCallWindowProc(bool unicode)
{
    void* system = CSkinApiHook::Instance().SystemFunction(unicode ? kSlotCallWindowProcW : kSlotCallWindowProcA);
    if (system)
        return reinterpret_cast<CallWindowProcFunction>(system);
    return unicode ? &::CallWindowProcW : &::CallWindowProcA;
}

} // namespace

bool IsSystemWindowProc(const void* address)
{
    // Conversion handles between ANSI and Unicode procedures are the 64 K
    // values just below 4 GB in both 32- and 64-bit processes; a 64-bit
    // program's own code lies above them.
    const ULONG_PTR value = reinterpret_cast<ULONG_PTR>(address);
    if (value >= 0xFFFF0000u && value <= 0xFFFFFFFFu)
        return true;
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<const char*>(address), &module))
        return false;
    return module == ::GetModuleHandleA("USER32.DLL") || module == ::GetModuleHandleA("COMCTL32.DLL");
}

UINT SkinQueryStateMessage()
{
    static const UINT message = ::RegisterWindowMessageA("WM_SKINENGINE_QUERYSTATE");
    return message;
}

UINT SkinUpdateStateMessage()
{
    static const UINT message = ::RegisterWindowMessageA("WM_SKINENGINE_UPDATESTATE");
    return message;
}

CSkinObject::CSkinObject(std::string objectClass, std::string skinClass)
    : m_strObjectClass(std::move(objectClass)), m_strSkinClass(std::move(skinClass))
{}

void CSkinObject::Release()
{
    if (m_nReferences.fetch_sub(1) == 1)
        delete this;
}

void CSkinObject::Attach(HWND window, CSkinManager& manager, WNDPROC engineProc)
{
    m_hWnd = window;
    m_pManager = &manager;
    m_bUnicode = ::IsWindowUnicode(window) != FALSE;
    const auto engine = reinterpret_cast<LONG_PTR>(engineProc);
    m_previousProc = reinterpret_cast<WNDPROC>(m_bUnicode ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, engine)
                                                          : ::SetWindowLongPtrA(window, GWLP_WNDPROC, engine));
    if (IsSystemWindowProc(reinterpret_cast<const void*>(m_previousProc)))
        m_nDeferralBound = 0;
}

void CSkinObject::Detach()
{
    if (!m_hWnd || !m_previousProc)
        return;
    const auto previous = reinterpret_cast<LONG_PTR>(m_previousProc);
    if (m_bUnicode)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, previous);
    else
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, previous);
}

void CSkinObject::OnSkinChanged(bool, bool) { RefreshMetrics(); }

// Only a window with an object of the framework can have a say; others
// would get the question before they are ready for any message.
void CSkinObject::OnHookAttached(const CREATESTRUCTA*, bool)
{
    m_bOptedOut = false;
    if (win::CWnd::FromHandlePermanent(m_hWnd))
        QueryOptOut();
    RefreshMetrics();
}

void CSkinObject::QueryOptOut() { m_bOptedOut = ::SendMessageA(m_hWnd, SkinQueryStateMessage(), 0, 0) != 0; }

bool CSkinObject::IsExcludedMessage(UINT message)
{
    if (message == SkinUpdateStateMessage()) {
        QueryOptOut();
        return false;
    }
    return message == WM_ACTIVATE || message == WM_SETCURSOR || message == WM_NOTIFY || message == WM_COMMAND;
}

bool CSkinObject::IsDefProcMessage(UINT message) const
{
    if (message == WM_TIMER)
        return false;
    if (m_bWinForms && (message < WM_CTLCOLORMSGBOX || message > WM_CTLCOLORSTATIC))
        return false;
    // A system procedure gives no default procedure to wait for.
    return m_nDeferralBound != 0;
}

bool CSkinObject::OnHookMessage(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsExcludedMessage(message) || IsDefProcMessage(message))
        return false;
    return HandleMessage(message, wParam, lParam, result);
}

bool CSkinObject::OnHookDefWindowProc(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    if (IsExcludedMessage(message))
        return false;
    if (message == SkinQueryStateMessage()) {
        result = 0;
        return true;
    }
    return HandleMessage(message, wParam, lParam, result);
}

void CSkinObject::Push(const SkinMessageRecord& record)
{
    AddRef();
    std::lock_guard<std::mutex> lock(m_stackLock);
    m_stack.push_back(record);
}

void CSkinObject::Pop()
{
    {
        std::lock_guard<std::mutex> lock(m_stackLock);
        if (!m_stack.empty())
            m_stack.pop_back();
    }
    Release();
}

bool CSkinObject::IsOnTop(UINT message) const
{
    std::lock_guard<std::mutex> lock(m_stackLock);
    return !m_stack.empty() && m_stack.back().message == message;
}

std::vector<SkinMessageRecord> CSkinObject::Stack() const
{
    std::lock_guard<std::mutex> lock(m_stackLock);
    return m_stack;
}

LRESULT CSkinObject::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return SystemCallWindowProc(m_bUnicode)(m_previousProc, m_hWnd, message, wParam, lParam);
}

LRESULT CSkinObject::Default(WPARAM wParam, LPARAM lParam)
{
    SkinMessageRecord top{};
    {
        std::lock_guard<std::mutex> lock(m_stackLock);
        if (m_stack.empty())
            return 0;
        top = m_stack.back();
    }
    using DefProc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    using FrameProc = LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM);
    switch (top.kind) {
    case kSkinInWindowProc:
        return CallPrevious(top.message, wParam, lParam);
    case kSkinCallWindowProc:
        return reinterpret_cast<CallWindowProcFunction>(top.systemProc)(top.windowProc, m_hWnd, top.message, wParam,
                                                                        lParam);
    case kSkinDefFrameProc:
        return reinterpret_cast<FrameProc>(top.systemProc)(m_hWnd, top.mdiClient, top.message, wParam, lParam);
    default:
        return reinterpret_cast<DefProc>(top.systemProc)(m_hWnd, top.message, wParam, lParam);
    }
}

// The common controls keep the system colours they read; they read them
// again on WM_SYSCOLORCHANGE.
void CSkinObjectFrame::RefreshMetrics() { ::PostMessageA(Window(), WM_SYSCOLORCHANGE, 0, 0); }

bool CSkinObjectFrame::IsExcludedMessage(UINT message)
{
    if (CSkinObject::IsExcludedMessage(message))
        return true;
    if (m_bChangingStyles && (message == WM_STYLECHANGING || message == WM_STYLECHANGED || message == WM_NCCALCSIZE))
        return true;
    if (Manager() && (Manager()->GetApplyOptions() & SKIN_APPLY_FRAME))
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
    const CSkinMetrics& metrics = Manager()->GetMetrics();
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
    case WM_CTLCOLORSTATIC:
        return SkinClassName() != "COMBOBOX" && AnswerControlColor(message, reinterpret_cast<HDC>(wParam), result);
    case WM_ERASEBKGND: {
        if (m_nDialogKind != 6)
            return false;
        HBRUSH brush = Manager()->GetMetrics().Brush(COLOR_BTNFACE);
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

} // namespace tavrelin::skin
