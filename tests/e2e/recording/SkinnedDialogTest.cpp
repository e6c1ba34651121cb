// The compressor dialog a recording asks for belongs to the window's thread,
// like every window of the program (no window is opened on the recording
// thread), and is taken over by the skin: it shows the skin's button face.
#include "RecordingSession.h"

namespace {

using namespace recording_e2e;

TEST(SkinnedRecording, CompressorDialogOnTheWindowsThreadShowsTheSkinsFace)
{
    RecordingSession session(camera_e2e::Camera::Virtual, [](const e2e::ProgramCopy& folder) {
        EXPECT_TRUE(e2e::UseSkin(folder, SKIN_TEST_MODULE, "test.skin"));
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindowThreadProcessId(dialog, nullptr), ::GetWindowThreadProcessId(session.MainWindow(), nullptr));
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Most of the dialog's background; a dialog the skin missed shows none.
    const auto mostlyFace = [](const e2e::ScreenImage& image) {
        return image.CountColour(RGB(1, 2, 3)) > static_cast<size_t>(image.Width() * image.Height() / 4);
    };
    const auto image = e2e::WaitForSteadyWindow(dialog, mostlyFace);
    EXPECT_TRUE(image.has_value()) << "the skin's face never covered the dialog";
    EXPECT_TRUE(e2e::PressButton(dialog, IDCANCEL));
}

} // namespace
