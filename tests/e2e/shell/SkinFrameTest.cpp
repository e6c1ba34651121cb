// The program under the frames test skin: its main window (active, inactive,
// close button hot and pressed), the About box, the compressor dialog the
// recording asks for and a message box all wear the skin's frames.
// With TAVRELIN_FRAME_SHOTS set to a folder, the screenshots are kept there.
#include "E2eSupport.h"
#include "FrameSkinColours.h"
#include "ShellSession.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

using namespace e2e::frames;

size_t Count(const std::optional<e2e::ScreenImage>& image, COLORREF colour)
{
    return image ? image->CountColour(colour) : 0;
}

// The window's picture once it shows what the test waits for (Wine copies a
// window's drawing to the screen a moment after the paint); the last one
// seen at the deadline otherwise.
std::optional<e2e::ScreenImage> ShotShowing(HWND window, const char* name,
                                            const std::function<bool(const e2e::ScreenImage&)>& shows)
{
    std::optional<e2e::ScreenImage> image;
    e2e::WaitUntil([&] {
        image = e2e::ScreenImage::CaptureWindow(window);
        return image && shows(*image);
    });
    if (const char* folder = std::getenv("TAVRELIN_FRAME_SHOTS"); image && folder)
        image->SaveBmp(std::string(folder) + "\\" + name + ".bmp");
    return image;
}

std::optional<e2e::ScreenImage> ShotWith(HWND window, const char* name, COLORREF colour, size_t moreThan)
{
    return ShotShowing(window, name,
                       [&](const e2e::ScreenImage& image) { return image.CountColour(colour) > moreThan; });
}

void SendMouse(POINT at, DWORD flags) { e2e::SendMouseAt(at, flags); }

// The screen point of the close button: the rightmost caption pixel of its colour.
std::optional<POINT> CloseButton(HWND window, const e2e::ScreenImage& image)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    for (int x = image.Width() - 1; x >= 0; --x) {
        if (image.Pixel(x, kCaptionHeight / 2) == kClose[0])
            return POINT{rect.left + x - 3, rect.top + kCaptionHeight / 2};
    }
    return std::nullopt;
}

bool CursorAt(POINT at)
{
    POINT now{};
    return ::GetCursorPos(&now) && now.x == at.x && now.y == at.y;
}

// The window's picture with its close button hot. Wine echoes each injected
// move as the X pointer follows it, and the echo of an earlier move can reach
// the window after a later one: the window is then told the mouse rests where
// it was before. So the cursor is first put beside the button and seen there,
// then moved onto it; should the window still miss the move, it is made again.
std::optional<e2e::ScreenImage> HotCloseButton(HWND main, POINT close)
{
    const POINT beside{close.x - 200, close.y + 200};
    std::optional<e2e::ScreenImage> image;
    for (int attempt = 0; attempt < 4; ++attempt) {
        SendMouse(beside, 0);
        e2e::WaitUntil([&] { return CursorAt(beside); });
        SendMouse(close, 0);
        e2e::WaitUntil(
            [&] {
                image = e2e::ScreenImage::CaptureWindow(main);
                return image && image->CountColour(kClose[1]) > 100;
            },
            e2e::Timeout{5000});
        if (image && image->CountColour(kClose[1]) > 100)
            break;
    }
    if (const char* folder = std::getenv("TAVRELIN_FRAME_SHOTS"); image && folder)
        image->SaveBmp(std::string(folder) + "\\main-close-hot.bmp");
    return image;
}

TEST(SkinnedFrames, EveryKindOfProgramWindowWearsTheSkinsFrame)
{
    e2e::ProgramCopy folder;
    ASSERT_TRUE(e2e::UseSkin(folder, SKIN_FRAMES_MODULE, "frames.skin"));
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    ASSERT_NE(main, nullptr);

    // The About box is active over an inactive main window. Wine tells the
    // main window that it is active only once it gets the activation back
    // (at start it becomes the foreground window without a message).
    ::PostMessageA(main, WM_COMMAND, shell::kAbout, 0);
    HWND about = e2e::WaitForTopLevel(program.Pid(), "#32770", "About Tavrelin");
    ASSERT_NE(about, nullptr);
    EXPECT_GT(Count(ShotWith(about, "about", kCaption[0], 500), kCaption[0]), 500u);
    EXPECT_GT(Count(ShotWith(main, "main-inactive", kCaption[1], 5000), kCaption[1]), 5000u);
    EXPECT_TRUE(e2e::PressButton(about, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(about); }));

    // Active: close and minimize enabled, maximize shown but disabled.
    // Every part judged below is waited for: the About box's picture can stay
    // on the screen a moment after the box has gone.
    const auto active = ShotShowing(main, "main-active", [](const e2e::ScreenImage& image) {
        return image.CountColour(kCaption[0]) > 5000 && image.CountColour(kClose[0]) > 100 &&
               image.CountColour(kButtons[3]) > 100 && image.CountColour(kButtons[0]) > 100 &&
               image.CountColour(kBottom[0]) > 0;
    });
    ASSERT_TRUE(active);
    EXPECT_GT(Count(active, kCaption[0]), 5000u);
    EXPECT_GT(Count(active, kClose[0]), 100u);
    EXPECT_GT(Count(active, kButtons[3]), 100u) << "maximize disabled";
    EXPECT_GT(Count(active, kButtons[0]), 100u) << "minimize enabled";
    EXPECT_GT(Count(active, kBottom[0]), 0u);

    // Hot, then pressed and released outside: the window stays.
    const std::optional<POINT> close = CloseButton(main, *active);
    ASSERT_TRUE(close);
    EXPECT_GT(Count(HotCloseButton(main, *close), kClose[1]), 100u);
    SendMouse(*close, MOUSEEVENTF_LEFTDOWN);
    EXPECT_GT(Count(ShotWith(main, "main-close-pressed", kClose[2], 100), kClose[2]), 100u);
    SendMouse(POINT{close->x - 200, close->y + 200}, 0);
    SendMouse(POINT{close->x - 200, close->y + 200}, MOUSEEVENTF_LEFTUP);
    // The press has ended once the window holds the mouse no more; a close
    // would have been sent before that.
    GUITHREADINFO input{};
    input.cbSize = sizeof input;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        return ::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &input) && input.hwndCapture == nullptr;
    }));
    EXPECT_TRUE(e2e::SendWithTimeout(main, WM_NULL, 0, 0).has_value());
    EXPECT_TRUE(::IsWindow(main) && program.IsRunning()) << "released outside: no close";

    // A recording's compressor dialog, then the refusal to close.
    ::PostMessageA(main, WM_COMMAND, shell::kStartRecord, 0);
    HWND compressor = e2e::WaitForTopLevel(program.Pid(), "#32770", "Video Compression");
    ASSERT_NE(compressor, nullptr);
    // Wine leaves a window of another thread inactive: either caption will do.
    const auto compressorShot = ShotShowing(compressor, "compressor", [](const e2e::ScreenImage& image) {
        return image.CountColour(kCaption[0]) + image.CountColour(kCaption[1]) > 500;
    });
    EXPECT_GT(Count(compressorShot, kCaption[0]) + Count(compressorShot, kCaption[1]), 500u);
    EXPECT_TRUE(e2e::PressButton(compressor, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(compressor); }));
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = e2e::WaitForMessageBox(program.Pid());
    ASSERT_NE(box, nullptr);
    EXPECT_GT(Count(ShotWith(box, "message-box", kCaption[0], 500), kCaption[0]), 500u);
    EXPECT_TRUE(e2e::PressButton(box, IDOK));
    ASSERT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(box); }));
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(main, WM_COMMAND, shell::kEndRecord, 0, SMTO_NORMAL, 5000, &result);
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit().has_value());
}

TEST(SkinnedFrames, WithoutASkinTheSystemDrawsTheFrame)
{
    e2e::ProgramCopy folder;
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    ASSERT_NE(main, nullptr);
    // Judged once the system has painted the window's background.
    const auto shot = ShotWith(main, "main-unskinned", ::GetSysColor(COLOR_BTNFACE), 20000);
    ASSERT_GT(Count(shot, ::GetSysColor(COLOR_BTNFACE)), 20000u);
    EXPECT_EQ(Count(shot, kCaption[0]) + Count(shot, kCaption[1]) + Count(shot, kClose[0]), 0u);
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(program.WaitForExit().has_value());
}

} // namespace
