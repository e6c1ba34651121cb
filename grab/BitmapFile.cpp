#include "grab/BitmapFile.h"

#include "win/UniqueHandle.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Planes x bits per pixel rounded up to a depth a DIB can have.
std::uint32_t ColourBits(std::uint32_t planes, std::uint32_t bitsPerPixel)
{
    const std::uint32_t bits = planes * bitsPerPixel;
    for (const std::uint32_t depth : {1u, 4u, 8u, 16u, 24u}) {
        if (bits <= depth)
            return depth;
    }
    return 32;
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size)
{
    for (int index = 0; index < size; ++index)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool WriteParts(HANDLE file, const CBitmapInfoBlock& block, std::span<const std::uint8_t> pixels)
{
    return WriteAll(file, BuildFileHeader(block)) && WriteAll(file, block.Bytes()) && WriteAll(file, pixels);
}

// The whole file must fit in the format's 32-bit size field.
constexpr std::uint64_t kMaxImageSize = std::numeric_limits<std::int32_t>::max() - 2048;

} // namespace

CBitmapInfoBlock::CBitmapInfoBlock(std::uint32_t colourEntries)
    : m_nColourEntries(colourEntries), m_vecWords((sizeof(BITMAPINFOHEADER) + 4 * std::size_t{colourEntries}) / 4, 0)
{}

std::span<const std::uint8_t> CBitmapInfoBlock::Bytes() const
{
    const std::size_t size = sizeof(BITMAPINFOHEADER) + 4 * std::size_t{m_nColourEntries};
    return {reinterpret_cast<const std::uint8_t*>(m_vecWords.data()), size};
}

std::optional<CBitmapInfoBlock> BuildBitmapInfo(HBITMAP bitmap)
{
    BITMAP description{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof description, &description) != sizeof description)
        return std::nullopt;
    const std::uint32_t colourBits = ColourBits(description.bmPlanes, description.bmBitsPixel);
    // Only indexed depths have a colour table: 16-bit pixels carry their own
    // colours, and a 65536-entry table would be 256 KB of zeros.
    const std::uint32_t colours = colourBits <= 8 ? 1u << colourBits : 0;
    const std::uint64_t width = static_cast<std::uint64_t>(std::llabs(description.bmWidth));
    const std::uint64_t height = static_cast<std::uint64_t>(std::llabs(description.bmHeight));
    const std::uint64_t imageSize = ((width * colourBits + 31) & ~std::uint64_t{31}) / 8 * height;
    if (width == 0 || height == 0 || imageSize > kMaxImageSize)
        return std::nullopt;

    CBitmapInfoBlock block(colours);
    BITMAPINFOHEADER& header = block.Header();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = static_cast<LONG>(width);
    header.biHeight = static_cast<LONG>(height);
    header.biPlanes = description.bmPlanes;
    header.biBitCount = description.bmBitsPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(imageSize);
    header.biClrUsed = colours;
    return block;
}

std::vector<std::uint8_t> BuildFileHeader(const CBitmapInfoBlock& block)
{
    const std::uint32_t pixelOffset = kBmpFileHeaderSize + static_cast<std::uint32_t>(block.Bytes().size());
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kBmpFileHeaderSize);
    PutLittleEndian(bytes, 0x4D42, 2);
    PutLittleEndian(bytes, pixelOffset + block.Header().biSizeImage, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, pixelOffset, 4);
    return bytes;
}

bool WriteBitmapFile(const std::string& path, CBitmapInfoBlock& block, HBITMAP bitmap, HDC dc)
{
    BITMAPINFOHEADER& header = block.Header();
    const DWORD imageSize = header.biSizeImage;
    std::vector<std::uint8_t> pixels(imageSize);
    const int lines =
        ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(header.biHeight), pixels.data(), block.Info(), DIB_RGB_COLORS);
    if (lines != header.biHeight || header.biCompression != BI_RGB)
        return false;
    // The platform may rewrite these two; the file must describe what it holds.
    header.biSizeImage = imageSize;
    header.biClrUsed = block.ColourEntries();
    win::UniqueKernelHandle file(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    if (WriteParts(file.get(), block, pixels))
        return true;
    // A cut-off picture would be turned into a JPEG as if it were whole.
    file.reset();
    ::DeleteFileA(path.c_str());
    return false;
}

bool SaveBitmapFile(HBITMAP bitmap, const std::string& path, HWND window)
{
    std::optional<CBitmapInfoBlock> block = BuildBitmapInfo(bitmap);
    if (!block)
        return false;
    const win::WindowDC dc(window);
    if (!dc)
        return false;
    return WriteBitmapFile(path, *block, bitmap, dc.get());
}
