#include "skin/SkinDibReader.h"

#include <bit>
#include <initializer_list>
#include <span>

namespace tavrelin::skin {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;
constexpr size_t kMaskOffset = 40;

std::uint32_t ReadU32(const std::uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint16_t ReadU16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)); }

struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit ChannelMask(std::uint32_t value = 0) : mask(value)
    {
        if (value == 0)
            return;
        shift = std::countr_zero(value);
        bits = std::popcount(value);
    }

    // The channel scaled to 8 bits; an absent channel reads as 255.
    std::uint32_t Extract(std::uint32_t pixel) const
    {
        if (bits == 0)
            return 255;
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return value >> (bits - 8);
        return value * 255 / ((1u << bits) - 1);
    }
};

struct DibLayout {
    std::int64_t width = 0;
    std::int64_t height = 0; // rows; positive
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t paletteCount = 0;
    size_t paletteOffset = 0; // from the info header
    size_t pixelOffset = 0;   // from the info header
    size_t stride = 0;
    ChannelMask red, green, blue, alpha;
};

// Every writer makes a mask one run of bits; others would scale wrongly.
bool IsOneRun(const ChannelMask& channel)
{
    return channel.bits == 32 || (channel.mask >> channel.shift) == (1u << channel.bits) - 1;
}

bool MasksAreSane(const DibLayout& layout)
{
    for (const ChannelMask* channel : {&layout.red, &layout.green, &layout.blue}) {
        if (channel->bits == 0 || !IsOneRun(*channel))
            return false;
    }
    return layout.alpha.bits == 0 || IsOneRun(layout.alpha);
}

bool ReadMasks(const std::uint8_t* header, size_t size, std::uint32_t headerSize, DibLayout& layout)
{
    if (kMaskOffset + 12 > size)
        return false;
    layout.red = ChannelMask(ReadU32(header + kMaskOffset));
    layout.green = ChannelMask(ReadU32(header + kMaskOffset + 4));
    layout.blue = ChannelMask(ReadU32(header + kMaskOffset + 8));
    if (headerSize >= kV4HeaderSize)
        layout.alpha = ChannelMask(ReadU32(header + kMaskOffset + 12));
    else
        layout.alpha = ChannelMask(0xFF000000u & ~(layout.red.mask | layout.green.mask | layout.blue.mask));
    return MasksAreSane(layout);
}

// Reads the info header and works out where the colour table and the pixels
// lie; nothing about the size of the data is assumed yet.
std::optional<DibLayout> ReadLayout(const std::uint8_t* data, size_t size)
{
    if (size < kInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = ReadU32(data);
    if (headerSize != kInfoHeaderSize && headerSize != kV4HeaderSize && headerSize != kV5HeaderSize)
        return std::nullopt;
    if (headerSize > size)
        return std::nullopt;
    DibLayout layout;
    layout.width = static_cast<std::int32_t>(ReadU32(data + 4));
    const std::int64_t rawHeight = static_cast<std::int32_t>(ReadU32(data + 8));
    layout.topDown = rawHeight < 0;
    layout.height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::uint16_t planes = ReadU16(data + 12);
    layout.bitCount = ReadU16(data + 14);
    const std::uint32_t compression = ReadU32(data + 16);
    const std::uint32_t colorsUsed = ReadU32(data + 32);
    if (planes != 1 || !SkinImageSizeAllowed(layout.width, layout.height))
        return std::nullopt;
    const int bits = layout.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;

    size_t tableOffset = headerSize;
    if (compression == kCompressionBitfields) {
        if (bits != 32 || !ReadMasks(data, size, headerSize, layout))
            return std::nullopt;
        if (headerSize == kInfoHeaderSize)
            tableOffset += 12;
    } else if (compression == kCompressionRgb) {
        if (bits == 32) {
            layout.red = ChannelMask(0x00FF0000u);
            layout.green = ChannelMask(0x0000FF00u);
            layout.blue = ChannelMask(0x000000FFu);
            layout.alpha = ChannelMask(0xFF000000u);
        }
    } else {
        return std::nullopt;
    }

    const std::uint32_t maxColors = bits <= 8 ? (1u << bits) : 256u;
    if (colorsUsed > maxColors)
        return std::nullopt;
    layout.paletteCount = colorsUsed != 0 ? colorsUsed : (bits <= 8 ? maxColors : 0);
    layout.paletteOffset = tableOffset;
    layout.pixelOffset = tableOffset + static_cast<size_t>(layout.paletteCount) * 4;
    layout.stride = static_cast<size_t>((layout.width * bits + 31) / 32 * 4);
    return layout;
}

std::uint32_t PaletteColor(std::span<const std::uint8_t> palette, std::uint32_t index)
{
    if (static_cast<size_t>(index) * 4 + 4 > palette.size())
        return MakeSkinArgb(255, 0, 0, 0);
    const std::uint8_t* entry = palette.data() + index * 4;
    return MakeSkinArgb(255, entry[2], entry[1], entry[0]);
}

std::uint32_t DecodePixel(const DibLayout& layout, const std::uint8_t* row, std::int64_t x,
                          std::span<const std::uint8_t> palette)
{
    switch (layout.bitCount) {
    case 32: {
        const std::uint32_t word = ReadU32(row + x * 4);
        return MakeSkinArgb(layout.alpha.Extract(word), layout.red.Extract(word), layout.green.Extract(word),
                            layout.blue.Extract(word));
    }
    case 24:
        return MakeSkinArgb(255, row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: {
        const int bits = layout.bitCount;
        const std::int64_t bitPos = x * bits;
        const std::uint32_t byte = row[bitPos / 8];
        const int shift = 8 - bits - static_cast<int>(bitPos % 8);
        return PaletteColor(palette, (byte >> shift) & ((1u << bits) - 1));
    }
    }
}

std::optional<SkinDib> DecodePixels(const DibLayout& layout, std::span<const std::uint8_t> palette,
                                    std::span<const std::uint8_t> pixelBytes)
{
    if (pixelBytes.size() / layout.stride < static_cast<size_t>(layout.height))
        return std::nullopt;
    SkinDib dib;
    dib.bitCount = layout.bitCount;
    dib.pixels.width = static_cast<int>(layout.width);
    dib.pixels.height = static_cast<int>(layout.height);
    dib.pixels.hasAlphaChannel = layout.bitCount == 32;
    dib.pixels.argb.resize(static_cast<size_t>(layout.width * layout.height));
    for (std::int64_t y = 0; y < layout.height; ++y) {
        const std::int64_t sourceRow = layout.topDown ? y : layout.height - 1 - y;
        const std::uint8_t* row = pixelBytes.data() + sourceRow * layout.stride;
        std::uint32_t* out = dib.pixels.argb.data() + y * layout.width;
        for (std::int64_t x = 0; x < layout.width; ++x)
            out[x] = DecodePixel(layout, row, x, palette);
    }
    return dib;
}

} // namespace

std::optional<SkinDib> DecodeSkinDib(const std::uint8_t* data, size_t size)
{
    const std::optional<DibLayout> layout = ReadLayout(data, size);
    if (!layout || layout->pixelOffset > size)
        return std::nullopt;
    return DecodePixels(*layout, {data + layout->paletteOffset, layout->paletteCount * size_t{4}},
                        {data + layout->pixelOffset, size - layout->pixelOffset});
}

std::optional<SkinDib> DecodeSkinBmpFile(const std::uint8_t* data, size_t size)
{
    if (size < kFileHeaderSize || data[0] != 'B' || data[1] != 'M')
        return std::nullopt;
    const std::uint8_t* dib = data + kFileHeaderSize;
    const size_t dibSize = size - kFileHeaderSize;
    const std::optional<DibLayout> layout = ReadLayout(dib, dibSize);
    if (!layout)
        return std::nullopt;
    // The file header says where the pixels start; it may leave a gap after
    // the colour table, but must not point into it.
    const std::uint32_t pixelOffset = ReadU32(data + 10);
    if (pixelOffset < kFileHeaderSize + layout->pixelOffset || pixelOffset > size)
        return std::nullopt;
    return DecodePixels(*layout, {dib + layout->paletteOffset, layout->paletteCount * size_t{4}},
                        {data + pixelOffset, size - pixelOffset});
}

} // namespace tavrelin::skin
