#include "design/DesignWindows.h"

#include <algorithm>

bool CDesignWindows::Open(const std::string& gifPath, tavrelin::SDesignFrames design, int x, int y)
{
    m_windows.push_back(
        std::make_unique<CDesignWnd>(gifPath, std::move(design), [this](CDesignWnd* gone) { Forget(gone); }));
    CDesignWnd* window = m_windows.back().get();
    if (window->Open(x, y))
        return true;
    // A window that failed half-way may already have forgotten itself.
    Forget(window);
    return false;
}

void CDesignWindows::CloseAll()
{
    while (!m_windows.empty()) {
        CDesignWnd* window = m_windows.back().get();
        if (!window->m_hWnd || !window->DestroyWindow())
            Forget(window);
    }
}

void CDesignWindows::Forget(CDesignWnd* window)
{
    const auto found = std::find_if(m_windows.begin(), m_windows.end(),
                                    [window](const std::unique_ptr<CDesignWnd>& held) { return held.get() == window; });
    if (found != m_windows.end())
        m_windows.erase(found);
}
