#pragma once
// The picture that is saved, video frame or snapshot: what the screen shows in
// the camera page's design box, so that design windows lying over the box are
// part of it.
#include "grab/DibSectionDC.h"

#include "win/UniqueHandle.h"

#include <windows.h>

#include <optional>

// The design box's size on the page; a grab always reads this much.
inline constexpr int kGrabBoxWidth = 320;
inline constexpr int kGrabBoxHeight = 240;

// Reads kGrabBoxWidth by kGrabBoxHeight screen pixels from the client area of
// `window` (which may belong to another process) and scales them to width by
// height. The result is a 24-bit, bottom-up DIB section owned by the caller.
// It is empty when the window is gone or the size is not usable: a 0 by 0
// capture size (no camera) gives no frame rather than a bitmap the AVI writer
// would refuse.
win::UniqueBitmap GrabDesignBox(HWND window, int width, int height);

// A new 24-bit section of width by height holding the source's pixels from
// (x, y), selected into a memory DC compatible with the source. Only the part
// inside the source's clip box is read (the screen's bounds, for the screen
// DC); the rest stays black.
std::optional<CDibSectionDC> CopyDcToDibSection(HDC source, int x, int y, int width, int height);
