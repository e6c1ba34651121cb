#include "gdiplus/GdiplusImage.h"

#include "win/Text.h"

#include <shlwapi.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <vector>

namespace gdiplus {
namespace Flat = Gdiplus::DllExports;
using Gdiplus::Ok;
using Gdiplus::Status;

namespace {

// {6AEDBD6D-3FB5-418A-83A6-7F45229DC872}: an animation's frames.
constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};
constexpr PROPID kFrameDelayTag = 0x5100;

} // namespace

void CImage::Disposer::operator()(Gdiplus::GpImage* image) const { Flat::GdipDisposeImage(image); }

bool CImage::Check(Status status) const
{
    if (status != Ok)
        m_status = status;
    return status == Ok;
}

CImage CImage::Load(const std::string& ansiPath)
{
    const std::wstring path = win::Widen(ansiPath);
    if (path.empty())
        return CImage(nullptr, Gdiplus::InvalidParameter);
    Gdiplus::GpImage* image = nullptr;
    const Status status = Flat::GdipLoadImageFromFile(path.c_str(), &image);
    return CImage(status == Ok ? image : nullptr, status);
}

CImage CImage::FromBytes(const void* bytes, size_t size)
{
    IStream* stream =
        size <= UINT_MAX ? ::SHCreateMemStream(static_cast<const BYTE*>(bytes), static_cast<UINT>(size)) : nullptr;
    if (!stream)
        return CImage(nullptr, Gdiplus::OutOfMemory);
    Gdiplus::GpImage* image = nullptr;
    const Status status = Flat::GdipLoadImageFromStream(stream, &image);
    stream->Release();
    return CImage(status == Ok ? image : nullptr, status);
}

CImage CImage::Clone() const
{
    if (!m_image)
        return CImage(nullptr, m_status);
    Gdiplus::GpImage* copy = nullptr;
    const Status status = Flat::GdipCloneImage(m_image.get(), &copy);
    return CImage(status == Ok ? copy : nullptr, status);
}

CImage CImage::Thumbnail(UINT width, UINT height) const
{
    if (!m_image)
        return CImage(nullptr, m_status);
    Gdiplus::GpImage* thumbnail = nullptr;
    const Status status = Flat::GdipGetImageThumbnail(m_image.get(), width, height, &thumbnail, nullptr, nullptr);
    return CImage(status == Ok ? thumbnail : nullptr, status);
}

std::optional<SIZE> CImage::Size() const
{
    UINT width = 0;
    UINT height = 0;
    if (!m_image || !Check(Flat::GdipGetImageWidth(m_image.get(), &width)) ||
        !Check(Flat::GdipGetImageHeight(m_image.get(), &height)))
        return std::nullopt;
    return SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
}

std::optional<UINT> CImage::FrameCount() const
{
    UINT dimensions = 0;
    if (!m_image || !Check(Flat::GdipImageGetFrameDimensionsCount(m_image.get(), &dimensions)) || dimensions == 0)
        return std::nullopt;
    std::vector<GUID> ids(dimensions);
    UINT count = 0;
    if (!Check(Flat::GdipImageGetFrameDimensionsList(m_image.get(), ids.data(), dimensions)) ||
        !Check(Flat::GdipImageGetFrameCount(m_image.get(), &ids[0], &count)))
        return std::nullopt;
    return count;
}

bool CImage::SelectFrame(UINT index)
{
    return m_image && Check(Flat::GdipImageSelectActiveFrame(m_image.get(), &kFrameDimensionTime, index));
}

std::optional<UINT> CImage::FrameDelay() const
{
    UINT size = 0;
    if (!m_image || !Check(Flat::GdipGetPropertyItemSize(m_image.get(), kFrameDelayTag, &size)) ||
        size < sizeof(Gdiplus::PropertyItem))
        return std::nullopt;
    // The item's value follows it in the same block.
    std::vector<std::uint64_t> block((size + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(block.data());
    if (!Check(Flat::GdipGetPropertyItem(m_image.get(), kFrameDelayTag, size, item)))
        return std::nullopt;
    const auto* begin = static_cast<const char*>(item->value);
    const char* blockEnd = reinterpret_cast<const char*>(block.data()) + size;
    if (!item->value || item->length < sizeof(UINT) || begin < reinterpret_cast<const char*>(block.data()) ||
        blockEnd - begin < static_cast<std::ptrdiff_t>(sizeof(UINT)))
        return std::nullopt;
    UINT delay = 0;
    std::memcpy(&delay, begin, sizeof delay);
    return delay;
}

bool CImage::Save(const std::string& ansiPath, const CLSID& encoder) const
{
    const std::wstring path = win::Widen(ansiPath);
    return m_image && !path.empty() && Check(Flat::GdipSaveImageToFile(m_image.get(), path.c_str(), &encoder, nullptr));
}

win::UniqueBitmap CImage::ToDibSection() const
{
    const std::optional<SIZE> size = Size();
    if (!size || size->cx <= 0 || size->cy <= 0)
        return {};
    // Straight (not premultiplied) colour, so a transparent pixel keeps the
    // colour a BMP file of the image would store for it.
    Gdiplus::ImageType type = Gdiplus::ImageTypeUnknown;
    if (!Check(Flat::GdipGetImageType(m_image.get(), &type)) || type != Gdiplus::ImageTypeBitmap)
        return {};
    Gdiplus::GpBitmap* source = nullptr;
    if (!Check(Flat::GdipCloneBitmapAreaI(0, 0, size->cx, size->cy, PixelFormat32bppARGB,
                                          static_cast<Gdiplus::GpBitmap*>(m_image.get()), &source)))
        return {};
    const std::unique_ptr<Gdiplus::GpImage, Disposer> sourceOwner(source);
    Gdiplus::BitmapData pixels{};
    const Gdiplus::GpRect all{0, 0, size->cx, size->cy};
    if (!Check(Flat::GdipBitmapLockBits(source, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &pixels)))
        return {};
    void* bits = nullptr;
    win::UniqueBitmap dib = CreateDibSection24(size->cx, size->cy, &bits);
    if (dib) {
        const size_t stride = (static_cast<size_t>(size->cx) * 3 + 3) & ~size_t{3};
        for (LONG y = 0; y < size->cy; ++y) {
            const auto* from = static_cast<const BYTE*>(pixels.Scan0) + static_cast<std::ptrdiff_t>(y) * pixels.Stride;
            BYTE* to = static_cast<BYTE*>(bits) + static_cast<size_t>(y) * stride;
            for (LONG x = 0; x < size->cx; ++x, from += 4, to += 3) {
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
    }
    Flat::GdipBitmapUnlockBits(source, &pixels);
    return dib;
}

bool CImage::Draw(HDC dc, const RECT& target) const
{
    if (!m_image)
        return false;
    Gdiplus::GpGraphics* graphics = nullptr;
    if (!Check(Flat::GdipCreateFromHDC(dc, &graphics)))
        return false;
    Flat::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
    const bool drawn = Check(Flat::GdipDrawImageRectI(graphics, m_image.get(), target.left, target.top,
                                                      target.right - target.left, target.bottom - target.top));
    Flat::GdipDeleteGraphics(graphics);
    return drawn;
}

win::UniqueBitmap CreateDibSection24(int width, int height, void** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    *bits = nullptr;
    win::UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
    if (!*bits)
        dib.reset();
    return dib;
}

int LookUpEncoder(const wchar_t* mimeType, CLSID* clsid)
{
    UINT count = 0;
    UINT bytes = 0;
    if (Flat::GdipGetImageEncodersSize(&count, &bytes) != Ok || count == 0 ||
        bytes < count * sizeof(Gdiplus::ImageCodecInfo))
        return -1;
    std::vector<std::uint64_t> block((bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
    if (Flat::GdipGetImageEncoders(count, bytes, encoders) != Ok)
        return -1;
    for (UINT index = 0; index < count; ++index) {
        if (encoders[index].MimeType && std::wcscmp(encoders[index].MimeType, mimeType) == 0) {
            *clsid = encoders[index].Clsid;
            return static_cast<int>(index);
        }
    }
    return -1;
}

CGdiplusSession::CGdiplusSession()
{
    const Gdiplus::GdiplusStartupInput input;
    m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Ok;
}

CGdiplusSession::~CGdiplusSession()
{
    if (m_started)
        Gdiplus::GdiplusShutdown(m_token);
}

} // namespace gdiplus
