#pragma once
// The running strip on the main window while a recording captures and
// composes: "recording" or "compose" with a red dot running along a row of
// green ones.
#include "win/UniqueHandle.h"

#include <windows.h>

#include <atomic>

// The strip's place in the main window's client area.
inline constexpr RECT kStatusStripRect{269, 73, 740, 89};

class CStatusStrip {
public:
    CStatusStrip() = default;
    ~CStatusStrip();
    CStatusStrip(const CStatusStrip&) = delete;
    CStatusStrip& operator=(const CStatusStrip&) = delete;

    // Starts drawing on the main window's client area; reads `composing` at
    // every step to choose the text. False when the thread could not start.
    bool Start(HWND mainWindow, const std::atomic<bool>& composing);

    // Tells the drawing thread to stop and waits until it has released its
    // contexts and bitmaps. Harmless without a start.
    void Stop();

    // Draws the next step at once instead of at the end of the current one,
    // so that the switch to "compose" shows as soon as it happens.
    void DrawNow() const;

    HANDLE ThreadHandle() const { return m_hThread.get(); }

private:
    static DWORD WINAPI StatusThreadProc(LPVOID strip);
    void Run() const;
    void ClearOldText() const;

    HWND m_hMainWnd = nullptr;
    const std::atomic<bool>* m_pComposing = nullptr;
    // Set to stop the thread; also wakes it from its sleep between steps.
    win::UniqueKernelHandle m_hStopEvent;
    win::UniqueKernelHandle m_hDrawNowEvent;
    win::UniqueKernelHandle m_hThread;
};

// Erases the strip's rectangle; the main window's painting restores the area.
void EraseStatusStrip(HWND mainWindow);
