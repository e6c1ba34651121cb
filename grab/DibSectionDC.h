#pragma once
// A memory DC with a 24-bit, bottom-up DIB section selected into it: the
// off-screen surface a grab reads the screen into and scales on.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
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

    HDC DC() const { return m_hDC.get(); }
    // The section's pixels, for reading and writing in memory; GdiFlush first
    // when GDI has drawn into it.
    std::uint8_t* Bits() const { return m_pBits; }

    // Selects the section out of the DC and hands it to the caller; the
    // object keeps only its (then empty) DC.
    win::UniqueBitmap ReleaseBitmap();

private:
    CDibSectionDC(win::UniqueMemoryDC dc, win::UniqueBitmap bitmap);
    void SelectOut();

    win::UniqueMemoryDC m_hDC;
    win::UniqueBitmap m_hBitmap;
    HGDIOBJ m_hPrevious = nullptr;
    std::uint8_t* m_pBits = nullptr;
};

// Bitmaps larger than this on either side are refused: no camera delivers
// them, and the pixel memory of one must stay far below the 2 GB a 32-bit
// process can address.
inline constexpr int kMaxDibSide = 16384;
