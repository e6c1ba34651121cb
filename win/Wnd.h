#pragma once
// A window object bound to one HWND: the framework's counterpart of a window
// class with a message map. Messages reach the object's virtual WindowProc;
// what it does not handle goes to the window's previous procedure (Default).
#include <windows.h>
#include <string>

namespace win {

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window by this framework, or none.
    static CWnd* FromHandlePermanent(HWND window);

    // Creates a window of a class registered with RegisterClassForFramework
    // (or any class) and binds it to this object before WM_NCCREATE.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  int x, int y, int width, int height, HWND parent, HMENU menuOrId);
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int controlId, CWnd* parent);
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // Thin forwards to the platform, for readability at the call sites.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    bool SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) const;
    bool MoveWindow(int x, int y, int width, int height, bool repaint = true) const;
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    HWND GetDlgItem(int controlId) const { return ::GetDlgItem(m_hWnd, controlId); }
    void Invalidate(bool erase = true) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void UpdateWindow() const { ::UpdateWindow(m_hWnd); }
    std::string GetWindowText() const;
    // Centres over the owner when it is visible and not minimised, otherwise
    // in the work area of the monitor nearest to it.
    void CenterWindow() const;
    // A message box owned by this window; without a caption it carries the
    // application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled to the previous window procedure.
    LRESULT Default();
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT* result);
    // Called after the window is gone; self-owning windows delete themselves here.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);
    void Attach(HWND window);
    void Detach();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previousProc = nullptr;
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } m_current{};

protected:
    // Binds the next window this thread creates to `window`.
    struct CreationScope {
        explicit CreationScope(CWnd* window);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;
    };
};

// Registers (once) a window class whose procedure is the default one, for
// windows bound to a CWnd; returns its name.
std::string RegisterClassForFramework(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

} // namespace win
