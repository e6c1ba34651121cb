#include "MessagePump.h"

#include <chrono>
#include <thread>

namespace e2e {
namespace {

constexpr Timeout kPumpRest{5};

} // namespace

void DispatchPending(const std::function<void(const MSG&)>& seen)
{
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (seen)
            seen(message);
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

void PumpFor(Timeout duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    do {
        DispatchPending();
        std::this_thread::sleep_for(kPumpRest);
    } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& condition, Timeout timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        PumpFor(kPollInterval);
    }
    return true;
}

int RunMessageLoop()
{
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace e2e
