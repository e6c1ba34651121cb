// Buttons in the gallery under the probe skin: the part and state each
// shows, its text colour, no system look on the screen at any moment, and
// hot tracking.
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kWidth = 120, kHeight = 30, kGlyph = 13;

struct ProbePoints {
    POINT fill;
    POINT border;
};

// Push buttons fill their client area; check boxes and radio buttons draw a
// 13 x 13 glyph at the left, centred; group boxes frame below half a line.
ProbePoints PointsFor(DWORD style)
{
    const DWORD type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX)
        return {{kWidth / 2, kHeight / 2 + 4}, {0, kHeight - 1}};
    const bool bGlyph = !(style & BS_PUSHLIKE) && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    if (!bGlyph)
        return {{kWidth / 2, kHeight / 2}, {0, 0}};
    const int top = (kHeight - kGlyph) / 2;
    return {{kGlyph / 2, top + kGlyph / 2}, {0, top}};
}

TEST_F(SkinControls, ButtonsShowThePartAndStateOfTheirTypeAndState)
{
    struct Case {
        const char* what;
        DWORD style;
        bool disabled;
        WPARAM check;
        bool pushed;
        const char* look; // "BUTTON PART STATE"
    } const cases[] = {
        {"push button", BS_PUSHBUTTON, false, 0, false, "BUTTON PUSHBUTTON 1"},
        {"default push button", BS_DEFPUSHBUTTON, false, 0, false, "BUTTON PUSHBUTTON 5"},
        {"disabled default push button", BS_DEFPUSHBUTTON, true, 0, false, "BUTTON PUSHBUTTON 4"},
        {"pushed default push button", BS_DEFPUSHBUTTON, false, 0, true, "BUTTON PUSHBUTTON 3"},
        {"checked push-like check box", BS_AUTOCHECKBOX | BS_PUSHLIKE, false, BST_CHECKED, false,
         "BUTTON PUSHBUTTON 3"},
        {"unchecked check box", BS_AUTOCHECKBOX, false, BST_UNCHECKED, false, "BUTTON CHECKBOX 1"},
        {"checked disabled check box", BS_CHECKBOX, true, BST_CHECKED, false, "BUTTON CHECKBOX 8"},
        {"indeterminate three-state", BS_AUTO3STATE, false, BST_INDETERMINATE, false, "BUTTON CHECKBOX 9"},
        {"indeterminate three-state pressed", BS_3STATE, false, BST_INDETERMINATE, true, "BUTTON CHECKBOX 11"},
        {"indeterminate three-state disabled", BS_AUTO3STATE, true, BST_INDETERMINATE, false, "BUTTON CHECKBOX 12"},
        {"checked radio button", BS_AUTORADIOBUTTON, false, BST_CHECKED, false, "BUTTON RADIOBUTTON 5"},
        {"pressed radio button", BS_RADIOBUTTON, false, BST_UNCHECKED, true, "BUTTON RADIOBUTTON 3"},
        {"group box", BS_GROUPBOX, false, 0, false, "BUTTON GROUPBOX 1"},
        {"disabled group box", BS_GROUPBOX, true, 0, false, "BUTTON GROUPBOX 2"},
    };
    for (const Case& c : cases) {
        HWND button = Add("Button", "", c.style, 10, 10, kWidth, kHeight);
        ::SendMessageA(button, BM_SETCHECK, c.check, 0);
        ::EnableWindow(button, !c.disabled);
        if (c.pushed)
            ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
        PumpMessages();
        const ProbePoints points = PointsFor(c.style);
        EXPECT_EQ(Look(button, points.fill.x, points.fill.y), std::string(c.look) + " fill") << c.what;
        EXPECT_EQ(Look(button, points.border.x, points.border.y), std::string(c.look) + " border") << c.what;
        ::DestroyWindow(button);
    }
}

TEST_F(SkinControls, ButtonTextTakesTheColourOfItsState)
{
    HWND enabled = Add("Button", "WWWW", BS_DEFPUSHBUTTON, 10, 10, kWidth, kHeight);
    HWND disabled = Add("Button", "WWWW", BS_DEFPUSHBUTTON | WS_DISABLED, 10, 50, kWidth, kHeight);
    HWND radio = Add("Button", "WWWW", BS_AUTORADIOBUTTON, 10, 90, kWidth, kHeight);
    ::SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    PumpMessages();
    SaveShot("buttons-text");
    EXPECT_GT(CClientPixels(enabled).Count(m_table.Colour("BUTTON PUSHBUTTON 5 text")), 0u);
    EXPECT_GT(CClientPixels(disabled).Count(m_table.Colour("BUTTON PUSHBUTTON 4 text")), 0u);
    EXPECT_EQ(CClientPixels(disabled).Count(m_table.Colour("BUTTON PUSHBUTTON 5 text")), 0u);
    EXPECT_GT(CClientPixels(radio).Count(m_table.Colour("BUTTON RADIOBUTTON 5 text")), 0u);
}

// The system paints some buttons straight from these messages; what is on
// the screen right after each one returns must still be the skin's.
TEST_F(SkinControls, NoSystemLookReachesTheScreenBetweenPaints)
{
    HWND push = Add("Button", "", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
    HWND check = Add("Button", "", BS_AUTOCHECKBOX, 10, 50, kWidth, kHeight);
    PumpMessages();
    const RECT all{0, 0, kWidth, kHeight};
    struct Step {
        const char* what;
        HWND window;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } const steps[] = {
        {"BM_SETSTATE on", push, BM_SETSTATE, TRUE, 0},
        {"BM_SETSTATE off", push, BM_SETSTATE, FALSE, 0},
        {"WM_SETFOCUS", push, WM_SETFOCUS, 0, 0},
        {"WM_KILLFOCUS", push, WM_KILLFOCUS, 0, 0},
        {"WM_SETTEXT", push, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")},
        {"BM_SETCHECK", check, BM_SETCHECK, BST_CHECKED, 0},
        {"BM_SETSTATE on a check box", check, BM_SETSTATE, TRUE, 0},
    };
    for (const Step& step : steps) {
        ::SendMessageA(step.window, step.message, step.wParam, step.lParam);
        const std::map<std::string, int> foreign = CClientPixels(step.window).Foreign(m_table, all);
        EXPECT_TRUE(foreign.empty()) << step.what << ": " << foreign.size() << " foreign colours, first "
                                     << (foreign.empty() ? "" : foreign.begin()->first);
        PumpMessages();
    }
    ::SendMessageA(push, BM_SETSTATE, TRUE, 0);
    PumpMessages();
    EXPECT_EQ(Look(push, kWidth / 2, kHeight / 2), "BUTTON PUSHBUTTON 3 fill");
}

TEST_F(SkinControls, HotTrackingRepaintsButtonsButNotGroupBoxes)
{
    HWND push = Add("Button", "", BS_PUSHBUTTON, 10, 10, kWidth, kHeight);
    HWND group = Add("Button", "", BS_GROUPBOX, 10, 50, kWidth, kHeight);
    PumpMessages();
    const LPARAM inside = MAKELPARAM(kWidth / 2, kHeight / 2);
    ::SendMessageA(group, WM_MOUSEMOVE, 0, inside);
    EXPECT_FALSE(::GetUpdateRect(group, nullptr, FALSE)) << "a group box is not hot-tracked";
    ::SendMessageA(push, WM_MOUSEMOVE, 0, inside);
    EXPECT_TRUE(::GetUpdateRect(push, nullptr, FALSE));
    ::ValidateRect(push, nullptr);
    ::SendMessageA(push, WM_MOUSEMOVE, 0, inside);
    EXPECT_FALSE(::GetUpdateRect(push, nullptr, FALSE)) << "no repaint without a change";
    ::InvalidateRect(push, nullptr, FALSE);
    ::UpdateWindow(push);
    EXPECT_EQ(Look(push, kWidth / 2, kHeight / 2), "BUTTON PUSHBUTTON 2 fill");
    ::SendMessageA(push, WM_MOUSELEAVE, 0, 0);
    ::UpdateWindow(push);
    EXPECT_EQ(Look(push, kWidth / 2, kHeight / 2), "BUTTON PUSHBUTTON 1 fill");
}

TEST_F(SkinControls, OwnerDrawnButtonsKeepTheirOwnersDrawing)
{
    HWND owner = Add("Button", "", BS_OWNERDRAW, 10, 10, kWidth, kHeight);
    PumpMessages();
    EXPECT_EQ(CClientPixels(owner).At(kWidth / 2, kHeight / 2), Behaviour().ownerDrawColour);
}

} // namespace
} // namespace tavrelin::skin::test
