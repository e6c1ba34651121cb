#include "AlbumPage.h"

#include <commctrl.h>

namespace album_e2e {

HWND AlbumPage::Page() { return e2e::FindProgramPage(MainWindow(), kList); }

bool AlbumPage::ShowAlbumPage()
{
    HWND tab = e2e::ChildById(MainWindow(), 1000);
    const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1);
    if (!albumTab)
        return false;
    e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    return e2e::WaitUntil([&] { return e2e::IsVisible(Page()); });
}

int AlbumPage::IndexOf(const std::string& name)
{
    const std::vector<std::string> items = Items();
    for (size_t index = 0; index < items.size(); ++index)
        if (items[index] == name)
            return static_cast<int>(index);
    return -1;
}

bool AlbumPage::WaitForItem(const std::string& name, bool present)
{
    return e2e::WaitUntil([&] { return (IndexOf(name) >= 0) == present; });
}

bool AlbumPage::ThumbnailShows(int item, POINT at, bool (*is)(COLORREF))
{
    if (item < 0)
        return false;
    e2e::SendWithTimeout(List(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    return e2e::WaitUntil([&] {
        const std::optional<RECT> bounds = e2e::ListViewItemRect(List(), item);
        if (!bounds)
            return false;
        POINT probe{bounds->left + at.x, bounds->top + at.y};
        ::ClientToScreen(List(), &probe);
        return is(e2e::PixelAt(probe.x, probe.y));
    });
}

bool AlbumPage::Click(int item)
{
    // Scrolled into view first, as a user does before clicking it.
    e2e::SendWithTimeout(List(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE);
    const std::optional<RECT> bounds = e2e::ListViewItemRect(List(), item);
    if (!bounds)
        return false;
    e2e::ClickClient(List(), (bounds->left + bounds->right) / 2, (bounds->top + bounds->bottom) / 2);
    return e2e::WaitUntil([&] { return e2e::ListViewSelectedIndex(List()) == item; });
}

HWND AlbumPage::OpenMenu(int item)
{
    if (!Click(item))
        return nullptr;
    const std::optional<RECT> bounds = e2e::ListViewItemRect(List(), item);
    if (!bounds)
        return nullptr;
    const POINT centre{(bounds->left + bounds->right) / 2, (bounds->top + bounds->bottom) / 2};
    POINT onScreen = centre;
    ::ClientToScreen(List(), &onScreen);
    e2e::MoveCursor(onScreen.x, onScreen.y);
    ::PostMessageA(List(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(centre.x, centre.y));
    ::PostMessageA(List(), WM_RBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    return e2e::WaitForTopLevel(Pid(), "#32768");
}

bool AlbumPage::ChooseFromMenu(int item, EMenuItem entry)
{
    HWND menu = OpenMenu(item);
    if (!menu)
        return false;
    // The menu opens under the cursor: a mouse move reaching it after a key
    // would take the highlight off the entry a Return chooses. So the menu is
    // closed and its entry's command given as the menu gives it.
    ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    if (!e2e::WaitUntil([&] { return !e2e::IsVisible(menu); }))
        return false;
    ::PostMessageA(Page(), WM_COMMAND, static_cast<WPARAM>(entry), 0);
    return true;
}

bool AlbumPage::Rename(int item, const std::string& typed)
{
    if (!ChooseFromMenu(item, EMenuItem::Rename))
        return false;
    HWND dialog = e2e::WaitForTopLevel(Pid(), "#32770", "Rename");
    if (!dialog)
        return false;
    e2e::SendWithTimeout(::GetDlgItem(dialog, kRenameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    e2e::PressButton(dialog, IDOK);
    return e2e::WaitUntil([&] { return !::IsWindow(dialog); }) &&
           e2e::SendWithTimeout(List(), WM_NULL, 0, 0).has_value();
}

bool AlbumPage::TakePicture()
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(MainWindow(), WM_COMMAND, kTakePictures, 0, SMTO_NORMAL, 10000, &result) != 0;
}

} // namespace album_e2e
