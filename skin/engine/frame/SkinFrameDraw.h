#pragma once
// Painting a window's non-client frame from the skin: borders, caption with
// icon and text, caption buttons and the client edge; and the window shape
// the frame images give.

#include "skin/engine/frame/SkinFrameGeometry.h"

#include <windows.h>

#include <vector>

namespace tavrelin::skin {

class CSkinContext;

struct SkinFrameLook {
    HWND window = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    SkinFrameBorders borders;
    SIZE size{};   // the window rectangle's size
    RECT client{}; // the client area in window coordinates
    bool active = true;
    std::vector<SkinCaptionButton>* buttons = nullptr; // placed while drawing
    int hotButton = -1;
    int pressedButton = -1;
    // Only the images, over nothing: for finding the frame's shape.
    bool shapeOnly = false;
};

// Paints into dc, whose origin is the window rectangle's top-left corner.
void DrawSkinFrame(HDC dc, CSkinContext& skin, const SkinFrameLook& look);

// The state a caption button is drawn in (CBS_NORMAL to CBS_DISABLED, moved
// by kCaptionButtonInactiveOffset for an inactive window).
int CaptionButtonState(const SkinFrameLook& look, int index);

// The window's shape: the frame with the transparent pixels at the left and
// right ends of each caption and bottom row cut away. Null when nothing is
// cut away, or when GDI has no room; the caller owns the region.
HRGN BuildSkinFrameRegion(CSkinContext& skin, const SkinFrameLook& look);

} // namespace tavrelin::skin
