#include "ShellSession.h"

#include <array>
#include <fstream>

namespace {

using namespace shell;

struct ButtonExpectation {
    int command;
    const char* tooltip;
};

const std::array<ButtonExpectation, 9> kButtons{{
    {32771, "take pictures"},
    {32772, "start video record"},
    {32775, "end video record"},
    {32773, "PC camera config"},
    {32776, "video format"},
    {32779, "design management"},
    {32774, "window style config"},
    {32782, "read me"},
    {57664, "about"},
}};

TEST(Toolbar, NineButtonsInOrderWithTwoSeparators)
{
    ShellSession session;
    HWND toolbar = session.Toolbar();
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(e2e::ToolbarButtonCount(toolbar), 11);
    std::vector<int> commands;
    std::vector<int> separators;
    for (int i = 0; i < 11; ++i) {
        const auto button = e2e::ToolbarButton(toolbar, i);
        ASSERT_TRUE(button.has_value());
        if (button->IsSeparator())
            separators.push_back(i);
        else
            commands.push_back(button->commandId);
    }
    EXPECT_EQ(separators, (std::vector<int>{3, 8}));
    ASSERT_EQ(commands.size(), kButtons.size());
    for (size_t i = 0; i < kButtons.size(); ++i)
        EXPECT_EQ(commands[i], kButtons[i].command) << "button " << i;
    const auto firstButton = e2e::ToolbarItemRect(toolbar, 0);
    ASSERT_TRUE(firstButton.has_value());
    EXPECT_GE(firstButton->right - firstButton->left, 48);
    EXPECT_GE(firstButton->bottom - firstButton->top, 48);
}

TEST(Toolbar, TooltipsNameEveryCommand)
{
    ShellSession session;
    HWND toolbar = session.Toolbar();
    ASSERT_NE(toolbar, nullptr);
    for (const ButtonExpectation& button : kButtons) {
        const int index = e2e::ToolbarIndexOfCommand(toolbar, button.command);
        ASSERT_GE(index, 0);
        EXPECT_EQ(e2e::HoverAndReadTooltip(toolbar, index).value_or("(no tooltip)"), button.tooltip);
    }
}

// The two pages are the dialog children of the tab control; the camera page
// is the one shown after start-up.
struct Pages {
    HWND camera = nullptr;
    HWND album = nullptr;
};

Pages FindPages(HWND tab)
{
    Pages pages;
    for (HWND child : e2e::AllChildren(tab)) {
        if (::GetParent(child) != tab || e2e::ClassName(child) != "#32770")
            continue;
        (e2e::IsVisible(child) ? pages.camera : pages.album) = child;
    }
    return pages;
}

void ClickTabRowAt(HWND tab, int x, int y)
{
    e2e::ClickClient(tab, x, y);
    ::SendMessageTimeoutA(tab, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
}

TEST(PageTabs, ClickOnAlbumSwitchesPagesAndNothingElseDoes)
{
    ShellSession session;
    HWND tab = session.Tab();
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(e2e::TabCount(tab), 2);
    EXPECT_EQ(e2e::TabText(tab, 0), "Camera");
    EXPECT_EQ(e2e::TabText(tab, 1), "Album");
    const Pages pages = FindPages(tab);
    ASSERT_NE(pages.camera, nullptr);
    ASSERT_NE(pages.album, nullptr);
    EXPECT_FALSE(e2e::IsVisible(pages.album));

    const auto albumTab = e2e::TabItemRect(tab, 1);
    ASSERT_TRUE(albumTab.has_value());
    const RECT tabClient = e2e::ClientRectOnScreen(tab);
    // Beside the last tab, on the empty part of the row.
    ClickTabRowAt(tab, (tabClient.right - tabClient.left) - 20, (albumTab->top + albumTab->bottom) / 2);
    EXPECT_TRUE(e2e::IsVisible(pages.camera));
    EXPECT_FALSE(e2e::IsVisible(pages.album));

    ClickTabRowAt(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(pages.album); }));
    EXPECT_FALSE(e2e::IsVisible(pages.camera));

    ClickTabRowAt(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    EXPECT_TRUE(e2e::IsVisible(pages.album));
    EXPECT_FALSE(e2e::IsVisible(pages.camera));

    // The page area: 4 pixels in from the tab control's sides, 22 from its top.
    const RECT albumRect = e2e::WindowRect(pages.album);
    EXPECT_EQ(albumRect.left - tabClient.left, 4);
    EXPECT_EQ(albumRect.top - tabClient.top, 22);
    EXPECT_EQ(tabClient.right - albumRect.right, 4);
    EXPECT_EQ(tabClient.bottom - albumRect.bottom, 4);
}

TEST(Keys, EnterKeepsTheWindowOpenEscapeClosesIt)
{
    ShellSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(e2e::PressKeyReal(main, VK_RETURN));
    EXPECT_FALSE(session.Program().WaitForExit(e2e::Timeout{1000}).has_value());
    EXPECT_TRUE(::IsWindowVisible(main));
    ASSERT_TRUE(e2e::PressKeyReal(main, VK_ESCAPE));
    const auto exitCode = session.Program().WaitForExit();
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
}

// Without the mouse: Tab reaches the toolbar, the arrows choose a button
// (shown hot; separators passed over, round the ends), Enter presses it;
// Ctrl+Tab switches the pages both ways.
TEST(Keys, TabArrowsAndEnterPressAToolbarButtonAndCtrlTabSwitchesPages)
{
    ShellSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    HWND toolbar = session.Toolbar();
    const auto hotCommand = [&]() -> int {
        const std::optional<LRESULT> hot = e2e::SendWithTimeout(toolbar, TB_GETHOTITEM, 0, 0);
        const auto button = hot && *hot >= 0 ? e2e::ToolbarButton(toolbar, static_cast<int>(*hot)) : std::nullopt;
        return button ? button->commandId : -1;
    };
    EXPECT_NE(e2e::FocusedControl(main), toolbar) << "the focus starts where it always has";
    for (int press = 0; press < 8 && e2e::FocusedControl(main) != toolbar; ++press)
        ASSERT_TRUE(e2e::PressKeyReal(main, VK_TAB));
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FocusedControl(main) == toolbar; })) << "Tab reaches the toolbar";
    EXPECT_TRUE(e2e::WaitUntil([&] { return hotCommand() == kButtons[0].command; })) << "its first button is hot";

    struct Step {
        WORD key;
        int hot;
    };
    for (const Step step : {Step{VK_RIGHT, kButtons[1].command}, Step{VK_LEFT, kButtons[0].command},
                            Step{VK_LEFT, kButtons[8].command}, Step{VK_RIGHT, kButtons[0].command}}) {
        ASSERT_TRUE(e2e::PressKeyReal(main, step.key));
        EXPECT_TRUE(e2e::WaitUntil([&] { return hotCommand() == step.hot; })) << step.hot << ", not " << hotCommand();
    }
    ASSERT_TRUE(e2e::PressKeyReal(main, VK_RETURN));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(session.Folder().File("Album\\000001.jpg")); }))
        << "Enter on take pictures took one";

    const Pages pages = FindPages(session.Tab());
    ASSERT_TRUE(e2e::PressChordReal(main, VK_CONTROL, VK_TAB));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(pages.album) && !e2e::IsVisible(pages.camera); }));
    ASSERT_TRUE(e2e::PressChordReal(main, VK_CONTROL, VK_TAB));
    EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(pages.camera) && !e2e::IsVisible(pages.album); }));
}

TEST(Keys, CloseBoxEndsTheProgram)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(session.Program().WaitForExit().has_value());
}

TEST(RecordingGuard, WhileRecordingOnlyPicturesAndEndWorkAndClosingIsRefused)
{
    ShellSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    ::PostMessageA(main, WM_COMMAND, kStartRecord, 0);
    // The recording asks for its compressor first; the offered choice will do.
    HWND compressor = e2e::WaitForTopLevel(session.Program().Pid(), "#32770", "Video Compression");
    ASSERT_NE(compressor, nullptr);
    EXPECT_TRUE(e2e::PressButton(compressor, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(compressor); }));

    // The about box would hold the command in its modal loop: refused, it returns at once.
    EXPECT_TRUE(session.Command(kAbout));
    EXPECT_EQ(e2e::FindTopLevel(session.Program().Pid(), "#32770", "About Tavrelin"), nullptr);
    EXPECT_TRUE(session.Command(kWindowStyle));
    EXPECT_EQ(e2e::FindTopLevel(session.Program().Pid(), "#32770", "Window Style Config"), nullptr);
    EXPECT_TRUE(session.Command(kTakePictures));
    EXPECT_TRUE(session.Command(kStartRecord));

    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = e2e::WaitForMessageBox(session.Program().Pid());
    ASSERT_NE(box, nullptr) << e2e::DescribeTopLevel(session.Program().Pid());
    EXPECT_EQ(e2e::MessageBoxText(box), "first please end video record");
    EXPECT_EQ(e2e::Caption(box), "Tavrelin");
    EXPECT_TRUE(e2e::PressButton(box, IDOK));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(session.Program().IsRunning());

    ASSERT_TRUE(session.Command(kEndRecord));
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(session.Program().WaitForExit().has_value());
}

TEST(Commands, EndRecordWithoutARecordingDoesNothing)
{
    ShellSession session;
    ASSERT_TRUE(session.Command(kEndRecord));
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(session.Program().WaitForExit().has_value()) << "closing must not be refused";
}

TEST(Commands, AboutShowsAModalBoxWithNameAndVersion)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ::PostMessageA(session.MainWindow(), WM_COMMAND, kAbout, 0);
    HWND about = e2e::WaitForTopLevel(session.Program().Pid(), "#32770", "About Tavrelin");
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(session.MainWindow()));
    EXPECT_NE(e2e::FindChild(about, "Static", "Tavrelin"), nullptr);
    EXPECT_NE(e2e::WindowText(e2e::ChildById(about, 1001)).find("Version "), std::string::npos);
    EXPECT_TRUE(e2e::PressButton(about, IDOK));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(about); }));
    EXPECT_TRUE(::IsWindowEnabled(session.MainWindow()));
}

struct TitleSearch {
    std::string part;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<TitleSearch*>(data);
    if (::IsWindowVisible(window) && e2e::WindowText(window).find(search->part) != std::string::npos) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindWindowTitled(const std::string& part)
{
    TitleSearch search{part};
    ::EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Commands, ReadMeOpensTheTextThroughTheShell)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(session.Command(kReadMe));
    HWND viewer = e2e::WaitForWindow([] { return FindWindowTitled("ReadMe"); });
    ASSERT_NE(viewer, nullptr) << e2e::DescribeTopLevel(session.Program().Pid());
    ::PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(viewer); }));
}

TEST(Commands, MissingReadMeGivesNoMessage)
{
    ShellSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(::DeleteFileA(session.Folder().File("ReadMe.txt").c_str()));
    // The command returns only once its handler has: a message box would
    // still be open then.
    ASSERT_TRUE(session.Command(kReadMe));
    for (HWND window : e2e::AllTopLevel(session.Program().Pid()))
        EXPECT_TRUE(window == session.MainWindow() || !e2e::IsVisible(window))
            << e2e::DescribeTopLevel(session.Program().Pid());
    EXPECT_TRUE(session.Program().IsRunning());
}

} // namespace
