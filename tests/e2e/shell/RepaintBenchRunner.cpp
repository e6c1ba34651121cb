// Benchmark, not a test: the time of a full repaint of the main window
// (frame, background, every child, painted at once), and of the album page
// with 50 pictures listed, unskinned and under skins: the median wall time
// of batches, and the processor time of the window's thread per repaint,
// which a busy machine disturbs far less. Prints tables; asserts nothing on
// speed.
#include "E2eSupport.h"
#include "imaging/JpegEncoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
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

// Processor milliseconds the thread has used so far, 0 when it can't be read.
double ThreadProcessorMs(HANDLE thread)
{
    FILETIME created, ended, kernel, user;
    if (!thread || !::GetThreadTimes(thread, &created, &ended, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

struct SRepaintCost {
    double wallMs = 0;      // median of batches, as the caller waits for it
    double processorMs = 0; // the window's own thread, over every batch
};

// One full repaint: its median wall time, and the processor time the
// window's thread spends on it, which other work on the machine hardly moves.
SRepaintCost MeasureRepaint(HWND window)
{
    for (int warmUp = 0; warmUp < 5; ++warmUp)
        ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
    const HANDLE thread =
        ::OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, ::GetWindowThreadProcessId(window, nullptr));
    const double processorBefore = ThreadProcessorMs(thread);
    std::vector<double> batches;
    for (int batch = 0; batch < kBatches; ++batch) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        for (int repaint = 0; repaint < kRepaintsPerBatch; ++repaint)
            ::RedrawWindow(window, nullptr, nullptr, kFullRepaint);
        ::QueryPerformanceCounter(&end);
        batches.push_back(Milliseconds(end.QuadPart - start.QuadPart) / kRepaintsPerBatch);
    }
    SRepaintCost cost;
    cost.processorMs = (ThreadProcessorMs(thread) - processorBefore) / (kBatches * kRepaintsPerBatch);
    if (thread)
        ::CloseHandle(thread);
    std::nth_element(batches.begin(), batches.begin() + kBatches / 2, batches.end());
    cost.wallMs = batches[kBatches / 2];
    return cost;
}

constexpr int kAlbumPictures = 50;
constexpr int kPictureWidth = 160, kPictureHeight = 120;

// One small picture, written by our encoder, copied into the album under
// the album's numbered names.
void FillAlbum(const e2e::ProgramCopy& folder)
{
    const int stride = (kPictureWidth * 3 + 3) & ~3;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * kPictureHeight);
    for (int y = 0; y < kPictureHeight; ++y) {
        for (int x = 0; x < kPictureWidth * 3; ++x)
            pixels[static_cast<size_t>(y) * stride + x] = static_cast<uint8_t>(x * 3 + y * 2);
    }
    std::vector<uint8_t> jpeg(CJpegEncoder::MaxEncodedSize(kPictureWidth, kPictureHeight));
    size_t length = 0;
    CJpegEncoder(75).Encode(pixels.data(), jpeg.data(), jpeg.size(), kPictureWidth, kPictureHeight, length);
    for (int picture = 1; picture <= kAlbumPictures; ++picture) {
        char name[32];
        std::snprintf(name, sizeof name, "Album\\%06d.jpg", picture);
        std::ofstream(folder.File(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(length));
    }
}

// The album page in front, every picture listed and drawn.
HWND ShowAlbumPage(HWND main)
{
    HWND tab = e2e::ChildById(main, 1000);
    const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1);
    if (!albumTab)
        return nullptr;
    e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    HWND page = nullptr;
    e2e::WaitUntil([&] {
        page = e2e::FindProgramPage(main, 1010);
        return page && e2e::IsVisible(page) && e2e::ListViewItemCount(::GetDlgItem(page, 1010)) == kAlbumPictures;
    });
    // The pictures are made after the listing: measured once they all show.
    if (page)
        e2e::WaitForSteadyWindow(::GetDlgItem(page, 1010));
    return page;
}

// skinFile "" starts without a skin; album fills the album and measures its page.
SRepaintCost RepaintOf(const std::string& skinFile, const std::string& name, bool album = false)
{
    e2e::ProgramCopy folder;
    if (!skinFile.empty()) {
        EXPECT_TRUE(e2e::UseSkin(folder, skinFile, name));
    }
    if (album)
        FillAlbum(folder);
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    EXPECT_NE(main, nullptr);
    HWND target = main && album ? ShowAlbumPage(main) : main;
    EXPECT_NE(target, nullptr);
    return target ? MeasureRepaint(target) : SRepaintCost{};
}

struct SkinCase {
    const char* label;
    std::string file, name;
};

std::vector<SkinCase> SkinCases()
{
    const std::string shipped = e2e::EnvironmentVariable("TAVRELIN_PROGRAM_DIR") + "\\Skin\\";
    return {
        {"no skin", "", ""},
        {"test skin (colours)", SKIN_TEST_MODULE, "test.skin"},
        {"test skin (solid frames)", SKIN_FRAMES_MODULE, "frames.skin"},
        {"red.skin", shipped + "red.skin", "red.skin"},
        {"Office.skin", shipped + "Office.skin", "Office.skin"},
        {"apple.skin", shipped + "apple.skin", "apple.skin"},
        {"black.skin", shipped + "black.skin", "black.skin"},
    };
}

void PrintTable(const char* title, bool album)
{
    SRepaintCost unskinned;
    std::printf("%-26s %10s %8s %12s %8s\n", title, "ms/repaint", "ratio", "thread ms", "ratio");
    const auto ratio = [](double value, double base) { return base > 0 ? value / base : 0.0; };
    for (const SkinCase& skin : SkinCases()) {
        const SRepaintCost cost = RepaintOf(skin.file, skin.name, album);
        if (skin.file.empty())
            unskinned = cost;
        std::printf("%-26s %10.3f %8.2f %12.3f %8.2f\n", skin.label, cost.wallMs, ratio(cost.wallMs, unskinned.wallMs),
                    cost.processorMs, ratio(cost.processorMs, unskinned.processorMs));
    }
}

TEST(RepaintBench, FullRepaintOfTheMainWindow) { PrintTable("main window", false); }

TEST(RepaintBench, FullRepaintOfTheAlbumPageWithFiftyPictures) { PrintTable("album page (50 pictures)", true); }

} // namespace
