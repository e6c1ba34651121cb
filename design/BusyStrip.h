#pragma once
// The busy strip of the design library: a red dot running along a row of
// green ones, drawn by a thread of its own while the window thread is busy
// preparing a design's frames.
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tavrelin {

// The strip's size; where it lies is the caller's choice.
inline constexpr SIZE kBusyStripSize{400, 12};

class CBusyStrip {
public:
    CBusyStrip() = default;
    ~CBusyStrip() { Shutdown(); }
    CBusyStrip(const CBusyStrip&) = delete;
    CBusyStrip& operator=(const CBusyStrip&) = delete;

    // Starts drawing on the window's client area with the strip's top-left
    // corner at `at`, or keeps a strip that still runs going. Returns at once.
    void Start(HWND window, POINT at);
    // The strip ends after the frame on show, then erases itself. Returns at
    // once.
    void Stop();
    // Stops the strip and waits for its thread: before the window goes.
    void Shutdown();

private:
    void Run(HWND window, RECT place);

    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_busy = false;
    // True from a start until the thread has decided to end.
    bool m_running = false;
    bool m_quit = false;
    std::thread m_thread;
};

} // namespace tavrelin
