#pragma once
// Replacements for the scroll bar functions: a skinned window's own scroll
// bars are the frame object's to draw, and their tracking position is its
// while it drags a thumb.

#include <windows.h>

namespace tavrelin::skin {

int WINAPI HookSetScrollPos(HWND window, int bar, int position, BOOL redraw);
int WINAPI HookSetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL WINAPI HookGetScrollInfo(HWND window, int bar, LPSCROLLINFO info);
BOOL WINAPI HookEnableScrollBar(HWND window, UINT bar, UINT arrows);

} // namespace tavrelin::skin
