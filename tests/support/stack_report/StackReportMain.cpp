// stack_report [PID...]: the thread stacks of the processes, or of every
// program of the session when no process is named.
#include "StackReport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    std::string report;
    for (int index = 1; index < argc; ++index)
        report += e2e::ThreadStacks(static_cast<DWORD>(std::strtoul(argv[index], nullptr, 0)));
    if (argc == 1)
        report = e2e::AllProgramStacks();
    std::fputs(report.c_str(), stdout);
    return 0;
}
