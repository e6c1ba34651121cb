#pragma once
// The calling thread's messages, run while it waits for something else: a
// worker to end, work to be done. A quit message that arrives meanwhile
// belongs to the loop further out: it is kept and put back once the wait is
// over, so that loop still ends.
#include <windows.h>

#include <functional>

namespace win {

// Runs messages until `done` holds. `done` is asked every `checkMs` and
// whenever `object` (may be null) is signalled or a message arrives;
// `eachTurn` (may be empty) runs before each look.
void PumpMessagesUntil(const std::function<bool()>& done, DWORD checkMs, HANDLE object = nullptr,
                       const std::function<void()>& eachTurn = {});

} // namespace win
