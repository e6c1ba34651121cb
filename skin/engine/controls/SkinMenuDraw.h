#pragma once
// A popup menu's picture drawn from the skin's MENU class: the background
// and border, each item's MENUITEM part (the hot one selected), separators,
// check marks and bullets, the system menu's small pictures, submenu arrows
// and the texts with their shortcuts, disabled items grayed. What is drawn
// is read from the menu itself; the places are the menu window's own.

#include <windows.h>

#include <string>
#include <vector>

namespace tavrelin::skin {

class CSkinContext;

struct SkinMenuItem {
    RECT rect{}; // in the menu window's client area
    UINT type = 0;
    UINT state = 0;
    bool submenu = false;
    HBITMAP bitmap = nullptr;
    std::string text;
};

struct SkinMenuLook {
    std::vector<SkinMenuItem> items;
    DWORD style = 0;             // MNS_*
    HBRUSH background = nullptr; // the program's own, or none
};

// The menu's items as its window shows them; empty when the window shows none.
SkinMenuLook ReadSkinMenu(HWND menuWindow, HMENU menu);

// What decides the picture: each item's kind and state, in order.
std::vector<UINT> SkinMenuSignature(const SkinMenuLook& look);

void DrawSkinMenu(HDC dc, CSkinContext& skin, const RECT& client, const SkinMenuLook& look);

} // namespace tavrelin::skin
