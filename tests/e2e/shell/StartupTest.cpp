#include "ShellSession.h"

namespace {

using namespace shell;

RECT WorkArea()
{
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

HWND FindSplash(DWORD pid)
{
    for (HWND window : e2e::AllTopLevel(pid)) {
        const RECT r = e2e::WindowRect(window);
        if (e2e::IsVisible(window) && r.right - r.left == kSplashWidth && r.bottom - r.top == kSplashHeight)
            return window;
    }
    return nullptr;
}

// Watches a start until the main window has been up for a while and reports
// whether a splash appeared at any time.
bool SplashSeenDuringStart(ShellSession& session)
{
    bool seen = false;
    HWND main = nullptr;
    e2e::WaitUntil([&] {
        seen = seen || FindSplash(session.Program().Pid()) != nullptr;
        main = e2e::FindProgramMainWindow(session.Program().Pid());
        return main != nullptr;
    });
    const auto settled = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < settled) {
        seen = seen || FindSplash(session.Program().Pid()) != nullptr;
        ::Sleep(20);
    }
    EXPECT_NE(main, nullptr);
    return seen;
}

TEST(Splash, PlainStartShowsTheSplashCentredAndRemovesIt)
{
    ShellSession session("");
    HWND splash = e2e::WaitForWindow([&] { return FindSplash(session.Program().Pid()); });
    ASSERT_NE(splash, nullptr) << e2e::DescribeTopLevel(session.Program().Pid());
    const RECT area = WorkArea();
    const RECT r = e2e::WindowRect(splash);
    EXPECT_EQ(r.left, area.left + (area.right - area.left - kSplashWidth) / 2);
    EXPECT_EQ(r.top, area.top + (area.bottom - area.top - kSplashHeight) / 2);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(splash); }));
    EXPECT_NE(session.MainWindow(), nullptr);
}

class NoSplashFlags : public testing::TestWithParam<const char*> {};

TEST_P(NoSplashFlags, StartsWithoutTheSplash)
{
    ShellSession session(GetParam());
    EXPECT_FALSE(SplashSeenDuringStart(session));
    EXPECT_NE(session.Toolbar(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, NoSplashFlags, testing::Values("/Embedding", "-AUTOMATION", "-embedding"));

TEST(SingleInstance, SecondStartRestoresTheFirstAndEndsSilently)
{
    ShellSession first;
    HWND main = first.MainWindow();
    ASSERT_NE(main, nullptr);
    ::PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsIconic(main) != FALSE; }));

    e2e::RunningProgram second(first.Folder().File("Tavrelin.exe"));
    bool secondShowedAWindow = false;
    std::optional<DWORD> exitCode;
    e2e::WaitUntil([&] {
        for (HWND window : e2e::AllTopLevel(second.Pid()))
            secondShowedAWindow = secondShowedAWindow || e2e::IsVisible(window);
        exitCode = second.WaitForExit(e2e::Timeout{0});
        return exitCode.has_value();
    });
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_FALSE(secondShowedAWindow);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsIconic(main); }));
    EXPECT_TRUE(first.Program().IsRunning());
}

TEST(SingleInstance, SecondStartBringsTheFirstCopysModalDialogForward)
{
    ShellSession first;
    ASSERT_NE(first.MainWindow(), nullptr);
    ::PostMessageA(first.MainWindow(), WM_COMMAND, kAbout, 0);
    HWND about = e2e::WaitForTopLevel(first.Program().Pid(), "#32770", "About Tavrelin");
    ASSERT_NE(about, nullptr);

    e2e::RunningProgram second(first.Folder().File("Tavrelin.exe"));
    ASSERT_TRUE(second.WaitForExit().has_value());
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::GetForegroundWindow() == about; }))
        << "foreground: " << e2e::WindowText(::GetForegroundWindow());
    EXPECT_TRUE(e2e::PressButton(about, IDOK));
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(about); }));
}

// A window procedure that answers the messages a start-up may send.
LRESULT CALLBACK ForeignWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// A folder window named after the program's folder, or any other program's
// window titled "Tavrelin", is not the first copy: the program starts, and a
// second start still finds the real first copy and brings it forward.
TEST(SingleInstance, AnotherProgramsWindowTitledTavrelinIsNotTheFirstCopy)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ForeignWindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ForeignTavrelinTitle";
    ::RegisterClassA(&windowClass);
    HWND foreign = ::CreateWindowExA(0, "ForeignTavrelinTitle", "Tavrelin", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                     200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(foreign, nullptr);

    ShellSession first;
    HWND main = first.MainWindow();
    ASSERT_NE(main, nullptr) << "the program starts beside the other window";
    ::SetForegroundWindow(foreign);
    e2e::RunningProgram second(first.Folder().File("Tavrelin.exe"));
    std::optional<DWORD> exitCode;
    e2e::WaitUntil([&] {
        e2e::DispatchPending();
        exitCode = second.WaitForExit(e2e::Timeout{0});
        return exitCode.has_value();
    });
    ASSERT_TRUE(exitCode.has_value()) << "the second copy ends";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(e2e::WaitUntil([&] { return ::GetForegroundWindow() == main; })) << "the first copy comes forward";
    EXPECT_TRUE(first.Program().IsRunning());
    ::DestroyWindow(foreign);
}

} // namespace
