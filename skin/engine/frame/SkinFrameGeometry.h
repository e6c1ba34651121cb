#pragma once
// Sizes and places of a skinned frame: border widths, the caption buttons a
// window shows and where they sit. Read from the window's styles and the
// metrics; nothing here draws.

#include "skin/engine/draw/SkinMetrics.h"

#include <windows.h>
#include <vssym32.h>

#include <vector>

namespace tavrelin::skin {

class CSkinClass;

// The skin keeps a caption button's frames for an inactive window after the
// four (CBS_NORMAL to CBS_DISABLED) of an active one.
constexpr int kCaptionButtonInactiveOffset = CBS_DISABLED;

struct SkinFrameBorders {
    int left = 0;
    int top = 0; // the caption included
    int right = 0;
    int bottom = 0;
};

struct SkinCaptionButton {
    UINT command = 0;
    int hitCode = HTNOWHERE;
    int part = 0;
    bool enabled = true;
    RECT rect{}; // window coordinates
};

inline bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

inline LONG StyleOf(HWND window) { return ::GetWindowLongA(window, GWL_STYLE); }
inline LONG ExStyleOf(HWND window) { return ::GetWindowLongA(window, GWL_EXSTYLE); }

inline bool IsMaximizedTopLevel(LONG style)
{
    return (style & WS_MAXIMIZE) && !(style & WS_CHILD) && HasCaption(style);
}

// The client area in window coordinates.
RECT ClientInWindow(HWND window);

// The size of the window rectangle.
SIZE WindowSize(HWND window);

// The caption height the skin gives windows of this extended style.
int SkinCaptionHeightFor(DWORD exStyle, const CSkinMetrics& metrics);

// Border units of a frame: window edge 2, else static edge 1; one more for a
// border or dialog frame; the border multiplier for a sizing frame.
int FrameBorderUnits(DWORD style, DWORD exStyle, const CSkinMetrics& metrics);

// The skin's border widths of a window of these styles.
SkinFrameBorders CalcFrameBorders(DWORD style, DWORD exStyle, bool maximizedTopLevel, const CSkinMetrics& metrics);

// The buttons a captioned window shows, rightmost first. systemMenuCloseGrayed
// tells whether the system menu's close item is grayed or disabled.
std::vector<SkinCaptionButton> ListCaptionButtons(DWORD style, DWORD exStyle, bool systemMenuCloseGrayed);

// Places the buttons in a window windowWidth wide; returns the x that limits
// the caption text on the right.
int PlaceCaptionButtons(std::vector<SkinCaptionButton>& buttons, CSkinClass& windowClass, DWORD style, DWORD exStyle,
                        const SkinFrameBorders& borders, int windowWidth, const CSkinMetrics& metrics);

// A rectangle that is empty or inside out is not drawn.
inline bool IsDrawable(const RECT& rect) { return rect.right > rect.left && rect.bottom > rect.top; }

} // namespace tavrelin::skin
