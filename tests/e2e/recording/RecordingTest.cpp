// Recordings of the running program under Wine with the virtual camera: the
// numbered files and their counter, the frame period from the slider, the
// sound from the microphone or an MP3 file, the compressor dialog's cancel
// and late accept, and a Config.ini that cannot be written. The files are
// copied out for ffprobe/ffmpeg checks that run natively afterwards.
#include "RecordingSession.h"

namespace {

using namespace recording_e2e;
using camera_e2e::kEndRecord;
using camera_e2e::kMikeRadio;
using camera_e2e::kMp3Radio;
using camera_e2e::kStandardSpeed;
using camera_e2e::kStartRecord;

constexpr int kShortCaptureMs = 800;

void ExpectNoWaveTemp(RecordingSession& session)
{
    EXPECT_FALSE(e2e::FileExists(session.WaveTemp())) << "wavtmp.wav left behind";
}

TEST(Recording, ThreeRecordingsAreNumberedAndCounted)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_EQ(session.Counter(), "") << "the shipped folder has no counter";
    for (int number = 1; number <= 3; ++number) {
        const std::string path = session.Record(kShortCaptureMs);
        ASSERT_EQ(path, session.AlbumFile(VideoName(number)));
        EXPECT_EQ(session.Counter(), std::to_string(number));
        ExpectNoWaveTemp(session);
        EXPECT_TRUE(KeepForChecks(path, "three-" + std::to_string(number) + ".avi"));
    }
    EXPECT_EQ(session.AlbumVideos().size(), 3u);
}

struct SpeedCase {
    const char* name;
    int position;
    bool pressStandard;
};

TEST(Recording, FramePeriodFollowsTheSliderReadAtTheStart)
{
    const SpeedCase cases[] = {
        {"speed-100.avi", 100, false}, {"speed-400.avi", 400, false},     {"speed-700.avi", 700, false},
        {"speed-405.avi", 405, false}, {"speed-standard.avi", 700, true},
    };
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    for (const SpeedCase& speed : cases) {
        SCOPED_TRACE(speed.name);
        session.SetSpeed(speed.position);
        if (speed.pressStandard)
            ASSERT_TRUE(session.ClickAndWait(kStandardSpeed));
        const std::string path = session.Record(kShortCaptureMs);
        ASSERT_FALSE(path.empty());
        EXPECT_TRUE(KeepForChecks(path, speed.name));
    }
}

TEST(Sound, MikeGivesPcmAndTheChoiceIsLatchedAtTheStart)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    session.ChooseMike();
    std::string path = session.Record(1500);
    ASSERT_FALSE(path.empty());
    ExpectNoWaveTemp(session);
    EXPECT_TRUE(KeepForChecks(path, "mike.avi"));

    // "mp3 file" chosen while capturing: the microphone started at the start
    // still gives the sound, and is not left running.
    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    session.ChooseMp3(OutputFile("short.mp3"));
    ::Sleep(kShortCaptureMs);
    ASSERT_TRUE(session.Command(kEndRecord));
    path = session.WaitForNewVideo(before);
    ASSERT_FALSE(path.empty());
    ExpectNoWaveTemp(session);
    EXPECT_TRUE(KeepForChecks(path, "latched-mike.avi"));
}

TEST(Sound, Mp3IsAddedWholeToShortAndLongVideosAndLatchedAtTheStart)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    session.ChooseMp3(OutputFile("short.mp3"));
    ASSERT_TRUE(session.IsChecked(kMp3Radio));
    for (const auto& [captureMs, name] :
         {std::pair{300, "mp3-short-video.avi"}, std::pair{3500, "mp3-long-video.avi"}}) {
        const std::string path = session.Record(captureMs);
        ASSERT_FALSE(path.empty()) << name;
        ExpectNoWaveTemp(session);
        EXPECT_TRUE(KeepForChecks(path, name));
    }
    EXPECT_FALSE(session.IsChecked(kMikeRadio));

    // "mike" chosen while capturing: the MP3 chosen at the start is added.
    const std::vector<std::string> before = session.AlbumVideos();
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    session.ChooseMike();
    ::Sleep(kShortCaptureMs);
    ASSERT_TRUE(session.Command(kEndRecord));
    const std::string path = session.WaitForNewVideo(before);
    ASSERT_FALSE(path.empty());
    ExpectNoWaveTemp(session);
    EXPECT_TRUE(KeepForChecks(path, "latched-mp3.avi"));
}

// Wine's sound drivers turned off for the programs started meanwhile: the
// microphone then finds no device.
class NoSoundDriver {
public:
    explicit NoSoundDriver(bool off) : m_bOff(off)
    {
        if (m_bOff)
            ::RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Audio", REG_SZ, "", 1);
    }
    ~NoSoundDriver()
    {
        if (m_bOff)
            ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Audio");
    }
    NoSoundDriver(const NoSoundDriver&) = delete;
    NoSoundDriver& operator=(const NoSoundDriver&) = delete;

private:
    static constexpr char kKey[] = "Software\\Wine\\Drivers";
    bool m_bOff;
};

// Sound that can't be had is told while the video is recorded on without it:
// an MP3 file that is gone or is no MP3, a microphone that won't open.
TEST(Sound, SoundThatCannotBeHadIsToldAndTheVideoIsRecordedWithout)
{
    const struct {
        const char* name;
        const char* mp3; // null: the microphone
        const char* message;
    } cases[] = {
        {"silent-mp3-gone.avi", "gone.mp3", "Can not read mp3 file, the video has no sound!"},
        {"silent-not-mp3.avi", "ReadMe.txt", "Can not read mp3 file, the video has no sound!"},
        {"silent-no-microphone.avi", nullptr, "Can not open microphone, the video has no sound!"},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        const NoSoundDriver driver(failure.mp3 == nullptr);
        RecordingSession session;
        ASSERT_NE(session.MainWindow(), nullptr);
        if (failure.mp3)
            session.ChooseMp3(session.Folder().File(failure.mp3));
        const std::vector<std::string> before = session.AlbumVideos();
        HWND dialog = session.StartAndWaitForDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
        HWND box = e2e::WaitForMessageBox(session.Pid());
        ASSERT_NE(box, nullptr) << "told while recording";
        EXPECT_EQ(e2e::MessageBoxText(box), failure.message);
        ASSERT_TRUE(WaitForFrames(session.AlbumFile(VideoName(1)), 3)) << "recorded on";
        ASSERT_TRUE(session.Command(kEndRecord));
        const std::string path = session.WaitForNewVideo(before);
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(e2e::PressButton(box, IDOK));
        EXPECT_TRUE(KeepForChecks(path, failure.name));
    }
}

TEST(CompressorDialog, CancelLeavesNoFileAndTheCounterAdvanced)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDCANCEL));
    EXPECT_TRUE(e2e::WaitUntil([&] { return session.AlbumVideos().empty(); })) << "the video file is deleted";
    EXPECT_EQ(session.Counter(), "1");
    ExpectNoWaveTemp(session);
    // Back to idle at once: the next start records, under the next number.
    EXPECT_EQ(session.Record(kShortCaptureMs), session.AlbumFile(VideoName(2)));
    EXPECT_EQ(session.AlbumVideos().size(), 1u);
}

TEST(CompressorDialog, EndWhileItIsOpenGivesOneFrameAfterAccepting)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.Command(kEndRecord)) << "the window thread is free while the dialog is open";
    ASSERT_TRUE(session.AnswerDialog(dialog, kFullFrames, IDOK));
    const std::string path = session.WaitForNewVideo({});
    ASSERT_EQ(path, session.AlbumFile(VideoName(1)));
    ExpectNoWaveTemp(session);
    EXPECT_TRUE(KeepForChecks(path, "one-frame.avi"));
}

TEST(CompressorDialog, ClosingAfterTheEndCancelsItAndTheProgramEnds)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    HWND dialog = session.StartAndWaitForDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(session.Command(kEndRecord));
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const auto exitCode = session.Program().WaitForExit();
    ASSERT_TRUE(exitCode.has_value()) << "the close waited for an answer nobody gives";
    EXPECT_EQ(*exitCode, 0u);
    EXPECT_TRUE(session.AlbumVideos().empty()) << "abandoned as by Cancel";
    EXPECT_EQ(session.Counter(), "1");
    ExpectNoWaveTemp(session);
}

// The tests run as root, who may write a read-only file; a folder in the
// file's place can't be written by anyone.
TEST(Counter, UnwritableConfigNeverCostsAFile)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    ::DeleteFileA(session.IniPath().c_str());
    ASSERT_TRUE(::CreateDirectoryA(session.IniPath().c_str(), nullptr));

    const std::string first = session.Record(kShortCaptureMs);
    ASSERT_EQ(first, session.AlbumFile(VideoName(1)));
    const auto firstContent = e2e::ReadWholeFile(first);
    ASSERT_TRUE(firstContent.has_value());

    EXPECT_EQ(session.Record(kShortCaptureMs), session.AlbumFile(VideoName(2))) << "the next free number";
    EXPECT_EQ(e2e::ReadWholeFile(first), firstContent) << "the earlier video is kept as it was";
    EXPECT_EQ(session.AlbumVideos().size(), 2u);
}

TEST(Counter, AFileOfTheNextNumberIsKept)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    const std::string users = session.AlbumFile(VideoName(1));
    ASSERT_TRUE(::CopyFileA(OutputFile("short.mp3").c_str(), users.c_str(), FALSE));
    const auto usersContent = e2e::ReadWholeFile(users);

    EXPECT_EQ(session.Record(kShortCaptureMs), session.AlbumFile(VideoName(2)));
    EXPECT_EQ(session.Counter(), "2");
    EXPECT_EQ(e2e::ReadWholeFile(users), usersContent);
}

// Without an album folder the file can't be created: the user is told, and
// nothing pretends to record (no compressor dialog, no strip, no album entry).
TEST(Failure, AFileThatCannotBeCreatedIsReportedAndTheNextStartRecords)
{
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    const std::string album = session.Folder().File("Album");
    ASSERT_TRUE(::RemoveDirectoryA(album.c_str()));

    session.PostCommand(kStartRecord);
    HWND box = e2e::WaitForMessageBox(session.Pid());
    ASSERT_NE(box, nullptr) << e2e::DescribeTopLevel(session.Pid());
    EXPECT_EQ(e2e::MessageBoxText(box), "Can not create avi file!");
    EXPECT_EQ(e2e::Caption(box), "Tavrelin");
    ASSERT_TRUE(e2e::PressButton(box, IDOK));
    EXPECT_EQ(::GetFileAttributesA(album.c_str()), INVALID_FILE_ATTRIBUTES) << "nothing was created";
    ExpectNoWaveTemp(session);

    ASSERT_TRUE(::CreateDirectoryA(album.c_str(), nullptr));
    const std::string path = session.Record(kShortCaptureMs);
    EXPECT_FALSE(path.empty()) << "back to idle: the next start records";
    EXPECT_EQ(session.AlbumVideos().size(), 1u);
}

} // namespace
