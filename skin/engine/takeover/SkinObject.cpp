#include "skin/engine/takeover/SkinObject.h"

#include "skin/SkinSchemaTables.h"
#include "skin/engine/takeover/SkinTakeover.h"
#include "win/Wnd.h"

#include <commctrl.h>

namespace tavrelin::skin {

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
    : m_strObjectClass(std::move(objectClass)), m_strSkinClass(std::move(skinClass)),
      m_nSkinClassId(FindSkinClassId(m_strSkinClass))
{}

void CSkinObject::Release()
{
    if (m_nReferences.fetch_sub(1) == 1)
        delete this;
}

void CSkinObject::Attach(HWND window, CSkinContext& skin, WNDPROC engineProc, const SkinSystemProcs& system)
{
    m_hWnd = window;
    m_pSkin = &skin;
    m_bUnicode = ::IsWindowUnicode(window) != FALSE;
    m_callPrevious = m_bUnicode ? system.callWindowProcW : system.callWindowProcA;
    const auto engine = reinterpret_cast<LONG_PTR>(engineProc);
    m_previousProc = reinterpret_cast<WNDPROC>(m_bUnicode ? ::SetWindowLongPtrW(window, GWLP_WNDPROC, engine)
                                                          : ::SetWindowLongPtrA(window, GWLP_WNDPROC, engine));
    m_bPreviousIsSystem = IsSystemWindowProc(reinterpret_cast<const void*>(m_previousProc));
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
    return !m_bPreviousIsSystem;
}

bool CSkinObject::ReflectChildCustomDraw(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW) || header->hwndFrom == m_hWnd ||
        ::GetParent(header->hwndFrom) != m_hWnd)
        return false;
    const CSkinObjectRef child = SkinnedWindow(header->hwndFrom);
    if (!child)
        return false;
    const auto askProgram = [&] { return Default(wParam, lParam); };
    return child->ReflectCustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(lParam), askProgram, result);
}

bool CSkinObject::OnHookMessage(UINT message, WPARAM& wParam, LPARAM& lParam, LRESULT& result)
{
    // Taken before the window's own procedure, which gives its answer
    // through Default: a procedure that answers custom draw itself never
    // passes it on.
    if (message == WM_NOTIFY)
        return ReflectChildCustomDraw(wParam, lParam, result);
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
    return m_callPrevious(m_previousProc, m_hWnd, message, wParam, lParam);
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
        return reinterpret_cast<SkinCallWindowProc>(top.systemProc)(top.windowProc, m_hWnd, top.message, wParam,
                                                                    lParam);
    case kSkinDefFrameProc:
        return reinterpret_cast<FrameProc>(top.systemProc)(m_hWnd, top.mdiClient, top.message, wParam, lParam);
    default:
        return reinterpret_cast<DefProc>(top.systemProc)(m_hWnd, top.message, wParam, lParam);
    }
}

} // namespace tavrelin::skin
