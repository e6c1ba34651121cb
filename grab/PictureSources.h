#pragma once
// The pictures the program's own windows show over the design box, kept where
// a grab on any thread can compose the saved picture from them instead of
// reading the screen. The capture window and the design windows publish on
// their thread; a published picture never changes afterwards, so a grab holds
// its own references and draws without the lock.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace tavrelin {

// 24-bit BGR pixels, bottom-up, each row padded to whole 32-bit words: what a
// capture driver delivers.
struct SPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};
using PicturePtr = std::shared_ptr<const SPicture>;
using RegionPtr = std::shared_ptr<const win::UniqueRegion>;

// A camera picture is drawn under every design, whatever the window order.
enum class EPictureLayer { Camera, Design };

struct SPublishedPicture {
    HWND window = nullptr;
    EPictureLayer layer = EPictureLayer::Camera;
    // Drawn at the client area's top-left; null when the window shows black.
    PicturePtr picture;
    // Camera: the picture is stretched over the whole client area (COLORONCOLOR),
    // otherwise drawn at its own size.
    bool stretched = false;
    // Camera: the client area's screen position when its top-level window was
    // last seen not minimized; a minimized window's box is composed there.
    POINT shownAt{};
    // Design: the window's shape in window coordinates; null for no shape.
    RegionPtr shape;
};

// Replaces whatever the window published before.
void PublishPicture(SPublishedPicture published);
// The window is going: grabs stop composing it.
void WithdrawPicture(HWND window);
// Everything published at this moment.
std::vector<SPublishedPicture> PublishedPictures();

// The bitmap's pixels in SPicture's form; null when they can't be read. The
// bitmap must not be selected into a DC.
PicturePtr PictureOfBitmap(HBITMAP bitmap);
// A copy the caller may share; null when the region can't be copied.
RegionPtr CopyRegion(HRGN region);

} // namespace tavrelin
