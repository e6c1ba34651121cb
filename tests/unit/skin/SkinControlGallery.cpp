#include "SkinControlGallery.h"

#include "ScreenImage.h"

#include <cstdlib>

namespace tavrelin::skin::test {
namespace {

constexpr char kGalleryClass[] = "TavrelinSkinGallery";

bool IsMemoryDc(HDC dc) { return ::GetObjectType(dc) == OBJ_MEMDC; }

void FillWith(HDC dc, const RECT& rect, COLORREF colour)
{
    win::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

LRESULT AnswerCustomDraw(const NMCUSTOMDRAW& draw)
{
    GalleryBehaviour& behaviour = Behaviour();
    LRESULT answer = CDRF_DODEFAULT;
    if (draw.dwDrawStage == CDDS_PREPAINT) {
        answer = behaviour.prepaintAnswer;
        if (behaviour.prepaintFill != CLR_INVALID)
            FillWith(draw.hdc, draw.rc, behaviour.prepaintFill);
    } else if (draw.dwDrawStage == CDDS_ITEMPREPAINT)
        answer = draw.dwItemSpec == behaviour.skippedItem ? CDRF_SKIPDEFAULT : behaviour.itemPrepaintAnswer;
    else if (draw.dwDrawStage == CDDS_POSTPAINT && behaviour.postPaintMarker != CLR_INVALID)
        FillWith(draw.hdc, RECT{1, 1, 5, 5}, behaviour.postPaintMarker);
    behaviour.customDraw.push_back({draw.dwDrawStage, draw.dwItemSpec, IsMemoryDc(draw.hdc), draw.rc, answer});
    return answer;
}

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLORSTATIC:
        if (Behaviour().staticColorAnswer)
            return Behaviour().staticColorAnswer;
        break;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(NM_CUSTOMDRAW))
            return AnswerCustomDraw(*reinterpret_cast<const NMCUSTOMDRAW*>(lParam));
        break;
    }
    case WM_HSCROLL:
        Behaviour().horizontalScrolls.push_back(LOWORD(wParam));
        return 0;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        win::UniqueBrush brush(::CreateSolidBrush(Behaviour().ownerDrawColour));
        ::FillRect(item->hDC, &item->rcItem, brush.get());
        return TRUE;
    }
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

GalleryBehaviour& Behaviour()
{
    static GalleryBehaviour behaviour;
    return behaviour;
}

void SkinControls::SetUp()
{
    Behaviour() = GalleryBehaviour{};
    ASSERT_GT(m_table.Size(), 200u) << "the probe table is missing";
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = GalleryProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kGalleryClass;
    ::RegisterClassA(&windowClass);
    m_manager = std::make_unique<CSkinManager>(true);
    ASSERT_TRUE(m_manager->LoadSkin(ProbeSkinFolder().c_str(), m_strPropertyFile.c_str()));
    m_gallery = ::CreateWindowExA(0, kGalleryClass, "Gallery", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 640,
                                  480, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(m_gallery, nullptr);
    PumpMessages();
}

void SkinControls::TearDown()
{
    if (m_gallery)
        ::DestroyWindow(m_gallery);
    PumpMessages();
    m_manager.reset();
}

HWND SkinControls::Add(const char* windowClass, const char* text, DWORD style, int x, int y, int width, int height,
                       DWORD exStyle)
{
    HWND control = ::CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                     m_gallery, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(control, nullptr) << windowClass;
    return control;
}

std::string SkinControls::Look(HWND window, int x, int y) const { return m_table.Name(CClientPixels(window).At(x, y)); }

std::string SkinControls::FrameLook(HWND window, int x, int y) const
{
    return m_table.Name(CClientPixels(window, true).At(x, y));
}

void SkinControls::Hover(HWND window, POINT client)
{
    POINT screen = client;
    ::ClientToScreen(window, &screen);
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    PumpMessages();
}

HWND SkinControls::AddControl(const char* windowClass, const char* text, DWORD style, DWORD exStyle)
{
    return Add(windowClass, text, style, 20, 20, 160, std::string(windowClass) == "ComboBox" ? 120 : 24, exStyle);
}

HWND SkinControls::ShowTip(const char* text)
{
    HWND tip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0, 0,
                                 m_gallery, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = m_gallery;
    tool.lpszText = const_cast<char*>(text);
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 300));
    ::SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    PumpMessages();
    return tip;
}

void SkinControls::Hover(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    Hover(window, POINT{client.right / 2, client.bottom / 2});
}

void SkinControls::SaveShot(const std::string& name) const
{
    const char* folder = std::getenv("TAVRELIN_TEST_ARTEFACTS");
    if (folder && *folder)
        e2e::SaveWindowBmp(std::string(folder) + "\\" + name + ".bmp", m_gallery);
}

} // namespace tavrelin::skin::test
