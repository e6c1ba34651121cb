#pragma once
// An off-screen picture for one window's paints: draw into it, then copy it
// to the screen in one go, so that nothing flickers. The memory DC and its
// bitmap are kept from paint to paint and made again only when the size
// changes.
#include "win/UniqueHandle.h"

namespace win {

class COffscreenBuffer final {
public:
    COffscreenBuffer() = default;
    COffscreenBuffer(const COffscreenBuffer&) = delete;
    COffscreenBuffer& operator=(const COffscreenBuffer&) = delete;
    ~COffscreenBuffer();

    // A DC of width x height pixels, compatible with the target, holding what
    // the last paint left there; null when GDI has no room for it.
    HDC Prepare(HDC target, int width, int height);
    // Copies the area (in the buffer's coordinates, which are the target's)
    // to the target.
    void CopyTo(HDC target, const RECT& area) const;

private:
    void DropBitmap();

    UniqueMemoryDC m_dc;
    UniqueBitmap m_bitmap;
    // The bitmap the DC was made with, put back before ours is deleted.
    HGDIOBJ m_originalBitmap = nullptr;
    SIZE m_size{};
};

} // namespace win
