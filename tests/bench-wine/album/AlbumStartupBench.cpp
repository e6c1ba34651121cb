// Start-up of the program with large albums against an empty one, and how
// soon their pictures show. A measurement, not a test.
//   album_startup_bench.exe PICTURE.jpg VIDEO.avi [OUT.txt]
// For an empty album, 1,000 pictures + 100 videos and 10,000 + 1,000: the
// median time from process start until the main window answers and the list
// holds every item, and the longest the main window took to answer a message
// meanwhile. For the full albums: how soon the last picture's thumbnail
// shows once it is scrolled into view. For 1,100 pictures: how long making
// every thumbnail takes as the program's thumbnail threads make them (two,
// each taking the next picture), against the old way (GDI+ load, then its
// thumbnail, on one thread), both in this process on the album's files.
// (From outside, the program shows only the thumbnails in view, and those it
// makes first.)
#include "album/AlbumThumbnail.h"
#include "gdiplus/GdiplusImage.h"

#include "E2eSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kList = 1010;
constexpr int kTabControl = 1000;
constexpr POINT kProbe{8, 30};

struct SAlbum {
    int pictures;
    int videos;
};

constexpr int kRuns = 7;

struct SRun {
    double listed = 0;        // main window answers, every item listed
    double longestAnswer = 0; // the slowest answer of the main window until then
    double inView = 0;        // last picture scrolled into view until its thumbnail shows
};

LONGLONG Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Seconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The pixel the picture's thumbnail has at the probe, made as the program makes it.
COLORREF ThumbnailPixel(const std::string& picture)
{
    const win::UniqueBitmap thumbnail = MakeAlbumThumbnail(picture);
    const win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    const win::SelectedObject selected(dc.get(), thumbnail.get());
    return ::GetPixel(dc.get(), kProbe.x, kProbe.y);
}

void FillAlbum(const e2e::ProgramCopy& copy, const SAlbum& album, const std::string& picture, const std::string& video)
{
    char name[32];
    for (int number = 1; number <= album.pictures; ++number) {
        std::snprintf(name, sizeof name, "Album\\%06d.jpg", number);
        ::CopyFileA(picture.c_str(), copy.File(name).c_str(), FALSE);
    }
    for (int number = 1; number <= album.videos; ++number) {
        std::snprintf(name, sizeof name, "Album\\%06d.avi", number);
        ::CopyFileA(video.c_str(), copy.File(name).c_str(), FALSE);
    }
}

class CStartedProgram {
public:
    explicit CStartedProgram(const e2e::ProgramCopy& copy)
        : m_start(Now()), m_program(e2e::LaunchOptions{copy.File("Tavrelin.exe"),
                                                       "/Embedding",
                                                       {{"TAVRELIN_CAMERA", "none"}, {"TAVRELIN_PLAYER", "builtin"}},
                                                       copy.Path()})
    {}

    double Elapsed() const { return Seconds(Now() - m_start); }

    // Waits until the list holds `items`; meanwhile times every answer of the main window.
    bool WaitForItems(int items, SRun& run)
    {
        const bool listed = e2e::WaitUntil(
            [&] {
                // "Not Discover PC Camrea" is answered as soon as it shows.
                if (HWND box = e2e::FindMessageBox(m_program.Pid()))
                    e2e::PressButton(box, IDOK);
                m_main = e2e::FindProgramMainWindow(m_program.Pid());
                m_list = m_main ? ::GetDlgItem(e2e::FindProgramPage(m_main, kList), kList) : nullptr;
                if (!m_list)
                    return false;
                const LONGLONG asked = Now();
                const bool answered = e2e::SendWithTimeout(m_main, WM_NULL, 0, 0).has_value();
                run.longestAnswer = std::max(run.longestAnswer, Seconds(Now() - asked));
                return answered && e2e::SendWithTimeout(m_list, LVM_GETITEMCOUNT, 0, 0).value_or(0) == items;
            },
            e2e::Timeout{300000});
        run.listed = Elapsed();
        return listed;
    }

    void ShowAlbumPage() const
    {
        HWND tab = e2e::ChildById(m_main, kTabControl);
        if (const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1))
            e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    }

    bool ShowsThumbnail(int item, COLORREF expected) const
    {
        e2e::SendWithTimeout(m_list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
        const std::optional<RECT> bounds = e2e::ListViewItemRect(m_list, item);
        if (!bounds)
            return false;
        POINT at{bounds->left + kProbe.x, bounds->top + kProbe.y};
        ::ClientToScreen(m_list, &at);
        return e2e::PixelAt(at.x, at.y) == expected;
    }

    void Close() { m_program.Close(); }

private:
    LONGLONG m_start;
    e2e::RunningProgram m_program;
    HWND m_main = nullptr;
    HWND m_list = nullptr;
};

SRun StartOnce(const e2e::ProgramCopy& copy, const SAlbum& album, COLORREF expected)
{
    SRun run;
    CStartedProgram program(copy);
    if (program.WaitForItems(album.pictures + album.videos, run) && album.pictures > 0) {
        program.ShowAlbumPage();
        const LONGLONG asked = Now();
        e2e::WaitUntil([&] { return program.ShowsThumbnail(album.pictures - 1, expected); }, e2e::Timeout{300000});
        run.inView = Seconds(Now() - asked);
    }
    program.Close();
    return run;
}

// The seconds making a thumbnail of every picture of the album takes on
// `threads` threads, each taking the next picture.
double ThumbnailSeconds(const e2e::ProgramCopy& copy, int pictures, bool oldWay, unsigned threads)
{
    std::atomic<int> next{1};
    const auto work = [&] {
        char name[32];
        for (int number = next++; number <= pictures; number = next++) {
            std::snprintf(name, sizeof name, "Album\\%06d.jpg", number);
            if (oldWay)
                gdiplus::CImage::Load(copy.File(name)).Thumbnail(kThumbnailWidth, kThumbnailHeight).ToDibSection();
            else
                MakeAlbumThumbnail(copy.File(name));
        }
    };
    const LONGLONG start = Now();
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i)
        workers.emplace_back(work);
    for (std::thread& worker : workers)
        worker.join();
    return Seconds(Now() - start);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: album_startup_bench PICTURE.jpg VIDEO.avi [OUT.txt]\n");
        return 2;
    }
    const std::string picture = argv[1], video = argv[2];
    const gdiplus::CGdiplusSession gdiplus;
    const COLORREF expected = ThumbnailPixel(picture);
    std::string report;
    char line[512];
    // The albums take turns, after one start that warms Wine up, so that a
    // busy moment of the machine falls on all of them alike.
    const SAlbum albums[] = {{0, 0}, {1000, 100}, {10000, 1000}};
    std::vector<std::unique_ptr<e2e::ProgramCopy>> copies;
    for (const SAlbum& album : albums) {
        copies.push_back(std::make_unique<e2e::ProgramCopy>());
        FillAlbum(*copies.back(), album, picture, video);
    }
    StartOnce(*copies.front(), albums[0], expected);
    std::vector<SRun> runs[std::size(albums)];
    for (int turn = 0; turn < kRuns; ++turn)
        for (std::size_t i = 0; i < std::size(albums); ++i)
            runs[i].push_back(StartOnce(*copies[i], albums[i], expected));
    double empty = 0;
    for (std::size_t i = 0; i < std::size(albums); ++i) {
        std::vector<double> listed, inView;
        double longest = 0;
        for (const SRun& run : runs[i]) {
            listed.push_back(run.listed);
            inView.push_back(run.inView);
            longest = std::max(longest, run.longestAnswer);
        }
        if (i == 0)
            empty = Median(listed);
        std::snprintf(line, sizeof line,
                      "%5d pictures + %4d videos: listed in %.3f s (%.2fx empty), longest answer %.3f s, "
                      "last picture in view after %.3f s\n",
                      albums[i].pictures, albums[i].videos, Median(listed), Median(listed) / empty, longest,
                      Median(inView));
        std::fputs(line, stdout);
        report += line;
        std::string each = "      listed in each run:";
        for (double seconds : listed)
            each += " " + std::to_string(seconds).substr(0, 5);
        std::fputs((each + "\n").c_str(), stdout);
    }
    copies.clear();
    const SAlbum pictures{1100, 0};
    e2e::ProgramCopy copy;
    FillAlbum(copy, pictures, picture, video);
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
    const double ours = ThumbnailSeconds(copy, pictures.pictures, false, threads);
    const double old = ThumbnailSeconds(copy, pictures.pictures, true, 1);
    std::snprintf(line, sizeof line,
                  "%5d pictures: every thumbnail made in %.2f s as the program makes them (%u threads), %.2f s the "
                  "old way (%.1fx faster)\n",
                  pictures.pictures, ours, threads, old, old / ours);
    std::fputs(line, stdout);
    report += line;
    if (argc > 3)
        if (FILE* out = std::fopen(argv[3], "w")) {
            std::fputs(report.c_str(), out);
            std::fclose(out);
        }
    return 0;
}
