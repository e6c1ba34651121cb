#include "album/MediaPlayerControl.h"

#include "gdiplus/GdiplusImage.h"
#include "win/Text.h"

#include <ole2.h>
#include <wmp.h>

namespace {

constexpr char kPlayerClassId[] = "{6BF52A52-394A-11D3-B153-00C04F79FAA6}";

using AtlAxWinInitProc = BOOL(WINAPI*)();
using AtlAxGetControlProc = HRESULT(WINAPI*)(HWND, IUnknown**);

// The container library stays loaded for the process: its window class
// lives in it.
HMODULE ContainerLibrary()
{
    static const HMODULE library = ::LoadLibraryA("atl.dll");
    return library;
}

} // namespace

std::unique_ptr<CMediaPlayerControl> CMediaPlayerControl::Create(win::CWnd* page, int placeholderId)
{
    // The control needs OLE on this thread; Wine creates it without, Windows
    // does not.
    if (FAILED(::OleInitialize(nullptr)))
        return nullptr;
    const HMODULE library = ContainerLibrary();
    if (!library)
        return nullptr;
    const auto init = reinterpret_cast<AtlAxWinInitProc>(::GetProcAddress(library, "AtlAxWinInit"));
    // Through a generic function pointer: the export's real type is not FARPROC's.
    const auto getControl = reinterpret_cast<AtlAxGetControlProc>(
        reinterpret_cast<void (*)()>(::GetProcAddress(library, "AtlAxGetControl")));
    // Its answer is not trusted: Wine's can say no and still register the
    // container's window class; the window's creation tells.
    if (!init || !getControl)
        return nullptr;
    init();
    HWND placeholder = page->GetDlgItem(placeholderId);
    RECT area{};
    ::GetWindowRect(placeholder, &area);
    ::MapWindowPoints(nullptr, page->m_hWnd, reinterpret_cast<POINT*>(&area), 2);
    HWND host = ::CreateWindowExA(0, "AtlAxWin", kPlayerClassId, WS_CHILD | WS_VISIBLE, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, page->m_hWnd, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!host)
        return nullptr;
    IUnknown* unknown = nullptr;
    IWMPPlayer4* player = nullptr;
    if (FAILED(getControl(host, &unknown)) || !unknown ||
        FAILED(unknown->QueryInterface(__uuidof(IWMPPlayer4), reinterpret_cast<void**>(&player))) || !player) {
        if (unknown)
            unknown->Release();
        ::DestroyWindow(host);
        return nullptr;
    }
    unknown->Release();
    ::ShowWindow(placeholder, SW_HIDE);
    return std::make_unique<CMediaPlayerControl>(host, player);
}

CMediaPlayerControl::~CMediaPlayerControl()
{
    m_pPlayer->close();
    m_pPlayer->Release();
    ::DestroyWindow(m_hHost);
}

bool CMediaPlayerControl::SetUrl(const std::string& path)
{
    const std::wstring wide = win::Widen(path);
    BSTR url = ::SysAllocString(wide.c_str());
    if (!url)
        return false;
    const HRESULT result = m_pPlayer->put_URL(url);
    ::SysFreeString(url);
    if (path.empty())
        m_pPlayer->close();
    return SUCCEEDED(result);
}
