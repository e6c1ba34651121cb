#include "recording/StatusStrip.h"

#include "res/resource.h"
#include "win/App.h"
#include "win/ClientNotice.h"

#include <array>

namespace {

constexpr int kStripBitmapCount = IDB_STRIP_LAST - IDB_STRIP_FIRST + 1;
constexpr DWORD kStepMs = 500;
constexpr DWORD kRepaintWaitMs = 300;
constexpr DWORD kRepaintPollMs = 10;
constexpr int kDotsX = 336;
constexpr int kDotsWidth = 400;
constexpr int kDotsHeight = 12;

// Everything the drawing needs, taken before the loop and given back after it.
class CStripCanvas {
public:
    explicit CStripCanvas(HWND mainWindow) : m_notice(mainWindow, kStatusStripRect)
    {
        for (int index = 0; index < kStripBitmapCount; ++index)
            m_bitmaps[static_cast<size_t>(index)].reset(
                ::LoadBitmapA(win::AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDB_STRIP_FIRST + index)));
    }

    bool IsUsable() const { return m_notice.IsUsable(); }

    void Draw(int step, const char* text)
    {
        const win::CNoticePicture dots{
            m_bitmaps[static_cast<size_t>(step)].get(), {kDotsX, kStatusStripRect.top}, {kDotsWidth, kDotsHeight}};
        m_notice.Draw(text, {kStatusStripRect.left, kStatusStripRect.top}, dots);
    }

private:
    win::CClientNotice m_notice;
    std::array<win::UniqueBitmap, kStripBitmapCount> m_bitmaps;
};

} // namespace

void EraseStatusStrip(HWND mainWindow)
{
    if (mainWindow)
        ::InvalidateRect(mainWindow, &kStatusStripRect, TRUE);
}

CStatusStrip::~CStatusStrip() { Stop(); }

bool CStatusStrip::Start(HWND mainWindow, const std::atomic<bool>& composing)
{
    Stop();
    m_hMainWnd = mainWindow;
    m_pComposing = &composing;
    m_hStopEvent.reset(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    m_hDrawNowEvent.reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!m_hStopEvent || !m_hDrawNowEvent)
        return false;
    m_hThread.reset(::CreateThread(nullptr, 0, StatusThreadProc, this, 0, nullptr));
    return static_cast<bool>(m_hThread);
}

void CStatusStrip::Stop()
{
    if (m_hThread) {
        ::SetEvent(m_hStopEvent.get());
        ::WaitForSingleObject(m_hThread.get(), INFINITE);
        m_hThread.reset();
    }
    m_hStopEvent.reset();
    m_hDrawNowEvent.reset();
}

void CStatusStrip::DrawNow() const
{
    if (m_hDrawNowEvent)
        ::SetEvent(m_hDrawNowEvent.get());
}

DWORD WINAPI CStatusStrip::StatusThreadProc(LPVOID strip)
{
    static_cast<const CStatusStrip*>(strip)->Run();
    return 0;
}

// The strip is erased once when "compose" takes over. Each step is drawn on
// the strip's background, so "compose" never shows over "recording" even when
// the window's thread has not repainted yet; a short wait for that paint only
// spares the new text from being erased right after it appears. Waiting
// rather than forcing the paint keeps this thread from ever blocking on the
// window's thread, so a stop always ends it promptly.
void CStatusStrip::ClearOldText() const
{
    EraseStatusStrip(m_hMainWnd);
    for (DWORD waited = 0; waited < kRepaintWaitMs; waited += kRepaintPollMs) {
        if (!::GetUpdateRect(m_hMainWnd, nullptr, FALSE))
            return;
        if (::WaitForSingleObject(m_hStopEvent.get(), kRepaintPollMs) != WAIT_TIMEOUT)
            return;
    }
}

void CStatusStrip::Run() const
{
    CStripCanvas canvas(m_hMainWnd);
    if (!canvas.IsUsable())
        return;
    bool firstCompose = true;
    for (int step = 0;; step = (step + 1) % kStripBitmapCount) {
        const char* text = "recording";
        if (m_pComposing->load()) {
            if (firstCompose)
                ClearOldText();
            firstCompose = false;
            text = "compose";
        }
        canvas.Draw(step, text);
        const HANDLE events[] = {m_hStopEvent.get(), m_hDrawNowEvent.get()};
        const DWORD woken = ::WaitForMultipleObjects(2, events, FALSE, kStepMs);
        if (woken != WAIT_TIMEOUT && woken != WAIT_OBJECT_0 + 1)
            return;
    }
}
