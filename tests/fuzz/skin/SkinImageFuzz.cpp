// Feeds arbitrary bytes to the readers of skin modules and images: the first
// byte picks the reader. Decoded images must hold exactly width x height
// pixels within the caps, premultiplied pixels never have a colour above
// their alpha, and nine-grid pieces stay inside their frame and destination.
#include "skin/SkinDibReader.h"
#include "skin/SkinImageAlpha.h"
#include "skin/SkinNineGrid.h"
#include "skin/SkinPngReader.h"
#include "skin/SkinResourceText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace tavrelin::skin;

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void CheckImage(std::optional<SkinPixels> pixels)
{
    if (!pixels)
        return;
    Check(SkinImageSizeAllowed(pixels->width, pixels->height));
    Check(pixels->argb.size() == static_cast<size_t>(pixels->width) * pixels->height);
    SkinAlphaNeedsBlending(*pixels);
    PremultiplySkinPixels(*pixels);
    for (const std::uint32_t pixel : pixels->argb) {
        const std::uint32_t alpha = SkinAlphaOf(pixel);
        Check(((pixel >> 16) & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha && (pixel & 0xFF) <= alpha);
    }
}

bool Inside(const SkinRect& inner, const SkinRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void CheckNineGrid(const std::uint8_t* data, size_t size)
{
    std::int16_t numbers[12] = {};
    std::memcpy(numbers, data, std::min(size, sizeof numbers));
    const SkinRect dest{numbers[0] % 512, numbers[1] % 512, numbers[2] % 512, numbers[3] % 512};
    const SkinRect source{0, 0, numbers[4] & 0x3FF, numbers[5] & 0x3FF};
    const SkinMargins margins{numbers[6], numbers[7], numbers[8], numbers[9]};
    const auto sizing = static_cast<ESkinSizing>(numbers[10] & 3);
    for (const SkinPiece& piece : LayoutSkinNineGrid(dest, source, margins, sizing, numbers[11] & 1)) {
        Check(!piece.source.IsEmpty() && !piece.dest.IsEmpty());
        Check(Inside(piece.source, source) && Inside(piece.dest, dest));
        const SkinRect visible{numbers[0] % 97, numbers[1] % 97, numbers[2] % 300, numbers[3] % 300};
        Check(Inside(RestrictSkinTiles(piece, visible).dest, piece.dest) ||
              RestrictSkinTiles(piece, visible).dest.IsEmpty());
        long tiles = 0;
        ForEachSkinTile(piece, [&](const SkinRect& from, const SkinRect& to) {
            Check(Inside(from, piece.source) && Inside(to, piece.dest) && ++tiles < 1'000'000);
        });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0] % 6;
    ++data;
    --size;
    switch (selector) {
    case 0:
        CheckImage(DecodeSkinPng(data, size));
        break;
    case 1:
        if (auto dib = DecodeSkinBmpFile(data, size))
            CheckImage(std::move(dib->pixels));
        break;
    case 2:
        if (auto dib = DecodeSkinDib(data, size))
            CheckImage(std::move(dib->pixels));
        break;
    case 3:
        FindSkinThemesIniPropertyName(data, size);
        break;
    case 4: {
        CSkinUtf16LineSource lines(data, size);
        std::string line;
        size_t total = 0;
        while (lines.ReadLine(line))
            Check((total += line.size() + 1) <= size);
        break;
    }
    default:
        CheckNineGrid(data, size);
        break;
    }
    return 0;
}
