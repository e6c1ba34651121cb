#include "win/Controls.h"

#include "win/App.h"
#include "win/Text.h"

#include <vector>

namespace win {

int CTabCtrl::InsertItem(UINT mask, int index, const char* text, int image, LPARAM data) const
{
    TCITEMA item{};
    item.mask = mask;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

bool CTabCtrl::GetItemRect(int index, RECT* rect) const
{
    return SendMessage(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
}

int CListCtrl::InsertItem(int index, const char* text, int image) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    // A file name of 255 characters in any script fits.
    char text[kPathBytes] = {};
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = text;
    item.cchTextMax = kPathBytes;
    SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

int CListCtrl::FindItem(const std::string& text) const
{
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return static_cast<int>(SendMessage(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

bool CListCtrl::SetItemText(int index, int subItem, const char* text) const
{
    LVITEMA item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<char*>(text);
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CImageList::Create(int width, int height, UINT flags, int initial, int grow)
{
    m_list.reset(::ImageList_Create(width, height, flags, initial, grow));
    return static_cast<bool>(m_list);
}

int CImageList::AddMasked(HBITMAP bitmap, COLORREF mask) const
{
    return ::ImageList_AddMasked(m_list.get(), bitmap, mask);
}

CToolBar::~CToolBar()
{
    if (m_hWnd)
        ::DestroyWindow(UnsubclassWindow());
}

bool CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, RECT borders, UINT id)
{
    m_borders = borders;
    const DWORD windowStyle = style | controlStyle | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    return CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle, 0, 0, 0, 0, parent->m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CToolBar::LoadToolBar(UINT resourceId)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(241));
    if (!found)
        return false;
    const DWORD size = ::SizeofResource(instance, found);
    const auto* words = static_cast<const WORD*>(::LockResource(::LoadResource(instance, found)));
    // Layout: version 1, button width, button height, item count, item ids.
    if (!words || size < 8 || words[0] != 1 || size < 8u + 2u * words[3])
        return false;
    m_buttonSize = {words[1], words[2]};
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(m_buttonSize.cx, m_buttonSize.cy));

    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (WORD i = 0; i < words[3]; ++i) {
        TBBUTTON button{};
        button.idCommand = words[4 + i];
        if (button.idCommand == 0) {
            button.fsStyle = BTNS_SEP;
            button.iBitmap = 6;
        } else {
            button.fsStyle = BTNS_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = image++;
        }
        buttons.push_back(button);
    }
    TBADDBITMAP bitmap{instance, resourceId};
    SendMessage(TB_ADDBITMAP, static_cast<WPARAM>(image), reinterpret_cast<LPARAM>(&bitmap));
    return SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())) != 0;
}

void CToolBar::SetImageList(CImageList& images)
{
    m_ownedImages.reset(images.Detach());
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_ownedImages.get()));
    SendMessage(TB_AUTOSIZE);
}

int CToolBar::Height() const
{
    const DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return HIWORD(size) + m_borders.top + m_borders.bottom;
}

void CToolBar::RepositionAtTop() const
{
    RECT parent{};
    ::GetClientRect(::GetParent(m_hWnd), &parent);
    SetWindowPos(nullptr, m_borders.left, m_borders.top, parent.right - m_borders.left - m_borders.right,
                 Height() - m_borders.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CToolBar::JoinTabOrderFirst()
{
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, ::GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_TABSTOP);
    SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The next button in that direction that can be pressed, wrapping round;
// -1 when there is none.
int CToolBar::NextPressable(int from, int step) const
{
    const int count = static_cast<int>(SendMessage(TB_BUTTONCOUNT));
    for (int tried = 1; tried <= count; ++tried) {
        const int index = ((from + step * tried) % count + count) % count;
        TBBUTTON button{};
        if (SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)) &&
            !(button.fsStyle & BTNS_SEP) && (button.fsState & TBSTATE_ENABLED) && !(button.fsState & TBSTATE_HIDDEN))
            return index;
    }
    return -1;
}

int CToolBar::HotItem() const { return static_cast<int>(SendMessage(TB_GETHOTITEM)); }

void CToolBar::PressHotItem() const
{
    TBBUTTON button{};
    const int hot = HotItem();
    if (hot >= 0 && SendMessage(TB_GETBUTTON, static_cast<WPARAM>(hot), reinterpret_cast<LPARAM>(&button)))
        ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

// With the focus the bar is driven by keys: the arrows move the hot button
// (the look a skin gives under the mouse, so the focus shows under every
// look), Enter and Space press it.
bool CToolBar::OnKeyDown(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const int step = key == VK_LEFT || key == VK_UP ? -1 : 1;
        const int hot = HotItem();
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(NextPressable(hot >= 0 ? hot : (step > 0 ? -1 : 0), step)));
        return true;
    }
    case VK_RETURN:
    case VK_SPACE:
        PressHotItem();
        return true;
    default:
        return false;
    }
}

LRESULT CToolBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCDESTROY:
        SendMessage(TB_SETIMAGELIST, 0, 0);
        break;
    case WM_GETDLGCODE: {
        // Arrows, Enter and Space are the bar's; Tab and Escape the dialog's.
        const auto* pending = reinterpret_cast<const MSG*>(lParam);
        const bool enter = pending && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN;
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case WM_SETFOCUS:
        if (HotItem() < 0)
            SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(NextPressable(-1, 1)));
        break;
    case WM_KILLFOCUS:
        SendMessage(TB_SETHOTITEM, static_cast<WPARAM>(-1));
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

} // namespace win
