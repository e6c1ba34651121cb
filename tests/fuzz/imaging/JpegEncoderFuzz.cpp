// Random sizes, qualities, capacities and pixels: the encoder must never
// touch memory outside its buffers, must succeed whenever the capacity holds
// the output, and must agree byte for byte with the plain reference.
#include "imaging/JpegEncoder.h"
#include "ReferenceJpegEncoder.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 7)
        return 0;
    const int width = 1 + (data[0] | (data[1] & 1) << 8) % 200;
    const int height = 1 + (data[2] | (data[3] & 1) << 8) % 200;
    const uint16_t quality = static_cast<uint16_t>(data[4] | data[5] << 8) % 160;
    const uint8_t capacityChoice = data[6];
    data += 7;
    size -= 7;

    // Pixels repeat the remaining input; an empty rest gives mid grey.
    const std::size_t stride = (3 * std::size_t(width) + 3) & ~std::size_t{3};
    const std::size_t pixelBytes = stride * height;
    auto pixels = std::make_unique<uint8_t[]>(pixelBytes);
    for (std::size_t i = 0; i < pixelBytes; ++i)
        pixels[i] = size == 0 ? 128 : data[i % size];

    const std::vector<uint8_t> expected = ReferenceEncodeJpeg(pixels.get(), width, height, quality);
    if (expected.size() > CJpegEncoder::MaxEncodedSize(width, height))
        std::abort();

    // Exactly sized heap buffers let AddressSanitizer catch any overrun.
    const std::size_t capacity = capacityChoice < 128
                                     ? expected.size() - std::min<std::size_t>(capacityChoice, expected.size())
                                     : CJpegEncoder::MaxEncodedSize(width, height);
    auto output = std::make_unique<uint8_t[]>(capacity == 0 ? 1 : capacity);
    std::size_t length = 0;
    CJpegEncoder encoder(quality);
    const bool encoded = encoder.Encode(pixels.get(), output.get(), capacity, width, height, length);
    if (encoded != (capacity >= expected.size()))
        std::abort();
    if (encoded) {
        if (length != expected.size() || std::memcmp(output.get(), expected.data(), length) != 0)
            std::abort();
        if (!WalkScan(expected, ((width + 15) / 16) * ((height + 15) / 16)).wellFormed)
            std::abort();
    }
    return 0;
}
