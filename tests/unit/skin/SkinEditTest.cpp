// Edit boxes in the gallery under the probe skin: the EDITTEXT part of the
// box's state around the text, the state's colours for text and background,
// and the look made of the system colours when the skin has no EDIT class.
#include "SkinControlGallery.h"

#include <functional>

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 160, kHeight = 24;

struct EditCase {
    const char* name;
    DWORD style;
    std::function<void(HWND)> act;
    int state;       // ETS_* of the border
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

class SkinEdits : public SkinControls {
protected:
    HWND AddEdit(DWORD style, DWORD exStyle = WS_EX_CLIENTEDGE)
    {
        HWND edit = Add("Edit", "Tavrelin", ES_AUTOHSCROLL | style, 20, 20, kWidth, kHeight, exStyle);
        PumpMessages();
        return edit;
    }
};

TEST_F(SkinEdits, BorderAndColoursFollowTheState)
{
    for (const EditCase& row : kEditCases) {
        SCOPED_TRACE(row.name);
        HWND edit = AddEdit(row.style);
        row.act(edit);
        PumpMessages();
        const std::string state = " " + std::to_string(row.state) + " ";
        EXPECT_EQ(FrameLook(edit, 0, kHeight / 2), "EDIT EDITTEXT" + state + "border") << "the outer line";
        EXPECT_EQ(FrameLook(edit, 1, kHeight / 2), "EDIT EDITTEXT" + state + "fill") << "inside the line";
        const std::string colours = "EDIT EDITTEXT " + std::to_string(row.colourState) + " ";
        const CClientPixels client(edit);
        EXPECT_EQ(m_table.Name(client.At(client.Width() - 2, 1)), colours + "back");
        EXPECT_GT(client.Count(m_table.Colour(row.text ? row.text : colours + "text")), 10u);
        ::DestroyWindow(edit);
    }
}

TEST_F(SkinEdits, ALeftMouseTakesTheHotStateAway)
{
    HWND edit = AddEdit(0);
    Hover(edit);
    EXPECT_EQ(FrameLook(edit, 0, 0), "EDIT EDITTEXT 2 border");
    ::SendMessageA(edit, WM_MOUSELEAVE, 0, 0);
    PumpMessages();
    EXPECT_EQ(FrameLook(edit, 0, 0), "EDIT EDITTEXT 1 border");
}

class SkinEditsWithoutEditClass : public SkinEdits {
protected:
    SkinEditsWithoutEditClass() { m_strPropertyFile = "Bare.ini"; }
};

// A skin made for the first objects only still gives a whole field: the
// line in the shadow colour, the highlight when focused, and the window or
// face colours behind the text.
TEST_F(SkinEditsWithoutEditClass, TheLookComesFromTheSystemColours)
{
    HWND edit = AddEdit(0);
    EXPECT_EQ(FrameLook(edit, 0, kHeight / 2), "SYSMETRICS BTNSHADOW 0 color");
    EXPECT_EQ(FrameLook(edit, 1, kHeight / 2), "SYSMETRICS WINDOW 0 color");
    EXPECT_EQ(Look(edit, kWidth - 6, 1), "SYSMETRICS WINDOW 0 color");
    EXPECT_GT(CClientPixels(edit).Count(m_table.Colour("SYSMETRICS WINDOWTEXT 0 color")), 10u);
    ::SetFocus(edit);
    PumpMessages();
    EXPECT_EQ(FrameLook(edit, 0, kHeight / 2), "SYSMETRICS HIGHLIGHT 0 color");

    HWND readOnly = AddEdit(ES_READONLY);
    EXPECT_EQ(Look(readOnly, kWidth - 6, 1), "SYSMETRICS BTNFACE 0 color");
    EXPECT_GT(CClientPixels(readOnly).Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 10u);
}

} // namespace
} // namespace tavrelin::skin::test
