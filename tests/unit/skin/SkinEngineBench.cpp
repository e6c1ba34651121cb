// Speed of the engine under Wine, printed, never asserted:
//   skin_engine_bench SKINMODULE
// the time of a load that also decodes every image the skin names, and the
// time of one DrawBackground call for several part kinds.
#include "MessagePump.h"
#include "skin/engine/SkinManager.h"
#include "skin/engine/draw/SkinBackground.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdio>
#include <algorithm>
#include <iterator>
#include <set>
#include <vector>
#include <string>

namespace {

using namespace tavrelin::skin;

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::set<std::string> ImageNames(const CSkinSchema& schema)
{
    std::set<std::string> names;
    schema.Properties().ForEachSorted([&names](std::uint32_t, const CSkinPropertyValue& value) {
        if (value.PropertyId() >= 3001 && value.PropertyId() <= 3008 && value.Type() == ESkinPropertyType::String)
            names.insert(value.Text());
    });
    return names;
}

void BenchLoad(const char* skin)
{
    constexpr int kRounds = 10;
    LARGE_INTEGER start, end;
    size_t images = 0;
    ::QueryPerformanceCounter(&start);
    for (int round = 0; round < kRounds; ++round) {
        CSkinManager manager;
        manager.LoadSkin(skin, nullptr);
        CSkinClass& skinClass = manager.GetSkinClass("TRACKBAR");
        const std::set<std::string> names = ImageNames(*manager.GetSchema());
        for (const std::string& name : names)
            skinClass.GetImage(name);
        images = names.size();
    }
    ::QueryPerformanceCounter(&end);
    std::printf("load with %u images decoded: %.2f ms\n", static_cast<unsigned>(images),
                Seconds(start, end) * 1000 / kRounds);
}

void BenchDraw(const char* skin)
{
    struct Kind {
        const char* what;
        const char* className;
        int part, state, width, height;
    } const kinds[] = {
        {"nine-grid stretch 9x9 -> 200x100", "BUTTON", 1, 1, 200, 100},
        {"nine-grid tile 8x8 -> 200x100", "BUTTON", 2, 1, 200, 100},
        {"alpha true size 6x4", "BUTTON", 3, 1, 200, 100},
        {"colour key true size 4x4", "BUTTON", 4, 1, 200, 100},
        {"solid frame 4x4 -> 200x100", "BUTTON", 5, 2, 200, 100},
        {"border fill 200x100", "TOOLBAR", 2, 1, 200, 100},
        {"alpha nine-grid 1024x512 -> 640x480", "TRACKBAR", 1, 1, 640, 480},
        {"tiled nine-grid 800x600 -> 640x480", "TRACKBAR", 3, 1, 640, 480},
    };
    CSkinManager manager;
    if (!manager.LoadSkin(skin, nullptr))
        return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 640, -480, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    win::SelectedObject selected(dc.get(), bitmap.get());
    for (const auto& kind : kinds) {
        CSkinClass& skinClass = manager.GetSkinClass(kind.className);
        const RECT rect{0, 0, kind.width, kind.height};
        DrawSkinBackground(dc.get(), skinClass, kind.part, kind.state, rect);
        const int calls = kind.width > 200 ? 200 : 2000;
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int call = 0; call < calls; ++call)
            DrawSkinBackground(dc.get(), skinClass, kind.part, kind.state, rect);
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        std::printf("DrawBackground %s: %.1f us per call\n", kind.what, Seconds(start, end) * 1e6 / calls);
    }
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A window with a page of common controls, repainted in full (frame, erase,
// children, at once); the median of batches of 20 repaints.
double MedianRepaintMs(HWND window)
{
    std::vector<double> batches;
    for (int batch = 0; batch < 15; ++batch) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int repaint = 0; repaint < 20; ++repaint)
            ::RedrawWindow(window, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::GdiFlush();
        ::QueryPerformanceCounter(&end);
        batches.push_back(Seconds(start, end) * 1000 / 20);
        e2e::DispatchPending();
    }
    std::sort(batches.begin(), batches.end());
    return batches[batches.size() / 2];
}

void BenchRepaint(const char* skin)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "SkinBenchWindow";
    ::RegisterClassA(&windowClass);
    CSkinManager& manager = CSkinManager::GetInstance();
    HWND window = ::CreateWindowExA(0, "SkinBenchWindow", "Bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    const char* const children[] = {"Static",
                                    "Button",
                                    "Edit",
                                    "ListBox",
                                    "msctls_progress32",
                                    "SysTabControl32",
                                    "msctls_trackbar32",
                                    "ComboBox",
                                    "SysListView32",
                                    "ToolbarWindow32"};
    int y = 0;
    for (const char* child : children) {
        ::CreateWindowExA(0, child, "text", WS_CHILD | WS_VISIBLE, 10, 10 + y, 300, 36, window, nullptr,
                          ::GetModuleHandleA(nullptr), nullptr);
        y += 40;
    }
    const double plain = MedianRepaintMs(window);
    manager.LoadSkin(skin, nullptr);
    const double skinned = MedianRepaintMs(window);
    manager.LoadSkin(nullptr, nullptr);
    std::printf("full repaint of a window with %u controls: unskinned %.2f ms, skinned %.2f ms (%.2fx)\n",
                static_cast<unsigned>(std::size(children)), plain, skinned, skinned / plain);
    ::DestroyWindow(window);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: skin_engine_bench SKINMODULE\n");
        return 2;
    }
    BenchLoad(argv[1]);
    BenchDraw(argv[1]);
    BenchRepaint(argv[1]);
    return 0;
}
