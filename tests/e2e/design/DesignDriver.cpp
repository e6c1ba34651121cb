#include "DesignDriver.h"

#include <algorithm>

namespace design_e2e {

HWND WaitForLibrary(DWORD pid) { return e2e::WaitForTopLevel(pid, "#32770", "design management"); }

bool AddToWindow(HWND library, const std::string& name)
{
    HWND list = ::GetDlgItem(library, kList);
    const std::vector<std::string> names = e2e::ListViewColumnTexts(list);
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        return false;
    const std::optional<RECT> item = e2e::ListViewItemRect(list, static_cast<int>(found - names.begin()));
    if (!item)
        return false;
    e2e::ClickClient(list, (item->left + item->right) / 2, (item->top + item->bottom) / 2);
    if (!e2e::WaitUntil([&] { return e2e::ListViewSelectedIndex(list) >= 0; }))
        return false;
    // The list shows the selection before its owner hears of the click, and
    // the button asks the owner: the click's messages are handled first.
    HWND button = ::GetDlgItem(library, kAddToWindow);
    return e2e::WaitForPostedMessages(button) && e2e::PressButton(library, kAddToWindow);
}

std::vector<HWND> DesignWindows(DWORD pid)
{
    std::vector<HWND> found;
    for (HWND window : e2e::AllTopLevel(pid))
        if (e2e::IsVisible(window) && (::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
            !(::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION))
            found.push_back(window);
    return found;
}

} // namespace design_e2e
