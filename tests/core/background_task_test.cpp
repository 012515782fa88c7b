#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "fw/core/BackgroundTask.h"

namespace {

class BackgroundTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        fw::SetBackgroundTaskBudget(20);
        fw::SetBackgroundTaskClock([this] {
            ++clockReads;
            return now;
        });
        fw::SetBackgroundTaskHook([this] { ++hookCalls; });
    }
    void TearDown() override {
        fw::SetBackgroundTaskHook(nullptr);
        fw::SetBackgroundTaskClock(nullptr);
        fw::SetBackgroundTaskBudget(20);
    }
    int64_t now = 1000;
    int clockReads = 0;
    int hookCalls = 0;
};

TEST_F(BackgroundTaskTest, HandsOverAtMostOncePerBudget) {
    fw::RuntimeBackgroundTask();  // starts the budget
    for (int i = 0; i < 1000; ++i) fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 0);

    now += 19;
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 0);
    now += 1;
    fw::RuntimeBackgroundTask();
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 1);

    now += 500;  // a long pass still gives one hand-over, not a burst
    for (int i = 0; i < 10; ++i) fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 2);
}

TEST_F(BackgroundTaskTest, BudgetIsAdjustable) {
    fw::SetBackgroundTaskBudget(5);
    fw::RuntimeBackgroundTask();
    now += 5;
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(BackgroundTaskTest, WithoutHookTheClockIsNotRead) {
    fw::SetBackgroundTaskHook(nullptr);
    clockReads = 0;
    for (int i = 0; i < 100; ++i) fw::RuntimeBackgroundTask();
    EXPECT_EQ(clockReads, 0);
}

TEST_F(BackgroundTaskTest, HookThatYieldsAgainDoesNotRecurse) {
    int depth = 0, maxDepth = 0;
    fw::SetBackgroundTaskHook([&] {
        ++depth;
        maxDepth = std::max(maxDepth, depth);
        now += 100;
        fw::RuntimeBackgroundTask();
        --depth;
    });
    fw::RuntimeBackgroundTask();
    now += 20;
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(BackgroundTaskTest, ThrowingHookLeavesTheYieldWorking) {
    bool fail = true;
    fw::SetBackgroundTaskHook([&] {
        ++hookCalls;
        if (fail) throw std::runtime_error("event loop failed");
    });
    fw::RuntimeBackgroundTask();
    now += 20;
    EXPECT_THROW(fw::RuntimeBackgroundTask(), std::runtime_error);
    fail = false;
    now += 20;
    fw::RuntimeBackgroundTask();
    EXPECT_EQ(hookCalls, 2);
}

}  // namespace
