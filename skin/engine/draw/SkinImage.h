#pragma once
// A skin image: a 32-bit top-down DIB section, whether it blends by its
// premultiplied alpha, and the nine-grid drawing of its frames.

#include "skin/SkinNineGrid.h"
#include "skin/SkinPixels.h"
#include "skin/SkinTypes.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

namespace tavrelin::skin {

constexpr COLORREF kNoSkinColorKey = CLR_INVALID;

struct SkinDrawRequest {
    RECT dest{};
    RECT source{};
    SkinMargins margins{};
    COLORREF colorKey = kNoSkinColorKey; // used only for images without alpha
    ESkinSizing sizing = ESkinSizing::Stretch;
    bool borderOnly = false;
};

class CSkinImage {
public:
    // Makes the DIB section; nothing when the system refuses it.
    static std::unique_ptr<CSkinImage> FromPixels(const SkinPixels& pixels, bool hasAlpha);

    // bits are the pixels of bitmap, a 32-bit top-down DIB section.
    CSkinImage(win::UniqueBitmap bitmap, const std::uint32_t* bits, int width, int height, bool hasAlpha);

    bool HasAlpha() const { return m_bHasAlpha; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    std::uint32_t PixelAt(int x, int y) const { return m_pBits[static_cast<size_t>(y) * m_nWidth + x]; }

    void SetMirror(bool mirror) { m_bMirror = mirror; }

    // Finds the frames of one colour for this frame count and layout, once.
    void PrepareFrames(int imageCount, bool vertical);

    void DrawImage(HDC dc, const SkinDrawRequest& request) const;

private:
    struct SolidPiece {
        SkinRect source;
        std::uint32_t color;
    };

    const SolidPiece* FindSolidFrame(const SkinRect& source) const;
    bool DrawSolid(HDC dc, const SkinDrawRequest& request, const SolidPiece& piece) const;
    void DrawPieces(HDC dc, HDC sourceDC, const SkinDrawRequest& request, POINT offset) const;
    void DrawKeyed(HDC dc, HDC sourceDC, const SkinDrawRequest& request) const;
    void CopyPiece(HDC dc, HDC sourceDC, const SkinRect& source, const SkinRect& dest) const;
    bool DrawTiledInBuffer(HDC dc, HDC sourceDC, const SkinPiece& piece) const;

    win::UniqueBitmap m_bitmap;
    const std::uint32_t* m_pBits;
    int m_nWidth;
    int m_nHeight;
    bool m_bHasAlpha;
    bool m_bMirror = true;
    std::optional<std::pair<int, bool>> m_preparedLayout;
    std::vector<SolidPiece> m_solidPieces;
};

} // namespace tavrelin::skin
