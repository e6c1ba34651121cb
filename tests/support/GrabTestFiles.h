#pragma once
// Reading back what the grab and the BMP writer made, and leaving BMP files
// with the pixels they should hold for the ImageMagick check that runs after
// the Windows tests.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace grabtest {

// A picture as 0xRRGGBB values, top-down.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

std::uint32_t ToRgb(COLORREF colour);

// The pixels of a 24-bit DIB section, read straight from its memory.
std::optional<Picture> SectionPicture(HBITMAP bitmap);

// The fields and bytes of a BMP file as our own reader finds them.
struct BmpFile {
    std::vector<std::uint8_t> bytes;
    std::uint32_t U16(size_t offset) const { return bytes[offset] | bytes[offset + 1] << 8; }
    std::uint32_t U32(size_t offset) const { return U16(offset) | U16(offset + 2) << 16; }
};
std::optional<BmpFile> ReadFile(const std::string& path);
// A 24-bit bottom-up BMP file's pixels; nullopt for anything else.
std::optional<Picture> Bmp24Picture(const BmpFile& file);

// "Z:\..." for a Unix path, as Wine maps it.
std::string WindowsPath(const std::string& unixPath);

// The folder the check script reads; emptied by the first call of the run.
std::string OutputFolder(const std::string& unixFolder);

// NAME.expect beside NAME.bmp: the size and every pixel (or the pixels at
// the given points) that ImageMagick must find.
struct Expectation {
    int width;
    int height;
    std::vector<std::string> lines;
    void Pixel(int x, int y, std::uint32_t rgb);
    void Count(std::uint32_t rgb, size_t count);
    void AllPixels(const Picture& picture);
};
bool WriteExpectation(const std::string& bmpPath, const Expectation& expectation);

} // namespace grabtest
