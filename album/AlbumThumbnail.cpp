#include "album/AlbumThumbnail.h"

#include "gdiplus/GdiplusImage.h"
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

} // namespace

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
