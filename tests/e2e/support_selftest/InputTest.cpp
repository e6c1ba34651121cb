#include "FixtureApp.h"

namespace e2e::test {
namespace {

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_app.Main(), nullptr); }

    // Opens the fixture's modal dialog and returns it with its edit focused.
    HWND OpenDialog()
    {
        m_app.PostCommand(E2E_ID_DIALOG_BUTTON);
        const HWND dialog = WaitForTopLevel(m_app.Program().Pid(), "#32770", "Fixture Dialog");
        const HWND edit = dialog ? ::GetDlgItem(dialog, E2E_ID_DIALOG_EDIT) : nullptr;
        if (edit == nullptr || !WaitUntil([&] { return FocusedControl(dialog) == edit; }))
            return nullptr;
        return dialog;
    }

    FixtureApp m_app;
};

TEST_F(InputTest, ClickReachesTheWindowAtClientCoordinates)
{
    ClickClient(m_app.Main(), 500, 120);
    EXPECT_TRUE(m_app.WaitForStatus("click 500,120"));
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_app.Main(), &cursor);
    EXPECT_EQ(cursor.x, 500);
    EXPECT_EQ(cursor.y, 120);
}

TEST_F(InputTest, HoverShowsEachToolbarTooltip)
{
    const HWND toolbar = m_app.Control(E2E_ID_TOOLBAR);
    const struct {
        int index;
        const char* tip;
    } cases[] = {{0, "Create a new thing"},
                 {1, "Open a thing"},
                 {3, "Save the thing"},
                 {4, "Quit with the exit code"},
                 {0, "Create a new thing"}};
    for (const auto& expected : cases) {
        EXPECT_EQ(ToolbarTooltipText(toolbar, expected.index), expected.tip) << expected.index;
        EXPECT_EQ(HoverAndReadTooltip(toolbar, expected.index), std::optional<std::string>(expected.tip))
            << expected.index;
    }
    EXPECT_FALSE(IsVisible(ToolbarTooltipWindow(toolbar)));
    EXPECT_EQ(ToolbarTooltipText(toolbar, 2), "") << "a separator has no tip";
}

enum class KeyPath { PostedToFocus, PostedToDialog, RealInput };

struct KeyCase {
    const char* name;
    KeyPath path;
    WORD key;
    const char* status;
};

class DialogKeyTest : public InputTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DialogKeyTest, KeyEndsTheModalDialog)
{
    const KeyCase& key = GetParam();
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    switch (key.path) {
    case KeyPath::PostedToFocus:
        PressKeyToFocus(dialog, key.key);
        break;
    case KeyPath::PostedToDialog:
        PressKey(dialog, key.key);
        break;
    case KeyPath::RealInput:
        ASSERT_TRUE(PressKeyReal(dialog, key.key));
        break;
    }
    EXPECT_TRUE(m_app.WaitForStatus(key.status)) << m_app.Status();
    EXPECT_FALSE(::IsWindow(dialog));
}

TEST_F(InputTest, OtherDialogsAreNotTakenForMessageBoxes)
{
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassName(dialog), "#32770");
    EXPECT_FALSE(IsMessageBox(dialog));
    EXPECT_EQ(FindMessageBox(m_app.Program().Pid()), nullptr);
    EXPECT_TRUE(PressButton(dialog, IDCANCEL));
    EXPECT_TRUE(m_app.WaitForStatus("dialog Cancel"));
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogKeyTest,
                         ::testing::Values(KeyCase{"FocusEnter", KeyPath::PostedToFocus, VK_RETURN, "dialog OK"},
                                           KeyCase{"FocusEscape", KeyPath::PostedToFocus, VK_ESCAPE, "dialog Cancel"},
                                           KeyCase{"DialogEnter", KeyPath::PostedToDialog, VK_RETURN, "dialog OK"},
                                           KeyCase{"DialogEscape", KeyPath::PostedToDialog, VK_ESCAPE, "dialog Cancel"},
                                           KeyCase{"RealEnter", KeyPath::RealInput, VK_RETURN, "dialog OK"},
                                           KeyCase{"RealEscape", KeyPath::RealInput, VK_ESCAPE, "dialog Cancel"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputTest, ReadsAndAnswersAMessageBox)
{
    EXPECT_EQ(FindMessageBox(m_app.Program().Pid()), nullptr);
    m_app.PostCommand(E2E_ID_MESSAGE_BUTTON);
    const HWND box = WaitForMessageBox(m_app.Program().Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(FindMessageBox(m_app.Program().Pid(), "Fixture Notice"), box);
    EXPECT_EQ(FindMessageBox(m_app.Program().Pid(), "Other caption"), nullptr);
    EXPECT_EQ(MessageBoxText(box), "Something happened");
    EXPECT_EQ(Caption(box), "Fixture Notice");
    EXPECT_FALSE(PressButton(box, IDCANCEL + 100));
    EXPECT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(m_app.WaitForStatus("message closed"));
    EXPECT_EQ(FindMessageBox(m_app.Program().Pid()), nullptr);
}

} // namespace
} // namespace e2e::test
