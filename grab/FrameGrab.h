#pragma once
// The picture that is saved, video frame or snapshot: the camera picture in
// the camera page's design box with the design windows lying over it, at the
// camera's size.
#include "grab/DibSectionDC.h"

#include "win/UniqueHandle.h"

#include <windows.h>

#include <optional>

// The design box's size on the page; a grab always reads this much.
inline constexpr int kGrabBoxWidth = 320;
inline constexpr int kGrabBoxHeight = 240;

// The kGrabBoxWidth by kGrabBoxHeight picture of the client area of `window`
// (the design box), scaled to width by height: composed in memory when our
// capture window lies over the box (BoxComposition.h), otherwise read from the
// screen as GrabScreenBox does, since the platform's capture window keeps its
// picture to itself. The result is a 24-bit, bottom-up DIB section owned by
// the caller. It is empty when the window is gone or the size is not usable:
// a 0 by 0 capture size (no camera) gives no frame rather than a bitmap the
// AVI writer would refuse.
win::UniqueBitmap GrabDesignBox(HWND window, int width, int height);

// The same size of picture read from what the screen shows over the client
// area of `window` (which may belong to another process), whatever lies over it.
win::UniqueBitmap GrabScreenBox(HWND window, int width, int height);

// A new 24-bit section of width by height holding the source's pixels from
// (x, y), selected into a memory DC compatible with the source. Only the part
// inside the source's clip box is read (the screen's bounds, for the screen
// DC); the rest stays black.
std::optional<CDibSectionDC> CopyDcToDibSection(HDC source, int x, int y, int width, int height);
