#include "skin/engine/controls/SkinObjectMenu.h"

#include "skin/engine/context/SkinContext.h"
#include "win/Wnd.h"

#include <algorithm>
#include <memory>

namespace tavrelin::skin {
namespace {

// The open menus of a thread and the hook that tells them when the menu
// loop has handled a message that may have changed their items. Kept in a
// slot of the system's thread storage only while a menu is open: thread_local
// storage would cost every thread that opens a menu a handle and an event
// the runtime's POSIX thread layer never gives back.
struct CThreadMenus {
    std::vector<CSkinObjectMenu*> menus;
    HHOOK hook = nullptr;
};

DWORD MenuSlot()
{
    static const DWORD slot = ::TlsAlloc();
    return slot;
}

CThreadMenus* ThreadMenus()
{
    const DWORD slot = MenuSlot();
    return slot == TLS_OUT_OF_INDEXES ? nullptr : static_cast<CThreadMenus*>(::TlsGetValue(slot));
}

bool IsOpen(CSkinObjectMenu* menu)
{
    const CThreadMenus* open = ThreadMenus();
    return open && std::find(open->menus.begin(), open->menus.end(), menu) != open->menus.end();
}

LRESULT CALLBACK AfterMessageProc(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    const CThreadMenus* open = ThreadMenus();
    if (code == HC_ACTION && sent && open &&
        (sent->message == WM_MENUSELECT || sent->message == WM_ENTERIDLE || sent->message == WM_INITMENUPOPUP)) {
        // A refresh may close a menu: each is asked only while still open.
        const std::vector<CSkinObjectMenu*> menus = open->menus;
        for (CSkinObjectMenu* menu : menus) {
            if (IsOpen(menu))
                menu->RefreshFace();
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Open(CSkinObjectMenu* menu)
{
    if (IsOpen(menu) || MenuSlot() == TLS_OUT_OF_INDEXES)
        return;
    CThreadMenus* open = ThreadMenus();
    if (!open) {
        open = new CThreadMenus;
        open->hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessageProc, nullptr, ::GetCurrentThreadId());
        ::TlsSetValue(MenuSlot(), open);
    }
    open->menus.push_back(menu);
}

void Close(CSkinObjectMenu* menu)
{
    CThreadMenus* open = ThreadMenus();
    if (!open)
        return;
    open->menus.erase(std::remove(open->menus.begin(), open->menus.end(), menu), open->menus.end());
    if (open->menus.empty()) {
        if (open->hook)
            ::UnhookWindowsHookEx(open->hook);
        ::TlsSetValue(MenuSlot(), nullptr);
        delete open;
    }
}

// The face over a menu window's client area. The mouse goes through it to
// the menu, which has it captured anyway.
class CMenuFace final : public win::CWnd {
public:
    explicit CMenuFace(CSkinObjectMenu& menu) : m_menu(&menu) {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_PAINT: {
            win::PaintDC dc(m_hWnd);
            if (m_menu)
                m_menu->PaintFace(dc.get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DESTROY:
            if (m_menu)
                m_menu->OnFaceGone();
            m_menu = nullptr;
            break;
        default:
            break;
        }
        return win::CWnd::WindowProc(message, wParam, lParam);
    }

private:
    CSkinObjectMenu* m_menu;
};

HMENU MenuOf(HWND menuWindow) { return reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0)); }

} // namespace

CSkinObjectMenu::~CSkinObjectMenu()
{
    Close(this);
    DropFace();
}

void CSkinObjectMenu::OnFaceGone()
{
    m_face = nullptr;
    Close(this);
}

void CSkinObjectMenu::DropFace()
{
    if (m_face && ::IsWindow(m_face))
        ::DestroyWindow(m_face);
    m_face = nullptr;
}

bool CSkinObjectMenu::CanDraw(const SkinMenuLook& look, const RECT& client) const
{
    if (look.items.empty())
        return false;
    for (const SkinMenuItem& item : look.items) {
        if ((item.type & MFT_OWNERDRAW) || item.bitmap == HBMMENU_CALLBACK || item.rect.top < client.top ||
            item.rect.bottom > client.bottom)
            return false;
    }
    return true;
}

void CSkinObjectMenu::ShowFace()
{
    RECT client{};
    ::GetClientRect(Window(), &client);
    if (!::IsWindowVisible(Window()) || !IsDrawable(client) ||
        !CanDraw(ReadSkinMenu(Window(), MenuOf(Window())), client)) {
        DropFace();
        return;
    }
    if (!m_face) {
        static const bool bRegistered = win::RegisterNamedClassForFramework(
            kSkinMenuFaceClass, 0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
        auto face = std::make_unique<CMenuFace>(*this);
        if (!bRegistered ||
            !face->CreateEx(0, kSkinMenuFaceClass, "", WS_CHILD, 0, 0, client.right, client.bottom, Window(), nullptr))
            return;
        m_face = win::CWnd::GiveToWindow(std::move(face));
        // The menu's own drawing lands beneath the face and is clipped away.
        ::SetWindowLongPtrA(Window(), GWL_STYLE, ::GetWindowLongPtrA(Window(), GWL_STYLE) | WS_CLIPCHILDREN);
        Open(this);
    }
    m_painted.clear();
    ::SetWindowPos(m_face, HWND_TOP, 0, 0, client.right, client.bottom, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

bool CSkinObjectMenu::PaintFace(HDC target)
{
    const SkinMenuLook look = ReadSkinMenu(Window(), MenuOf(Window()));
    if (!m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) { DrawSkinMenu(dc, *Skin(), client, look); }))
        return false;
    m_painted = SkinMenuSignature(look);
    return true;
}

void CSkinObjectMenu::RefreshFace()
{
    if (!m_face || !::IsWindowVisible(m_face))
        return;
    if (SkinMenuSignature(ReadSkinMenu(Window(), MenuOf(Window()))) != m_painted)
        ::RedrawWindow(m_face, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CSkinObjectMenu::OnSkinChanged(bool wasLoaded, bool isLoaded)
{
    if (isLoaded)
        RefreshFace();
    else
        DropFace();
    CSkinObjectFrame::OnSkinChanged(wasLoaded, isLoaded);
}

void CSkinObjectMenu::OnHookDetached(bool automatic)
{
    DropFace();
    CSkinObjectFrame::OnHookDetached(automatic);
}

bool CSkinObjectMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_WINDOWPOSCHANGED:
        if (!CSkinObjectFrame::HandleMessage(message, wParam, lParam, result))
            result = Default(wParam, lParam);
        ShowFace();
        return true;
    case WM_PRINTCLIENT:
        // Pictures of the window (an opening animation) show the skin's menu.
        if (!m_face)
            return false;
        PaintFace(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    default:
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    }
}

} // namespace tavrelin::skin
