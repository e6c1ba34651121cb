#include "camera/TestPattern.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCounterDigits = 6;
constexpr int kSquareStep = 4; // pixels per frame

// Digits 0-9 in a 3 x 5 font: one row per entry, bit 2 is the left column.
constexpr std::array<std::array<std::uint8_t, 5>, 10> kDigitFont{{
    {7, 5, 5, 5, 7},
    {2, 6, 2, 2, 7},
    {7, 1, 7, 4, 7},
    {7, 1, 7, 1, 7},
    {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7},
    {7, 4, 7, 5, 7},
    {7, 1, 1, 1, 1},
    {7, 5, 7, 5, 7},
    {7, 5, 7, 1, 7},
}};

class CCanvas {
public:
    CCanvas(int width, int height, std::vector<std::uint8_t>& pixels)
        : m_width(width), m_height(height), m_stride(BgrStride(width)), m_pixels(pixels)
    {}

    // Top-down coordinates; anything outside the picture is clipped.
    void Put(int x, int y, std::uint32_t rgb)
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        std::uint8_t* pixel =
            &m_pixels[static_cast<std::size_t>(m_height - 1 - y) * m_stride + static_cast<std::size_t>(x) * 3];
        pixel[0] = static_cast<std::uint8_t>(rgb);
        pixel[1] = static_cast<std::uint8_t>(rgb >> 8);
        pixel[2] = static_cast<std::uint8_t>(rgb >> 16);
    }

    void Fill(int left, int top, int width, int height, std::uint32_t rgb)
    {
        for (int y = std::max(top, 0); y < std::min(top + height, m_height); ++y)
            for (int x = std::max(left, 0); x < std::min(left + width, m_width); ++x)
                Put(x, y, rgb);
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    std::size_t m_stride;
    std::vector<std::uint8_t>& m_pixels;
};

std::uint32_t Rgb(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xFF) << 16 | static_cast<std::uint32_t>(green & 0xFF) << 8 |
           static_cast<std::uint32_t>(blue & 0xFF);
}

void DrawColourBars(CCanvas& canvas)
{
    for (int x = 0; x < canvas.Width(); ++x) {
        const std::uint32_t bar = kColourBars[x * 8 / canvas.Width()];
        for (int y = 0; y < canvas.Height(); ++y)
            canvas.Put(x, y, bar);
    }
}

void DrawGradient(CCanvas& canvas)
{
    const int width = std::max(canvas.Width() - 1, 1);
    const int height = std::max(canvas.Height() - 1, 1);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            canvas.Put(x, y, Rgb(x * 255 / width, y * 255 / height, 255 - x * 255 / width));
}

void DrawCheckerboard(CCanvas& canvas)
{
    const int cell = std::max(canvas.Width() / 8, 1);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            canvas.Put(x, y, ((x / cell + y / cell) % 2) ? 0x202020 : 0xE0E0E0);
}

void DrawDigit(CCanvas& canvas, int left, int top, int scale, int digit)
{
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 3; ++column)
            if (kDigitFont[static_cast<std::size_t>(digit)][static_cast<std::size_t>(row)] & (4 >> column))
                canvas.Fill(left + column * scale, top + row * scale, scale, scale, 0xFFFFFF);
}

// Six digits, white on a black plate, so they read on every picture.
void DrawCounter(CCanvas& canvas, const PatternLayout& layout, std::uint32_t frameNumber)
{
    const int scale = layout.digitScale;
    const int advance = 4 * scale;
    canvas.Fill(layout.counterLeft - scale, layout.counterTop - scale, kCounterDigits * advance + scale, 7 * scale,
                0x000000);
    std::uint32_t value = frameNumber % 1000000;
    for (int index = kCounterDigits - 1; index >= 0; --index) {
        DrawDigit(canvas, layout.counterLeft + index * advance, layout.counterTop, scale, static_cast<int>(value % 10));
        value /= 10;
    }
}

void DrawSquare(CCanvas& canvas, const PatternLayout& layout, int left)
{
    const int size = layout.squareSize;
    const int border = std::max(size / 8, 1);
    canvas.Fill(left, layout.squareTop, size, size, 0x000000);
    canvas.Fill(left + border, layout.squareTop + border, size - 2 * border, size - 2 * border, 0xFFFFFF);
}

} // namespace

const char* TestPictureName(TestPicture picture)
{
    switch (picture) {
    case TestPicture::ColourBars:
        return "Colour bars";
    case TestPicture::Gradient:
        return "Gradient";
    case TestPicture::Checkerboard:
        return "Checkerboard";
    }
    return "";
}

std::size_t BgrStride(int width)
{
    if (width < 1)
        return 0;
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

PatternLayout LayoutFor(int height)
{
    PatternLayout layout{};
    layout.squareSize = std::max(height / 6, 2);
    layout.squareTop = height * 2 / 3;
    layout.digitScale = std::max(height / 60, 1);
    layout.counterLeft = 2 * layout.digitScale;
    layout.counterTop = 2 * layout.digitScale;
    return layout;
}

int SquareLeft(int width, int height, std::uint32_t frameNumber)
{
    const int travel = width - LayoutFor(height).squareSize;
    if (travel <= 0)
        return 0;
    // Back and forth across the picture: a triangle wave over twice the travel.
    const int phase = static_cast<int>((static_cast<std::uint64_t>(frameNumber) * kSquareStep) %
                                       (2 * static_cast<std::uint64_t>(travel)));
    return phase <= travel ? phase : 2 * travel - phase;
}

void RenderTestPattern(TestPicture picture, int width, int height, std::uint32_t frameNumber,
                       std::vector<std::uint8_t>& pixels)
{
    if (width < 1 || height < 1) {
        pixels.clear();
        return;
    }
    pixels.assign(BgrStride(width) * static_cast<std::size_t>(height), 0);
    CCanvas canvas(width, height, pixels);
    switch (picture) {
    case TestPicture::ColourBars:
        DrawColourBars(canvas);
        break;
    case TestPicture::Gradient:
        DrawGradient(canvas);
        break;
    case TestPicture::Checkerboard:
        DrawCheckerboard(canvas);
        break;
    }
    const PatternLayout layout = LayoutFor(height);
    DrawSquare(canvas, layout, SquareLeft(width, height, frameNumber));
    DrawCounter(canvas, layout, frameNumber);
}
