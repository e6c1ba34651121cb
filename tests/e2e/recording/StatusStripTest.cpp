// The status strip on the main window while a recording captures and
// composes, the refused start while it composes, and closing the program
// then: it waits for the file. Screenshots of the strip are left in the
// output folder.
#include "RecordingSession.h"

#include <functional>

namespace {

using namespace recording_e2e;
using camera_e2e::kEndRecord;
using camera_e2e::kStartRecord;

constexpr RECT kStripInClient{269, 73, 740, 89};
constexpr int kTextRight = 336; // the dots start here

struct StripShot {
    e2e::ScreenImage image;

    size_t Count(COLORREF colour, int left, int right) const
    {
        size_t count = 0;
        for (int y = 0; y < image.Height(); ++y)
            for (int x = left; x < right; ++x)
                count += image.Pixel(x - kStripInClient.left, y) == colour;
        return count;
    }
    size_t TextPixels() const { return Count(RGB(0, 0, 255), kStripInClient.left, kTextRight); }
    size_t RedDots() const { return Count(RGB(255, 0, 0), kTextRight, kStripInClient.right); }
    size_t GreenDots() const { return Count(RGB(0, 255, 0), kTextRight, kStripInClient.right); }
    // Column of the red dot's leftmost pixel in client coordinates; -1 when none.
    int RedColumn() const
    {
        for (int x = kTextRight; x < kStripInClient.right; ++x)
            for (int y = 0; y < image.Height(); ++y)
                if (image.Pixel(x - kStripInClient.left, y) == RGB(255, 0, 0))
                    return x;
        return -1;
    }
    bool Running() const { return TextPixels() > 0 && RedDots() > 0 && GreenDots() > 0; }
    bool Erased() const { return TextPixels() == 0 && RedDots() == 0 && GreenDots() == 0; }
};

std::optional<StripShot> ShootStrip(HWND mainWindow)
{
    POINT origin{0, 0};
    ::ClientToScreen(mainWindow, &origin);
    const RECT onScreen{origin.x + kStripInClient.left, origin.y + kStripInClient.top, origin.x + kStripInClient.right,
                        origin.y + kStripInClient.bottom};
    auto image = e2e::ScreenImage::Capture(onScreen);
    if (!image)
        return std::nullopt;
    return StripShot{std::move(*image)};
}

// Shoots until the condition holds; the last shot, or none on timeout.
std::optional<StripShot> WaitForStrip(HWND mainWindow, const std::function<bool(const StripShot&)>& condition)
{
    std::optional<StripShot> shot;
    const bool met = e2e::WaitUntil([&] {
        shot = ShootStrip(mainWindow);
        return shot && condition(*shot);
    });
    return met ? shot : std::nullopt;
}

bool IsComplete(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

TEST(StatusStrip, RunningDotWhileRecordingThenErased)
{
    RecordingSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    const auto idle = ShootStrip(main);
    ASSERT_TRUE(idle.has_value());
    EXPECT_TRUE(idle->Erased()) << "no strip before a recording";

    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    const auto first = WaitForStrip(main, [](const StripShot& shot) { return shot.Running(); });
    ASSERT_TRUE(first.has_value()) << "\"recording\" with the dots";
    first->image.SaveBmp(OutputFile("strip-recording-1.bmp"));
    const int firstColumn = first->RedColumn();
    const auto moved =
        WaitForStrip(main, [&](const StripShot& shot) { return shot.Running() && shot.RedColumn() != firstColumn; });
    ASSERT_TRUE(moved.has_value()) << "the red dot runs";
    moved->image.SaveBmp(OutputFile("strip-recording-2.bmp"));
    e2e::SaveWindowBmp(OutputFile("window-recording.bmp"), main);
    EXPECT_EQ(moved->RedColumn() - firstColumn, 17) << "one dot to the right every half second";
    EXPECT_EQ(moved->TextPixels(), first->TextPixels()) << "the same text";

    ASSERT_TRUE(session.Command(kEndRecord));
    ASSERT_FALSE(session.WaitForNewVideo(before).empty());
    const auto after = WaitForStrip(main, [](const StripShot& shot) { return shot.Erased(); });
    ASSERT_TRUE(after.has_value()) << "the strip is erased when the file is complete";
    after->image.SaveBmp(OutputFile("strip-after.bmp"));
}

TEST(Composing, ShowsComposeRefusesStartAndClosingWaitsForTheFile)
{
    RecordingSession session;
    HWND main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    session.ChooseMp3(OutputFile("long.mp3"));
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    const auto recording = WaitForStrip(main, [](const StripShot& shot) { return shot.Running(); });
    ASSERT_TRUE(recording.has_value());

    ASSERT_TRUE(session.Command(kEndRecord));
    const DWORD endedAt = ::GetTickCount();
    const std::string path = session.AlbumFile(VideoName(1));

    const auto compose = WaitForStrip(
        main, [&](const StripShot& shot) { return shot.Running() && shot.TextPixels() != recording->TextPixels(); });
    ASSERT_TRUE(compose.has_value()) << "\"compose\" while the sound is added; file complete: " << IsComplete(path)
                                     << " after " << ::GetTickCount() - endedAt << " ms";
    compose->image.SaveBmp(OutputFile("strip-compose.bmp"));
    e2e::SaveWindowBmp(OutputFile("window-compose.bmp"), main);
    EXPECT_LT(compose->TextPixels(), recording->TextPixels()) << "\"compose\" is the shorter word";

    // A second recording would take a number and, capturing, refuse the close.
    ASSERT_TRUE(session.Command(kStartRecord));
    ASSERT_FALSE(IsComplete(path)) << "still composing when the start arrived: the case is not exercised";
    ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_FALSE(IsComplete(path)) << "still composing when the close was sent: the case is not exercised";
    const auto composing = ShootStrip(main);
    ASSERT_TRUE(composing.has_value());
    composing->image.SaveBmp(OutputFile("strip-closing.bmp"));
    EXPECT_EQ(e2e::FindTopLevel(session.Pid(), "#32770", "Video Compression"), nullptr);
    const auto exitCode = session.Program().WaitForExit(e2e::Timeout{120000});
    ASSERT_TRUE(exitCode.has_value());
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(IsComplete(path));
    EXPECT_EQ(session.Counter(), "1") << "the refused start took no number";
    EXPECT_EQ(e2e::FindMessageBox(session.Pid()), nullptr);
    EXPECT_EQ(session.AlbumVideos().size(), 1u);
    EXPECT_FALSE(e2e::FileExists(session.WaveTemp()));
    EXPECT_TRUE(KeepForChecks(path, "closed-while-composing.avi"));
}

} // namespace
