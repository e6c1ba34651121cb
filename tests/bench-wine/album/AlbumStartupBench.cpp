// Start-up of the program with a full album against an empty one: from
// process start until the main window answers and the album lists every
// item, and until the last picture's thumbnail is on screen. Median of five
// runs each. A measurement, not a test.
//   album_startup_bench.exe PICTURE.jpg VIDEO.avi [OUT.txt]
#include "album/AlbumThumbnail.h"
#include "gdiplus/GdiplusImage.h"

#include "E2eSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 5;
constexpr int kPictures = 1000;
constexpr int kVideos = 100;
constexpr int kList = 1010;

double Seconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

struct Run {
    double listed = 0;      // main window answers, every item listed
    double lastPicture = 0; // the last picture's thumbnail is drawn
};

constexpr POINT kProbe{8, 30};

// The pixel the picture's thumbnail has at the probe, made as the program makes it.
COLORREF ThumbnailPixel(const std::string& picture)
{
    const gdiplus::CGdiplusSession gdiplus;
    const win::UniqueBitmap thumbnail = MakeAlbumThumbnail(picture);
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    const win::SelectedObject selected(dc.get(), thumbnail.get());
    return ::GetPixel(dc.get(), kProbe.x, kProbe.y);
}

Run StartOnce(const std::string& picture, const std::string& video, int pictures, int videos, COLORREF expectedPixel)
{
    e2e::ProgramCopy copy;
    char name[32];
    for (int number = 1; number <= pictures; ++number) {
        std::snprintf(name, sizeof name, "%06d.jpg", number);
        ::CopyFileA(picture.c_str(), copy.File(std::string("Album\\") + name).c_str(), FALSE);
    }
    for (int number = 1; number <= videos; ++number) {
        std::snprintf(name, sizeof name, "%06d.avi", number);
        ::CopyFileA(video.c_str(), copy.File(std::string("Album\\") + name).c_str(), FALSE);
    }
    Run run;
    const LONGLONG start = Now();
    e2e::RunningProgram program(e2e::LaunchOptions{copy.File("Tavrelin.exe"),
                                                   "/Embedding",
                                                   {{"TAVRELIN_CAMERA", "none"}, {"TAVRELIN_PLAYER", "builtin"}},
                                                   copy.Path()});
    HWND main = nullptr;
    HWND list = nullptr;
    e2e::WaitUntil(
        [&] {
            // "Not Discover PC Camrea" is answered as soon as it shows.
            if (HWND box = e2e::FindMessageBox(program.Pid()))
                e2e::PressButton(box, IDOK);
            main = e2e::FindProgramMainWindow(program.Pid());
            list = main ? ::GetDlgItem(e2e::FindProgramPage(main, kList), kList) : nullptr;
            return list && e2e::SendWithTimeout(main, WM_NULL, 0, 0) &&
                   e2e::SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0).value_or(0) == pictures + videos;
        },
        e2e::Timeout{120000});
    run.listed = Seconds(Now() - start);
    if (pictures > 0 && list) {
        // The last picture's slot turns from blank white to its picture.
        HWND tab = e2e::ChildById(main, 1000);
        const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1);
        if (albumTab)
            e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
        e2e::SendWithTimeout(list, LVM_ENSUREVISIBLE, pictures - 1, FALSE);
        // Its slot shows the picture's own thumbnail pixel, drawn 1:1.
        e2e::WaitUntil(
            [&] {
                const std::optional<RECT> item = e2e::ListViewItemRect(list, pictures - 1);
                if (!item)
                    return false;
                POINT at{item->left + kProbe.x, item->top + kProbe.y};
                ::ClientToScreen(list, &at);
                return e2e::PixelAt(at.x, at.y) == expectedPixel;
            },
            e2e::Timeout{120000});
        run.lastPicture = Seconds(Now() - start);
    }
    program.Close();
    return run;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: album_startup_bench PICTURE.jpg VIDEO.avi [OUT.txt]\n");
        return 2;
    }
    const COLORREF expectedPixel = ThumbnailPixel(argv[1]);
    std::vector<double> empty, full, lastPicture;
    for (int run = 0; run < kRuns; ++run) {
        empty.push_back(StartOnce(argv[1], argv[2], 0, 0, expectedPixel).listed);
        const Run filled = StartOnce(argv[1], argv[2], kPictures, kVideos, expectedPixel);
        full.push_back(filled.listed);
        lastPicture.push_back(filled.lastPicture);
        std::printf("run %d: empty %.3f s, full %.3f s, last picture %.3f s\n", run + 1, empty.back(), full.back(),
                    lastPicture.back());
    }
    char summary[256];
    std::snprintf(summary, sizeof summary,
                  "album start-up, median of %d: empty %.3f s, %d pictures + %d videos %.3f s (%.2fx), "
                  "last picture in %.3f s\n",
                  kRuns, Median(empty), kPictures, kVideos, Median(full), Median(full) / Median(empty),
                  Median(lastPicture));
    std::fputs(summary, stdout);
    if (argc > 3)
        if (FILE* out = std::fopen(argv[3], "w")) {
            std::fputs(summary, out);
            std::fclose(out);
        }
    return 0;
}
