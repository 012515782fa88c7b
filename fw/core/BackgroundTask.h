#pragma once
// The cooperative yield: long loops call RuntimeBackgroundTask() once per
// pass; it hands control to the event loop (a hook that the GUI installs) at
// most once per time budget, so millions of calls cost almost nothing.
#include <cstdint>
#include <functional>

namespace fw {

void RuntimeBackgroundTask();

// The hook called when the budget has run out (nullptr: none).
void SetBackgroundTaskHook(std::function<void()> hook);
// Milliseconds between hand-overs (default 20).
void SetBackgroundTaskBudget(int64_t ms);
// Monotonic milliseconds; tests inject their own clock (nullptr: steady clock).
void SetBackgroundTaskClock(std::function<int64_t()> clock);

}  // namespace fw
