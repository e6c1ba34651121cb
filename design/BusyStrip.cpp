#include "design/BusyStrip.h"

#include "res/resource.h"
#include "win/App.h"
#include "win/UniqueHandle.h"

#include <array>
#include <chrono>

namespace tavrelin {

namespace {

constexpr int kFrameCount = IDB_STRIP_LAST - IDB_STRIP_FIRST + 1;
constexpr auto kFrameTime = std::chrono::milliseconds(500);
constexpr COLORREF kTransparent = RGB(0, 0, 255);

} // namespace

void CBusyStrip::Start(HWND window, POINT at)
{
    {
        const std::lock_guard<std::mutex> held(m_lock);
        m_busy = true;
        if (m_running)
            return;
    }
    // A thread that has decided to end only erases its strip before it does.
    if (m_thread.joinable())
        m_thread.join();
    {
        const std::lock_guard<std::mutex> held(m_lock);
        m_running = true;
        m_quit = false;
    }
    const RECT place{at.x, at.y, at.x + kBusyStripSize.cx, at.y + kBusyStripSize.cy};
    m_thread = std::thread([this, window, place] { Run(window, place); });
}

void CBusyStrip::Stop()
{
    const std::lock_guard<std::mutex> held(m_lock);
    m_busy = false;
}

void CBusyStrip::Shutdown()
{
    {
        const std::lock_guard<std::mutex> held(m_lock);
        m_busy = false;
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void CBusyStrip::Run(HWND window, RECT place)
{
    {
        std::array<win::UniqueBitmap, kFrameCount> frames;
        for (int index = 0; index < kFrameCount; ++index)
            frames[static_cast<size_t>(index)].reset(
                ::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_STRIP_FIRST + index)));
        const win::WindowDC dc(window);
        const win::UniqueMemoryDC memory(::CreateCompatibleDC(dc.get()));
        ::SetBkMode(dc.get(), TRANSPARENT);
        for (size_t step = 0;; step = (step + 1) % frames.size()) {
            if (memory && frames[step]) {
                const win::SelectedObject selected(memory.get(), frames[step].get());
                ::TransparentBlt(dc.get(), place.left, place.top, kBusyStripSize.cx, kBusyStripSize.cy, memory.get(), 0,
                                 0, kBusyStripSize.cx, kBusyStripSize.cy, kTransparent);
            }
            std::unique_lock<std::mutex> held(m_lock);
            m_wake.wait_for(held, kFrameTime, [this] { return m_quit; });
            if (!m_busy || m_quit) {
                m_running = false;
                break;
            }
        }
    }
    ::InvalidateRect(window, &place, TRUE);
}

} // namespace tavrelin
