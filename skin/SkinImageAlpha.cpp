#include "skin/SkinImageAlpha.h"

namespace tavrelin::skin {

bool SkinImageSizeAllowed(std::int64_t width, std::int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxSkinImageSide && height <= kMaxSkinImageSide &&
           width * height <= kMaxSkinImagePixels;
}

bool SkinAlphaNeedsBlending(const SkinPixels& pixels)
{
    bool bSeenTransparent = false;
    bool bSeenVisible = false;
    for (const std::uint32_t pixel : pixels.argb) {
        const std::uint32_t alpha = SkinAlphaOf(pixel);
        if (alpha != 0 && alpha != 255)
            return true;
        (alpha == 0 ? bSeenTransparent : bSeenVisible) = true;
        if (bSeenTransparent && bSeenVisible)
            return true;
    }
    return false;
}

void PremultiplySkinPixels(SkinPixels& pixels)
{
    for (std::uint32_t& pixel : pixels.argb) {
        const std::uint32_t alpha = SkinAlphaOf(pixel);
        const auto scale = [alpha](std::uint32_t channel) { return channel * alpha / 255; };
        pixel = MakeSkinArgb(alpha, scale((pixel >> 16) & 0xFF), scale((pixel >> 8) & 0xFF), scale(pixel & 0xFF));
    }
}

} // namespace tavrelin::skin
