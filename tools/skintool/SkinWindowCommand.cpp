// skintool window: a captioned, resizable window with both scroll bars and a
// 300 x 200 client area, painted by the engine with the given skin.
#include "SkinEngineCommands.h"

#include "skin/engine/SkinManager.h"

#include <windows.h>

#include <cstdio>

namespace tavrelin::skintool {
namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 200;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL;

LRESULT CALLBACK SkinToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int RunWindowCommand(int argc, char** argv)
{
    if (argc < 1 || argc > 2)
        return 2;
    // The system's frame for the client size, before the skin bends the
    // answer: the skin's caption correction then keeps the client's size.
    RECT frame{0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    skin::CSkinManager& manager = skin::CSkinManager::GetInstance();
    if (!manager.LoadSkin(argv[0], argc == 2 ? argv[1] : nullptr)) {
        std::fprintf(stderr, "skintool: cannot load the skin %s\n", argv[0]);
        return 1;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = SkinToolWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "SkinToolWindow";
    ::RegisterClassA(&windowClass);
    HWND window =
        ::CreateWindowExA(0, windowClass.lpszClassName, "skintool window", kStyle, 40, 40, frame.right - frame.left,
                          frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) {
        std::fprintf(stderr, "skintool: cannot create the window\n");
        return 1;
    }
    for (int bar : {SB_HORZ, SB_VERT}) {
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 25, 10, 0};
        ::SetScrollInfo(window, bar, &info, TRUE);
    }
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    std::printf("window\t%lu\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)));
    std::fflush(stdout);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return 0;
}

} // namespace tavrelin::skintool
