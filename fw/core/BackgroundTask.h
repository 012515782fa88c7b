#pragma once
// The cooperative yield: long loops call RuntimeBackgroundTask() once per
// pass; it hands control to the event loop (a hook that the GUI installs) at
// most once per time budget, so millions of calls cost almost nothing.
//
// Threads: the yield belongs to the main thread. The GUI installs the hook
// there, and all work that yields (conversions, loading and saving the
// stores, the splitter's layout) runs there. Without a hook the yield does
// nothing, so GUI-free programs may run that work on any thread (see
// String.h for the rest of the rule).
//
// Re-entry: while the hook runs, the event loop delivers what is pending
// except user input, which waits while a handler runs (a conversion is
// started by one), so no second conversion, command or edit begins in the
// middle of one. What does run: paints (which never yield), moves, resizes,
// close requests and posted calls. Such code must not change what the
// yielding code is working on: the engine's module variables, the text
// being converted, a store being read or written. A window closed meanwhile
// stays alive until no handler runs. The hook never nests: a yield made
// inside it returns at once.
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
