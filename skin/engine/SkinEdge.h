#pragma once
// Edges of 3-D rectangles in the skin's metrics colours.

#include "skin/engine/SkinMetrics.h"

#include <windows.h>

namespace tavrelin::skin {

// Draws the edge kinds and sides DrawEdge knows for rectangles (raised and
// sunken, inner and outer, any sides, the middle, BF_ADJUST); false for
// what it leaves to the system (diagonals, flat, mono and soft edges).
bool DrawSkinEdge(HDC dc, RECT& rect, UINT edge, UINT flags, const CSkinMetrics& metrics);

} // namespace tavrelin::skin
