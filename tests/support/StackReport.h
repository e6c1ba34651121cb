#pragma once
// Where every thread of a process stands: suspended one at a time, walked
// from its context, each frame named by module and offset, and by symbol and
// line where the module carries them. A test that finds the program hung
// prints this before it ends it; scripts/stack-report.sh names the frames of
// the stripped program from its debug file.
#include <windows.h>

#include <string>

namespace e2e {

std::string ThreadStacks(DWORD pid);

// Every process of this session outside the Windows folder (the programs
// and test runners, not Wine's services) that this bitness can walk.
std::string AllProgramStacks();

} // namespace e2e
