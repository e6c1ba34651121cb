#include "skin/SkinNineGrid.h"

#include "skin/SkinScreenInfo.h"

#include <algorithm>
#include <cstdint>

namespace tavrelin::skin {
namespace {

struct Span {
    int first = 0;
    int end = 0;
    int Size() const { return end - first; }
};

struct AxisCut {
    Span source[3];
    Span dest[3];
    bool tile = false;
};

int Clamp(int value, int limit) { return std::clamp(value, 0, std::max(limit, 0)); }

// Cuts one axis into near margin, middle and far margin, in source and destination.
AxisCut CutAxis(int sourceFirst, int sourceSize, int destFirst, int destSize, int nearMargin, int farMargin, bool tile,
                bool parityRule)
{
    int destNear = nearMargin;
    int destFar = farMargin;
    const int marginSum = nearMargin + farMargin;
    if (marginSum > 0 && (marginSum >= destSize || sourceSize == marginSum)) {
        destNear = SkinMulDiv(destSize, nearMargin, marginSum);
        destFar = destSize - destNear;
        if (parityRule && (destFar % 2) != (farMargin % 2))
            ++destFar;
        tile = false;
    }
    AxisCut cut;
    cut.tile = tile;
    const int sourceEnd = sourceFirst + sourceSize;
    const int destEnd = destFirst + destSize;
    cut.source[0] = {sourceFirst, sourceFirst + nearMargin};
    cut.source[1] = {sourceFirst + nearMargin, sourceEnd - farMargin};
    cut.source[2] = {sourceEnd - farMargin, sourceEnd};
    cut.dest[0] = {destFirst, destFirst + destNear};
    cut.dest[1] = {destFirst + destNear, destEnd - destFar};
    cut.dest[2] = {destEnd - destFar, destEnd};
    // The parity rule may make the far margin one pixel taller than a tiny
    // destination; nothing is painted outside the destination.
    for (Span& span : cut.dest)
        span.first = std::max(span.first, destFirst);
    return cut;
}

} // namespace

std::optional<SkinRect> SelectSkinFrame(int imageWidth, int imageHeight, int imageCount, bool vertical, int state)
{
    const int count = std::max(imageCount, 1);
    const int frameWidth = vertical ? imageWidth : imageWidth / count;
    const int frameHeight = vertical ? imageHeight / count : imageHeight;
    if (frameWidth < 1 || frameHeight < 1)
        return std::nullopt;
    const int index = state >= 1 && state <= count ? state - 1 : 0;
    if (vertical)
        return SkinRect{0, frameHeight * index, frameWidth, frameHeight * (index + 1)};
    return SkinRect{frameWidth * index, 0, frameWidth * (index + 1), frameHeight};
}

SkinRect PlaceSkinTrueSize(const SkinRect& rect, int frameWidth, int frameHeight, bool limitToRect, bool alignBottom)
{
    int width = frameWidth;
    int height = frameHeight;
    if (limitToRect) {
        width = std::min(width, rect.Width());
        height = std::min(height, rect.Height());
    }
    SkinRect placed;
    placed.left = std::max(rect.left, rect.left + (rect.Width() - width) / 2);
    placed.right = placed.left + width;
    if (alignBottom) {
        placed.bottom = rect.bottom;
        placed.top = rect.bottom - height;
    } else {
        placed.top = std::max(rect.top, rect.top + (rect.Height() - height) / 2);
        placed.bottom = placed.top + height;
    }
    return placed;
}

std::vector<SkinPiece> LayoutSkinNineGrid(const SkinRect& dest, const SkinRect& source, SkinMargins margins,
                                          ESkinSizing sizing, bool borderOnly)
{
    const int left = Clamp(margins.cxLeftWidth, source.Width());
    const int right = Clamp(margins.cxRightWidth, source.Width());
    const int top = Clamp(margins.cyTopHeight, source.Height());
    const int bottom = Clamp(margins.cyBottomHeight, source.Height());
    if (dest.IsEmpty() || source.IsEmpty() || top + bottom > source.Height() || left + right > source.Width())
        return {};
    const bool tile = sizing == ESkinSizing::Tile;
    const AxisCut columns = CutAxis(source.left, source.Width(), dest.left, dest.Width(), left, right, tile, false);
    const AxisCut rows = CutAxis(source.top, source.Height(), dest.top, dest.Height(), top, bottom, tile, true);

    std::vector<SkinPiece> pieces;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (borderOnly && row == 1 && column == 1)
                continue;
            SkinPiece piece;
            piece.source = {columns.source[column].first, rows.source[row].first, columns.source[column].end,
                            rows.source[row].end};
            piece.dest = {columns.dest[column].first, rows.dest[row].first, columns.dest[column].end,
                          rows.dest[row].end};
            if (piece.source.IsEmpty() || piece.dest.IsEmpty())
                continue;
            // Edges and the centre may tile; a one-pixel strip is always stretched.
            piece.tileX = columns.tile && column == 1 && piece.source.Width() > 1;
            piece.tileY = rows.tile && row == 1 && piece.source.Height() > 1;
            pieces.push_back(piece);
        }
    }
    return pieces;
}

namespace {

// Cuts [first, end) down to the tiles of size step that touch [low, high).
void RestrictAxis(int& first, int& end, int step, int low, int high)
{
    if (low > first)
        first = static_cast<int>(first + (std::int64_t{low} - first) / step * step);
    end = std::min(end, std::max(high, first));
}

} // namespace

SkinPiece RestrictSkinTiles(const SkinPiece& piece, const SkinRect& visible)
{
    SkinPiece restricted = piece;
    if (piece.tileX && piece.source.Width() > 0)
        RestrictAxis(restricted.dest.left, restricted.dest.right, piece.source.Width(), visible.left, visible.right);
    if (piece.tileY && piece.source.Height() > 0)
        RestrictAxis(restricted.dest.top, restricted.dest.bottom, piece.source.Height(), visible.top, visible.bottom);
    return restricted;
}

void ForEachSkinTile(const SkinPiece& piece,
                     const std::function<void(const SkinRect& source, const SkinRect& dest)>& draw)
{
    const int tileWidth = piece.tileX ? piece.source.Width() : piece.dest.Width();
    const int tileHeight = piece.tileY ? piece.source.Height() : piece.dest.Height();
    if (tileWidth <= 0 || tileHeight <= 0)
        return;
    for (int y = piece.dest.top; y < piece.dest.bottom; y += tileHeight) {
        const int height = std::min(tileHeight, piece.dest.bottom - y);
        for (int x = piece.dest.left; x < piece.dest.right; x += tileWidth) {
            const int width = std::min(tileWidth, piece.dest.right - x);
            SkinRect source = piece.source;
            if (piece.tileX)
                source.right = source.left + width;
            if (piece.tileY)
                source.bottom = source.top + height;
            draw(source, {x, y, x + width, y + height});
        }
    }
}

} // namespace tavrelin::skin
