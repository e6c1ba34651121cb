// Benchmark, not a test: the time of a full repaint of the main window
// (frame, background, every child, painted at once), unskinned and under
// skins, as the median of batches. Prints a table; asserts nothing on speed.
#include "E2eSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kBatches = 9;
constexpr int kRepaintsPerBatch = 25;
constexpr UINT kFullRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Median milliseconds of one full repaint.
double MedianRepaint(HWND window)
{
    for (int warmUp = 0; warmUp < 5; ++warmUp)
        ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
    std::vector<double> batches;
    for (int batch = 0; batch < kBatches; ++batch) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int repaint = 0; repaint < kRepaintsPerBatch; ++repaint)
            ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        ::QueryPerformanceCounter(&end);
        batches.push_back(Milliseconds(end.QuadPart - start.QuadPart) / kRepaintsPerBatch);
    }
    std::nth_element(batches.begin(), batches.begin() + kBatches / 2, batches.end());
    return batches[kBatches / 2];
}

// skinFile "" starts without a skin.
double RepaintOf(const std::string& skinFile, const std::string& name)
{
    e2e::ProgramCopy folder;
    if (!skinFile.empty()) {
        EXPECT_TRUE(e2e::UseSkin(folder, skinFile, name));
    }
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    EXPECT_NE(main, nullptr);
    return main ? MedianRepaint(main) : 0.0;
}

TEST(RepaintBench, FullRepaintOfTheMainWindow)
{
    const std::string shipped = e2e::EnvironmentVariable("TAVRELIN_PROGRAM_DIR") + "\\Skin\\";
    struct Case {
        const char* label;
        std::string file, name;
    } const cases[] = {
        {"no skin", "", ""},
        {"test skin (colours)", SKIN_TEST_MODULE, "test.skin"},
        {"test skin (solid frames)", SKIN_FRAMES_MODULE, "frames.skin"},
        {"red.skin", shipped + "red.skin", "red.skin"},
        {"Office.skin", shipped + "Office.skin", "Office.skin"},
        {"apple.skin", shipped + "apple.skin", "apple.skin"},
        {"black.skin", shipped + "black.skin", "black.skin"},
    };
    double unskinned = 0;
    std::printf("%-26s %10s %8s\n", "main window", "ms/repaint", "ratio");
    for (const Case& skin : cases) {
        const double ms = RepaintOf(skin.file, skin.name);
        if (skin.file.empty())
            unskinned = ms;
        std::printf("%-26s %10.3f %8.2f\n", skin.label, ms, unskinned > 0 ? ms / unskinned : 0.0);
    }
}

} // namespace
