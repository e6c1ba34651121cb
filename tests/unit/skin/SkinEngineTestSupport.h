#pragma once
// Shared pieces of the engine tests under Wine: where the test skins lie, a
// manager that records its change notifications, a memory canvas, and the
// pixels the generator script says an image holds.

#include "skin/engine/SkinManager.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace tavrelin::skin::test {

// "Z:\..." for a Unix path, as Wine maps it.
inline std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& letter : path) {
        if (letter == '/')
            letter = '\\';
    }
    return path;
}

inline std::string TestSkinPath(const std::string& relative)
{
    return WinePath(std::string(SKIN_TEST_SKINS) + "/" + relative);
}

inline std::string ModuleSkinPath() { return WinePath(SKIN_TEST_MODULE); }

// Records OnSkinChanged until windows are there to be told.
class CRecordingSkinManager : public CSkinManager {
public:
    void OnSkinChanged(bool wasLoaded, bool isLoaded) override { changes.emplace_back(wasLoaded, isLoaded); }
    std::vector<std::pair<bool, bool>> changes;
};

// A 32-bit top-down DIB section in a memory DC, filled with one colour.
class CCanvas {
public:
    CCanvas(int width, int height, COLORREF background) : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_pBits = static_cast<std::uint32_t*>(bits);
        m_dc.reset(::CreateCompatibleDC(nullptr));
        m_previous = ::SelectObject(m_dc.get(), m_bitmap.get());
        const RECT all{0, 0, width, height};
        win::UniqueBrush brush(::CreateSolidBrush(background));
        ::FillRect(m_dc.get(), &all, brush.get());
    }
    ~CCanvas() { ::SelectObject(m_dc.get(), m_previous); }

    HDC Dc() const { return m_dc.get(); }
    // 0x00RRGGBB of a pixel.
    std::uint32_t At(int x, int y) const
    {
        ::GdiFlush();
        return m_pBits[static_cast<size_t>(y) * m_width + x] & 0xFFFFFF;
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    win::UniqueBitmap m_bitmap;
    win::UniqueMemoryDC m_dc;
    HGDIOBJ m_previous = nullptr;
    std::uint32_t* m_pBits = nullptr;
};

struct ExpectedImage {
    int width = 0;
    int height = 0;
    bool alpha = false;
    std::vector<std::uint32_t> argb; // straight alpha
    std::uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
};

inline ExpectedImage ReadExpectedImage(const std::string& unixPath)
{
    ExpectedImage image;
    std::ifstream file(WinePath(unixPath));
    int alpha = 0;
    file >> image.width >> image.height >> alpha;
    image.alpha = alpha == 1;
    std::uint32_t word = 0;
    while (file >> std::hex >> word)
        image.argb.push_back(word);
    return image;
}

inline ExpectedImage DrawingImage(const std::string& name)
{
    return ReadExpectedImage(std::string(SKIN_TEST_SKINS) + "/draw/" + name + ".expect");
}

} // namespace tavrelin::skin::test
