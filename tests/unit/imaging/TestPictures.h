// Pictures, BMP files and JPEG helpers shared by the imaging tests.
#pragma once

#include "imaging/JpegPaths.h"

#include <cstdint>
#include <string>
#include <vector>

enum class EPattern { Grey, Photo, Edges, GreyEdges, Noise };

// A 24-bit bottom-up bitmap as the encoder reads it.
struct SPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bits;

    std::size_t Stride() const { return (3 * std::size_t(width) + 3) & ~std::size_t{3}; }
    // Pixel (x, y), y counted from the top: blue, green, red.
    uint8_t* At(int x, int y) { return bits.data() + (height - 1 - y) * Stride() + 3 * x; }
    const uint8_t* At(int x, int y) const { return bits.data() + (height - 1 - y) * Stride() + 3 * x; }
};

SPicture MakePicture(int width, int height, EPattern pattern, unsigned seed = 1);
SPicture MakeGrey(int width, int height, uint8_t level);
// An 8 x 8 grey pattern whose coefficient (0, 7) quantises to 1024 at
// quality 100, one more than the baseline AC tables can code.
SPicture ExtremeCoefficientPicture();

std::vector<uint8_t> EncodeToVector(const SPicture& picture, uint16_t quality);
std::vector<uint8_t> EncodeToVector(const SPicture& picture, uint16_t quality, const SJpegPath& path);

// A BMP file of the picture with a 40-byte header and no colour table.
std::vector<uint8_t> BmpFileBytes(const SPicture& picture);

std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// Peak signal-to-noise ratio of a decoded RGB picture (top-down, red first)
// against the picture.
double Psnr(const SPicture& picture, const std::vector<uint8_t>& rgb);
