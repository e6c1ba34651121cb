#include "app/PageTabCtrl.h"
#include "res/resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>

namespace {

// A top-level window holding a tab control, the way the main window does.
class PageTabs : public testing::Test {
protected:
    void SetUp() override
    {
        m_frame = ::CreateWindowExA(0, "STATIC", "tabs", WS_OVERLAPPEDWINDOW, 0, 0, 700, 500, nullptr, nullptr, nullptr,
                                    nullptr);
        HWND tab = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 10, 10, 600, 400, m_frame,
                                     reinterpret_cast<HMENU>(IDC_PAGE_TAB), nullptr, nullptr);
        ASSERT_TRUE(m_tab.SubclassWindow(tab));
    }
    void TearDown() override { ::DestroyWindow(m_frame); }

    void AddTwoPages()
    {
        ASSERT_TRUE(m_tab.AddPage("Camera", &m_pages[0], IDD_CAMERA_PAGE));
        ASSERT_TRUE(m_tab.AddPage("Album", &m_pages[1], IDD_ALBUM_PAGE));
    }

    HWND m_frame = nullptr;
    CPageTabCtrl m_tab;
    std::array<CTabPage, CPageTabCtrl::kMaxPages + 1> m_pages;
};

TEST_F(PageTabs, HoldsAtMostSixteenPages)
{
    for (int i = 0; i < CPageTabCtrl::kMaxPages; ++i)
        EXPECT_TRUE(m_tab.AddPage("page", &m_pages[i], IDD_ALBUM_PAGE));
    EXPECT_FALSE(m_tab.AddPage("one too many", &m_pages[16], IDD_ALBUM_PAGE));
    EXPECT_EQ(m_tab.PageCount(), CPageTabCtrl::kMaxPages);
}

TEST_F(PageTabs, CreatesEveryPageAsAChildAndShowsTheFirst)
{
    AddTwoPages();
    m_tab.CreatePages();
    ASSERT_NE(m_pages[0].m_hWnd, nullptr);
    ASSERT_NE(m_pages[1].m_hWnd, nullptr);
    EXPECT_EQ(::GetParent(m_pages[0].m_hWnd), m_tab.m_hWnd);
    EXPECT_EQ(m_tab.GetItemCount(), 2);
    EXPECT_TRUE(::GetWindowLongA(m_pages[0].m_hWnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(::GetWindowLongA(m_pages[1].m_hWnd, GWL_STYLE) & WS_VISIBLE);

    RECT firstTab{};
    m_tab.GetItemRect(0, &firstTab);
    RECT page{};
    ::GetWindowRect(m_pages[0].m_hWnd, &page);
    ::MapWindowPoints(nullptr, m_tab.m_hWnd, reinterpret_cast<POINT*>(&page), 2);
    EXPECT_EQ(page.left, firstTab.left);
    EXPECT_EQ(page.top, firstTab.bottom + 1);
    EXPECT_EQ(page.right, 600 - 2);
    EXPECT_EQ(page.bottom, 400 - 2);
}

TEST_F(PageTabs, SelectPageReturnsThePreviousPageOrMinusOne)
{
    AddTwoPages();
    m_tab.CreatePages();
    EXPECT_EQ(m_tab.SelectPage(-1), -1);
    EXPECT_EQ(m_tab.SelectPage(2), -1);
    EXPECT_EQ(m_tab.CurrentPage(), 0);
    EXPECT_EQ(m_tab.SelectPage(0), 0);
    EXPECT_EQ(m_tab.SelectPage(1), 0);
    EXPECT_EQ(m_tab.CurrentPage(), 1);
    EXPECT_EQ(m_tab.GetCurSel(), 1);
    EXPECT_FALSE(::GetWindowLongA(m_pages[0].m_hWnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(::GetWindowLongA(m_pages[1].m_hWnd, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PageTabs, EnterAndEscapeInsideAPageCloseNothing)
{
    AddTwoPages();
    m_tab.CreatePages();
    ::SendMessageA(m_pages[0].m_hWnd, WM_COMMAND, IDOK, 0);
    ::SendMessageA(m_pages[0].m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(m_pages[0].m_hWnd));
}

} // namespace
