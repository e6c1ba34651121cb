#pragma once
// Whether text on the screen can be read: the colours of a piece of text
// as it shows, and their contrast by the accessibility guidelines' formula.
#include "ScreenImage.h"

#include <windows.h>

namespace e2e {

// Relative luminance, 0 (black) to 1 (white).
double Luminance(COLORREF colour);

struct TextColours {
    COLORREF background;
    COLORREF text;
};

// The most common colour of the picture, and the one furthest from it in
// lightness: the background and the text of a piece of text.
TextColours ColoursOf(const ScreenImage& picture);

// 1 to 21; text reads well from 4.5.
double Contrast(const TextColours& colours);

} // namespace e2e
