#pragma once
// Running the calling thread's message queue from a test: the windows a
// test owns paint and answer only while it does.
#include "Wait.h"

#include <windows.h>

#include <functional>

namespace e2e {

// Translates and dispatches every message now in the queue; seen looks at
// each one first.
void DispatchPending(const std::function<void(const MSG&)>& seen = {});

// Dispatches the queue's messages for the whole duration, resting briefly
// between rounds.
void PumpFor(Timeout duration);

// Dispatches until condition holds or the deadline passes; true when it
// held. A guard against hangs, not a timing check.
bool PumpUntil(const std::function<bool()>& condition, Timeout timeout = kDefaultTimeout);

// Runs the thread's message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

} // namespace e2e
