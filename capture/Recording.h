#pragma once
// What a recording needs from the camera page, read once on the window's
// thread when "start video record" is accepted: the recording thread then
// never waits for that thread, and a change of the dub choice while
// capturing cannot leave the microphone running or the video without sound.
#include <windows.h>

#include <string>

// Posted to the main window when a video is complete; the main window lets
// the album page list it on the window's own thread.
inline constexpr UINT WM_NEWEST_VIDEO = WM_APP + 0x105;

struct CRecordingSettings {
    HWND hMainWnd = nullptr;
    HWND hDesignBox = nullptr;
    int speedPosition = 0;
    UINT32 captureWidth = 0;
    UINT32 captureHeight = 0;
    bool bMp3Sound = false;
    std::string mp3Path;
};

// Each frame lasts a tenth of the slider position times three milliseconds:
// 30 ms at "rapidness" (100), 120 ms at "standard" (400), 210 ms at "slow" (700).
inline LONG FramePeriodForSpeed(int speedPosition) { return speedPosition / 10 * 3; }
