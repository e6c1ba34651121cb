#include "ScreenImage.h"

#include "Handles.h"
#include "WindowQuery.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <utility>

namespace e2e {
namespace {

BITMAPINFOHEADER InfoHeader(int width, int height)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

} // namespace

ScreenImage::ScreenImage(int width, int height, std::vector<std::uint8_t> bgrRows)
    : m_nWidth(width), m_nHeight(height), m_vecBgrRows(std::move(bgrRows))
{}

std::optional<ScreenImage> ScreenImage::Capture(const RECT& screenRect)
{
    WindowDc screen(nullptr);
    return screen.Get() ? CopyOf(screen.Get(), screenRect) : std::nullopt;
}

std::optional<ScreenImage> ScreenImage::CopyOf(HDC source, const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return std::nullopt;
    BITMAPINFO info{};
    // A negative height asks for top-down rows, the order Pixel() indexes.
    info.bmiHeader = InfoHeader(width, -height);
    void* bits = nullptr;
    UniqueMemoryDc memory(::CreateCompatibleDC(source));
    UniqueBitmap bitmap(::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || bits == nullptr)
        return std::nullopt;
    {
        SelectedObject selection(memory.get(), bitmap.get());
        if (!::BitBlt(memory.get(), 0, 0, width, height, source, area.left, area.top, SRCCOPY | CAPTUREBLT))
            return std::nullopt;
        ::GdiFlush();
    }
    ScreenImage image(width, height, {});
    image.m_vecBgrRows.resize(image.Stride() * static_cast<size_t>(height));
    std::memcpy(image.m_vecBgrRows.data(), bits, image.m_vecBgrRows.size());
    return image;
}

std::optional<ScreenImage> ScreenImage::CaptureWindow(HWND window)
{
    RECT rect{};
    if (!::GetWindowRect(window, &rect))
        return std::nullopt;
    return Capture(rect);
}

void ScreenImage::PaintTo(HDC target) const
{
    BITMAPINFO info{};
    info.bmiHeader = InfoHeader(m_nWidth, -m_nHeight);
    ::SetDIBitsToDevice(target, 0, 0, static_cast<DWORD>(m_nWidth), static_cast<DWORD>(m_nHeight), 0, 0, 0,
                        static_cast<UINT>(m_nHeight), m_vecBgrRows.data(), &info, DIB_RGB_COLORS);
}

COLORREF ScreenImage::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    const std::uint8_t* bgr = &m_vecBgrRows[Stride() * static_cast<size_t>(y) + static_cast<size_t>(x) * 3];
    return RGB(bgr[2], bgr[1], bgr[0]);
}

size_t ScreenImage::CountColour(COLORREF colour) const
{
    size_t count = 0;
    for (int y = 0; y < m_nHeight; ++y) {
        for (int x = 0; x < m_nWidth; ++x)
            count += Pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

bool ScreenImage::SamePixels(const ScreenImage& other) const
{
    return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight && m_vecBgrRows == other.m_vecBgrRows;
}

void ScreenImage::FillRect(const RECT& area, COLORREF colour)
{
    for (int y = std::max(0L, area.top); y < std::min<LONG>(m_nHeight, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(m_nWidth, area.right); ++x) {
            std::uint8_t* pixel = &m_vecBgrRows[static_cast<size_t>(y) * Stride() + static_cast<size_t>(x) * 3];
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
        }
    }
}

bool ScreenImage::SaveBmp(const std::string& path) const
{
    const BITMAPINFOHEADER info = InfoHeader(m_nWidth, m_nHeight);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + m_vecBgrRows.size());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    // BMP rows run bottom-up.
    for (int y = m_nHeight - 1; y >= 0; --y)
        out.write(reinterpret_cast<const char*>(&m_vecBgrRows[Stride() * static_cast<size_t>(y)]),
                  static_cast<std::streamsize>(Stride()));
    return static_cast<bool>(out.flush());
}

bool SaveScreenBmp(const std::string& path, const RECT& screenRect)
{
    const std::optional<ScreenImage> image = ScreenImage::Capture(screenRect);
    return image && image->SaveBmp(path);
}

bool SaveWindowBmp(const std::string& path, HWND window)
{
    const std::optional<ScreenImage> image = ScreenImage::CaptureWindow(window);
    return image && image->SaveBmp(path);
}

COLORREF PixelAt(int screenX, int screenY)
{
    const std::optional<ScreenImage> image = ScreenImage::Capture(RECT{screenX, screenY, screenX + 1, screenY + 1});
    return image ? image->Pixel(0, 0) : CLR_INVALID;
}

std::optional<ScreenImage> WaitForSteadyImage(const std::function<std::optional<ScreenImage>()>& shoot,
                                              const std::function<bool(const ScreenImage&)>& accept, Timeout timeout,
                                              Timeout pause)
{
    std::optional<ScreenImage> previous = shoot();
    std::optional<ScreenImage> steady;
    WaitUntil(
        [&] {
            ::Sleep(static_cast<DWORD>(pause.count()));
            std::optional<ScreenImage> next = shoot();
            const bool agree = next && previous && next->SamePixels(*previous) && (!accept || accept(*next));
            if (agree)
                steady = std::move(next);
            else
                previous = std::move(next);
            return agree;
        },
        timeout);
    return steady;
}

std::optional<ScreenImage> WaitForSteadyWindow(HWND window, const std::function<bool(const ScreenImage&)>& accept,
                                               Timeout timeout)
{
    if (!WaitForPaintsDone(window, timeout))
        return std::nullopt;
    return WaitForSteadyImage([window] { return ScreenImage::CaptureWindow(window); }, accept, timeout);
}

} // namespace e2e
