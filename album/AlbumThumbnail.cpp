#include "album/AlbumThumbnail.h"

#include "album/ThumbnailCache.h"
#include "gdiplus/GdiplusImage.h"
#include "imaging/JpegEncoder.h"
#include "imaging/JpegThumbnail.h"

#include <cstring>
#include <optional>
#include <vector>

namespace {

// Larger files go to GDI+ alone, which need not hold them whole.
constexpr DWORD kMostBytesRead = 64u << 20;

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path)
{
    HANDLE opened = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const win::UniqueKernelHandle file(opened);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMostBytesRead)
        return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size())
        return std::nullopt;
    return bytes;
}

// A cached thumbnail is a small JPEG file image: a few kilobytes each.
constexpr uint16_t kCachedQuality = 85;
constexpr std::size_t kThumbnailStride = (3 * kThumbnailWidth + 3) & ~3;

std::optional<CThumbnailCache::SStamp> FileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return CThumbnailCache::SStamp{uint64_t{data.nFileSizeHigh} << 32 | data.nFileSizeLow,
                                   uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32 |
                                       data.ftLastWriteTime.dwLowDateTime};
}

// The thumbnail's rows are stored top-down; the encoder reads them bottom-up.
std::vector<uint8_t> EncodeThumbnail(HBITMAP thumbnail)
{
    DIBSECTION section{};
    if (::GetObjectA(thumbnail, sizeof section, &section) != sizeof section || section.dsBm.bmBitsPixel != 24 ||
        section.dsBm.bmWidth != kThumbnailWidth || section.dsBm.bmHeight != kThumbnailHeight)
        return {};
    const auto* rows = static_cast<const uint8_t*>(section.dsBm.bmBits);
    std::vector<uint8_t> bottomUp(kThumbnailStride * kThumbnailHeight);
    for (int y = 0; y < kThumbnailHeight; ++y)
        std::memcpy(&bottomUp[kThumbnailStride * (kThumbnailHeight - 1 - y)], rows + kThumbnailStride * y,
                    kThumbnailStride);
    std::vector<uint8_t> jpeg(CJpegEncoder::MaxEncodedSize(kThumbnailWidth, kThumbnailHeight));
    std::size_t length = 0;
    if (!CJpegEncoder(kCachedQuality)
             .Encode(bottomUp.data(), jpeg.data(), jpeg.size(), kThumbnailWidth, kThumbnailHeight, length))
        return {};
    jpeg.resize(length);
    return jpeg;
}

win::UniqueBitmap DecodeThumbnail(const std::vector<uint8_t>& jpeg)
{
    const std::optional<std::vector<uint8_t>> pixels =
        JpegThumbnail(jpeg.data(), jpeg.size(), kThumbnailWidth, kThumbnailHeight);
    void* bits = nullptr;
    win::UniqueBitmap thumbnail;
    if (pixels && pixels->size() == kThumbnailStride * kThumbnailHeight &&
        (thumbnail = gdiplus::CreateDibSection24(kThumbnailWidth, kThumbnailHeight, &bits)))
        std::memcpy(bits, pixels->data(), pixels->size());
    return thumbnail;
}

} // namespace

win::UniqueBitmap MakeRememberedThumbnail(const std::string& picturePath, const std::string& name,
                                          CThumbnailCache& cache, std::unique_lock<std::mutex>& fileLock)
{
    const std::optional<CThumbnailCache::SStamp> stamp = FileStamp(picturePath);
    if (!stamp)
        return {};
    if (const std::optional<CThumbnailCache::SThumbnail> cached = cache.Find(name, *stamp)) {
        if (!cached->readable)
            return {};
        if (win::UniqueBitmap thumbnail = DecodeThumbnail(cached->jpeg))
            return thumbnail;
    }
    win::UniqueBitmap thumbnail = MakeAlbumThumbnail(picturePath, fileLock);
    const std::vector<uint8_t> jpeg = thumbnail ? EncodeThumbnail(thumbnail.get()) : std::vector<uint8_t>();
    if (!thumbnail || !jpeg.empty())
        cache.Store(name, *stamp, {!jpeg.empty(), jpeg});
    return thumbnail;
}

win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath)
{
    std::mutex unshared;
    std::unique_lock<std::mutex> held(unshared);
    return MakeAlbumThumbnail(picturePath, held);
}

win::UniqueBitmap MakeAlbumThumbnail(const std::string& picturePath, std::unique_lock<std::mutex>& fileLock)
{
    // Made from the JPEG file's coefficients, without decoding the whole
    // picture: several times faster than GDI+, which takes what our decoder
    // does not (progressive files, other formats under a .jpg name) and
    // keeps the file open while it reads.
    const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(picturePath);
    if (bytes) {
        fileLock.unlock();
        const std::optional<std::vector<uint8_t>> pixels =
            JpegThumbnail(bytes->data(), bytes->size(), kThumbnailWidth, kThumbnailHeight);
        void* bits = nullptr;
        win::UniqueBitmap thumbnail;
        if (pixels && (thumbnail = gdiplus::CreateDibSection24(kThumbnailWidth, kThumbnailHeight, &bits))) {
            std::memcpy(bits, pixels->data(), pixels->size());
            return thumbnail;
        }
        fileLock.lock();
    }
    return gdiplus::CImage::Load(picturePath).Thumbnail(kThumbnailWidth, kThumbnailHeight).ToDibSection();
}

win::UniqueBitmap MakeBlankThumbnail()
{
    void* bits = nullptr;
    win::UniqueBitmap blank = gdiplus::CreateDibSection24(kThumbnailWidth, kThumbnailHeight, &bits);
    if (blank)
        std::memset(bits, 0xFF, static_cast<size_t>(kThumbnailWidth) * 3 * kThumbnailHeight);
    return blank;
}
