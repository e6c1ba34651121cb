// The configured skin colours the program's windows: with a test skin whose
// button face is a colour no Wine prefix has, the main window and its pages
// show it; without a SKIN value they do not.
#include "E2eSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kSkinFace = RGB(1, 2, 3);

// The dialog backgrounds around the page and its controls: a large share.
constexpr size_t kBackgroundPixels = 20000;

// Pixels of the skin's button face in the main window of a start with that
// SKIN value ("" writes no Config.ini), once the window shows a background
// of the skin's face or, without a skin, of the system's.
size_t SkinFacePixels(const char* skinValue)
{
    e2e::ProgramCopy folder;
    if (*skinValue) {
        EXPECT_TRUE(e2e::UseSkin(folder, SKIN_TEST_MODULE, skinValue));
    }
    e2e::RunningProgram program(e2e::LaunchOptions{folder.File("Tavrelin.exe"), "/Embedding", {}, folder.Path()});
    HWND main = e2e::WaitForProgramMainWindow(program.Pid());
    EXPECT_NE(main, nullptr);
    if (!main)
        return 0;
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    const COLORREF background = *skinValue ? kSkinFace : ::GetSysColor(COLOR_BTNFACE);
    size_t face = 0;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto image = e2e::ScreenImage::CaptureWindow(main);
        face = image ? image->CountColour(kSkinFace) : 0;
        return image && image->CountColour(background) > kBackgroundPixels;
    })) << "the window's background never showed";
    return face;
}

TEST(Skin, ConfiguredSkinColoursTheDialogBackgrounds)
{
    EXPECT_GT(SkinFacePixels("test.skin"), kBackgroundPixels);
    EXPECT_EQ(SkinFacePixels(""), 0u);
}

} // namespace
