#pragma once
// The design box's picture made in memory from what the program's own windows
// publish (grab/PictureSources.h), so that a window of another program lying
// over the box, or the main window minimized or off the screen, changes
// nothing in what is saved.
#include "grab/DibSectionDC.h"

#include <windows.h>

#include <optional>

// The box-sized picture of `box`'s client area: the camera picture of our
// capture window lying over the box, drawn as that window paints it, then
// every visible design window in window order, cut by its shape, at its place
// relative to the box (where the box was last seen on the screen, while its
// window is minimized). Nullopt when no camera picture of ours lies over the
// box, or GDI fails.
std::optional<CDibSectionDC> ComposeDesignBox(HWND box);
