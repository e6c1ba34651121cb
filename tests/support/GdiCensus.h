#pragma once
// Counts the GDI objects this process holds, to show that painting code
// leaks none. Windows answers GetGuiResources; Wine answers 0 there, so the
// live entries of the process's GDI handle table are counted instead.

#include <windows.h>

namespace e2e {

// -1 when neither source is available.
int CountGdiObjects();
// The same for another process of this bitness, read through its memory and
// the blocks of one of its threads.
int CountGdiObjects(HANDLE process, DWORD threadId);

} // namespace e2e
