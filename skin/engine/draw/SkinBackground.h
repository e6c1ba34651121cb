#pragma once
// Painting the background of a (class, part, state) of the loaded skin.

#include "skin/engine/draw/SkinClass.h"

#include <windows.h>

namespace tavrelin::skin {

// True when the part was handled: drawn, or left empty because its BGTYPE
// says so. False when the skin has no image for it, so the caller draws.
bool DrawSkinBackground(HDC dc, CSkinClass& skinClass, int part, int state, const RECT& rect);

void DrawSkinBorderFill(HDC dc, CSkinClass& skinClass, int part, int state, RECT rect);

void DrawSkinGlyph(HDC dc, CSkinClass& skinClass, int part, int state, RECT rect);

} // namespace tavrelin::skin
