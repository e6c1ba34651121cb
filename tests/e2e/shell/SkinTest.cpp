// The configured skin colours the program's windows: with a test skin whose
// button face is a colour no Wine prefix has, the main window and its pages
// show it; without a SKIN value they do not.
#include "E2eSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kSkinFace = RGB(1, 2, 3);

// Pixels of the skin's button face in the main window of a start with that
// SKIN value ("" writes no Config.ini).
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
    ::Sleep(500);
    const auto image = e2e::ScreenImage::CaptureWindow(main);
    EXPECT_TRUE(image.has_value());
    return image ? image->CountColour(kSkinFace) : 0;
}

TEST(Skin, ConfiguredSkinColoursTheDialogBackgrounds)
{
    const size_t skinned = SkinFacePixels("test.skin");
    // The dialog backgrounds around the page and its controls: a large share.
    EXPECT_GT(skinned, 20000u);
    EXPECT_EQ(SkinFacePixels(""), 0u);
}

} // namespace
