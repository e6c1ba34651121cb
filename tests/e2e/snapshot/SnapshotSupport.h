#pragma once
// What the snapshot tests share: the command, the counters and album of the
// program's folder copy, and the files left for the native checks.
#include "CameraSession.h"

#include <string>
#include <vector>

namespace snapshot_e2e {

inline constexpr int kTakePictures = 32771;
// The notice's place on the main window's client area.
inline constexpr RECT kNoticeArea{139, 73, 255, 92};

// Where the tests leave files for check-jpeg.sh and check-video.sh, as Wine
// names it; emptied once when the test program starts.
std::string OutputFolder();

// The key's text in the copy's Config.ini, "<absent>" when it is missing.
std::string ReadCounter(camera_e2e::CameraSession& session, const char* key = "JPGSUM");
std::string AlbumFile(camera_e2e::CameraSession& session, const std::string& name);
// Every name in the album folder, sorted.
std::vector<std::string> AlbumEntries(camera_e2e::CameraSession& session);

// Sends "take pictures"; the answer comes once the command has run to its
// end, notice included. False when it did not answer.
bool TakePicture(camera_e2e::CameraSession& session);
// Waits until the design box shows the virtual camera's colour bars.
bool WaitForLivePicture(camera_e2e::CameraSession& session);

RECT NoticeAreaOnScreen(HWND mainWindow);
// Pure blue pixels right of the notice's icon, where its words go.
size_t BlueTextPixels(const e2e::ScreenImage& noticeArea);

// Watches the notice's place until the notice's words show there; false
// when they did not within the time.
bool NoticeAppears(HWND mainWindow, e2e::Timeout timeout = e2e::kDefaultTimeout);

// Copies a picture out with what check-jpeg.sh expects of it: its size,
// quality 100, and the colour bars where the camera draws them, scaled to
// the picture.
void ExportPicture(const std::string& picturePath, const std::string& exportName, int width, int height);

} // namespace snapshot_e2e
