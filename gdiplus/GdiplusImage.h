#pragma once
// One GDI+ image and what the album and the designs do with it. Every call's
// status is checked: an image whose load or making failed is "no picture",
// and every operation on it fails without calling GDI+ on nothing.
// GDI+ must have been started (the main window does it for the process).
#include "win/UniqueHandle.h"

#include <windows.h>
// The GDI+ headers use min and max unqualified.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <memory>
#include <optional>
#include <string>

namespace gdiplus {

class CImage {
public:
    CImage() = default;
    static CImage Load(const std::string& ansiPath);
    // An image decoded from bytes in memory (a Motion-JPEG frame); the bytes
    // are copied, so they need not outlive the image.
    static CImage FromBytes(const void* bytes, size_t size);

    bool IsLoaded() const { return static_cast<bool>(m_image); }
    // The status of the call that made or last failed on this image.
    Gdiplus::Status LastStatus() const { return m_status; }

    CImage Clone() const;
    // A new image of exactly width by height, aspect ignored.
    CImage Thumbnail(UINT width, UINT height) const;
    std::optional<SIZE> Size() const;
    // Frames in the first frame dimension (a GIF's animation).
    std::optional<UINT> FrameCount() const;
    // The frame that the next save or bitmap takes, in the time dimension.
    bool SelectFrame(UINT index);
    // The first value of the frame-delay property, in hundredths of a second;
    // nullopt when the image has none (a still GIF).
    std::optional<UINT> FrameDelay() const;
    bool Save(const std::string& ansiPath, const CLSID& encoder) const;
    // A 24-bit top-down DIB section of the image's pixels; the alpha channel
    // is dropped, as a save through the BMP encoder does. Null on failure.
    win::UniqueBitmap ToDibSection() const;
    // Draws the image scaled into the rectangle.
    bool Draw(HDC dc, const RECT& target) const;

private:
    struct Disposer {
        void operator()(Gdiplus::GpImage* image) const;
    };
    explicit CImage(Gdiplus::GpImage* image, Gdiplus::Status status) : m_image(image), m_status(status) {}
    bool Check(Gdiplus::Status status) const;

    std::unique_ptr<Gdiplus::GpImage, Disposer> m_image;
    mutable Gdiplus::Status m_status = Gdiplus::GenericError;
};

// A 24-bit top-down DIB section and its pixel memory (rows padded to whole
// 32-bit words); null when it can't be made.
win::UniqueBitmap CreateDibSection24(int width, int height, void** bits);

// The index of the first encoder whose MIME type is exactly mimeType, its
// class id in *clsid; -1 when there is none or the list can't be read.
int LookUpEncoder(const wchar_t* mimeType, CLSID* clsid);

// Starts GDI+ for a scope (tests and tools; the program's main window keeps
// its own token).
class CGdiplusSession {
public:
    CGdiplusSession();
    ~CGdiplusSession();
    CGdiplusSession(const CGdiplusSession&) = delete;
    CGdiplusSession& operator=(const CGdiplusSession&) = delete;
    bool IsStarted() const { return m_started; }

private:
    ULONG_PTR m_token = 0;
    bool m_started = false;
};

} // namespace gdiplus
