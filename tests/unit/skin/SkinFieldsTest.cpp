// Edit boxes, combo boxes and list boxes in the gallery under the probe
// skin: the EDITTEXT part of an edit box's state around its text in that
// state's colours, the combo box's button by state around its text in the
// edit part, its drop list and a list box in the LISTBOX class.
#include "SkinControlGallery.h"

#include <functional>

namespace tavrelin::skin::test {
namespace {

struct EditCase {
    const char* name;
    DWORD style;
    std::function<void(HWND)> act;
    int state;       // the border's
    int colourState; // the mouse changes the border only
    const char* text;
};

// The control itself draws disabled text in the system's gray.
const EditCase kEditCases[] = {
    {"normal", 0, [](HWND) {}, 1, 1, nullptr},
    {"hot", 0, [](HWND edit) { SkinControls::Hover(edit); }, 2, 1, nullptr},
    {"focused", 0, [](HWND edit) { ::SetFocus(edit); }, 5, 5, nullptr},
    {"read-only, focused", ES_READONLY, [](HWND edit) { ::SetFocus(edit); }, 6, 6, nullptr},
    {"disabled", 0, [](HWND edit) { ::EnableWindow(edit, FALSE); }, 4, 4, "SYSMETRICS GRAYTEXT 0 color"},
};

TEST_F(SkinControls, EditBoxesShowTheirStatesPartAndColours)
{
    for (const EditCase& row : kEditCases) {
        SCOPED_TRACE(row.name);
        HWND edit = Add("Edit", "Tavrelin", ES_AUTOHSCROLL | row.style, 20, 20, 160, 24, WS_EX_CLIENTEDGE);
        row.act(edit);
        PumpMessages();
        const std::string border = "EDIT EDITTEXT " + std::to_string(row.state) + " ";
        const std::string colours = "EDIT EDITTEXT " + std::to_string(row.colourState) + " ";
        EXPECT_EQ(FrameLook(edit, 0, 12), border + "border");
        EXPECT_EQ(FrameLook(edit, 1, 12), border + "fill");
        const CClientPixels client(edit);
        EXPECT_EQ(m_table.Name(client.At(client.Width() - 2, 1)), colours + "back");
        EXPECT_GT(client.Count(m_table.Colour(row.text ? row.text : colours + "text")), 10u);
        ::DestroyWindow(edit);
    }
}

COMBOBOXINFO Info(HWND combo)
{
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ::GetComboBoxInfo(combo, &info);
    return info;
}

TEST_F(SkinControls, ComboBoxesShowTheirButtonByStateTheEditPartAndAListBoxDropList)
{
    HWND combo = Add("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 20, 20, 160, 120);
    for (const char* name : {"Full Frames (Uncompressed)", "Motion JPEG", "Video 1"})
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
    PumpMessages();
    const RECT button = Info(combo).rcButton;
    const auto buttonLook = [&] { return Look(combo, button.left + 2, button.top + 2); };
    EXPECT_EQ(buttonLook(), "COMBOBOX DROPDOWNBUTTON 1 fill");
    EXPECT_EQ(Look(combo, 0, button.bottom / 2), "EDIT EDITTEXT 1 border");
    EXPECT_GT(CClientPixels(combo).Count(m_table.Colour("EDIT EDITTEXT 1 text")), 10u) << "the chosen item";
    Hover(combo);
    EXPECT_EQ(buttonLook(), "COMBOBOX DROPDOWNBUTTON 2 fill");
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ::SendMessageA(combo, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(buttonLook(), "COMBOBOX DROPDOWNBUTTON 3 fill");
    HWND list = Info(combo).hwndList;
    EXPECT_EQ(FrameLook(list, 0, 5), "LISTBOX 0 0 border");
    EXPECT_GT(CClientPixels(list).Count(m_table.Colour("LISTBOX 0 0 text")), 10u);
    ::SendMessageA(combo, WM_LBUTTONUP, 0, at);
    ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    ::EnableWindow(combo, FALSE);
    PumpMessages();
    EXPECT_EQ(buttonLook(), "COMBOBOX DROPDOWNBUTTON 4 fill");

    // A drop-down combo box's edit box passes its colour message through the
    // combo box, which answers for its parts.
    HWND dropDown = Add("ComboBox", "", CBS_DROPDOWN, 220, 20, 160, 120);
    PumpMessages();
    EXPECT_EQ(Look(Info(dropDown).hwndItem, 1, 1), "EDIT EDITTEXT 1 back");
}

TEST_F(SkinControls, ListBoxesShowTheListBoxClassAndTheHighlight)
{
    HWND list = Add("ListBox", "", WS_BORDER, 220, 20, 120, 80);
    for (const char* name : {"160 x 120", "320 x 240", "640 x 480"})
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageA(list, LB_SETCURSEL, 1, 0);
    PumpMessages();
    EXPECT_EQ(FrameLook(list, 0, 40), "LISTBOX 0 0 border");
    const CClientPixels items(list);
    EXPECT_GT(items.Count(m_table.Colour("LISTBOX 0 0 text")), 10u);
    EXPECT_GT(items.Count(m_table.Colour("SYSMETRICS HIGHLIGHT 0 color")), 50u) << "the selected item";
    EXPECT_EQ(m_table.Name(items.At(items.Width() - 2, items.Height() - 2)), "LISTBOX 0 0 back");
}

} // namespace
} // namespace tavrelin::skin::test
