#pragma once
// One of our AVI files playing in the viewer: frames at the stream's own
// period, timed by a clock of its own (a sound device need not keep pace),
// decoded on a thread of its own, with the PCM sound through the wave
// output. Motion-JPEG frames are decoded by GDI+, uncompressed frames drawn
// directly, other codecs through the platform's decompressor when one
// exists. The file is held open only while the object lives.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <memory>
#include <string>

class CVideoPlayback {
public:
    // Posted to the viewer when a new frame is ready.
    static constexpr UINT kFrameDueMessage = WM_APP + 0x142;

    // Starts playing into a box of the given size; null when the file is not
    // a video we can play.
    static std::unique_ptr<CVideoPlayback> Open(const std::string& path, HWND viewer, SIZE box);
    virtual ~CVideoPlayback() = default;

    // The newest frame, fitted into a bitmap of the box's size; null when no
    // new frame came since the last call.
    virtual win::UniqueBitmap TakeFrame() = 0;
    // Frames drawn so far; the last one stays on show at the end.
    virtual long FramesShown() const = 0;
};
