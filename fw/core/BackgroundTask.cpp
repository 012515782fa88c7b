#include "fw/core/BackgroundTask.h"

#include <time.h>

#include <utility>

namespace fw {
namespace {

// The coarse clock is read from the vDSO without a system call: a few
// nanoseconds, with a resolution of a few milliseconds, ample for a 20 ms
// budget.
int64_t coarseMilliseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return int64_t(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

struct YieldState {
    std::function<void()> hook;
    std::function<int64_t()> clock;
    int64_t budget = 20;
    int64_t last = 0;
    bool started = false;
    bool inHook = false;
};

YieldState& state() {
    static YieldState s;
    return s;
}

}  // namespace

void RuntimeBackgroundTask() {
    YieldState& s = state();
    if (!s.hook || s.inHook) return;
    int64_t now = s.clock ? s.clock() : coarseMilliseconds();
    if (!s.started) {
        // The budget runs from the first call, not from an arbitrary epoch.
        s.started = true;
        s.last = now;
        return;
    }
    if (now - s.last < s.budget) return;
    // The hook runs the event loop, which may reach code that yields again.
    struct Reentry {
        bool& flag;
        explicit Reentry(bool& f) : flag(f) { flag = true; }
        ~Reentry() { flag = false; }
    } guard(s.inHook);
    s.hook();
    s.last = s.clock ? s.clock() : coarseMilliseconds();
}

void SetBackgroundTaskHook(std::function<void()> hook) {
    state().hook = std::move(hook);
    state().started = false;
}

void SetBackgroundTaskBudget(int64_t ms) { state().budget = ms < 0 ? 0 : ms; }

void SetBackgroundTaskClock(std::function<int64_t()> clock) {
    state().clock = std::move(clock);
    state().started = false;
}

}  // namespace fw
