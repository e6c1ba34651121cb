// Toolbars in the gallery under the probe skin: button faces by state and
// kind, the embossed look of a disabled image, a very long button text, and
// the parent's custom-draw answers.
#include "SkinControlGallery.h"

#include <algorithm>

namespace tavrelin::skin::test {
namespace {

constexpr int kImage = 16;
constexpr int kShapeAt = 4, kShapeSize = 8;

// A 24-bit list whose image is a black square on white; white is its mask.
win::UniqueImageList BlackSquareList()
{
    win::UniqueImageList list(::ImageList_Create(kImage, kImage, ILC_COLOR24 | ILC_MASK, 1, 1));
    void* bits = nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kImage, -kImage, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    win::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* words = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < kImage; ++y) {
        for (int x = 0; x < kImage; ++x) {
            const bool bShape =
                x >= kShapeAt && x < kShapeAt + kShapeSize && y >= kShapeAt && y < kShapeAt + kShapeSize;
            words[y * kImage + x] = bShape ? 0 : 0xFFFFFF;
        }
    }
    ::ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 255, 255));
    return list;
}

class SkinToolBars : public SkinControls {
protected:
    HWND AddToolBar(DWORD style, DWORD exStyle, const std::vector<TBBUTTON>& buttons)
    {
        HWND bar = Add(TOOLBARCLASSNAMEA, "", style | CCS_NOPARENTALIGN | CCS_NORESIZE, 10, 10, 600, 60);
        ::SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        ::SendMessageA(bar, TB_SETEXTENDEDSTYLE, 0, exStyle);
        m_images = BlackSquareList();
        ::SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.get()));
        ::SendMessageA(bar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        ::InvalidateRect(bar, nullptr, TRUE);
        PumpMessages();
        return bar;
    }
    static RECT ItemRect(HWND bar, int index)
    {
        RECT rect{};
        ::SendMessageA(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    static TBBUTTON Button(int command, BYTE state, BYTE style, const char* text = nullptr)
    {
        TBBUTTON button{};
        button.idCommand = command;
        button.fsState = state;
        button.fsStyle = style;
        button.iString = reinterpret_cast<INT_PTR>(text);
        return button;
    }

    win::UniqueImageList m_images;
};

TEST_F(SkinToolBars, FacesFollowTheButtonsStateAndKind)
{
    constexpr BYTE on = TBSTATE_ENABLED;
    HWND bar = AddToolBar(TBSTYLE_FLAT, TBSTYLE_EX_DRAWDDARROWS,
                          {Button(100, on, BTNS_BUTTON), Button(0, on, BTNS_SEP), Button(101, on | TBSTATE_HIDDEN, 0),
                           Button(102, 0, BTNS_BUTTON), Button(103, on | TBSTATE_CHECKED, BTNS_CHECK),
                           Button(104, on | TBSTATE_PRESSED, 0), Button(105, on, BTNS_WHOLEDROPDOWN),
                           Button(106, on, BTNS_DROPDOWN), Button(107, on, 0)});
    ::SendMessageA(bar, TB_SETHOTITEM, 8, 0);
    PumpMessages();
    SaveShot("toolbar");
    struct Case {
        int index;
        const char* look;
    } const faces[] = {{0, "TOOLBAR BUTTON 1"},      {1, "TOOLBAR SEPARATOR 0"}, {3, "TOOLBAR BUTTON 4"},
                       {4, "TOOLBAR BUTTON 5"},      {5, "TOOLBAR BUTTON 3"},    {6, "TOOLBAR BUTTON 1"},
                       {7, "TOOLBAR SPLITBUTTON 1"}, {8, "TOOLBAR BUTTON 2"}};
    for (const Case& c : faces) {
        const RECT rect = ItemRect(bar, c.index);
        EXPECT_EQ(Look(bar, rect.left, rect.top), std::string(c.look) + " border") << c.index;
        EXPECT_EQ(Look(bar, rect.left + 1, rect.bottom - 2), std::string(c.look) + " fill") << c.index;
    }
    const RECT split = ItemRect(bar, 7);
    EXPECT_EQ(Look(bar, split.right - 1, split.top), "TOOLBAR SPLITBUTTONDROPDOWN 1 border");

    const RECT whole = ItemRect(bar, 6);
    const COLORREF text = m_table.Colour("SYSMETRICS BTNTEXT 0 color");
    const CClientPixels pixels(bar);
    int arrow = 0;
    for (int y = whole.top; y < whole.bottom; ++y) {
        for (int x = whole.left; x < whole.right; ++x)
            arrow += pixels.At(x, y) == text ? 1 : 0;
    }
    EXPECT_GT(arrow, 0) << "the whole drop-down button draws its triangle";

    RECT hidden{};
    if (::SendMessageA(bar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&hidden)) && !::IsRectEmpty(&hidden)) {
        const POINT centre{(hidden.left + hidden.right) / 2, (hidden.top + hidden.bottom) / 2};
        EXPECT_EQ(Look(bar, centre.x, centre.y), "SYSMETRICS BTNFACE 0 color") << "a hidden button leaves a gap";
    }
}

// Without a disabled list the image is embossed: its shape in the shadow
// colour, with the highlight colour showing one pixel right and down.
TEST_F(SkinToolBars, ADisabledImageIsEmbossedAndItsTextShadowed)
{
    HWND bar = AddToolBar(TBSTYLE_FLAT, 0, {Button(100, 0, BTNS_BUTTON)});
    const RECT rect = ItemRect(bar, 0);
    const CClientPixels pixels(bar);
    const COLORREF shadow = m_table.Colour("SYSMETRICS BTNSHADOW 0 color");
    const COLORREF highlight = m_table.Colour("SYSMETRICS BTNHIGHLIGHT 0 color");
    RECT shadowBox{rect.right, rect.bottom, rect.left, rect.top};
    int shadows = 0, highlights = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (pixels.At(x, y) == shadow) {
                ++shadows;
                shadowBox = RECT{std::min<LONG>(shadowBox.left, x), std::min<LONG>(shadowBox.top, y),
                                 std::max<LONG>(shadowBox.right, x + 1), std::max<LONG>(shadowBox.bottom, y + 1)};
            }
            highlights += pixels.At(x, y) == highlight ? 1 : 0;
        }
    }
    EXPECT_EQ(shadows, kShapeSize * kShapeSize);
    EXPECT_EQ(shadowBox.right - shadowBox.left, kShapeSize);
    EXPECT_EQ(highlights, 2 * kShapeSize - 1) << "the highlight shows along the right and bottom edge";
    EXPECT_EQ(pixels.At(shadowBox.right, shadowBox.bottom), highlight);

    HWND texts = AddToolBar(TBSTYLE_FLAT | TBSTYLE_LIST, 0,
                            {Button(200, 0, BTNS_AUTOSIZE, "Off"), Button(201, TBSTATE_ENABLED, BTNS_AUTOSIZE, "On")});
    const CClientPixels textPixels(texts);
    EXPECT_GT(textPixels.Count(shadow), static_cast<size_t>(kShapeSize * kShapeSize)) << "disabled text";
    EXPECT_GT(textPixels.Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 0u) << "enabled text";
}

TEST_F(SkinToolBars, AThousandCharacterTextIsDrawnCut)
{
    const std::string text(1000, 'W');
    HWND bar = AddToolBar(TBSTYLE_FLAT | TBSTYLE_LIST, 0, {Button(100, TBSTATE_ENABLED, 0, text.c_str())});
    const RECT rect = ItemRect(bar, 0);
    EXPECT_EQ(Look(bar, rect.left, rect.top), "TOOLBAR BUTTON 1 border");
}

TEST_F(SkinToolBars, TheParentsCustomDrawAnswersAreHonoured)
{
    Behaviour().prepaintAnswer = CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    Behaviour().skippedItem = 100;
    Behaviour().postPaintMarker = RGB(7, 77, 177);
    HWND bar = AddToolBar(TBSTYLE_FLAT, 0, {Button(100, TBSTATE_ENABLED, 0), Button(101, TBSTATE_ENABLED, 0)});
    const RECT first = ItemRect(bar, 0), second = ItemRect(bar, 1);
    EXPECT_EQ(CClientPixels(bar).At(2, 2), RGB(7, 77, 177));
    EXPECT_EQ(Look(bar, first.left, first.bottom - 1), "SYSMETRICS BTNFACE 0 color") << "skipped by the parent";
    EXPECT_EQ(Look(bar, second.left, second.top), "TOOLBAR BUTTON 1 border");
    for (const CustomDrawRecord& record : Behaviour().customDraw)
        EXPECT_TRUE(record.memoryDc);

    Behaviour() = GalleryBehaviour{};
    Behaviour().prepaintAnswer = CDRF_SKIPDEFAULT;
    Behaviour().prepaintFill = RGB(7, 77, 177);
    ::InvalidateRect(bar, nullptr, FALSE);
    ::UpdateWindow(bar);
    EXPECT_EQ(CClientPixels(bar).At(second.left, second.top), RGB(7, 77, 177)) << "the parent's own drawing";
}

} // namespace
} // namespace tavrelin::skin::test
