#include "skin/engine/frame/SkinFrameGeometry.h"

#include "skin/engine/draw/SkinClass.h"

#include <algorithm>

namespace tavrelin::skin {

RECT ClientInWindow(HWND window)
{
    RECT windowRect{}, client{};
    ::GetWindowRect(window, &windowRect);
    ::GetClientRect(window, &client);
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    ::OffsetRect(&client, origin.x - windowRect.left, origin.y - windowRect.top);
    return client;
}

SIZE WindowSize(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int SkinCaptionHeightFor(DWORD exStyle, const CSkinMetrics& metrics)
{
    return (exStyle & WS_EX_TOOLWINDOW) ? metrics.SkinSmallCaptionHeight() : metrics.SkinCaptionHeight();
}

int FrameBorderUnits(DWORD style, DWORD exStyle, const CSkinMetrics& metrics)
{
    int units = (exStyle & WS_EX_WINDOWEDGE) ? 2 : (exStyle & WS_EX_STATICEDGE) ? 1 : 0;
    if ((style & (WS_BORDER | WS_DLGFRAME)) || (exStyle & WS_EX_DLGMODALFRAME))
        ++units;
    if (style & WS_THICKFRAME)
        units += metrics.BorderMultiplier();
    return units;
}

SkinFrameBorders CalcFrameBorders(DWORD style, DWORD exStyle, bool maximizedTopLevel, const CSkinMetrics& metrics)
{
    SkinFrameBorders borders;
    const int caption = HasCaption(style) ? SkinCaptionHeightFor(exStyle, metrics) : 0;
    if (maximizedTopLevel && HasCaption(style)) {
        // The system's own maximized frame, so that the borders lie off-screen.
        RECT probe{0, 0, 100, 100};
        ::AdjustWindowRectEx(&probe, style, FALSE, exStyle);
        const int width = std::max(0, static_cast<int>(-probe.left));
        return SkinFrameBorders{width, caption + width, width, width};
    }
    const int units = FrameBorderUnits(style, exStyle, metrics);
    borders.left = borders.right = units * metrics.CxBorder();
    borders.top = caption + units * metrics.CyBorder();
    borders.bottom = units * metrics.CyBorder();
    if (exStyle & WS_EX_CLIENTEDGE) {
        borders.left += metrics.CxEdge();
        borders.right += metrics.CxEdge();
        borders.top += metrics.CyEdge();
        borders.bottom += metrics.CyEdge();
    }
    return borders;
}

std::vector<SkinCaptionButton> ListCaptionButtons(DWORD style, DWORD exStyle, bool systemMenuCloseGrayed)
{
    std::vector<SkinCaptionButton> buttons;
    const bool bSysMenu = (style & WS_SYSMENU) != 0;
    const bool bTool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    if (!HasCaption(style) || !bSysMenu)
        return buttons;
    const bool bMinimized = (style & WS_MINIMIZE) != 0;
    const bool bMaximized = (style & WS_MAXIMIZE) != 0;
    buttons.push_back(
        {SC_CLOSE, HTCLOSE, bTool ? WP_SMALLCLOSEBUTTON : WP_CLOSEBUTTON, bTool || !systemMenuCloseGrayed});
    if (!bTool && (style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX))) {
        const bool bMaxEnabled = (style & WS_MAXIMIZEBOX) != 0;
        if (!bMaximized && !bMinimized)
            buttons.push_back({SC_MAXIMIZE, HTMAXBUTTON, WP_MAXBUTTON, bMaxEnabled});
        else if (bMaximized)
            buttons.push_back({SC_RESTORE, HTMAXBUTTON, WP_RESTOREBUTTON, bMaxEnabled});
        buttons.push_back({bMinimized ? static_cast<UINT>(SC_RESTORE) : static_cast<UINT>(SC_MINIMIZE), HTMINBUTTON,
                           bMinimized ? WP_RESTOREBUTTON : WP_MINBUTTON, (style & WS_MINIMIZEBOX) != 0});
    }
    if ((exStyle & WS_EX_CONTEXTHELP) && !bTool)
        buttons.push_back({SC_CONTEXTHELP, HTHELP, WP_HELPBUTTON, true});
    return buttons;
}

namespace {

// Wide as the close button's image is, for its height; square when the
// skin has no usable image (a frame of no height would divide by zero).
int CaptionButtonWidth(CSkinClass& windowClass, DWORD exStyle, int height)
{
    SIZE frame{};
    if ((exStyle & WS_EX_TOOLWINDOW) ||
        !windowClass.GetPartSize(WP_CLOSEBUTTON, CBS_NORMAL, nullptr, kSkinPartSizeTrue, frame) || frame.cx <= 0 ||
        frame.cy <= 0)
        return height;
    return ::MulDiv(height, frame.cx, frame.cy);
}

} // namespace

int PlaceCaptionButtons(std::vector<SkinCaptionButton>& buttons, CSkinClass& windowClass, DWORD style, DWORD exStyle,
                        const SkinFrameBorders& borders, int windowWidth, const CSkinMetrics& metrics)
{
    const int units = FrameBorderUnits(style, exStyle, metrics);
    int height = borders.top - units * metrics.CxBorder() - 5 - ((exStyle & WS_EX_CLIENTEDGE) ? 2 : 0);
    height = std::max(height, 0);
    const int width = CaptionButtonWidth(windowClass, exStyle, height);
    int top = (borders.top - height) / 2;
    if (exStyle & (WS_EX_WINDOWEDGE | WS_EX_STATICEDGE))
        ++top;
    if (style & WS_THICKFRAME)
        top += (metrics.BorderMultiplier() + 1) / 2;
    if (exStyle & WS_EX_CLIENTEDGE)
        --top;
    int right = windowWidth - borders.right - 2;
    for (SkinCaptionButton& button : buttons) {
        button.rect = RECT{right - width, top, right, top + height};
        right -= width + 2;
    }
    return buttons.empty() ? windowWidth - borders.right : buttons.back().rect.left - 2;
}

} // namespace tavrelin::skin
