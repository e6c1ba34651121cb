#include "skin/engine/frame/SkinFrameDraw.h"

#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string>

namespace tavrelin::skin {
namespace {

bool IsTool(const SkinFrameLook& look) { return (look.exStyle & WS_EX_TOOLWINDOW) != 0; }

// Captions and frame borders share their two states.
int CaptionState(const SkinFrameLook& look) { return look.active ? CS_ACTIVE : CS_INACTIVE; }
int BorderState(const SkinFrameLook& look) { return look.active ? FS_ACTIVE : FS_INACTIVE; }

// A part the skin has no image for is painted in the metrics colour.
void DrawPartOrFill(HDC dc, CSkinContext& skin, int part, int state, const RECT& rect, int colorIndex)
{
    if (!IsDrawable(rect))
        return;
    if (!DrawSkinBackground(dc, skin.GetSkinClassById(kSkinClassWindow), part, state, rect) && colorIndex >= 0)
        FillSolid(dc, rect, skin.GetMetrics().Color(colorIndex));
}

HICON SmallIcon(HWND window)
{
    auto icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(::GetClassLongPtrA(window, GCLP_HICON));
    return icon;
}

void DrawCaptionButton(HDC dc, CSkinContext& skin, const SkinFrameLook& look, int index)
{
    const SkinCaptionButton& button = (*look.buttons)[index];
    if (!IsDrawable(button.rect))
        return;
    CSkinClass& windowClass = skin.GetSkinClassById(kSkinClassWindow);
    int state = CaptionButtonState(look, index);
    // Images without frames for inactive windows show the active ones.
    if (state > kCaptionButtonInactiveOffset &&
        windowClass.GetInt(button.part, state, kPropImageCount, 1) < kCaptionButtonInactiveOffset + CBS_DISABLED)
        state -= kCaptionButtonInactiveOffset;
    if (DrawSkinBackground(dc, windowClass, button.part, state, button.rect))
        return;
    UINT kind = DFCS_CAPTIONCLOSE;
    if (button.part == WP_MINBUTTON)
        kind = DFCS_CAPTIONMIN;
    else if (button.part == WP_MAXBUTTON)
        kind = DFCS_CAPTIONMAX;
    else if (button.part == WP_RESTOREBUTTON)
        kind = DFCS_CAPTIONRESTORE;
    else if (button.part == WP_HELPBUTTON)
        kind = DFCS_CAPTIONHELP;
    const int plain = state > kCaptionButtonInactiveOffset ? state - kCaptionButtonInactiveOffset : state;
    if (plain == CBS_PUSHED)
        kind |= DFCS_PUSHED;
    else if (plain == CBS_DISABLED)
        kind |= DFCS_INACTIVE;
    RECT rect = button.rect;
    ::DrawFrameControl(dc, &rect, DFC_CAPTION, kind);
}

void DrawCaptionText(HDC dc, CSkinContext& skin, const SkinFrameLook& look, RECT textRect)
{
    char text[512] = {};
    const int length = ::GetWindowTextA(look.window, text, sizeof text);
    if (length <= 0 || !IsDrawable(textRect))
        return;
    const CSkinMetrics& metrics = skin.GetMetrics();
    win::UniqueFont font(::CreateFontIndirectA(IsTool(look) ? &metrics.SmallCaptionFont() : &metrics.CaptionFont()));
    win::SelectedObject selected(dc, font.get());
    const COLORREF previous =
        ::SetTextColor(dc, metrics.Color(look.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (look.exStyle & WS_EX_RIGHT)
        format |= DT_RIGHT;
    if (look.exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    skin.GetSkinClassById(kSkinClassWindow)
        .DrawSkinText(dc, IsTool(look) ? WP_SMALLCAPTION : WP_CAPTION, CaptionState(look), text, length, format,
                      textRect);
    ::SetTextColor(dc, previous);
}

// The caption band: background, icon, buttons, then the text between them.
void DrawCaption(HDC dc, CSkinContext& skin, const SkinFrameLook& look, int bandHeight)
{
    const RECT band{0, 0, look.size.cx, bandHeight};
    const int part = IsTool(look) ? WP_SMALLCAPTION : WP_CAPTION;
    const int colorIndex = look.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
    if (look.shapeOnly) {
        DrawSkinBackground(dc, skin.GetSkinClassById(kSkinClassWindow), part, CaptionState(look), band);
        return;
    }
    // What an image leaves uncovered shows the caption colour, never an old buffer.
    FillSolid(dc, band, skin.GetMetrics().Color(colorIndex));
    DrawPartOrFill(dc, skin, part, CaptionState(look), band, colorIndex);
    const CSkinMetrics& metrics = skin.GetMetrics();
    const int frameTop = FrameBorderUnits(look.style, look.exStyle, metrics) * metrics.CyBorder();
    const int captionBottom = bandHeight;
    int textLeft = look.borders.left - ((look.exStyle & WS_EX_CLIENTEDGE) ? metrics.CxEdge() : 0) + 2;
    HICON icon = (look.style & WS_SYSMENU) && !IsTool(look) ? SmallIcon(look.window) : nullptr;
    if (icon) {
        const int width = ::GetSystemMetrics(SM_CXSMICON);
        const int height = ::GetSystemMetrics(SM_CYSMICON);
        const int top = frameTop + (captionBottom - frameTop - height) / 2;
        ::DrawIconEx(dc, textLeft, top, icon, width, height, 0, nullptr, DI_NORMAL);
        textLeft += width + 2;
    }
    int textRight = look.size.cx - look.borders.right;
    if (look.buttons) {
        textRight = PlaceCaptionButtons(*look.buttons, skin.GetSkinClassById(kSkinClassWindow), look.style,
                                        look.exStyle, look.borders, look.size.cx, metrics);
        for (int index = 0; index < static_cast<int>(look.buttons->size()); ++index)
            DrawCaptionButton(dc, skin, look, index);
    }
    DrawCaptionText(dc, skin, look, RECT{textLeft, frameTop, textRight, captionBottom});
}

void DrawBorders(HDC dc, CSkinContext& skin, const SkinFrameLook& look, const SkinFrameBorders& borders)
{
    const bool bSmall = IsTool(look);
    const int state = BorderState(look);
    const int color = look.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER;
    const SIZE size = look.size;
    DrawPartOrFill(dc, skin, bSmall ? WP_SMALLFRAMELEFT : WP_FRAMELEFT, state,
                   RECT{0, borders.top, borders.left, size.cy - borders.bottom}, color);
    DrawPartOrFill(dc, skin, bSmall ? WP_SMALLFRAMERIGHT : WP_FRAMERIGHT, state,
                   RECT{size.cx - borders.right, borders.top, size.cx, size.cy - borders.bottom}, color);
    DrawPartOrFill(dc, skin, bSmall ? WP_SMALLFRAMEBOTTOM : WP_FRAMEBOTTOM, state,
                   RECT{0, size.cy - borders.bottom, size.cx, size.cy}, color);
}

// Windows without a caption: a line for a plain border, the frame parts
// for wider frames (their top from the bottom part).
void DrawPlainBorders(HDC dc, CSkinContext& skin, const SkinFrameLook& look, const SkinFrameBorders& borders)
{
    if (borders.left <= 0 && borders.top <= 0)
        return;
    const CSkinMetrics& metrics = skin.GetMetrics();
    if (FrameBorderUnits(look.style, look.exStyle, metrics) == 1) {
        win::UniqueBrush brush(::CreateSolidBrush(metrics.Color(COLOR_WINDOWFRAME)));
        const RECT all{0, 0, look.size.cx, look.size.cy};
        ::FrameRect(dc, &all, brush.get());
        return;
    }
    DrawBorders(dc, skin, look, borders);
    DrawPartOrFill(dc, skin, WP_FRAMEBOTTOM, BorderState(look), RECT{0, 0, look.size.cx, borders.top},
                   look.active ? COLOR_ACTIVEBORDER : COLOR_INACTIVEBORDER);
}

} // namespace

int CaptionButtonState(const SkinFrameLook& look, int index)
{
    const SkinCaptionButton& button = (*look.buttons)[index];
    int state = CBS_NORMAL;
    if (!button.enabled)
        state = CBS_DISABLED;
    else if (index == look.pressedButton)
        state = CBS_PUSHED;
    else if (index == look.hotButton && look.pressedButton < 0)
        state = CBS_HOT;
    return look.active ? state : state + kCaptionButtonInactiveOffset;
}

void DrawSkinFrame(HDC dc, CSkinContext& skin, const SkinFrameLook& look)
{
    SkinFrameBorders borders = look.borders;
    const CSkinMetrics& metrics = skin.GetMetrics();
    if (look.exStyle & WS_EX_CLIENTEDGE) {
        RECT edge = look.client;
        ::InflateRect(&edge, metrics.CxEdge(), metrics.CyEdge());
        if (IsDrawable(edge))
            ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
        borders.left = std::max(borders.left - metrics.CxEdge(), 0);
        borders.right = std::max(borders.right - metrics.CxEdge(), 0);
        borders.top = std::max(borders.top - metrics.CyEdge(), 0);
        borders.bottom = std::max(borders.bottom - metrics.CyEdge(), 0);
    }
    if (!HasCaption(look.style)) {
        DrawPlainBorders(dc, skin, look, borders);
        return;
    }
    DrawBorders(dc, skin, look, borders);
    if (borders.top <= 0 || look.size.cx <= 0)
        return;
    CSkinContext::SCaptionCanvas& canvas = skin.CaptionCanvas();
    std::lock_guard<std::mutex> lock(canvas.lock);
    HDC buffer = look.shapeOnly ? nullptr : canvas.buffer.Prepare(dc, look.size.cx, borders.top);
    if (!buffer) {
        DrawCaption(dc, skin, look, borders.top);
        return;
    }
    // The buffer takes the window's layout, so a right-to-left caption
    // lands the right way round.
    ::SetLayout(buffer, ::GetLayout(dc));
    DrawCaption(buffer, skin, look, borders.top);
    canvas.buffer.CopyTo(dc, RECT{0, 0, look.size.cx, borders.top});
}

namespace {

// Rows of the frame drawn over a colour no skin image gives.
constexpr std::uint32_t kRegionProbe = 0x00010203;

void AddRowRun(std::vector<RECT>& rects, const std::uint32_t* row, int y, int width)
{
    int left = 0;
    while (left < width && (row[left] & 0xFFFFFF) == kRegionProbe)
        ++left;
    int right = width;
    while (right > left && (row[right - 1] & 0xFFFFFF) == kRegionProbe)
        --right;
    if (right > left)
        rects.push_back(RECT{left, y, right, y + 1});
}

HRGN RegionFromRects(const std::vector<RECT>& rects)
{
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    *header = RGNDATAHEADER{sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(rects.size()),
                            static_cast<DWORD>(rects.size() * sizeof(RECT)), RECT{}};
    std::copy(rects.begin(), rects.end(), reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER)));
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA*>(data.data()));
}

} // namespace

HRGN BuildSkinFrameRegion(CSkinContext& skin, const SkinFrameLook& look)
{
    const int width = look.size.cx;
    const int height = look.size.cy;
    if (width <= 0 || height <= 0 || !HasCaption(look.style))
        return nullptr;
    void* bits = nullptr;
    win::UniqueBitmap bitmap = CreateSkinDib32(width, height, bits);
    win::UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!bitmap || !dc)
        return nullptr;
    {
        win::SelectedObject selected(dc.get(), bitmap.get());
        FillSolid(dc.get(), RECT{0, 0, width, height}, RGB(1, 2, 3));
        SkinFrameLook shape = look;
        shape.shapeOnly = true;
        DrawSkinFrame(dc.get(), skin, shape);
        ::GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<RECT> rects;
    bool bCut = false;
    for (int y = 0; y < height; ++y) {
        const bool bEdgeRow = y < look.borders.top || y >= height - look.borders.bottom;
        const size_t before = rects.size();
        if (bEdgeRow)
            AddRowRun(rects, pixels + static_cast<size_t>(y) * width, y, width);
        else
            rects.push_back(RECT{0, y, width, y + 1});
        bCut = bCut || rects.size() == before || rects.back().left != 0 || rects.back().right != width;
    }
    return bCut ? RegionFromRects(rects) : nullptr;
}

} // namespace tavrelin::skin
