#pragma once
// Polling waits. They guard against hangs; they are not timing assertions, so
// the default deadline is generous.
#include <windows.h>

#include <chrono>
#include <functional>

namespace e2e {

using Timeout = std::chrono::milliseconds;
inline constexpr Timeout kDefaultTimeout{20000};
inline constexpr Timeout kPollInterval{30};

// Calls condition until it returns true or the deadline passes; true when met.
bool WaitUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout);

// Calls find until it returns a window or the deadline passes; null on timeout.
HWND WaitForWindow(const std::function<HWND()>& find, Timeout timeout = kDefaultTimeout);

} // namespace e2e
