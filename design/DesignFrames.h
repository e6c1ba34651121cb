#pragma once
// A design's frames, made in memory from its GIF: one 24-bit bitmap and one
// window shape for each of the first 100 frames. The GIF stays open as long
// as the frames live, so the file can be neither deleted nor renamed while a
// window shows it.
#include "gdiplus/GdiplusImage.h"
#include "win/UniqueHandle.h"

#include <optional>
#include <string>
#include <vector>

namespace tavrelin {

struct SDesignFrames {
    gdiplus::CImage image;
    std::vector<win::UniqueBitmap> frames;
    std::vector<win::UniqueRegion> regions;
    unsigned intervalMs = 0;
    SIZE size{};
};

// Nullopt when the file can't be opened as a picture, its frames would not
// fit in memory, or not even its first frame can be made; a later frame that
// can't be made ends the animation with the frames made so far. GDI+ must be
// running.
std::optional<SDesignFrames> LoadDesignFrames(const std::string& gifPath);

// The window shape of a frame: every pixel unlike the top-left one, built
// from one rectangle per run of such pixels in a row. Null when the bitmap
// can't be read or the region can't be made.
win::UniqueRegion BuildFrameRegion(HBITMAP frame);

} // namespace tavrelin
