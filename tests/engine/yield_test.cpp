// Long conversions hand control to the event loop while they run.
#include "EngineTest.h"

#include "fw/core/BackgroundTask.h"

namespace {

class Yield : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        // Every clock read is one millisecond later, so each yield call
        // after the first exhausts a budget of one millisecond.
        fw::SetBackgroundTaskClock([this] { return ++now_; });
        fw::SetBackgroundTaskBudget(1);
        fw::SetBackgroundTaskHook([this] { ++handOvers_; });
    }
    void TearDown() override {
        fw::SetBackgroundTaskHook(nullptr);
        fw::SetBackgroundTaskClock(nullptr);
        fw::SetBackgroundTaskBudget(20);
        EngineTest::TearDown();
    }
    int64_t now_ = 0;
    int handOvers_ = 0;
};

TEST_F(Yield, LoopsYield) {
    const std::string text(1000, 'x');
    const struct {
        const char* label;
        int32_t length;
        int atLeast;
    } rows[] = {
        {"Plain text", 0, 900},  // once per character
        {"ASCII to code", 0, 900},
        {"Url Encode (all chars)", 0, 900},  // once per byte
        {"Javascript", 10, 90},              // once per piece
    };
    for (const auto& row : rows) {
        handOvers_ = 0;
        Run(row.label, text, row.length);
        EXPECT_GE(handOvers_, row.atLeast) << row.label;
    }
}

}  // namespace
