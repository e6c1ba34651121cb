// The album at lifetime sizes: 1,000, 20,000 and 100,000 pictures, and
// 10,000 pictures with 1,000 videos. A measurement, not a test.
//   album_scale_bench.exe ALBUMS [OUT.txt]
// ALBUMS holds one folder per album, "1000", "20000", "100000" and
// "10000+1000", each file a hard link to one picture or video, made by
// scripts/bench-wine.sh (natively: under Wine a hundred thousand links take
// half an hour). Each is moved into a copy of the program folder for the
// run and back after it. For each: the first start without
// thumbnails.cache, then a second with it. Reported: how soon every item is listed, how soon the
// thumbnails on the first screen show, the memory of the program (its
// working set) a minute after start and after a jump to the end, how soon
// the thumbnails there show, and the slowest answer of the main window over
// the whole run.
#include "E2eSupport.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kList = 1010;
constexpr int kTabControl = 1000;
// A point of each thumbnail that the probe picture has dark (its blank is
// white).
constexpr POINT kProbe{40, 30};

struct SAlbum {
    int pictures;
    int videos;
};

struct SStart {
    double listed = 0;
    double firstScreen = 0;
    double lastScreen = 0;
    double memoryMinute = 0; // MB
    double memoryEnd = 0;    // MB
    double longestAnswer = 0;
};

double Now()
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The prepared album takes the place of the copy's album folder while it
// lives.
class CMovedAlbum {
public:
    CMovedAlbum(const std::string& prepared, const e2e::ProgramCopy& copy)
        : m_strPrepared(prepared), m_strAlbum(copy.File("Album"))
    {
        ::RemoveDirectoryA(m_strAlbum.c_str());
        m_bMoved = ::MoveFileA(m_strPrepared.c_str(), m_strAlbum.c_str()) != FALSE;
    }
    ~CMovedAlbum()
    {
        if (m_bMoved)
            ::MoveFileA(m_strAlbum.c_str(), m_strPrepared.c_str());
        ::CreateDirectoryA(m_strAlbum.c_str(), nullptr);
    }
    CMovedAlbum(const CMovedAlbum&) = delete;
    CMovedAlbum& operator=(const CMovedAlbum&) = delete;
    bool Moved() const { return m_bMoved; }

private:
    std::string m_strPrepared;
    std::string m_strAlbum;
    bool m_bMoved = false;
};

class CTimedProgram {
public:
    explicit CTimedProgram(const e2e::ProgramCopy& copy)
        : m_start(Now()), m_program(e2e::LaunchOptions{copy.File("Tavrelin.exe"),
                                                       "/Embedding",
                                                       {{"TAVRELIN_CAMERA", "none"}, {"TAVRELIN_PLAYER", "builtin"}},
                                                       copy.Path()})
    {}

    // Runs until `done` holds, asking the main window to answer meanwhile.
    bool Until(const std::function<bool()>& done, double seconds = 300)
    {
        const double deadline = Now() + seconds;
        while (Now() < deadline) {
            if (HWND box = e2e::FindMessageBox(m_program.Pid()))
                e2e::PressButton(box, IDOK);
            m_main = e2e::FindProgramMainWindow(m_program.Pid());
            m_list = m_main ? ::GetDlgItem(e2e::FindProgramPage(m_main, kList), kList) : nullptr;
            if (m_main) {
                const double asked = Now();
                e2e::SendWithTimeout(m_main, WM_NULL, 0, 0);
                m_longestAnswer = std::max(m_longestAnswer, Now() - asked);
            }
            if (m_list && done())
                return true;
            ::Sleep(20);
        }
        return false;
    }
    double SinceStart() const { return Now() - m_start; }
    int ItemCount() const { return static_cast<int>(e2e::SendWithTimeout(m_list, LVM_GETITEMCOUNT, 0, 0).value_or(0)); }

    void ShowAlbumPage() const
    {
        HWND tab = e2e::ChildById(m_main, kTabControl);
        if (const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1))
            e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    }

    // Every picture item around the given one whose thumbnail lies in the list's
    // client area shows its thumbnail, not the blank.
    bool ScreenShows(const SAlbum& album, int around) const
    {
        RECT client{};
        ::GetClientRect(m_list, &client);
        int seen = 0;
        for (int item = std::max(0, around - 40); item < std::min(album.pictures, around + 40); ++item) {
            const std::optional<RECT> bounds = e2e::ListViewItemRect(m_list, item);
            if (!bounds || bounds->top + kProbe.y >= client.bottom || bounds->top < 0)
                continue;
            POINT at{bounds->left + kProbe.x, bounds->top + kProbe.y};
            ::ClientToScreen(m_list, &at);
            const COLORREF pixel = e2e::PixelAt(at.x, at.y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) > 600)
                return false;
            ++seen;
        }
        return seen > 0;
    }
    void ScrollTo(int item) const { e2e::SendWithTimeout(m_list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE); }

    double MemoryMegabytes() const
    {
        PROCESS_MEMORY_COUNTERS memory{};
        return ::GetProcessMemoryInfo(m_program.Process(), &memory, sizeof memory) ? memory.WorkingSetSize / 1048576.0
                                                                                   : 0;
    }
    double LongestAnswer() const { return m_longestAnswer; }
    void End()
    {
        ::PostMessageA(m_main, WM_SYSCOMMAND, SC_CLOSE, 0);
        m_program.WaitForExit(e2e::Timeout{60000});
    }

private:
    double m_start;
    e2e::RunningProgram m_program;
    HWND m_main = nullptr;
    HWND m_list = nullptr;
    double m_longestAnswer = 0;
};

SStart StartOnce(const e2e::ProgramCopy& copy, const SAlbum& album, bool measureMemory)
{
    SStart start;
    CTimedProgram program(copy);
    const int items = album.pictures + album.videos;
    if (!program.Until([&] { return program.ItemCount() == items; }))
        return start;
    start.listed = program.SinceStart();
    program.ShowAlbumPage();
    const double shown = Now();
    program.Until([&] { return program.ScreenShows(album, 0); });
    start.firstScreen = Now() - shown;
    if (measureMemory) {
        program.Until([&] { return program.SinceStart() > 60; }, 90);
        start.memoryMinute = program.MemoryMegabytes();
    }
    program.ScrollTo(album.pictures - 1);
    const double jumped = Now();
    program.Until([&] { return program.ScreenShows(album, album.pictures - 1); });
    start.lastScreen = Now() - jumped;
    if (measureMemory) {
        program.Until([&] { return Now() - jumped > 10; }, 20);
        start.memoryEnd = program.MemoryMegabytes();
    }
    start.longestAnswer = program.LongestAnswer();
    program.End();
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: album_scale_bench ALBUMS [OUT.txt]\n");
        return 2;
    }
    std::string report;
    char line[512];
    for (const SAlbum album : {SAlbum{1000, 0}, SAlbum{20000, 0}, SAlbum{100000, 0}, SAlbum{10000, 1000}}) {
        e2e::ProgramCopy copy;
        const std::string name =
            std::to_string(album.pictures) + (album.videos ? "+" + std::to_string(album.videos) : std::string());
        const CMovedAlbum moved(e2e::ToWindowsPath(argv[1]) + "\\" + name, copy);
        if (!moved.Moved()) {
            std::fprintf(stderr, "no album %s in %s\n", name.c_str(), argv[1]);
            return 1;
        }
        const SStart first = StartOnce(copy, album, true);
        const SStart second = StartOnce(copy, album, false);
        std::snprintf(line, sizeof line,
                      "%6d pictures + %4d videos: listed in %.2f s; first screen of thumbnails %.2f s, with the cache "
                      "%.2f s; memory %.0f MB after a minute, %.0f MB after the jump to the end; last screen %.2f s, "
                      "with the cache %.2f s; slowest answer %.0f ms\n",
                      album.pictures, album.videos, first.listed, first.firstScreen, second.firstScreen,
                      first.memoryMinute, first.memoryEnd, first.lastScreen, second.lastScreen,
                      1000 * std::max(first.longestAnswer, second.longestAnswer));
        std::fputs(line, stdout);
        std::fflush(stdout);
        report += line;
    }
    if (argc > 2)
        if (FILE* out = std::fopen(argv[2], "w")) {
            std::fputs(report.c_str(), out);
            std::fclose(out);
        }
    return 0;
}
