#include "app/PageTabCtrl.h"

#include "core/PageLayout.h"

bool CPageTabCtrl::AddPage(const char* label, CTabPage* page, unsigned resourceId)
{
    if (m_count >= kMaxPages)
        return false;
    m_labels[m_count] = label;
    m_pages[m_count] = page;
    m_resourceIds[m_count] = resourceId;
    ++m_count;
    return true;
}

void CPageTabCtrl::CreatePages()
{
    for (int i = 0; i < m_count; ++i) {
        m_pages[i]->Create(m_resourceIds[i] & 0xFFFF, this);
        InsertItem(TCIF_TEXT, i, m_labels[i], 0, 0);
    }
    for (int i = 0; i < m_count; ++i)
        m_pages[i]->ShowWindow(i == 0 ? SW_SHOW : SW_HIDE);
    SizePages();
}

void CPageTabCtrl::SizePages()
{
    const RECT client = GetClientRect();
    RECT firstTab{};
    GetItemRect(0, &firstTab);
    const PageRect area = PageAreaBelowTabs(client.right, client.bottom, firstTab.left, firstTab.bottom);
    for (int i = 0; i < m_count; ++i) {
        m_pages[i]->SetWindowPos(HWND_TOP, area.x, area.y, area.width, area.height,
                                 i == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
}

int CPageTabCtrl::SelectPage(int index)
{
    if (!IsPageIndex(index))
        return -1;
    const int previous = m_current;
    if (index != m_current) {
        m_pages[m_current]->ShowWindow(SW_HIDE);
        m_current = index;
        m_pages[m_current]->ShowWindow(SW_SHOW);
        SetCurSel(index);
    }
    return previous;
}

void CPageTabCtrl::OnLButtonDown()
{
    Default();
    const int focused = GetCurFocus();
    if (focused == m_current || !IsPageIndex(focused))
        return;
    m_pages[m_current]->ShowWindow(SW_HIDE);
    m_current = GetCurFocus();
    m_pages[m_current]->ShowWindow(SW_SHOW);
}

LRESULT CPageTabCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN) {
        OnLButtonDown();
        return 0;
    }
    return CTabCtrl::WindowProc(message, wParam, lParam);
}
