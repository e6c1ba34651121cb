#pragma once
// Geometry of drawing a skin image: which frame of an image a state shows,
// where a true-size image sits, and how a frame is cut into nine pieces for a
// destination. Portable, so that the rules are tested without a screen.

#include "skin/SkinTypes.h"

#include <functional>
#include <optional>
#include <vector>

namespace tavrelin::skin {

struct SkinRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool operator==(const SkinRect&) const = default;
};

enum class ESkinSizing : int {
    TrueSize = 0,
    Stretch = 1,
    Tile = 2,
};

// The frame a state shows: state s (from 1) shows frame s - 1; state 0 and
// states past the count show the first. Counts below 1 count as 1. Nothing
// when the image is smaller than one pixel per frame.
std::optional<SkinRect> SelectSkinFrame(int imageWidth, int imageHeight, int imageCount, bool vertical, int state);

// Where a true-size frame of frameWidth x frameHeight lands in rect: centred,
// never left of or above the rect, or bottom-aligned; with limitToRect each
// dimension is at most the rect's.
SkinRect PlaceSkinTrueSize(const SkinRect& rect, int frameWidth, int frameHeight, bool limitToRect, bool alignBottom);

struct SkinPiece {
    SkinRect source;
    SkinRect dest;
    bool tileX = false;
    bool tileY = false;
};

// The pieces of a nine-grid draw in drawing order (corners, edges, centre).
// Margins are clamped to 0 and the source size; nothing is drawn when the
// source is smaller than its margins or the destination is empty. A squeezed
// destination shares its height (width) between the margins in proportion,
// and then nothing is tiled in that direction. Pieces of no size are left out.
std::vector<SkinPiece> LayoutSkinNineGrid(const SkinRect& dest, const SkinRect& source, SkinMargins margins,
                                          ESkinSizing sizing, bool borderOnly);

// The same tiled piece cut down to the tiles that touch visible (a device
// context's clip box), so that a huge destination costs only what is seen.
// Tiles keep their grid; stretched directions keep their whole extent.
SkinPiece RestrictSkinTiles(const SkinPiece& piece, const SkinRect& visible);

// Lays tiles of the source's size from the destination's top-left corner; the
// last row and column are clipped, their source by the same amount.
void ForEachSkinTile(const SkinPiece& piece,
                     const std::function<void(const SkinRect& source, const SkinRect& dest)>& draw);

} // namespace tavrelin::skin
