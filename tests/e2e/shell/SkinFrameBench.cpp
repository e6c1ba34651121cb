// Figures for the report, not a test: a full repaint of the program's main
// window (frame, erase, every child, at once), skinned and unskinned.
//   shell_skin_bench.exe SKINFILE   (inside a Wine session, from the build tree)
// Prints the median time of one repaint over batches for each, and the ratio.
#include "E2eSupport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kBatches = 15;
constexpr int kRepaintsPerBatch = 20;

double Seconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

void Repaint(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Milliseconds of one repaint: the median of the batches' means.
double MedianRepaint(const char* skinFile)
{
    e2e::ProgramCopy folder;
    if (skinFile && !e2e::UseSkin(folder, skinFile, "bench.skin"))
        return -1;
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    if (!main)
        return -1;
    ::Sleep(1000);
    for (int warm = 0; warm < kRepaintsPerBatch; ++warm)
        Repaint(main);
    std::vector<double> batches;
    for (int batch = 0; batch < kBatches; ++batch) {
        LARGE_INTEGER start{}, end{};
        ::QueryPerformanceCounter(&start);
        for (int repaint = 0; repaint < kRepaintsPerBatch; ++repaint)
            Repaint(main);
        ::QueryPerformanceCounter(&end);
        batches.push_back(1000.0 * Seconds(end.QuadPart - start.QuadPart) / kRepaintsPerBatch);
    }
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    program.WaitForExit();
    std::nth_element(batches.begin(), batches.begin() + kBatches / 2, batches.end());
    return batches[kBatches / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell_skin_bench SKINFILE\n");
        return 2;
    }
    const double plain = MedianRepaint(nullptr);
    const double skinned = MedianRepaint(argv[1]);
    std::printf("unskinned\t%.3f ms\nskinned\t%.3f ms\nratio\t%.2f\n", plain, skinned,
                plain > 0 ? skinned / plain : 0.0);
    return plain > 0 && skinned > 0 ? 0 : 1;
}
