#pragma once
// Decoded skin image pixels: 32-bit words 0xAARRGGBB, rows top-down, which is
// the memory layout of a 32-bit top-down DIB section on a little-endian machine.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavrelin::skin {

// Skin images are small pictures; these caps keep a hostile header from asking
// for gigabytes before a single row is read.
constexpr int kMaxSkinImageSide = 16384;
constexpr std::int64_t kMaxSkinImagePixels = std::int64_t{1} << 24;

struct SkinPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb; // width * height words, top row first
    // The source carried a fourth channel (32-bit bitmap, PNG with alpha).
    bool hasAlphaChannel = false;

    std::uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

constexpr std::uint32_t SkinAlphaOf(std::uint32_t argb) { return argb >> 24; }

constexpr std::uint32_t MakeSkinArgb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

// True when width and height are positive and within the caps.
bool SkinImageSizeAllowed(std::int64_t width, std::int64_t height);

} // namespace tavrelin::skin
