#pragma once
// Windows of the test process with known pixels on the screen: the stand-in
// for the design box, and shaped top-most windows laid over it.
#include <windows.h>

#include <functional>
#include <string>

namespace grabtest {

// The colour of pixel (x, y), in client coordinates, top-down.
using PixelPattern = std::function<COLORREF(int x, int y)>;

// A colour for every pixel of a 512 x 512 area that no other pixel has, and
// never black, so that a misplaced or missing pixel shows.
COLORREF UniquePattern(int x, int y);
// UniquePattern in 2 x 2 blocks, so that halving keeps one colour per block.
COLORREF BlockPattern(int x, int y);

class CPatternWindow {
public:
    // A top-most pop-up window whose client area (its whole area) is painted
    // with the pattern; `region` (may be null) is handed to SetWindowRgn.
    CPatternWindow(int x, int y, int width, int height, PixelPattern pattern, HRGN region = nullptr);
    ~CPatternWindow();
    CPatternWindow(const CPatternWindow&) = delete;
    CPatternWindow& operator=(const CPatternWindow&) = delete;

    HWND Handle() const { return m_hWnd; }
    void MoveTo(int x, int y) const;
    const PixelPattern& Pattern() const { return m_pattern; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint() const;

    PixelPattern m_pattern;
    int m_nWidth;
    int m_nHeight;
    HWND m_hWnd = nullptr;
};

// Handles this thread's pending messages for about `milliseconds`, so that
// painting reaches the screen.
void PumpMessages(int milliseconds);

// Pumps messages until the screen pixel shows the colour; false after twenty
// seconds without it.
bool WaitForScreenPixel(int screenX, int screenY, COLORREF colour);

// What is at a point of the screen, for a failure message: the colour shown
// and the window there.
std::string DescribeScreenPoint(int screenX, int screenY);

} // namespace grabtest
