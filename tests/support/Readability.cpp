#include "Readability.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace e2e {

double Luminance(COLORREF colour)
{
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) + 0.0722 * linear(GetBValue(colour));
}

TextColours ColoursOf(const ScreenImage& picture)
{
    std::map<COLORREF, int> counts;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x)
            ++counts[picture.Pixel(x, y)];
    }
    TextColours colours{};
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most)
            most = count, colours.background = colour;
    }
    colours.text = colours.background;
    for (const auto& [colour, count] : counts) {
        if (std::abs(Luminance(colour) - Luminance(colours.background)) >
            std::abs(Luminance(colours.text) - Luminance(colours.background)))
            colours.text = colour;
    }
    return colours;
}

double Contrast(const TextColours& colours)
{
    const double a = Luminance(colours.background) + 0.05, b = Luminance(colours.text) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

} // namespace e2e
