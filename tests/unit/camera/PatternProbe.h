#pragma once
// Reads the virtual camera's frame counter back from a picture, through any
// pixel accessor, so unit and end-to-end tests can tell which frame is shown.
#include "camera/TestPattern.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace camera_test {

// The digits as the test expects to see them: 3 x 5 cells, row by row, "#" lit.
inline constexpr std::array<const char*, 10> kDigitShapes{
    "###"
    "#.#"
    "#.#"
    "#.#"
    "###",
    ".#."
    "##."
    ".#."
    ".#."
    "###",
    "###"
    "..#"
    "###"
    "#.."
    "###",
    "###"
    "..#"
    "###"
    "..#"
    "###",
    "#.#"
    "#.#"
    "###"
    "..#"
    "..#",
    "###"
    "#.."
    "###"
    "..#"
    "###",
    "###"
    "#.."
    "###"
    "#.#"
    "###",
    "###"
    "..#"
    "..#"
    "..#"
    "..#",
    "###"
    "#.#"
    "###"
    "#.#"
    "###",
    "###"
    "#.#"
    "###"
    "..#"
    "###",
};

inline bool IsLit(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) > 3 * 128; }

// pixelAt(x, y) gives 0xRRGGBB at top-down coordinates of a picture of the
// given height. Nullopt when a digit cell pattern is no digit.
template <typename PixelAt>
std::optional<std::uint32_t> ReadFrameCounter(PixelAt pixelAt, int height)
{
    const PatternLayout layout = LayoutFor(height);
    const int scale = layout.digitScale;
    std::uint32_t value = 0;
    for (int digit = 0; digit < 6; ++digit) {
        std::array<char, 16> shape{};
        for (int row = 0; row < 5; ++row)
            for (int column = 0; column < 3; ++column) {
                const int x = layout.counterLeft + digit * 4 * scale + column * scale + scale / 2;
                const int y = layout.counterTop + row * scale + scale / 2;
                shape[static_cast<size_t>(row * 3 + column)] = IsLit(pixelAt(x, y)) ? '#' : '.';
            }
        int found = -1;
        for (int candidate = 0; candidate < 10; ++candidate)
            if (std::string_view(shape.data(), 15) == kDigitShapes[static_cast<size_t>(candidate)])
                found = candidate;
        if (found < 0)
            return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(found);
    }
    return value;
}

} // namespace camera_test
