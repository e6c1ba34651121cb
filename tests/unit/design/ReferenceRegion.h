#pragma once
// The window shape of a frame built the plain way, one pixel at a time: the
// frame's rectangle with every pixel of the top-left pixel's colour taken
// out by exclusive-or, column by column from the left. Slow and obviously
// right; the tests and the benchmark measure the real one against it.
#include <windows.h>

namespace designtest {

// The caller owns the region; null when the bitmap can't be read.
HRGN BuildReferenceRegion(HBITMAP frame);

} // namespace designtest
