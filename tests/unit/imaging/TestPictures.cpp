#include "TestPictures.h"

#include "imaging/JpegEncoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

SPicture MakePicture(int width, int height, EPattern pattern, unsigned seed)
{
    SPicture picture{width, height, {}};
    picture.bits.assign(picture.Stride() * height, 0);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.At(x, y);
            switch (pattern) {
            case EPattern::Grey:
                pixel[0] = pixel[1] = pixel[2] = 128;
                break;
            case EPattern::Photo: {
                // Smooth shading with mild grain, as a camera delivers it.
                const double fx = x / 320.0, fy = y / 240.0;
                const int grain = int(random() % 7) - 3;
                pixel[0] = uint8_t(std::clamp(int(90 + 80 * std::sin(6 * fx + 2 * fy)) + grain, 0, 255));
                pixel[1] = uint8_t(std::clamp(int(120 + 70 * std::cos(4 * fy - 3 * fx)) + grain, 0, 255));
                pixel[2] = uint8_t(std::clamp(int(140 + 90 * fx * fy) + grain, 0, 255));
                break;
            }
            case EPattern::Edges: {
                // Saturated colour bars crossed by a black and white stripe.
                static const uint8_t kBars[6][3] = {{0, 0, 255},   {0, 255, 0},   {255, 0, 0},
                                                    {0, 255, 255}, {255, 0, 255}, {255, 255, 255}};
                const uint8_t* bar = kBars[(x / 13 + y / 29) % 6];
                const bool stripe = (y / 7) % 5 == 0;
                for (int c = 0; c < 3; ++c)
                    pixel[c] = stripe ? uint8_t((x / 5) % 2 ? 255 : 0) : bar[c];
                break;
            }
            case EPattern::GreyEdges: {
                // Hard light and dark blocks: edges in luminance only.
                const bool light = ((x / 13 + y / 29) % 2 == 0) != ((y / 7) % 5 == 0 && (x / 5) % 2 == 1);
                pixel[0] = pixel[1] = pixel[2] = light ? 230 : 20;
                break;
            }
            case EPattern::Noise:
                for (int c = 0; c < 3; ++c)
                    pixel[c] = uint8_t(random());
                break;
            }
        }
    return picture;
}

SPicture MakeGrey(int width, int height, uint8_t level)
{
    SPicture picture = MakePicture(width, height, EPattern::Grey);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.At(x, y)[0] = picture.At(x, y)[1] = picture.At(x, y)[2] = level;
    return picture;
}

// An 8 x 8 grey pattern whose coefficient (0, 7) quantises to 1024 at
// quality 100; the baseline tables have no AC code for that category.
SPicture ExtremeCoefficientPicture()
{
    static const uint8_t kLevels[64] = {255, 0, 255, 0, 255, 0, 252, 0, 253, 0, 255, 0, 255, 0, 255, 0,
                                        255, 0, 255, 0, 255, 0, 255, 2, 255, 0, 255, 0, 255, 0, 252, 0,
                                        255, 0, 255, 0, 255, 0, 255, 2, 255, 1, 255, 0, 255, 0, 253, 0,
                                        255, 0, 255, 0, 255, 0, 252, 0, 255, 1, 255, 0, 255, 0, 253, 0};
    SPicture picture = MakeGrey(8, 8, 0);
    for (int i = 0; i < 64; ++i)
        std::fill_n(picture.At(i % 8, i / 8), 3, kLevels[i]);
    return picture;
}

std::vector<uint8_t> EncodeToVector(const SPicture& picture, uint16_t quality)
{
    return EncodeToVector(picture, quality, DefaultJpegPath());
}

std::vector<uint8_t> EncodeToVector(const SPicture& picture, uint16_t quality, const SJpegPath& path)
{
    CJpegEncoder encoder(quality, path);
    std::vector<uint8_t> output(CJpegEncoder::MaxEncodedSize(picture.width, picture.height));
    std::size_t length = 0;
    if (!encoder.Encode(picture.bits.data(), output.data(), output.size(), picture.width, picture.height, length))
        return {};
    output.resize(length);
    return output;
}

namespace {

void PutLe(std::vector<uint8_t>& bytes, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

std::vector<uint8_t> BmpFileBytes(const SPicture& picture)
{
    std::vector<uint8_t> bytes = {'B', 'M'};
    const uint32_t imageSize = uint32_t(picture.bits.size());
    PutLe(bytes, 54 + imageSize, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, uint32_t(picture.width), 4);
    PutLe(bytes, uint32_t(picture.height), 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    PutLe(bytes, 0, 4);
    PutLe(bytes, imageSize, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 0, 4);
    bytes.insert(bytes.end(), picture.bits.begin(), picture.bits.end());
    return bytes;
}

std::string TempPath(const std::string& name)
{
#ifdef _WIN32
    const char* folder = std::getenv("TEMP");
    return std::string(folder ? folder : ".") + "\\tavrelin-imaging-" + name;
#else
    return "/tmp/tavrelin-imaging-" + std::to_string(::getpid()) + "-" + name;
#endif
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool FileExists(const std::string& path) { return static_cast<bool>(std::ifstream(path)); }

double Psnr(const SPicture& picture, const std::vector<uint8_t>& rgb)
{
    double squares = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const double diff = double(picture.At(x, y)[2 - c]) - rgb[(std::size_t(y) * picture.width + x) * 3 + c];
                squares += diff * diff;
            }
    const double mse = squares / (3.0 * picture.width * picture.height);
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}
