#pragma once
// Edges of 3-D rectangles and push-button faces in the skin's metrics
// colours.

#include "skin/engine/draw/SkinMetrics.h"

#include <windows.h>

namespace tavrelin::skin {

// Draws the edge kinds and sides DrawEdge knows for rectangles (raised and
// sunken, inner and outer, soft, any sides, the middle, BF_ADJUST); false
// for what it leaves to the system (diagonals, flat and mono edges).
bool DrawSkinEdge(HDC dc, RECT& rect, UINT edge, UINT flags, const CSkinMetrics& metrics);

// Draws push-button faces, up and pushed, as DrawFrameControl does; false
// for every other control kind and for flat, mono, checked and transparent
// faces, which stay the system's.
bool DrawSkinFrameControl(HDC dc, RECT& rect, UINT type, UINT state, const CSkinMetrics& metrics);

} // namespace tavrelin::skin
