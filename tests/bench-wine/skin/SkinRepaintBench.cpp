// Full repaints of the program's main window (frame and every child) with
// the probe skin against no skin: the median of 50 synchronous redraws each,
// and their ratio. A measurement, not a test; it also keeps a screenshot of
// each look.
//   skin_repaint_bench.exe PROGRAM_DIR PROBE.skin OUT_DIR
#include "E2eSupport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kRepaints = 50;

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The median repaint time in milliseconds; negative when the program did not come up.
double MedianRepaint(const std::string& programDir, const std::string& skin, const std::string& shot)
{
    e2e::ProgramCopy folder(programDir);
    if (!skin.empty() && !e2e::UseSkin(folder, skin, "probe.skin"))
        return -1;
    e2e::RunningProgram program(
        e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {{"TAVRELIN_CAMERA", "test"}}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    if (!main)
        return -1;
    e2e::MoveCursor(1200, 1000);
    ::Sleep(3000); // start-up fills the pages after the window shows
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    std::vector<double> times;
    for (int run = 0; run < kRepaints; ++run) {
        const LONGLONG start = Now();
        ::RedrawWindow(main, nullptr, nullptr, flags);
        times.push_back(Milliseconds(Now() - start));
    }
    e2e::SaveWindowBmp(shot, main);
    program.Close();
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: skin_repaint_bench PROGRAM_DIR PROBE.skin OUT_DIR\n");
        return 2;
    }
    const std::string out = e2e::ToWindowsPath(argv[3]);
    const double system = MedianRepaint(argv[1], "", out + "\\main-system.bmp");
    const double probe = MedianRepaint(argv[1], argv[2], out + "\\main-probe.bmp");
    if (system <= 0 || probe <= 0) {
        std::fprintf(stderr, "the program did not come up\n");
        return 1;
    }
    std::printf("median full repaint of the main window, %d runs: system %.3f ms, probe skin %.3f ms, ratio %.2f\n",
                kRepaints, system, probe, probe / system);
    return 0;
}
