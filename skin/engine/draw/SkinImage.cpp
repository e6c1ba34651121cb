#include "skin/engine/draw/SkinImage.h"

#include "skin/engine/draw/SkinGdi.h"

#include <algorithm>
#include <cstring>

namespace tavrelin::skin {
namespace {

COLORREF RgbOf(std::uint32_t argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

} // namespace

CSkinImage::CSkinImage(win::UniqueBitmap bitmap, const std::uint32_t* bits, int width, int height, bool hasAlpha)
    : m_bitmap(std::move(bitmap)), m_pBits(bits), m_nWidth(width), m_nHeight(height), m_bHasAlpha(hasAlpha)
{}

std::unique_ptr<CSkinImage> CSkinImage::FromPixels(const SkinPixels& pixels, bool hasAlpha)
{
    if (!SkinImageSizeAllowed(pixels.width, pixels.height) ||
        pixels.argb.size() != static_cast<size_t>(pixels.width) * pixels.height)
        return nullptr;
    void* bits = nullptr;
    win::UniqueBitmap bitmap = CreateSkinDib32(pixels.width, pixels.height, bits);
    if (!bitmap || !bits)
        return nullptr;
    std::memcpy(bits, pixels.argb.data(), pixels.argb.size() * sizeof(std::uint32_t));
    // An opaque image keeps 0 in the fourth byte, as a plain 32-bit bitmap
    // does: colour-keyed copies compare whole pixels.
    if (!hasAlpha) {
        auto* words = static_cast<std::uint32_t*>(bits);
        for (size_t index = 0; index < pixels.argb.size(); ++index)
            words[index] &= 0x00FFFFFF;
    }
    ::GdiFlush();
    return std::make_unique<CSkinImage>(std::move(bitmap), static_cast<const std::uint32_t*>(bits), pixels.width,
                                        pixels.height, hasAlpha);
}

void CSkinImage::PrepareFrames(int imageCount, bool vertical)
{
    const std::pair<int, bool> layout{imageCount, vertical};
    if (m_preparedLayout == layout)
        return;
    m_preparedLayout = layout;
    m_solidPieces.clear();
    const int count = imageCount < 1 ? 1 : imageCount;
    for (int state = 1; state <= count; ++state) {
        const std::optional<SkinRect> frame = SelectSkinFrame(m_nWidth, m_nHeight, count, vertical, state);
        if (!frame)
            return;
        const std::uint32_t first = PixelAt(frame->left, frame->top);
        bool bSolid = true;
        for (int y = frame->top; y < frame->bottom && bSolid; ++y) {
            for (int x = frame->left; x < frame->right && bSolid; ++x)
                bSolid = PixelAt(x, y) == first;
        }
        if (bSolid)
            m_solidPieces.push_back({*frame, first});
    }
}

const CSkinImage::SolidPiece* CSkinImage::FindSolidFrame(const SkinRect& source) const
{
    for (const SolidPiece& piece : m_solidPieces) {
        if (piece.source == source)
            return &piece;
    }
    return nullptr;
}

// True when the solid piece settled the draw (filled, or nothing to show).
bool CSkinImage::DrawSolid(HDC dc, const SkinDrawRequest& request, const SolidPiece& piece) const
{
    if (m_bHasAlpha) {
        const std::uint32_t alpha = SkinAlphaOf(piece.color);
        if (alpha == 0)
            return true;
        if (alpha != 255)
            return false;
    } else if (request.colorKey != kNoSkinColorKey && RgbOf(piece.color) == request.colorKey) {
        return true;
    }
    const std::vector<SkinPiece> pieces = LayoutSkinNineGrid(ToSkinRect(request.dest), ToSkinRect(request.source),
                                                             request.margins, request.sizing, request.borderOnly);
    for (const SkinPiece& one : pieces)
        FillSolid(dc, ToRect(one.dest), RgbOf(piece.color));
    return true;
}

namespace {

// On a right-to-left context GDI mirrors every bitmap it copies; a skin part
// that asks not to be mirrored keeps its images the way round they were drawn.
class CBitmapOrientation {
public:
    CBitmapOrientation(HDC dc, bool mirror) : m_dc(dc), m_layout(::GetLayout(dc))
    {
        m_bChanged = m_layout != GDI_ERROR && (m_layout & LAYOUT_RTL) && !mirror;
        if (m_bChanged)
            ::SetLayout(dc, m_layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
    }
    CBitmapOrientation(const CBitmapOrientation&) = delete;
    CBitmapOrientation& operator=(const CBitmapOrientation&) = delete;
    ~CBitmapOrientation()
    {
        if (m_bChanged)
            ::SetLayout(m_dc, m_layout);
    }

private:
    HDC m_dc;
    DWORD m_layout;
    bool m_bChanged = false;
};

} // namespace

void CSkinImage::DrawImage(HDC dc, const SkinDrawRequest& request) const
{
    const CBitmapOrientation orientation(dc, m_bMirror);
    const SkinRect source = ToSkinRect(request.source);
    const SkinRect dest = ToSkinRect(request.dest);
    if (dest.IsEmpty() || source.IsEmpty() || source.left < 0 || source.top < 0 || source.right > m_nWidth ||
        source.bottom > m_nHeight)
        return;
    if (const SolidPiece* solid = FindSolidFrame(source); solid && DrawSolid(dc, request, *solid))
        return;
    win::UniqueMemoryDC sourceDC(::CreateCompatibleDC(dc));
    if (!sourceDC)
        return;
    win::SelectedObject selected(sourceDC.get(), m_bitmap.get());
    if (!m_bHasAlpha && request.colorKey != kNoSkinColorKey) {
        DrawKeyed(dc, sourceDC.get(), request);
        return;
    }
    const int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    DrawPieces(dc, sourceDC.get(), request, POINT{0, 0});
    ::SetStretchBltMode(dc, previousMode);
}

// Draws into a buffer of the destination's size filled with the key colour,
// then copies it with that colour left out.
void CSkinImage::DrawKeyed(HDC dc, HDC sourceDC, const SkinDrawRequest& request) const
{
    const int width = request.dest.right - request.dest.left;
    const int height = request.dest.bottom - request.dest.top;
    win::UniqueMemoryDC bufferDC(::CreateCompatibleDC(dc));
    win::UniqueBitmap buffer(::CreateCompatibleBitmap(dc, width, height));
    if (!bufferDC || !buffer)
        return;
    win::SelectedObject selected(bufferDC.get(), buffer.get());
    const RECT whole{0, 0, width, height};
    FillSolid(bufferDC.get(), whole, request.colorKey);
    ::SetStretchBltMode(bufferDC.get(), COLORONCOLOR);
    DrawPieces(bufferDC.get(), sourceDC, request, POINT{-request.dest.left, -request.dest.top});
    ::TransparentBlt(dc, request.dest.left, request.dest.top, width, height, bufferDC.get(), 0, 0, width, height,
                     request.colorKey);
}

void CSkinImage::DrawPieces(HDC dc, HDC sourceDC, const SkinDrawRequest& request, POINT offset) const
{
    RECT dest = request.dest;
    ::OffsetRect(&dest, offset.x, offset.y);
    const std::vector<SkinPiece> pieces = LayoutSkinNineGrid(ToSkinRect(dest), ToSkinRect(request.source),
                                                             request.margins, request.sizing, request.borderOnly);
    RECT clip{};
    const bool bClipped = ::GetClipBox(dc, &clip) != ERROR;
    for (const SkinPiece& whole : pieces) {
        const SkinPiece piece = bClipped ? RestrictSkinTiles(whole, ToSkinRect(clip)) : whole;
        if (piece.dest.IsEmpty())
            continue;
        if (DrawTiledInBuffer(dc, sourceDC, piece))
            continue;
        ForEachSkinTile(
            piece, [&](const SkinRect& source, const SkinRect& target) { CopyPiece(dc, sourceDC, source, target); });
    }
}

// A piece of many tiles is laid out in a buffer by doubling what is already
// there, then drawn with one copy: a copy per tile costs far more.
bool CSkinImage::DrawTiledInBuffer(HDC dc, HDC sourceDC, const SkinPiece& piece) const
{
    constexpr int kFewTiles = 8;
    const int tileWidth = piece.tileX ? piece.source.Width() : piece.dest.Width();
    const int tileHeight = piece.tileY ? piece.source.Height() : piece.dest.Height();
    const int width = piece.dest.Width();
    const int height = piece.dest.Height();
    if (tileWidth <= 0 || tileHeight <= 0 ||
        static_cast<long long>((width + tileWidth - 1) / tileWidth) * ((height + tileHeight - 1) / tileHeight) <=
            kFewTiles)
        return false;
    void* bits = nullptr;
    win::UniqueBitmap buffer = CreateSkinDib32(width, height, bits);
    win::UniqueMemoryDC bufferDC(::CreateCompatibleDC(dc));
    if (!buffer || !bufferDC)
        return false;
    win::SelectedObject selected(bufferDC.get(), buffer.get());
    const int firstWidth = std::min(tileWidth, width);
    const int firstHeight = std::min(tileHeight, height);
    ::SetStretchBltMode(bufferDC.get(), COLORONCOLOR);
    ::StretchBlt(bufferDC.get(), 0, 0, firstWidth, firstHeight, sourceDC, piece.source.left, piece.source.top,
                 piece.tileX ? firstWidth : piece.source.Width(), piece.tileY ? firstHeight : piece.source.Height(),
                 SRCCOPY);
    for (int filled = firstWidth; filled < width; filled *= 2)
        ::BitBlt(bufferDC.get(), filled, 0, std::min(filled, width - filled), firstHeight, bufferDC.get(), 0, 0,
                 SRCCOPY);
    for (int filled = firstHeight; filled < height; filled *= 2)
        ::BitBlt(bufferDC.get(), 0, filled, width, std::min(filled, height - filled), bufferDC.get(), 0, 0, SRCCOPY);
    CopyPiece(dc, bufferDC.get(), SkinRect{0, 0, width, height}, piece.dest);
    return true;
}

void CSkinImage::CopyPiece(HDC dc, HDC sourceDC, const SkinRect& source, const SkinRect& dest) const
{
    if (m_bHasAlpha) {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::AlphaBlend(dc, dest.left, dest.top, dest.Width(), dest.Height(), sourceDC, source.left, source.top,
                     source.Width(), source.Height(), blend);
    } else if (source.Width() == dest.Width() && source.Height() == dest.Height()) {
        ::BitBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), sourceDC, source.left, source.top, SRCCOPY);
    } else {
        ::StretchBlt(dc, dest.left, dest.top, dest.Width(), dest.Height(), sourceDC, source.left, source.top,
                     source.Width(), source.Height(), SRCCOPY);
    }
}

} // namespace tavrelin::skin
