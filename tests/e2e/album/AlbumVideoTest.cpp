// A recording joins the album once it is complete, plays in the play box and
// can be renamed; the renamed file and the box's last picture are left for
// check-album.sh (ffprobe, and ffmpeg's decode of the last frame).
#include "AlbumSession.h"
#include "RecordingSession.h"

#include <set>

namespace {

using namespace album_e2e;

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The album page of the recording session's program.
class RecordingAlbum : public AlbumPage {
public:
    explicit RecordingAlbum(recording_e2e::RecordingSession& session) : m_session(session) {}
    DWORD Pid() const override { return m_session.Pid(); }
    HWND MainWindow() override { return m_session.MainWindow(); }

private:
    recording_e2e::RecordingSession& m_session;
};

TEST(AlbumVideo, RecordingIsListedOncePlaysAndStopsOnItsLastFrame)
{
    recording_e2e::RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    const std::string video = session.Record(3000, recording_e2e::kMotionJpeg);
    ASSERT_FALSE(video.empty());
    HWND list = ::GetDlgItem(e2e::FindProgramPage(session.MainWindow(), kList), kList);
    const std::string name = FileNameOf(video);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ListViewColumnTexts(list) == std::vector<std::string>{name}; }));

    HWND tab = session.Tab();
    const std::optional<RECT> albumTab = e2e::TabItemRect(tab, 1);
    ASSERT_TRUE(albumTab);
    e2e::ClickClient(tab, (albumTab->left + albumTab->right) / 2, (albumTab->top + albumTab->bottom) / 2);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsVisible(list); }));
    const std::optional<RECT> item = e2e::ListViewItemRect(list, 0);
    ASSERT_TRUE(item);
    e2e::ClickClient(list, (item->left + item->right) / 2, (item->top + item->bottom) / 2);

    // While it runs the picture keeps changing (the camera's square moves).
    const RECT box = e2e::ClientRectOnScreen(::GetDlgItem(::GetParent(list), kPlayBox));
    std::set<std::vector<COLORREF>> pictures;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const std::optional<e2e::ScreenImage> shot = e2e::ScreenImage::Capture(box);
        if (!shot)
            return false;
        std::vector<COLORREF> pixels;
        for (int y = 0; y < shot->Height(); y += 2)
            for (int x = 0; x < shot->Width(); x += 2)
                pixels.push_back(shot->Pixel(x, y));
        if (pictures.insert(std::move(pixels)).second && pictures.size() == 2)
            shot->SaveBmp(OutputFolder() + "\\video-playing.bmp");
        return pictures.size() >= 4;
    })) << "the picture changes while the video runs: "
        << pictures.size() << " pictures seen";

    // Then it stops on the last frame: a picture that stays longer than
    // several frame periods.
    const std::optional<e2e::ScreenImage> last = e2e::WaitForSteadyImage([&] { return e2e::ScreenImage::Capture(box); },
                                                                         {}, e2e::kDefaultTimeout, e2e::Timeout{700});
    ASSERT_TRUE(last.has_value());
    EXPECT_NE(last->Pixel(last->Width() / 2, last->Height() / 2), RGB(0, 0, 0));
    ASSERT_TRUE(last->SaveBmp(OutputFolder() + "\\video-last-frame.bmp"));
    ASSERT_TRUE(::CopyFileA(video.c_str(), (OutputFolder() + "\\video-last-frame.source.avi").c_str(), FALSE));

    // The video on show is let go of before its rename.
    RecordingAlbum album(session);
    ASSERT_TRUE(album.Rename(0, "party"));
    ASSERT_TRUE(
        e2e::WaitUntil([&] { return e2e::ListViewColumnTexts(list) == std::vector<std::string>{"party.avi"}; }));
    EXPECT_FALSE(e2e::FileExists(video));
    ASSERT_TRUE(
        ::CopyFileA(session.AlbumFile("party.avi").c_str(), (OutputFolder() + "\\renamed-party.avi").c_str(), FALSE));
}

} // namespace
