#pragma once
// Frames for the AVI writer come from bitmap sections: their header and
// pixel memory are read through GetObject without copying the pixels.

#include "avi/DibFrame.h"

#include <windows.h>

#include <optional>

// The frame of a device-independent-bitmap section; none for any other
// bitmap (a device-dependent one, the 1 x 1 stock bitmap of an empty grab)
// or an invalid handle.
std::optional<DibFrame> DibFrameFromBitmap(HBITMAP hBitmap);
