// The program ended the hard way (TerminateProcess, as a crash or a power cut
// ends it) while capturing with the microphone or an MP3 file, and while
// composing; then started again in the same folder. The start-up repair has
// run once the main window is there. The damaged and the repaired files are
// copied out; check-recordings.sh judges them with ffprobe and ffmpeg.
#include "RecordingSession.h"

namespace {

using namespace recording_e2e;

// check-recordings.sh asks the repaired files for at least this many frames.
constexpr std::uint64_t kFramesBeforeTheEnd = 20;

HWND StartCapturing(RecordingSession& session)
{
    HWND dialog = session.StartAndWaitForDialog();
    if (dialog && session.AnswerDialog(dialog, kFullFrames, IDOK))
        return dialog;
    return nullptr;
}

// Ends the program hard, keeps the file as the crash left it, starts the
// program again and keeps the file as the start-up made it.
void EndHardAndRestart(RecordingSession& session, const std::string& video, const std::string& name)
{
    ASSERT_TRUE(::TerminateProcess(session.Program().Process(), 99));
    ASSERT_TRUE(session.Program().WaitForExit().has_value());
    EXPECT_TRUE(KeepForChecks(video, name + ".before-repair"));
    e2e::RunningProgram restarted(e2e::LaunchOptions{
        session.Folder().File("Tavrelin.exe"), "/Embedding", {{"TAVRELIN_CAMERA", "test"}}, session.Folder().Path()});
    ASSERT_NE(e2e::WaitForProgramMainWindow(restarted.Pid()), nullptr);
    EXPECT_TRUE(KeepForChecks(video, name + ".avi"));
    EXPECT_FALSE(e2e::FileExists(session.WaveTemp())) << "the repair adds the sound and removes wavtmp.wav";
    restarted.Close();
}

struct CaptureCase {
    const char* name;
    const char* mp3; // null: the microphone
};

TEST(HardEnd, WhileCapturingTheVideoAndItsSoundAreRepaired)
{
    for (const CaptureCase& capture :
         {CaptureCase{"hard-end-mike", nullptr}, CaptureCase{"hard-end-mp3", "short.mp3"}}) {
        SCOPED_TRACE(capture.name);
        RecordingSession session;
        ASSERT_NE(session.MainWindow(), nullptr);
        if (capture.mp3)
            session.ChooseMp3(OutputFile(capture.mp3));
        else
            session.ChooseMike();
        const std::vector<std::string> before = session.AlbumVideos();
        ASSERT_NE(StartCapturing(session), nullptr);
        const std::string video = session.NewVideo(before);
        ASSERT_FALSE(video.empty());
        ASSERT_TRUE(WaitForFrames(video, kFramesBeforeTheEnd));
        EndHardAndRestart(session, video, capture.name);
    }
}

// A long MP3 takes a while to add: the program is ended once the sound has
// begun to go into the file.
TEST(HardEnd, WhileComposingTheVideoGetsTheWholeSound)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    session.ChooseMp3(OutputFile("long.mp3"));
    const std::vector<std::string> before = session.AlbumVideos();
    ASSERT_NE(StartCapturing(session), nullptr);
    const std::string video = session.NewVideo(before);
    ASSERT_FALSE(video.empty());
    ASSERT_TRUE(WaitForFrames(video, 1));
    ASSERT_TRUE(session.Command(camera_e2e::kEndRecord));
    const std::uint64_t captured = e2e::FileSize(video);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FileSize(video) > captured + (4u << 20); }, e2e::Timeout{60000}));
    EndHardAndRestart(session, video, "hard-end-composing");
}

} // namespace
