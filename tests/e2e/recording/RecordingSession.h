#pragma once
// Drives recordings in a running copy of the program: the toolbar commands,
// the compressor dialog, the speed slider and the dub choice, and reads back
// the counter and the album folder.
#include "CameraSession.h"

#include <cstdint>
#include <string>
#include <vector>

namespace recording_e2e {

inline constexpr char kFullFrames[] = "Full Frames (Uncompressed)";
inline constexpr char kMotionJpeg[] = "Tavrelin Motion-JPEG";

// Where the test leaves files for the native checks, as Wine names it.
std::string OutputFolder();
std::string OutputFile(const std::string& name);

std::string VideoName(int number);

// The test camera's 320 x 240 frames, uncompressed, with their chunk header.
inline constexpr std::uint64_t kFrameChunkBytes = 320 * 240 * 3 + 8;
// Waits until the uncompressed video being written holds `frames` more frames
// than `fromBytes` (one frame's worth more covers the headers), however long
// a loaded machine takes to write them.
bool WaitForFrames(const std::string& video, std::uint64_t frames, std::uint64_t fromBytes = 0);

class RecordingSession : public camera_e2e::CameraSession {
public:
    using CameraSession::CameraSession;

    std::string AlbumFile(const std::string& name) { return Folder().File("Album\\" + name); }
    std::string WaveTemp() { return Folder().File("wavtmp.wav"); }
    std::string IniPath() { return Folder().File("Config.ini"); }
    // The counter's text in Config.ini; empty when the key is absent.
    std::string Counter();
    std::vector<std::string> AlbumVideos();

    void SetSpeed(int position);
    void ChooseMike();
    void ChooseMp3(const std::string& path);

    // Sends "start video record" until the compressor dialog comes up (a
    // recording that still composes refuses the command); the dialog or null.
    HWND StartAndWaitForDialog();
    // Picks the entry in the compressor dialog and presses the button.
    bool AnswerDialog(HWND dialog, const std::string& entry, int button);
    // Waits until the program has closed the video file.
    bool WaitForFileComplete(const std::string& path);
    // The album's video that is not in the earlier list; empty when none.
    std::string NewVideo(const std::vector<std::string>& before);
    // Waits for a new video to appear and be complete; its path or empty.
    std::string WaitForNewVideo(const std::vector<std::string>& before);
    // Start, accept with the entry, let it capture for the time, end, wait
    // for the file; the album file's path, empty on failure.
    std::string Record(int captureMs, const std::string& entry = kFullFrames);
};

// Copies a file for the native checks; false when it failed.
bool KeepForChecks(const std::string& path, const std::string& name);

} // namespace recording_e2e
