// The four skins that ship and the system look, switched in one running
// program through the window style dialog: each keeps the main window's
// client size, paints no colour-key magenta and repaints the same pixels.
// The first picture of each look is kept in looks/ of the build tree.
#include "ShellSession.h"

#include <map>

namespace {

using namespace shell;

constexpr int kPreviewBox = 1003, kDesignBox = 1005;

struct Look {
    int radio;
    const char* name;
};
const Look kLooks[] = {{1005, "system"}, {1004, "red"}, {1001, "Office"}, {1002, "apple"}, {1003, "black"}};

std::optional<e2e::ScreenImage> MaskedCapture(HWND main, const std::vector<RECT>& moving)
{
    auto image = e2e::ScreenImage::CaptureWindow(main);
    if (image) {
        const RECT window = e2e::WindowRect(main);
        for (const RECT& box : moving)
            image->FillRect(
                RECT{box.left - window.left, box.top - window.top, box.right - window.left, box.bottom - window.top},
                RGB(0, 0, 0));
    }
    return image;
}

// The main window's picture after a full repaint, once nothing is left to
// paint and the screen has settled, with the two live camera boxes blacked out.
std::optional<e2e::ScreenImage> StillPicture(HWND main, const std::vector<RECT>& moving)
{
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (!e2e::WaitForPaintsDone(main))
        return std::nullopt;
    return e2e::WaitForSteadyImage([&] { return MaskedCapture(main, moving); });
}

TEST(ShippedSkins, EveryLookKeepsTheClientSizeAndRepaintsTheSamePixels)
{
    ShellSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    HWND page = e2e::FindProgramPage(main, kDesignBox);
    ASSERT_NE(page, nullptr);
    // The live boxes move with the client area, which a skin's caption moves down.
    const auto movingBoxes = [page] {
        return std::vector<RECT>{e2e::WindowRect(e2e::ChildById(page, kPreviewBox)),
                                 e2e::WindowRect(e2e::ChildById(page, kDesignBox))};
    };
    ::PostMessageA(main, WM_COMMAND, kWindowStyle, 0);
    HWND dialog = e2e::WaitForTopLevel(session.Program().Pid(), "#32770", "Window Style Config");
    ASSERT_NE(dialog, nullptr);
    ::SetWindowPos(dialog, nullptr, 980, 820, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A control under the cursor would turn hot during some repaints and not others.
    e2e::RestCursorOffWindows();
    const std::string looksFolder = e2e::ToWindowsPath(LOOKS_FOLDER);
    ::CreateDirectoryA(looksFolder.c_str(), nullptr);

    RECT systemClient{};
    std::map<std::string, e2e::ScreenImage> firstPictures;
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        e2e::SendWithTimeout(e2e::ChildById(dialog, look.radio), BM_CLICK, 0, 0);
        e2e::SendWithTimeout(main, WM_NULL, 0, 0);
        RECT client{};
        ::GetClientRect(main, &client);
        if (look.radio == kLooks[0].radio)
            systemClient = client;
        EXPECT_TRUE(::EqualRect(&client, &systemClient)) << client.right << "x" << client.bottom;

        const std::vector<RECT> moving = movingBoxes();
        const auto first = StillPicture(main, moving);
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(first->CountColour(RGB(255, 0, 255)), 0u);
        for (int repaint = 1; repaint < 10; ++repaint) {
            const auto again = StillPicture(main, moving);
            ASSERT_TRUE(again.has_value());
            if (!again->SamePixels(*first)) {
                first->SaveBmp(looksFolder + "\\" + look.name + "-differs-a.bmp");
                again->SaveBmp(looksFolder + "\\" + look.name + "-differs-b.bmp");
            }
            ASSERT_TRUE(again->SamePixels(*first))
                << "repaint " << repaint << ": see " << look.name << "-differs-*.bmp";
        }
        // Label text stays readable; on Black it is the light one.
        const auto label = e2e::ScreenImage::Capture(e2e::WindowRect(e2e::FindChild(page, "Static", "rapidness")));
        ASSERT_TRUE(label.has_value());
        const e2e::TextColours colours = e2e::ColoursOf(*label);
        EXPECT_GE(e2e::Contrast(colours), 4.5);
        if (std::string(look.name) == "black")
            EXPECT_GT(e2e::Luminance(colours.text), e2e::Luminance(colours.background));
        first->SaveBmp(looksFolder + "\\" + look.name + ".bmp");
        e2e::SaveWindowBmp(looksFolder + "\\" + look.name + "-dialog.bmp", dialog);
        for (const auto& [name, picture] : firstPictures)
            EXPECT_FALSE(picture.SamePixels(*first)) << look.name << " looks like " << name;
        firstPictures.emplace(look.name, *first);
    }
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !::IsWindow(dialog); }));
}

TEST(ShippedSkins, AnEmptySkinFileGivesTheSystemLookWithoutAMessage)
{
    e2e::ProgramCopy folder;
    const HANDLE empty =
        ::CreateFileA(folder.File("Skin\\empty.skin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(empty, INVALID_HANDLE_VALUE);
    ::CloseHandle(empty);
    ASSERT_TRUE(::WritePrivateProfileStringA("CONFIG", "SKIN", "empty.skin", folder.File("Config.ini").c_str()));
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(e2e::FindMessageBox(program.Pid()), nullptr);
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto image = e2e::ScreenImage::CaptureWindow(main);
        return image && image->CountColour(::GetSysColor(COLOR_BTNFACE)) > 20000u;
    })) << "the system's face fills the window";
}

} // namespace
