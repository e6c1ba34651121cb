#include "Wait.h"

#include <thread>

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, Timeout timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

HWND WaitForWindow(const std::function<HWND()>& find, Timeout timeout)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = find();
            return found != nullptr;
        },
        timeout);
    return found;
}

} // namespace e2e
