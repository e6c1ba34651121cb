#pragma once
// The tab control that owns the main window's pages and shows one at a time;
// a left click on a tab switches the page.
#include "win/TabPage.h"
#include "win/Controls.h"

class CPageTabCtrl : public win::CTabCtrl {
public:
    static constexpr int kMaxPages = 16;

    bool AddPage(const char* label, CTabPage* page, unsigned resourceId);
    void CreatePages();
    void SizePages();
    // The page that was current, or -1 when index names no page.
    int SelectPage(int index);
    int PageCount() const { return m_count; }
    int CurrentPage() const { return m_current; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnLButtonDown();
    bool IsPageIndex(int index) const { return index >= 0 && index < m_count; }

    const char* m_labels[kMaxPages] = {};
    unsigned m_resourceIds[kMaxPages] = {};
    CTabPage* m_pages[kMaxPages] = {};
    int m_count = 0;
    int m_current = 0;
};
