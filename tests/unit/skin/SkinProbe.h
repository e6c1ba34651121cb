#pragma once
// The probe skin for the in-process control tests, and what a window shows.

#include "MessagePump.h"
#include "ProbeTable.h"
#include "SkinEngineTestSupport.h"
#include "win/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tavrelin::skin::test {

inline std::string ProbeSkinFolder() { return TestSkinPath("probe"); }

using CProbeTable = e2e::CProbeTable;

inline std::string ProbeTablePath() { return TestSkinPath("probe/probe.txt"); }

// A copy of a window's client area (or of the whole window, frame included)
// as the window's DC shows it now.
class CClientPixels {
public:
    explicit CClientPixels(HWND window, bool wholeWindow = false)
    {
        RECT area{};
        if (wholeWindow) {
            ::GetWindowRect(window, &area);
            ::OffsetRect(&area, -area.left, -area.top);
        } else {
            ::GetClientRect(window, &area);
        }
        m_width = area.right;
        m_height = area.bottom;
        if (m_width <= 0 || m_height <= 0)
            return;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        win::UniqueMemoryDC memory(::CreateCompatibleDC(nullptr));
        if (!bits || !memory)
            return;
        HGDIOBJ previous = ::SelectObject(memory.get(), bitmap.get());
        {
            HDC dc = wholeWindow ? ::GetWindowDC(window) : ::GetDC(window);
            ::BitBlt(memory.get(), 0, 0, m_width, m_height, dc, 0, 0, SRCCOPY);
            ::ReleaseDC(window, dc);
        }
        ::GdiFlush();
        const auto* words = static_cast<const std::uint32_t*>(bits);
        m_pixels.assign(words, words + static_cast<size_t>(m_width) * m_height);
        ::SelectObject(memory.get(), previous);
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty())
            return CLR_INVALID;
        const std::uint32_t word = m_pixels[static_cast<size_t>(y) * m_width + x];
        return RGB((word >> 16) & 0xFF, (word >> 8) & 0xFF, word & 0xFF);
    }
    size_t Count(COLORREF colour) const
    {
        size_t count = 0;
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x)
                count += At(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    // Pixels the probe table does not hold, as "#RRGGBB" names with counts.
    std::map<std::string, int> Foreign(const CProbeTable& table, const RECT& area) const
    {
        std::map<std::string, int> foreign;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (!table.Holds(At(x, y)))
                    ++foreign[table.Name(At(x, y))];
            }
        }
        return foreign;
    }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

// Runs the thread's queue until it is empty (paints included).
inline void PumpMessages() { e2e::PumpFor(e2e::Timeout(30)); }

} // namespace tavrelin::skin::test
