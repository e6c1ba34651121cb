#pragma once
// Every design window of the process. They outlive the library that opened
// them, and must all be gone before GDI+ shuts down with the main window, so
// the main window keeps them here.
#include "design/DesignWnd.h"

#include <memory>
#include <vector>

class CDesignWindows {
public:
    CDesignWindows() = default;
    ~CDesignWindows() { CloseAll(); }
    CDesignWindows(const CDesignWindows&) = delete;
    CDesignWindows& operator=(const CDesignWindows&) = delete;

    // Shows the prepared design at (x, y); false when its window can't be made.
    bool Open(const std::string& gifPath, tavrelin::SDesignFrames design, int x, int y);
    void CloseAll();
    size_t Count() const { return m_windows.size(); }
    const CDesignWnd* At(size_t index) const { return m_windows[index].get(); }

private:
    void Forget(CDesignWnd* window);

    std::vector<std::unique_ptr<CDesignWnd>> m_windows;
};
