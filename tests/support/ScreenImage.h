#pragma once
// What the screen shows, read back through the desktop DC (GetDC(NULL)), so
// top-most and shaped windows over the area are included.
#include "Wait.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

class ScreenImage {
public:
    // Grabs a screen rectangle; nullopt when it is empty or the grab fails.
    static std::optional<ScreenImage> Capture(const RECT& screenRect);
    // The window's screen rectangle, frame included.
    static std::optional<ScreenImage> CaptureWindow(HWND window);
    // An area of any device context, e.g. a picture a test drew itself.
    static std::optional<ScreenImage> CopyOf(HDC source, const RECT& area);

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // Coordinates relative to the captured rectangle's top-left corner.
    COLORREF Pixel(int x, int y) const;
    // How many pixels have exactly this colour.
    size_t CountColour(COLORREF colour) const;
    // The same size and every pixel the same.
    bool SamePixels(const ScreenImage& other) const;
    // Copies the picture into a device context with its top-left corner at (0, 0).
    void PaintTo(HDC target) const;
    // Paints a rectangle (clipped to the picture) in one colour.
    void FillRect(const RECT& area, COLORREF colour);
    // A 24-bit bottom-up BMP file; false when writing fails.
    bool SaveBmp(const std::string& path) const;

private:
    ScreenImage(int width, int height, std::vector<std::uint8_t> bgrRows);
    size_t Stride() const { return (static_cast<size_t>(m_nWidth) * 3 + 3) & ~size_t{3}; }

    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t> m_vecBgrRows; // top-down rows, 4-byte aligned
};

// Shoots until two shots a pause apart agree (the screen has settled) and,
// when given, the condition accepts the picture; that picture, or nullopt
// at the deadline. Deciding on a settled picture, never on the first one,
// keeps a test from judging a paint that has not reached the screen yet.
std::optional<ScreenImage> WaitForSteadyImage(const std::function<std::optional<ScreenImage>()>& shoot,
                                              const std::function<bool(const ScreenImage&)>& accept = {},
                                              Timeout timeout = kDefaultTimeout, Timeout pause = Timeout{100});
// The window's screen rectangle once it has nothing left to paint and the
// screen has settled.
std::optional<ScreenImage> WaitForSteadyWindow(HWND window, const std::function<bool(const ScreenImage&)>& accept = {},
                                               Timeout timeout = kDefaultTimeout);

bool SaveScreenBmp(const std::string& path, const RECT& screenRect);
bool SaveWindowBmp(const std::string& path, HWND window);
// One screen pixel; CLR_INVALID when it cannot be read.
COLORREF PixelAt(int screenX, int screenY);

} // namespace e2e
