#pragma once
// The virtual camera's picture: a test card that moves, so that a still and a
// video both show whether the picture is live. Portable, so it can be checked
// natively.
#include <cstddef>
#include <cstdint>
#include <vector>

enum class TestPicture { ColourBars, Gradient, Checkerboard };
inline constexpr int kTestPictureCount = 3;

// The picture's name as the source dialog lists it.
const char* TestPictureName(TestPicture picture);

// Bytes per row of a 24-bit bitmap: rows are padded to whole 32-bit words.
std::size_t BgrStride(int width);

// The eight bars of the colour-bar picture, left to right, as 0xRRGGBB.
inline constexpr std::uint32_t kColourBars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                                 0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};

// Where the moving square and the frame counter lie, in top-down pixel
// coordinates, so that tests can look at them.
struct PatternLayout {
    int squareSize;
    int squareTop;
    int counterLeft;
    int counterTop;
    int digitScale; // one font cell of the 3 x 5 digits is this many pixels square
};
PatternLayout LayoutFor(int height);
// The moving square's left edge in the given frame.
int SquareLeft(int width, int height, std::uint32_t frameNumber);

// Renders one frame as a bottom-up, 24-bit BGR bitmap of BgrStride(width) *
// height bytes into `pixels` (resized as needed). Sizes below 1 give an empty
// buffer.
void RenderTestPattern(TestPicture picture, int width, int height, std::uint32_t frameNumber,
                       std::vector<std::uint8_t>& pixels);
