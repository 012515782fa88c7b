#include <climits>
#include <limits>
#include <string>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockB;
using fw::LockL;
using fw::LockR;
using fw::LockT;

class SplitterDragTest : public SplitterTest {
protected:
    std::vector<int> moved;
    // The converter's bar, with every Moved recorded.
    SmartSplitter& openRecorded(std::function<void(SmartSplitter&)> setUp = {}) {
        openConverterLayout(setUp, [this](SplitterWindow& w) {
            w.Control("SSHor").On("Moved", std::function<void(int)>([this](int d) { moved.push_back(d); }));
        });
        return bar();
    }
};

TEST_F(SplitterDragTest, DraggingMovesTheBarAndLaysOutBothHalves) {
    SmartSplitter& s = openRecorded();
    dragBar("SSHor", 0, -30);
    EXPECT_EQ(s.Top(), 205);
    EXPECT_EQ(control("GBSource").Height(), 188);
    EXPECT_EQ(control("GroupBox2").Top(), 214);
    EXPECT_EQ(control("GroupBox2").Height(), 318);      // its bottom stays put
    EXPECT_EQ(control("EFSource").Height(), 151 - 30);  // the group's locks carry its contents
    EXPECT_EQ(moved, (std::vector<int>{-30}));
    EXPECT_FALSE(s.mouseDownTriggered);
    EXPECT_DOUBLE_EQ(s.proportion(), (205.0 - 5) / 527);

    dragBar("SSHor", 0, 30);
    EXPECT_EQ(s.Top(), 235);
    EXPECT_EQ(control("GBSource").Height(), 218);
    EXPECT_EQ(control("GroupBox2").Top(), 244);
}

TEST_F(SplitterDragTest, SnapsOntoLimitsWithinHalfTheOffsetAndHoldsAtTheOffsetBeyond) {
    // The converter's bar: MinLimit 5, MaxLimit 532, both offsets 100.
    SmartSplitter& s = openRecorded();
    struct Row {
        int request, top;
        bool atMin, atMax;
    };
    for (Row r : {Row{54, 5, true, false}, Row{-400, 5, true, false}, Row{55, 105, false, false},
                  Row{104, 105, false, false}, Row{105, 105, false, false}, Row{300, 300, false, false},
                  Row{432, 432, false, false}, Row{433, 432, false, false}, Row{482, 432, false, false},
                  Row{483, 532, false, true}, Row{5000, 532, false, true}}) {
        s.setPosition(r.request);
        EXPECT_EQ(s.Top(), r.top) << r.request;
        EXPECT_EQ(s.atMinLimit, r.atMin) << r.request;
        EXPECT_EQ(s.atMaxLimit, r.atMax) << r.request;
        EXPECT_GE(s.proportion(), 0.0);
        EXPECT_LE(s.proportion(), 1.0);
    }
}

TEST_F(SplitterDragTest, OddOffsetSnapsOnAHalfPixelAndStopFlagsHoldInstead) {
    SmartSplitter& s = openRecorded([](SmartSplitter& b) { b.MinLimitOffset = 5; });
    s.setPosition(7);
    EXPECT_EQ(s.Top(), 5);
    s.setPosition(200);
    s.setPosition(8);
    EXPECT_EQ(s.Top(), 10);

    s.StopAtMinOffset = true;
    s.StopAtMaxOffset = true;
    s.setPosition(-100);
    EXPECT_EQ(s.Top(), 10);
    EXPECT_FALSE(s.atMinLimit);
    s.setPosition(9999);
    EXPECT_EQ(s.Top(), 432);
    EXPECT_FALSE(s.atMaxLimit);
    s.setProportion(2.0);
    EXPECT_EQ(s.Top(), 432);
    EXPECT_DOUBLE_EQ(s.proportion(), 1.0);
}

TEST_F(SplitterDragTest, VerticalBarSnapsWithItsLeftEdgeAThicknessBeforeTheLimit) {
    open({fw::Row<fw::Listbox>("LBLeft", "", 10, 10, 290, 500, LockL | LockT | LockB),
          fw::Row<SmartSplitter>("SS", "", 300, 10, 8, 500, LockT | LockB),
          fw::Row<fw::Listbox>("LBRight", "", 308, 10, 290, 500, LockL | LockT | LockR | LockB)});
    SmartSplitter& s = bar("SS");
    ASSERT_TRUE(s.isVertical);
    EXPECT_EQ(s.MinLimit, 2);
    EXPECT_EQ(s.MaxLimit, 598);
    s.setPosition(590);
    EXPECT_EQ(s.Left(), 598 - 8);
    EXPECT_TRUE(s.atMaxLimit);
    EXPECT_FALSE(control("LBRight").Visible());
    EXPECT_EQ(control("LBLeft").Width(), 290 + 290);
    dragBar("SS", -200, 0);
    EXPECT_EQ(s.Left(), 390);
    EXPECT_TRUE(control("LBRight").Visible());
    EXPECT_EQ(control("LBRight").Left() + control("LBRight").Width(), 598);
}

TEST_F(SplitterDragTest, BehaveKeepsPositionOrProportionAndStaysOnALimit) {
    SmartSplitter& s = openRecorded();
    moved.clear();
    s.behave();
    EXPECT_EQ(moved, (std::vector<int>{0}));  // raised and laid out even without a move

    // The group below is locked to the window's bottom, so the range grows.
    resize(front(), 614, 652);
    s.behave();
    EXPECT_EQ(s.MaxLimit, 632);
    EXPECT_EQ(s.Top(), 235);

    s.StayProportional = true;
    s.setProportion(0.5);
    EXPECT_EQ(s.Top(), 5 + (632 - 5) / 2);
    resize(front(), 614, 552);
    s.behave();
    EXPECT_EQ(s.Top(), 269);  // 318 - 49.5, the distance truncated toward zero
    EXPECT_DOUBLE_EQ(s.proportion(), 0.5);

    s.setPosition(600);
    EXPECT_TRUE(s.atMaxLimit);
    resize(front(), 614, 700);
    s.behave();
    EXPECT_EQ(s.Top(), 680);  // followed the limit as it moved
}

TEST_F(SplitterDragTest, BarWithoutLimitControlsFollowsTheWindowSize) {
    open({fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR | LockB),
          fw::Row<fw::PushButton>("PB", "", 20, 244, 60, 20, LockL | LockB, [](fw::PushButton&) {})},
         [](SplitterWindow& w) {
             auto& s = w.Control<SmartSplitter>("SS");
             s.On("Open", std::function<void()>([&s, &w] {
                      s.attach(&w.Control("PB"));
                      s.setAttachedControlShouldMove(&w.Control("PB"), true);
                  }));
         });
    SmartSplitter& s = bar("SS");
    s.setMaxAttachedControl(nullptr, false);
    s.setMaxLimitOffset(0);
    EXPECT_EQ(s.windowSizeLast, 552);
    resize(front(), 614, 602);
    s.behave();
    EXPECT_EQ(s.windowSizeLast, 602);
    EXPECT_EQ(s.MaxLimit, 244 + 20 + 50);

    // Back to where it opened, allowing for the window's growth.
    EXPECT_EQ(s.Top(), 285);  // its own bottom lock moved it
    s.setPosition(100);
    s.resetPosition();
    EXPECT_EQ(s.Top(), 235 + 50);
}

TEST_F(SplitterDragTest, DeferredDragMovesOnlyTheBarUntilRelease) {
    SmartSplitter& s = openRecorded([](SmartSplitter& b) { b.DisableLiveDrag = true; });
    mouseDown("SSHor", 5, 4);
    mouseDrag("SSHor", 5, 4 - 20);
    mouseDrag("SSHor", 5, 4 - 20);
    EXPECT_EQ(s.Top(), 195);
    EXPECT_EQ(control("GBSource").Height(), 218);
    EXPECT_TRUE(moved.empty());
    mouseUp("SSHor", 5, 4);
    EXPECT_EQ(moved, (std::vector<int>{-40}));
    EXPECT_EQ(control("GBSource").Height(), 178);
    EXPECT_EQ(control("GroupBox2").Top(), 204);

    moved.clear();
    s.setPosition(300);
    EXPECT_TRUE(moved.empty());
    EXPECT_EQ(control("GroupBox2").Top(), 309);
}

TEST_F(SplitterDragTest, ConcealedBarTakesNoPressButStillMovesFromCode) {
    SmartSplitter& s = openRecorded();
    s.setConceal(true);
    EXPECT_EQ(s.MouseCursor(), nullptr);
    EXPECT_FALSE(s.Fire<bool(int, int)>("MouseDown", 5, 4));
    EXPECT_FALSE(s.mouseDownTriggered);
    dragBar("SSHor", 0, 50);
    EXPECT_EQ(s.Top(), 235);
    s.setPosition(300);
    EXPECT_EQ(s.Top(), 300);
    s.setConceal(false);
    EXPECT_EQ(s.MouseCursor(), fw::System::Cursors::SplitterNorthSouth());
    dragBar("SSHor", 0, -50);
    EXPECT_EQ(s.Top(), 250);
}

TEST_F(SplitterDragTest, ProportionRequestsAreCheckedOnlyWhileWarningsAreOn) {
    SmartSplitter& s = openRecorded();
    s.setPosition(5);
    ASSERT_TRUE(s.atMinLimit);
    s.setProportion(0.5);
    EXPECT_FALSE(s.atMinLimit);
    EXPECT_EQ(s.Top(), 5 + 527 / 2);
    EXPECT_FALSE(s.StayProportional);  // restored after the re-layout

    s.showWarningsDialogs = true;
    s.setProportion(fw::Variant(3));
    EXPECT_EQ(s.Top(), 5 + 527 / 2);
    ASSERT_EQ(shownMessages().size(), 1u);
    EXPECT_EQ(shownMessages()[0],
              "The value type passed to the SmartSplitter 'SSHor' method 'setProportion' is not a single or "
              "double.\n\nProportion must be referenced as a single or double - double is preferred as that is "
              "how it is referenced internally.");
    s.setProportion(fw::Variant(1));  // an integer 0 or 1 passes
    EXPECT_EQ(s.Top(), 532);

    s.setProportion(fw::Variant("0.5"));  // its integer value is 0: taken, read as a number
    EXPECT_EQ(s.Top(), 269);              // 532 - 263.5, the distance truncated toward zero
}

TEST_F(SplitterDragTest, ExtremeRequestsStayWithinTheLimits) {
    SmartSplitter& s = openRecorded();
    for (int request : {INT_MIN, INT_MAX, -1, 0}) {
        s.setPosition(request);
        EXPECT_GE(s.Top(), s.MinLimit) << request;
        EXPECT_LE(s.Top(), s.MaxLimit) << request;
    }
    s.setProportion(1e300);
    EXPECT_EQ(s.Top(), 532);
    s.setProportion(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(s.Top(), 532);
    EXPECT_DOUBLE_EQ(s.proportion(), 0.0);
    moved.clear();
    s.moveDistance(0, false);
    EXPECT_TRUE(moved.empty());
}

}  // namespace
