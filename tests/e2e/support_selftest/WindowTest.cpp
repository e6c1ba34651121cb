#include "FixtureApp.h"

#include <algorithm>

namespace e2e::test {
namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(m_app.Main(), nullptr); }
    FixtureApp m_app;
};

TEST_F(WindowTest, FindsTheTopLevelWindowByClassAndTitle)
{
    const DWORD pid = m_app.Program().Pid();
    EXPECT_EQ(FindTopLevel(pid, E2E_FIXTURE_CLASS), m_app.Main());
    EXPECT_EQ(FindTopLevel(pid, "", E2E_FIXTURE_TITLE), m_app.Main());
    EXPECT_EQ(FindTopLevel(pid, E2E_FIXTURE_CLASS, E2E_FIXTURE_TITLE), m_app.Main());
    EXPECT_EQ(FindTopLevel(pid, "NoSuchClass"), nullptr);
    EXPECT_EQ(FindTopLevel(pid, E2E_FIXTURE_CLASS, "Other title"), nullptr);
    EXPECT_EQ(FindTopLevel(::GetCurrentProcessId(), E2E_FIXTURE_CLASS), nullptr);
}

TEST_F(WindowTest, ListsOnlyTheProcessesOwnWindows)
{
    const std::vector<HWND> windows = AllTopLevel(m_app.Program().Pid());
    EXPECT_NE(std::find(windows.begin(), windows.end(), m_app.Main()), windows.end());
    for (HWND window : windows) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        EXPECT_EQ(pid, m_app.Program().Pid());
    }
}

TEST_F(WindowTest, ReadsTextClassAndIdOfChildren)
{
    EXPECT_EQ(WindowText(m_app.Main()), E2E_FIXTURE_TITLE);
    EXPECT_EQ(ClassName(m_app.Main()), E2E_FIXTURE_CLASS);
    const HWND status = ChildById(m_app.Main(), E2E_ID_STATUS);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(ClassName(status), "Static");
    EXPECT_EQ(WindowText(status), "ready");
    EXPECT_EQ(ControlId(status), E2E_ID_STATUS);
    EXPECT_EQ(FindChild(m_app.Main(), "Button", "Message"), ChildById(m_app.Main(), E2E_ID_MESSAGE_BUTTON));
    EXPECT_EQ(FindChild(m_app.Main(), "Button", "No such button"), nullptr);
    EXPECT_EQ(ChildById(m_app.Main(), 9999), nullptr);
}

TEST_F(WindowTest, TextChangesAreSeenAcrossProcesses)
{
    m_app.PostCommand(E2E_CMD_NEW);
    EXPECT_TRUE(m_app.WaitForStatus("command 1001"));
}

TEST_F(WindowTest, ClientRectangleLiesInsideTheWindowRectangle)
{
    const RECT window = WindowRect(m_app.Main());
    const RECT client = ClientRectOnScreen(m_app.Main());
    EXPECT_EQ(window.right - window.left, 640);
    EXPECT_EQ(window.bottom - window.top, 480);
    EXPECT_GT(client.left, window.left);
    EXPECT_GT(client.top, window.top);
    EXPECT_LE(client.right, window.right);
    EXPECT_LE(client.bottom, window.bottom);
    EXPECT_TRUE(IsVisible(m_app.Main()));
}

TEST_F(WindowTest, HiddenWindowsAreFoundOnlyWhenAskedFor)
{
    ::ShowWindow(m_app.Main(), SW_HIDE);
    EXPECT_TRUE(WaitUntil([&] { return !IsVisible(m_app.Main()); }));
    EXPECT_EQ(FindTopLevel(m_app.Program().Pid(), E2E_FIXTURE_CLASS), nullptr);
    EXPECT_EQ(FindTopLevel(m_app.Program().Pid(), E2E_FIXTURE_CLASS, "", false), m_app.Main());
    ::ShowWindow(m_app.Main(), SW_SHOWNOACTIVATE);
}

TEST(WaitTest, ReturnsWhetherTheConditionWasMet)
{
    int calls = 0;
    EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }));
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(WaitUntil([] { return false; }, Timeout{100}));
    EXPECT_EQ(WaitForWindow([] { return HWND{}; }, Timeout{100}), nullptr);
}

} // namespace
} // namespace e2e::test
