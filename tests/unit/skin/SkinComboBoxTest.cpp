// Combo boxes and list boxes in the gallery under the probe skin: the
// combo's button by state and the edit part around its text, its drop list
// and a list box in the LISTBOX class's colours, and the system colours when
// the skin has neither class.
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 160, kHeight = 120;

class SkinComboBoxes : public SkinControls {
protected:
    HWND AddCombo(DWORD style)
    {
        HWND combo = Add("ComboBox", "", style | WS_VSCROLL, 20, 20, kWidth, kHeight);
        for (const char* name : {"Full Frames (Uncompressed)", "Motion JPEG", "Video 1"})
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        ::SendMessageA(combo, CB_SETCURSEL, 0, 0);
        PumpMessages();
        return combo;
    }
    static COMBOBOXINFO Info(HWND combo)
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ::GetComboBoxInfo(combo, &info);
        return info;
    }
    // A pixel of the button's face: away from its arrow, inside its edge.
    std::string ButtonLook(HWND combo) const
    {
        const RECT button = Info(combo).rcButton;
        return Look(combo, button.left + 2, button.top + 2);
    }
};

TEST_F(SkinComboBoxes, TheButtonFollowsTheMouseAndTheTextSitsInTheEditPart)
{
    HWND combo = AddCombo(CBS_DROPDOWNLIST);
    const int middle = Info(combo).rcButton.bottom / 2;
    EXPECT_EQ(ButtonLook(combo), "COMBOBOX DROPDOWNBUTTON 1 fill");
    EXPECT_EQ(Look(combo, 0, middle), "EDIT EDITTEXT 1 border");
    EXPECT_GT(CClientPixels(combo).Count(m_table.Colour("EDIT EDITTEXT 1 text")), 10u) << "the chosen item";
    Hover(combo);
    EXPECT_EQ(ButtonLook(combo), "COMBOBOX DROPDOWNBUTTON 2 fill");
    EXPECT_EQ(Look(combo, 0, middle), "EDIT EDITTEXT 2 border");
    ::SendMessageA(combo, WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(ButtonLook(combo), "COMBOBOX DROPDOWNBUTTON 1 fill");
    ::EnableWindow(combo, FALSE);
    PumpMessages();
    EXPECT_EQ(ButtonLook(combo), "COMBOBOX DROPDOWNBUTTON 4 fill");
}

TEST_F(SkinComboBoxes, ThePressedButtonOpensADropListInTheListBoxColours)
{
    HWND combo = AddCombo(CBS_DROPDOWNLIST);
    const RECT button = Info(combo).rcButton;
    const LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ::SendMessageA(combo, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpMessages();
    EXPECT_EQ(ButtonLook(combo), "COMBOBOX DROPDOWNBUTTON 3 fill");
    HWND list = Info(combo).hwndList;
    ASSERT_TRUE(::IsWindowVisible(list));
    EXPECT_EQ(FrameLook(list, 0, 5), "LISTBOX 0 0 border");
    const CClientPixels items(list);
    EXPECT_GT(items.Count(m_table.Colour("LISTBOX 0 0 back")), 100u);
    EXPECT_GT(items.Count(m_table.Colour("LISTBOX 0 0 text")), 10u);
    ::SendMessageA(combo, WM_LBUTTONUP, 0, at);
    ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    PumpMessages();
}

TEST_F(SkinComboBoxes, TheEditBoxOfADropDownTakesTheEditColours)
{
    HWND combo = AddCombo(CBS_DROPDOWN);
    HWND edit = Info(combo).hwndItem;
    EXPECT_EQ(Look(edit, 1, 1), "EDIT EDITTEXT 1 back");
    EXPECT_GT(CClientPixels(edit).Count(m_table.Colour("EDIT EDITTEXT 1 text")), 10u);
}

TEST_F(SkinComboBoxes, AListBoxShowsTheListBoxClassAndTheHighlight)
{
    HWND list = Add("ListBox", "", LBS_NOTIFY | WS_BORDER, 220, 20, 120, 80);
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

class SkinComboBoxesWithoutTheirClasses : public SkinComboBoxes {
protected:
    SkinComboBoxesWithoutTheirClasses() { m_strPropertyFile = "Bare.ini"; }
};

TEST_F(SkinComboBoxesWithoutTheirClasses, TheLookComesFromTheSystemColours)
{
    HWND combo = AddCombo(CBS_DROPDOWNLIST);
    const RECT button = Info(combo).rcButton;
    EXPECT_EQ(ButtonLook(combo), "SYSMETRICS BTNFACE 0 color");
    EXPECT_EQ(Look(combo, button.left, button.top + 3), "SYSMETRICS BTNSHADOW 0 color");
    EXPECT_EQ(Look(combo, 0, button.bottom / 2), "SYSMETRICS BTNSHADOW 0 color");
    EXPECT_GT(CClientPixels(combo).Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 5u) << "the arrow";
}

} // namespace
} // namespace tavrelin::skin::test
