#pragma once
// A window object bound to one HWND: the framework's counterpart of a window
// class with a message map. Messages reach the object's virtual WindowProc;
// what it does not handle goes to the window's previous procedure (Default).
//
// Unlike the framework it imitates, there are no message maps: a window
// overrides WindowProc (and OnCommand, OnNotify), and commands are not routed
// on to the frame or the application. The object is found from its window
// through a window property; windows created elsewhere get no temporary
// object (there is no FromHandle).
#include <windows.h>

#include <memory>
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
    // On failure the object is left without a window.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU menuOrId);
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int controlId, CWnd* parent);
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // Hands an object with a window to that window, for windows that nobody
    // else keeps (a child that lives as long as its parent): the object is
    // destroyed once the window has handled its last message. Returns the
    // window, or null (and the object is gone) when it has none.
    static HWND GiveToWindow(std::unique_ptr<CWnd> object);

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
    // Called after the window is gone (WM_NCDESTROY) and the object unbound
    // from it; unlike the framework it imitates, only once no handler of this
    // object is still running, so an object may delete itself here.
    virtual void PostNcDestroy() {}

private:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);
    void Attach(HWND window);
    void Detach();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previousProc = nullptr;
    // Set by GiveToWindow; released with PostNcDestroy.
    std::unique_ptr<CWnd> m_ownedByWindow;
    // Handlers of this object now running, nested in one another.
    int m_dispatchDepth = 0;
    bool m_windowGone = false;
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
// The same under a name of the caller's, for a class that others look for by
// name; false when it can't be registered.
bool RegisterNamedClassForFramework(const char* name, UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon);

} // namespace win
