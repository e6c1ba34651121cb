#pragma once
// The picture shown while the main window gets ready; it closes itself.
#include "win/UniqueHandle.h"
#include "win/Wnd.h"

void EnableSplash(bool enabled);
void ShowSplash(win::CWnd* parent);

class CSplashWindow final : public win::CWnd {
public:
    CSplashWindow() = default;
    ~CSplashWindow() override;
    bool CreateSplash(win::CWnd* parent);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;

private:
    void OnPaint();
    void OnTimer();

    win::UniqueBitmap m_bitmap;
    bool m_created = false;
};
