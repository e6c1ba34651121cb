#pragma once
// Sizes and places of a skinned frame: border widths, the caption buttons a
// window shows and where they sit. Read from the window's styles and the
// metrics; nothing here draws.

#include "skin/engine/draw/SkinMetrics.h"

#include <windows.h>

#include <vector>

namespace tavrelin::skin {

class CSkinClass;

// WINDOW parts the frame draws.
enum ESkinWindowPart : int {
    kPartCaption = 1,
    kPartSmallCaption = 2,
    kPartFrameLeft = 7,
    kPartFrameRight = 8,
    kPartFrameBottom = 9,
    kPartSmallFrameLeft = 10,
    kPartSmallFrameRight = 11,
    kPartSmallFrameBottom = 12,
    kPartMinButton = 15,
    kPartMaxButton = 17,
    kPartCloseButton = 18,
    kPartSmallCloseButton = 19,
    kPartRestoreButton = 21,
    kPartHelpButton = 23,
};

enum ESkinButtonState : int {
    kButtonNormal = 1,
    kButtonHot = 2,
    kButtonPushed = 3,
    kButtonDisabled = 4,
    kButtonInactiveOffset = 4,
};

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
