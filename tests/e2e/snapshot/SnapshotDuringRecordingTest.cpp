// A picture taken while a recording captures: it gets its own number, the
// video counter stays where the recording put it, and the video is complete.
// The video and the picture are copied out for check-video.sh and
// check-jpeg.sh.
#include "SnapshotSupport.h"

#ifdef SNAPSHOT_WITH_RECORDING
#include "RecordingSession.h"
#endif

namespace {

using namespace snapshot_e2e;

#ifdef SNAPSHOT_WITH_RECORDING

// Frames captured before the picture and after it.
constexpr std::uint64_t kFramesAroundPicture = 5;

TEST(SnapshotDuringRecording, ChangesNeitherTheVideoCounterNorTheVideo)
{
    recording_e2e::RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(WaitForLivePicture(session));
    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, recording_e2e::kFullFrames, IDOK));
    std::string writing;
    ASSERT_TRUE(e2e::WaitUntil([&] { return !(writing = session.NewVideo(before)).empty(); }));
    ASSERT_TRUE(recording_e2e::WaitForFrames(writing, kFramesAroundPicture));
    const std::string videoCounter = ReadCounter(session, "AVISUM");
    EXPECT_EQ(videoCounter, "1");

    // Posted, so that the notice can be seen beside the recording's strip.
    session.PostCommand(kTakePictures);
    EXPECT_TRUE(NoticeAppears(session.MainWindow())) << "the notice shows";
    e2e::SaveWindowBmp(OutputFolder() + "\\notice-during-recording.bmp", session.MainWindow());
    DWORD_PTR answer = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(session.MainWindow(), WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer))
        << "the picture is done";
    EXPECT_EQ(ReadCounter(session, "AVISUM"), videoCounter);
    EXPECT_EQ(ReadCounter(session), "1");
    EXPECT_TRUE(e2e::FileExists(AlbumFile(session, "000001.jpg")));

    ASSERT_TRUE(recording_e2e::WaitForFrames(writing, kFramesAroundPicture, e2e::FileSize(writing)));
    ASSERT_TRUE(session.Command(camera_e2e::kEndRecord));
    const std::string video = session.WaitForNewVideo(before);
    ASSERT_EQ(video, AlbumFile(session, "000001.avi"));
    EXPECT_EQ(ReadCounter(session, "AVISUM"), videoCounter);
    EXPECT_EQ(ReadCounter(session), "1");
    EXPECT_EQ(AlbumEntries(session), (std::vector<std::string>{"000001.avi", "000001.jpg"}))
        << "one video, one picture, no temporary file";

    ExportPicture(AlbumFile(session, "000001.jpg"), "during-recording", 320, 240);
    EXPECT_TRUE(::CopyFileA(video.c_str(), (OutputFolder() + "\\during-recording.avi").c_str(), FALSE));
}

#else

TEST(SnapshotDuringRecording, ChangesNeitherTheVideoCounterNorTheVideo)
{
    GTEST_SKIP() << "the program has no recording yet";
}

#endif

} // namespace
