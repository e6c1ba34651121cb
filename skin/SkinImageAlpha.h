#pragma once
// What a loaded image's alpha channel means for drawing, and premultiplying.

#include "skin/SkinPixels.h"

namespace tavrelin::skin {

// An image needs blending when some pixel is partly transparent, or when fully
// transparent pixels sit beside visible ones. All-opaque images and images
// whose alpha bytes are all 0 (a plain 32-bit picture) are drawn as opaque.
bool SkinAlphaNeedsBlending(const SkinPixels& pixels);

// Multiplies every colour channel by alpha / 255, rounded down.
void PremultiplySkinPixels(SkinPixels& pixels);

} // namespace tavrelin::skin
