#include "Controls.h"

#include "RemoteBuffer.h"
#include "WindowQuery.h"

#include <commctrl.h>

namespace e2e {
namespace {

constexpr size_t kTextCapacity = 1024;

int SendForInt(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return static_cast<int>(SendWithTimeout(window, message, wParam, lParam).value_or(-1));
}

// Sends a message whose lParam points at a RECT and reads the RECT back;
// some messages take an input in the RECT (LVM_GETITEMRECT's left).
std::optional<RECT> RemoteRect(HWND window, UINT message, WPARAM wParam, const RECT& input = {})
{
    RemoteBuffer remote = RemoteBuffer::ForWindow(window, sizeof(RECT));
    if (!remote.WriteValue(input))
        return std::nullopt;
    const std::optional<LRESULT> ok = SendWithTimeout(window, message, wParam, remote.AsLParam());
    RECT rect{};
    if (!ok || *ok == 0 || !remote.ReadValue(rect))
        return std::nullopt;
    return rect;
}

// Sends a message whose structure (at offset 0) names a text buffer that
// follows it in the same remote block, and reads the text back. pointTo
// stores the remote text address (and capacity) in the structure.
template <typename Item, typename PointTo>
std::string RemoteItemText(HWND window, UINT message, WPARAM wParam, Item item, PointTo pointTo)
{
    RemoteBuffer remote = RemoteBuffer::ForWindow(window, sizeof(Item) + kTextCapacity);
    std::string text(kTextCapacity, '\0');
    pointTo(item, static_cast<LPSTR>(remote.Address(sizeof(Item))), static_cast<int>(kTextCapacity));
    if (!remote.WriteValue(item) || !remote.Write(sizeof(Item), text.data(), text.size()))
        return {};
    if (!SendWithTimeout(window, message, wParam, remote.AsLParam()) ||
        !remote.Read(sizeof(Item), text.data(), text.size()))
        return {};
    text.back() = '\0';
    text.resize(text.find('\0'));
    return text;
}

// Tab and list view items name their text buffer alike.
const auto kItemText = [](auto& item, LPSTR text, int capacity) {
    item.pszText = text;
    item.cchTextMax = capacity;
};

} // namespace

int TabCount(HWND tab) { return SendForInt(tab, TCM_GETITEMCOUNT); }

int TabCurSel(HWND tab) { return SendForInt(tab, TCM_GETCURSEL); }

std::optional<RECT> TabItemRect(HWND tab, int index)
{
    return RemoteRect(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index));
}

std::string TabText(HWND tab, int index)
{
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    return RemoteItemText(tab, TCM_GETITEMA, static_cast<WPARAM>(index), item, kItemText);
}

int ToolbarButtonCount(HWND toolbar) { return SendForInt(toolbar, TB_BUTTONCOUNT); }

std::optional<ToolbarButtonInfo> ToolbarButton(HWND toolbar, int index)
{
    RemoteBuffer remote = RemoteBuffer::ForWindow(toolbar, sizeof(TBBUTTON));
    const std::optional<LRESULT> ok =
        SendWithTimeout(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), remote.AsLParam());
    TBBUTTON button{};
    if (!ok || *ok == 0 || !remote.ReadValue(button))
        return std::nullopt;
    return ToolbarButtonInfo{button.idCommand, button.fsStyle, button.fsState};
}

std::optional<RECT> ToolbarItemRect(HWND toolbar, int index)
{
    return RemoteRect(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index));
}

int ToolbarIndexOfCommand(HWND toolbar, int commandId)
{
    return SendForInt(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(commandId));
}

HWND ToolbarTooltipWindow(HWND toolbar)
{
    return reinterpret_cast<HWND>(SendWithTimeout(toolbar, TB_GETTOOLTIPS, 0, 0).value_or(0));
}

std::string ToolbarTooltipText(HWND toolbar, int index)
{
    const std::optional<ToolbarButtonInfo> button = ToolbarButton(toolbar, index);
    const HWND tooltip = ToolbarTooltipWindow(toolbar);
    if (!button || button->IsSeparator() || tooltip == nullptr)
        return {};
    return TooltipText(tooltip, toolbar, static_cast<UINT_PTR>(button->commandId));
}

std::string TooltipText(HWND tooltip, HWND owner, UINT_PTR toolId)
{
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = toolId;
    // TTM_GETTEXTA takes the buffer's size in wParam (older versions ignore it).
    return RemoteItemText(tooltip, TTM_GETTEXTA, kTextCapacity, tool,
                          [](TTTOOLINFOA& info, LPSTR text, int) { info.lpszText = text; });
}

int ListViewItemCount(HWND listView) { return SendForInt(listView, LVM_GETITEMCOUNT); }

std::string ListViewItemText(HWND listView, int item, int subItem)
{
    LVITEMA request{};
    request.iSubItem = subItem;
    return RemoteItemText(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), request, kItemText);
}

std::vector<std::string> ListViewColumnTexts(HWND listView, int subItem)
{
    std::vector<std::string> texts;
    const int count = ListViewItemCount(listView);
    for (int item = 0; item < count; ++item)
        texts.push_back(ListViewItemText(listView, item, subItem));
    return texts;
}

std::optional<RECT> ListViewItemRect(HWND listView, int item)
{
    return RemoteRect(listView, LVM_GETITEMRECT, static_cast<WPARAM>(item), RECT{LVIR_BOUNDS, 0, 0, 0});
}

int ListViewSelectedIndex(HWND listView)
{
    return SendForInt(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
}

} // namespace e2e
