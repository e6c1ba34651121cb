#include "win/MessagePump.h"

namespace win {

void PumpMessagesUntil(const std::function<bool()>& done, DWORD checkMs, HANDLE object,
                       const std::function<void()>& eachTurn)
{
    bool bQuit = false;
    int quitCode = 0;
    for (;;) {
        if (eachTurn)
            eachTurn();
        if (done())
            break;
        ::MsgWaitForMultipleObjects(object ? 1 : 0, object ? &object : nullptr, FALSE, checkMs, QS_ALLINPUT);
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                bQuit = true;
                quitCode = static_cast<int>(message.wParam);
                continue;
            }
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    if (bQuit)
        ::PostQuitMessage(quitCode);
}

} // namespace win
