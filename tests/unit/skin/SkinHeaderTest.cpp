// Headers in the gallery under the probe skin: each item's HEADERITEM part
// as normal, hot and pressed, the sort arrow of a sorted column, and the
// look of the system colours without a HEADER class.
#include "SkinControlGallery.h"

namespace tavrelin::skin::test {
namespace {

constexpr int kHeight = 24;

class SkinHeaders : public SkinControls {
protected:
    HWND AddHeader()
    {
        HWND header = Add(WC_HEADERA, "", HDS_BUTTONS | HDS_HORZ, 20, 20, 360, kHeight);
        int index = 0;
        for (const char* name : {"Name", "Size", "Date"}) {
            HDITEMA item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.cxy = 100;
            item.fmt = HDF_STRING | HDF_LEFT | (index == 1 ? HDF_SORTUP : 0);
            item.pszText = const_cast<char*>(name);
            ::SendMessageA(header, HDM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
        }
        PumpMessages();
        return header;
    }
    static POINT Middle(HWND header, int index)
    {
        RECT rect{};
        ::SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return POINT{rect.left + 30, (rect.top + rect.bottom) / 2};
    }
};

TEST_F(SkinHeaders, ItemsAreNormalHotOrPressedAndASortedColumnShowsItsArrow)
{
    HWND header = AddHeader();
    SaveShot("header");
    EXPECT_EQ(Look(header, 1, 1), "HEADER HEADERITEM 1 fill");
    EXPECT_EQ(Look(header, 0, 0), "HEADER HEADERITEM 1 border");
    EXPECT_EQ(Look(header, 340, kHeight / 2), "HEADER HEADERITEM 1 fill") << "beyond the last column";
    EXPECT_GT(CClientPixels(header).Count(m_table.Colour("HEADER HEADERITEM 1 text")), 10u);
    EXPECT_GT(CClientPixels(header).Count(m_table.Colour("HEADER HEADERSORTARROW 1 fill")), 0u);

    Hover(header, Middle(header, 2));
    EXPECT_EQ(Look(header, 201, 1), "HEADER HEADERITEM 2 fill");
    EXPECT_EQ(Look(header, 101, 1), "HEADER HEADERITEM 1 fill");

    const POINT press = Middle(header, 0);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.x, press.y));
    PumpMessages();
    EXPECT_EQ(Look(header, 1, 1), "HEADER HEADERITEM 3 fill");
    ::SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(press.x, press.y));
    PumpMessages();
    EXPECT_NE(Look(header, 1, 1), "HEADER HEADERITEM 3 fill");
}

class SkinHeadersWithoutHeaderClass : public SkinHeaders {
protected:
    SkinHeadersWithoutHeaderClass() { m_strPropertyFile = "Bare.ini"; }
};

TEST_F(SkinHeadersWithoutHeaderClass, TheLookComesFromTheSystemColours)
{
    HWND header = AddHeader();
    EXPECT_EQ(Look(header, 10, 2), "SYSMETRICS BTNFACE 0 color");
    EXPECT_EQ(Look(header, 99, 2), "SYSMETRICS BTNSHADOW 0 color") << "the line between items";
    EXPECT_GT(CClientPixels(header).Count(m_table.Colour("SYSMETRICS BTNTEXT 0 color")), 20u);
}

} // namespace
} // namespace tavrelin::skin::test
