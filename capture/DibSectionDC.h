#pragma once
// A memory DC with a 24-bit, bottom-up DIB section selected into it: the
// off-screen surface a grab reads the screen into and scales on.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <optional>

class CDibSectionDC final {
public:
    // A black section of width by height pixels in a memory DC compatible
    // with `compatibleWith`; nullopt when the size is unusable or GDI fails.
    static std::optional<CDibSectionDC> Create(HDC compatibleWith, int width, int height);

    CDibSectionDC(CDibSectionDC&& other) noexcept;
    CDibSectionDC& operator=(CDibSectionDC&&) = delete;
    CDibSectionDC(const CDibSectionDC&) = delete;
    CDibSectionDC& operator=(const CDibSectionDC&) = delete;
    ~CDibSectionDC();

    HDC DC() const { return m_dc.get(); }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Selects the section out of the DC and hands it to the caller; the
    // object keeps only its (then empty) DC.
    win::UniqueBitmap ReleaseBitmap();

private:
    CDibSectionDC(win::UniqueMemoryDC dc, win::UniqueBitmap bitmap, int width, int height);
    void SelectOut();

    win::UniqueMemoryDC m_dc;
    win::UniqueBitmap m_bitmap;
    HGDIOBJ m_hPrevious = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// Bitmaps larger than this on either side are refused: no camera delivers
// them, and the pixel memory of one must stay far below the 2 GB a 32-bit
// process can address.
inline constexpr int kMaxDibSide = 16384;
