// Benchmark, not a test: records a few seconds at 320 x 240, 640 x 480 and
// 1280 x 720, uncompressed and Motion-JPEG, and notes for each video how long it was
// capturing (from the compressor dialog's OK to "end video record"). The
// frame counts come from the files themselves; report-rate.sh divides.
#include "RecordingSession.h"

#include <fstream>

namespace {

using namespace recording_e2e;

constexpr int kCaptureMs = 6000;
constexpr int kFormatList = 1001;

struct RateCase {
    const char* size;
    int formatIndex; // in the virtual camera's format list
    const char* entry;
    const char* file;
};

bool ChooseFormat(RecordingSession& session, int formatIndex)
{
    session.PostCommand(camera_e2e::kVideoFormat);
    HWND dialog = e2e::WaitForTopLevel(session.Pid(), "#32770", "Video Format");
    if (!dialog)
        return false;
    e2e::SendWithTimeout(::GetDlgItem(dialog, kFormatList), LB_SETCURSEL, formatIndex, 0);
    return e2e::PressButton(dialog, IDOK) && e2e::WaitUntil([&] { return !::IsWindow(dialog); });
}

TEST(RecordingRate, FramesWrittenPerSecondOfRecording)
{
    const RateCase cases[] = {
        {"320x240", 1, kFullFrames, "rate-320x240-uncompressed.avi"},
        {"320x240", 1, kMotionJpeg, "rate-320x240-mjpeg.avi"},
        {"640x480", 2, kFullFrames, "rate-640x480-uncompressed.avi"},
        {"640x480", 2, kMotionJpeg, "rate-640x480-mjpeg.avi"},
        {"1280x720", 3, kFullFrames, "rate-1280x720-uncompressed.avi"},
        {"1280x720", 3, kMotionJpeg, "rate-1280x720-mjpeg.avi"},
    };
    std::ofstream times(OutputFile("rate-times.txt"));
    RecordingSession session;
    ASSERT_NE(session.MainWindow(), nullptr);
    // The sound is added after the capture, so it costs the frame rate nothing.
    session.ChooseMp3(OutputFile("short.mp3"));
    for (const RateCase& rate : cases) {
        SCOPED_TRACE(rate.file);
        ASSERT_TRUE(ChooseFormat(session, rate.formatIndex));
        const std::vector<std::string> before = session.AlbumVideos();
        HWND dialog = session.StartAndWaitForDialog();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(session.AnswerDialog(dialog, rate.entry, IDOK));
        const DWORD started = ::GetTickCount();
        ::Sleep(kCaptureMs);
        ASSERT_TRUE(session.Command(camera_e2e::kEndRecord));
        const DWORD capturingMs = ::GetTickCount() - started;
        const std::string path = session.WaitForNewVideo(before);
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(KeepForChecks(path, rate.file));
        times << rate.file << ' ' << capturingMs << '\n';
    }
}

} // namespace
