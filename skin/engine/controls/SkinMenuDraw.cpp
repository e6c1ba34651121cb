#include "skin/engine/controls/SkinMenuDraw.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <vssym32.h>

#include <algorithm>

namespace tavrelin::skin {
namespace {

// The MENU class's states: an item at rest and the one under the mouse.
constexpr int kMenuNormal = 1;
constexpr int kMenuSelected = 2;
constexpr int kTextGap = 4;
constexpr int kArrowSize = 4;
constexpr UINT kSignatureState = MFS_HILITE | MFS_CHECKED | MFS_GRAYED | MFS_DEFAULT;

bool IsMagicBitmap(HBITMAP bitmap) { return reinterpret_cast<ULONG_PTR>(bitmap) < 12; }

struct MenuColors {
    COLORREF text;
    COLORREF hotText;
    COLORREF gray;
};

// A skin that draws the hot item keeps its text colour unless its MENU class
// says otherwise; without the skin's image the hot item is the highlight.
MenuColors ColorsOf(CSkinContext& skin, bool hotImage)
{
    const CSkinMetrics& metrics = skin.GetMetrics();
    CSkinClass& menu = skin.GetSkinClassById(kSkinClassMenu);
    const COLORREF text =
        menu.GetColor(MENU_MENUITEM_TMSCHEMA, kMenuNormal, kPropTextColor, metrics.Color(COLOR_MENUTEXT));
    const COLORREF hot =
        menu.GetColor(0, kMenuSelected, kPropTextColor, hotImage ? text : metrics.Color(COLOR_HIGHLIGHTTEXT));
    return {text, hot, metrics.Color(COLOR_GRAYTEXT)};
}

void DrawSeparator(HDC dc, CSkinContext& skin, const RECT& item)
{
    RECT band = item;
    ::InflateRect(&band, -1, 0);
    if (DrawSkinBackground(dc, skin.GetSkinClassById(kSkinClassMenu), MENU_SEPARATOR_TMSCHEMA, 0, band))
        return;
    const CSkinMetrics& metrics = skin.GetMetrics();
    const int middle = (item.top + item.bottom) / 2;
    FillSolid(dc, RECT{band.left, middle - 1, band.right, middle}, metrics.Color(COLOR_BTNSHADOW));
    FillSolid(dc, RECT{band.left, middle, band.right, middle + 1}, metrics.Color(COLOR_BTNHIGHLIGHT));
}

// The system menu's pictures (close, restore, maximize, minimize) as
// strokes, in place of the system's font glyphs.
void DrawMagicBitmap(HDC dc, HBITMAP bitmap, const RECT& box, COLORREF color)
{
    const int size = std::min(box.right - box.left, box.bottom - box.top) / 2;
    const int left = (box.left + box.right - size) / 2, top = (box.top + box.bottom - size) / 2;
    const RECT square{left, top, left + size, top + size};
    const auto frame = [&](const RECT& r) {
        FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 2}, color);
        FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
        FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, color);
        FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, color);
    };
    if (bitmap == HBMMENU_POPUP_MINIMIZE) {
        FillSolid(dc, RECT{square.left, square.bottom - 2, square.right, square.bottom}, color);
    } else if (bitmap == HBMMENU_POPUP_MAXIMIZE) {
        frame(square);
    } else if (bitmap == HBMMENU_POPUP_RESTORE) {
        frame(RECT{square.left + 2, square.top, square.right, square.bottom - 2});
        frame(RECT{square.left, square.top + 2, square.right - 2, square.bottom});
    } else if (bitmap == HBMMENU_POPUP_CLOSE) {
        for (int step = 0; step < size; ++step) {
            FillSolid(dc, RECT{left + step, top + step, left + step + 2, top + step + 1}, color);
            FillSolid(dc, RECT{left + size - 2 - step, top + step, left + size - step, top + step + 1}, color);
        }
    }
}

void DrawItemText(HDC dc, const SkinMenuItem& item, RECT textRect, COLORREF color)
{
    const size_t tab = item.text.find_first_of("\t\b");
    const std::string label = item.text.substr(0, tab);
    const COLORREF previous = ::SetTextColor(dc, color);
    ::DrawTextA(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (tab != std::string::npos) {
        const std::string shortcut = item.text.substr(tab + 1);
        ::DrawTextA(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &textRect,
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    ::SetTextColor(dc, previous);
}

struct MenuFonts {
    win::UniqueFont normal;
    win::UniqueFont bold;
};

MenuFonts MakeFonts(const CSkinMetrics& metrics)
{
    LOGFONTA font = metrics.MenuFont();
    MenuFonts fonts;
    fonts.normal.reset(::CreateFontIndirectA(&font));
    font.lfWeight = FW_BOLD;
    fonts.bold.reset(::CreateFontIndirectA(&font));
    return fonts;
}

void DrawItem(HDC dc, CSkinContext& skin, const SkinMenuLook& look, const SkinMenuItem& item, const MenuFonts& fonts)
{
    if (item.type & MFT_SEPARATOR) {
        DrawSeparator(dc, skin, item.rect);
        return;
    }
    const bool bHot = (item.state & MFS_HILITE) != 0;
    CSkinClass& menu = skin.GetSkinClassById(kSkinClassMenu);
    const bool bImage =
        DrawSkinBackground(dc, menu, MENU_MENUITEM_TMSCHEMA, bHot ? kMenuSelected : kMenuNormal, item.rect);
    if (bHot && !bImage)
        FillSolid(dc, item.rect, skin.GetMetrics().Color(COLOR_MENUHILIGHT));
    const MenuColors colors = ColorsOf(skin, bImage);
    const COLORREF color = (item.state & MFS_GRAYED) ? colors.gray : bHot ? colors.hotText : colors.text;
    const int check = ::GetSystemMetrics(SM_CXMENUCHECK);
    const bool bNoCheck = (look.style & MNS_NOCHECK) != 0;
    const RECT checkBox{item.rect.left, item.rect.top, item.rect.left + check, item.rect.bottom};
    if ((item.state & MFS_CHECKED) && !bNoCheck)
        DrawSkinCheckMark(dc, checkBox, (item.type & MFT_RADIOCHECK) != 0, color);
    if (item.bitmap && IsMagicBitmap(item.bitmap)) {
        const int left = item.rect.left + ((look.style & MNS_CHECKORBMP) ? 2 : bNoCheck ? kTextGap : kTextGap + check);
        DrawMagicBitmap(dc, item.bitmap, RECT{left, item.rect.top, left + check, item.rect.bottom}, color);
    }
    if (item.submenu)
        DrawSkinArrow(dc, RECT{item.rect.right - check, item.rect.top, item.rect.right, item.rect.bottom},
                      ESkinArrow::Right, kArrowSize, color);
    RECT text{item.rect.left + kTextGap + (bNoCheck ? 0 : check), item.rect.top, item.rect.right - check,
              item.rect.bottom};
    win::SelectedObject font(dc, (item.state & MFS_DEFAULT) ? fonts.bold.get() : fonts.normal.get());
    DrawItemText(dc, item, text, color);
}

} // namespace

SkinMenuLook ReadSkinMenu(HWND menuWindow, HMENU menu)
{
    SkinMenuLook look;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_STYLE | MIM_BACKGROUND;
    if (menu && ::GetMenuInfo(menu, &info)) {
        look.style = info.dwStyle;
        look.background = info.hbrBack;
    }
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        char text[256] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP;
        item.dwTypeData = text;
        item.cch = sizeof text - 1;
        RECT rect{};
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item) ||
            !::GetMenuItemRect(menuWindow, menu, static_cast<UINT>(position), &rect))
            continue;
        ::MapWindowPoints(HWND_DESKTOP, menuWindow, reinterpret_cast<POINT*>(&rect), 2);
        look.items.push_back(
            SkinMenuItem{rect, item.fType, item.fState, item.hSubMenu != nullptr, item.hbmpItem, text});
    }
    return look;
}

std::vector<UINT> SkinMenuSignature(const SkinMenuLook& look)
{
    std::vector<UINT> signature;
    for (const SkinMenuItem& item : look.items)
        signature.push_back((item.state & kSignatureState) | (item.type << 16));
    return signature;
}

void DrawSkinMenu(HDC dc, CSkinContext& skin, const RECT& client, const SkinMenuLook& look)
{
    const CSkinMetrics& metrics = skin.GetMetrics();
    CSkinClass& menu = skin.GetSkinClassById(kSkinClassMenu);
    if (look.background)
        ::FillRect(dc, &client, look.background);
    else
        FillSolid(dc, client, menu.GetColor(0, 0, kPropFillColor, metrics.Color(COLOR_MENU)));
    const COLORREF border = menu.GetColor(0, 0, kPropBorderColor, metrics.Color(COLOR_BTNSHADOW));
    DrawPlainFieldBorder(dc, client, border, CLR_NONE);
    const MenuFonts fonts = MakeFonts(metrics);
    const int previousMode = ::SetBkMode(dc, TRANSPARENT);
    for (const SkinMenuItem& item : look.items)
        DrawItem(dc, skin, look, item, fonts);
    ::SetBkMode(dc, previousMode);
}

} // namespace tavrelin::skin
