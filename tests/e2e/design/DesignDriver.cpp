#include "DesignDriver.h"

#include <algorithm>

namespace design_e2e {

HWND WaitForLibrary(DWORD pid) { return e2e::WaitForTopLevel(pid, "#32770", "design management"); }

namespace {

// Clicks the design's row and waits until the list shows it selected.
bool ClickRow(HWND list, const std::string& name)
{
    const std::vector<std::string> names = e2e::ListViewColumnTexts(list);
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        return false;
    const std::optional<RECT> item = e2e::ListViewItemRect(list, static_cast<int>(found - names.begin()));
    if (!item)
        return false;
    e2e::ClickClient(list, (item->left + item->right) / 2, (item->top + item->bottom) / 2);
    return e2e::WaitUntil([&] { return e2e::ListViewSelectedIndex(list) >= 0; });
}

} // namespace

bool AddToWindow(HWND library, const std::string& name)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(library, &pid);
    HWND button = ::GetDlgItem(library, kAddToWindow);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const size_t before = DesignWindows(pid).size();
        // The list shows the selection before its owner hears of the click, and
        // the button asks the owner: the click's messages are handled first.
        if (!ClickRow(::GetDlgItem(library, kList), name) || !e2e::WaitForPostedMessages(button) ||
            !e2e::PressButton(library, kAddToWindow))
            return false;
        // The list tells its owner of a click only when no mouse move came
        // between press and release; after a late move of the cursor the owner
        // has no design chosen and asks for one. Then the click is made again.
        HWND box = nullptr;
        e2e::WaitUntil([&] { return DesignWindows(pid).size() > before || (box = e2e::FindMessageBox(pid)); });
        if (!box || e2e::MessageBoxText(box) != "please select a file")
            return true;
        e2e::PressButton(box, IDOK);
        e2e::WaitUntil([&] { return !::IsWindow(box); });
    }
    return false;
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
