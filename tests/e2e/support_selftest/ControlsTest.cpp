#include "FixtureApp.h"

#include <fstream>

namespace e2e::test {
namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_app.Main(), nullptr); }
    FixtureApp m_app;
};

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

TEST_F(ControlsTest, ReadsTheTabs)
{
    const HWND tab = m_app.Control(E2E_ID_TAB);
    ASSERT_EQ(TabCount(tab), 3);
    EXPECT_EQ(TabCurSel(tab), 0);
    const char* const names[] = {"Camera", "Album", "Third"};
    LONG previousRight = 0;
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(TabText(tab, index), names[index]);
        const std::optional<RECT> rect = TabItemRect(tab, index);
        ASSERT_TRUE(rect.has_value());
        EXPECT_GT(rect->right, rect->left);
        EXPECT_GT(rect->bottom, rect->top);
        EXPECT_GE(rect->left, previousRight - 2) << "tab " << index;
        previousRight = rect->right;
    }
    EXPECT_FALSE(TabItemRect(tab, 7).has_value());
}

TEST_F(ControlsTest, ClickOnATabSelectsIt)
{
    const HWND tab = m_app.Control(E2E_ID_TAB);
    const std::optional<RECT> rect = TabItemRect(tab, 2);
    ASSERT_TRUE(rect.has_value());
    const POINT centre = Centre(*rect);
    ClickClient(tab, centre.x, centre.y);
    EXPECT_TRUE(WaitUntil([&] { return TabCurSel(tab) == 2; }));
    EXPECT_TRUE(m_app.WaitForStatus("tab 2"));
}

TEST_F(ControlsTest, ReadsTheToolbarButtons)
{
    const HWND toolbar = m_app.Control(E2E_ID_TOOLBAR);
    const struct {
        int commandId;
        bool separator;
    } expected[] = {
        {E2E_CMD_NEW, false}, {E2E_CMD_OPEN, false}, {0, true}, {E2E_CMD_SAVE, false}, {E2E_CMD_QUIT, false}};
    ASSERT_EQ(ToolbarButtonCount(toolbar), 5);
    LONG previousRight = 0;
    for (int index = 0; index < 5; ++index) {
        const std::optional<ToolbarButtonInfo> button = ToolbarButton(toolbar, index);
        ASSERT_TRUE(button.has_value()) << index;
        EXPECT_EQ(button->IsSeparator(), expected[index].separator) << index;
        if (!expected[index].separator) {
            EXPECT_EQ(button->commandId, expected[index].commandId) << index;
            EXPECT_TRUE(button->state & TBSTATE_ENABLED) << index;
            EXPECT_EQ(ToolbarIndexOfCommand(toolbar, button->commandId), index);
        }
        const std::optional<RECT> rect = ToolbarItemRect(toolbar, index);
        ASSERT_TRUE(rect.has_value()) << index;
        EXPECT_GE(rect->left, previousRight) << index;
        EXPECT_GT(rect->right, rect->left) << index;
        previousRight = rect->right;
    }
    EXPECT_FALSE(ToolbarButton(toolbar, 5).has_value());
    EXPECT_NE(ToolbarTooltipWindow(toolbar), nullptr);
}

TEST_F(ControlsTest, ClickOnAToolbarButtonSendsItsCommand)
{
    const HWND toolbar = m_app.Control(E2E_ID_TOOLBAR);
    const std::optional<RECT> rect = ToolbarItemRect(toolbar, ToolbarIndexOfCommand(toolbar, E2E_CMD_SAVE));
    ASSERT_TRUE(rect.has_value());
    const POINT centre = Centre(*rect);
    ClickClient(toolbar, centre.x, centre.y);
    EXPECT_TRUE(m_app.WaitForStatus("command 1003"));
    EXPECT_TRUE(WaitUntil(
        [&] { return ::GetFileAttributesA(m_app.Copy().File("saved.txt").c_str()) != INVALID_FILE_ATTRIBUTES; }));
}

TEST_F(ControlsTest, ReadsTheListViewItems)
{
    const HWND list = m_app.Control(E2E_ID_LIST);
    ASSERT_EQ(ListViewItemCount(list), 3);
    EXPECT_EQ(ListViewColumnTexts(list, 0), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(ListViewColumnTexts(list, 1), (std::vector<std::string>{"1", "22", "333"}));
    EXPECT_EQ(ListViewItemText(list, 5), "");
}

TEST_F(ControlsTest, DoubleClickOnAListItemSelectsAndOpensIt)
{
    const HWND list = m_app.Control(E2E_ID_LIST);
    EXPECT_EQ(ListViewSelectedIndex(list), -1);
    const std::optional<RECT> first = ListViewItemRect(list, 0);
    const std::optional<RECT> second = ListViewItemRect(list, 1);
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->top, first->bottom);
    EXPECT_FALSE(ListViewItemRect(list, 9).has_value());
    DoubleClickClient(list, first->left + 10, (second->top + second->bottom) / 2);
    EXPECT_TRUE(m_app.WaitForStatus("open 1")) << m_app.Status();
    EXPECT_EQ(ListViewSelectedIndex(list), 1);
}

TEST_F(ControlsTest, RemoteBufferRoundTripsData)
{
    RemoteBuffer remote(m_app.Program().Pid(), 64);
    EXPECT_EQ(remote.Size(), 64u);
    const RECT written{1, -2, 300000, 4};
    ASSERT_TRUE(remote.WriteValue(written, 8));
    RECT read{};
    ASSERT_TRUE(remote.ReadValue(read, 8));
    EXPECT_TRUE(::EqualRect(&read, &written));
    char bytes[8] = {};
    EXPECT_FALSE(remote.Write(60, bytes, sizeof bytes));
    EXPECT_FALSE(remote.Read(65, bytes, 1));
    EXPECT_TRUE(remote.Read(56, bytes, sizeof bytes));
}

TEST(RemoteBufferTest, RefusesAProcessThatDoesNotExist)
{
    EXPECT_THROW(RemoteBuffer(0xFFFFFFF0u, 16), std::runtime_error);
}

} // namespace
} // namespace e2e::test
