#pragma once
// Messages the program posts to its own windows.
#include <windows.h>

// To the main window: a recording's video is complete, and the album page
// lists it. lParam names the file (core/PostedPath.h).
inline constexpr UINT WM_NEWEST_VIDEO = WM_APP + 0x105;
// To the main window: a recording could not write its file; wParam is an
// ERecordingFailure.
inline constexpr UINT WM_RECORDING_FAILED = WM_APP + 0x106;
// To the main window: Config.ini could not be written (a counter or the
// skin choice is not stored).
inline constexpr UINT WM_CONFIG_NOT_WRITTEN = WM_APP + 0x107;
// To the main window, once it is shown with its first focus: the toolbar
// joins the tab order.
inline constexpr UINT WM_TOOLBAR_JOINS_TAB_ORDER = WM_APP + 0x108;
// To the album page: a picture was taken; lParam names its file
// (core/PostedPath.h).
inline constexpr UINT WM_ALBUM_NEWEST_PICTURE = WM_APP + 0x140;

enum class ERecordingFailure : WPARAM {
    // The video file could not be created: nothing was recorded.
    CannotCreate = 1,
    // Writing stopped part-way: the file keeps what was written before.
    CannotWrite = 2,
    // The chosen MP3 file gave no sound: the video is recorded without it.
    NoMp3Sound = 3,
    // The microphone could not be started: the video is recorded without sound.
    NoMicrophone = 4,
};
