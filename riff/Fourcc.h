#pragma once
// Four-character codes as RIFF files store them: the first letter in the
// lowest byte.

#include <cstdint>

constexpr std::uint32_t MakeFourcc(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(a)) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(d)) << 24;
}

// The Motion-JPEG codec: ours, and every other that the album plays.
inline constexpr std::uint32_t kFourccMotionJpeg = MakeFourcc('M', 'J', 'P', 'G');

// Codec handlers are matched without regard to letter case ("mjpg" is "MJPG"),
// as the platform's codec look-up does; only ASCII letters fold.
constexpr bool SameFourccIgnoringCase(std::uint32_t first, std::uint32_t second)
{
    for (int shift = 0; shift < 32; shift += 8) {
        auto fold = [](std::uint32_t letter) { return letter >= 'a' && letter <= 'z' ? letter - 32 : letter; };
        if (fold(first >> shift & 0xFF) != fold(second >> shift & 0xFF))
            return false;
    }
    return true;
}
