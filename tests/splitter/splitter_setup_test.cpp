#include <string>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockL;
using fw::LockR;
using fw::LockT;

class SplitterSetupTest : public SplitterTest {};

TEST_F(SplitterSetupTest, ConverterBarAttachesBothHalvesAndTakesTheirLimits) {
    openConverterLayout();
    SmartSplitter& s = bar();
    EXPECT_FALSE(s.isVertical);
    EXPECT_FALSE(s.minLimitPropSet);
    EXPECT_FALSE(s.maxLimitPropSet);
    EXPECT_FALSE(s.showWarningsDialogs);
    EXPECT_TRUE(s.doNotAttachEmbeddedControls);
    ASSERT_EQ(s.attachedControl.size(), 2u);  // the edit fields inside stay out
    EXPECT_EQ(s.minAttachedControl, &control("GBSource"));
    EXPECT_EQ(s.maxAttachedControl, &control("GroupBox2"));
    EXPECT_EQ(s.MinLimit, 14 - 9);
    EXPECT_EQ(s.MaxLimit, 244 + 288);
    EXPECT_EQ(s.MinLimitOffset, 100);
    EXPECT_EQ(s.MaxLimitOffset, 100);
    EXPECT_DOUBLE_EQ(s.proportionValue, (235.0 - 5) / (532 - 5));
    EXPECT_DOUBLE_EQ(s.proportionAtOpen, s.proportionValue);
    EXPECT_EQ(s.positionAtOpen, 235);
    EXPECT_EQ(s.windowSizeAtOpen, 552);
    EXPECT_EQ(s.handleCount, 2);  // 9 high: two small bars
    EXPECT_FALSE(s.handleDimple);
    EXPECT_EQ(s.MouseCursor(), fw::System::Cursors::SplitterNorthSouth());
}

TEST_F(SplitterSetupTest, ShapeGivesOrientationUnlessSwapped) {
    struct Row {
        int w, h;
        bool swap;
        bool vertical;
    };
    for (Row r : {Row{40, 40, false, false}, Row{40, 40, true, true}, Row{9, 200, false, true},
                  Row{200, 9, true, true}, Row{9, 200, true, false}}) {
        open({fw::Row<SmartSplitter>("SS", "", 100, 100, r.w, r.h, LockL | LockT,
                                     [r](SmartSplitter& s) { s.SwapOrientation = r.swap; })});
        SmartSplitter& s = bar("SS");
        EXPECT_EQ(s.isVertical, r.vertical) << r.w << "x" << r.h << " swap " << r.swap;
        // Nothing attached: the range runs from 0 to the window less the bar.
        EXPECT_EQ(s.MinLimit, 0);
        EXPECT_EQ(s.MaxLimit, r.vertical ? 614 - r.w : 552 - r.h);
        EXPECT_EQ(s.MouseCursor(),
                  r.vertical ? fw::System::Cursors::SplitterEastWest() : fw::System::Cursors::SplitterNorthSouth());
        quitApp();
    }
}

TEST_F(SplitterSetupTest, DesignedValuesAreRecordedAndNegativeOffsetsBecomeZero) {
    openConverterLayout([](SmartSplitter& s) {
        s.MinLimitOffset = -5;
        s.MaxLimitOffset = 20;
        s.MaxLimit = 400;
        s.showWarningsDialogs = true;
        s.doNotAttachEmbeddedControls = false;
    });
    SmartSplitter& s = bar();
    EXPECT_TRUE(s.minLimitOffsetPropSet);
    EXPECT_TRUE(s.maxLimitOffsetPropSet);
    EXPECT_TRUE(s.maxLimitPropSet);
    EXPECT_EQ(s.MinLimitOffset, 0);  // and attaching may not raise it
    EXPECT_EQ(s.MaxLimitOffset, 20);
    EXPECT_EQ(s.MaxLimit, 400);  // not derived from the group below
    EXPECT_FALSE(s.showWarningsDialogs);
    EXPECT_TRUE(s.doNotAttachEmbeddedControls);
}

TEST_F(SplitterSetupTest, DarkFrameChangesGreysAndDimplesUnlessInsideATabPanel) {
    auto frame9 = [](SplitterWindow& w) { w.Frame(fw::Window::MetalWindow); };
    open({fw::Row<fw::GroupBox>("GB", "", 10, 10, 300, 300, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "GB", 20, 100, 200, 6, LockL | LockT)},
         frame9);
    SmartSplitter& dark = bar("SS");
    EXPECT_TRUE(dark.backgroundDark);  // a group box still stands on the dark window
    EXPECT_EQ(dark.colorLight, fw::HSV(0, 0, 0.58));
    EXPECT_EQ(dark.colorDarkDisabled, fw::HSV(0, 0, 0.50));
    EXPECT_TRUE(dark.handleDimple);
    EXPECT_EQ(dark.handleCount, 1);  // 6 high, 200 long: one large dimple
    EXPECT_DOUBLE_EQ(dark.dimplePixelValue[3][4], 1.0);
    EXPECT_DOUBLE_EQ(dark.dimplePixelValue[2][1], 0.49);
    EXPECT_LT(dark.dimplePixelValueDisabled[5][5], 0);
    quitApp();

    open({fw::Row<fw::TabPanel>("TP", "", 10, 10, 300, 300, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "TP", 20, 100, 200, 5, LockL | LockT)},
         frame9);
    SmartSplitter& tabbed = bar("SS");
    EXPECT_FALSE(tabbed.backgroundDark);
    EXPECT_FALSE(tabbed.handleDimple);
    EXPECT_EQ(tabbed.colorLight, fw::HSV(0, 0, 0.75));
    EXPECT_EQ(tabbed.colorDark, fw::HSV(0, 0, 0.55));
    EXPECT_DOUBLE_EQ(tabbed.dimplePixelValue[3][4], 1.1);
    EXPECT_DOUBLE_EQ(tabbed.dimplePixelValue[1][1], -0.011);
}

TEST_F(SplitterSetupTest, OpenHandlerThatAttachesReplacesTheAutomaticAttach) {
    openConverterLayout({}, [](SplitterWindow& w) {
        w.Control("SSHor").On("Open", std::function<void()>([&w] {
                                  w.Control<SmartSplitter>("SSHor").attach(&w.Control("GroupBox2"));
                              }));
    });
    SmartSplitter& s = bar();
    ASSERT_EQ(s.attachedControl.size(), 1u);
    EXPECT_EQ(s.attachedControl[0], &control("GroupBox2"));
    EXPECT_EQ(s.MinLimit, 0);  // no control above: the sentinel is read as 0
    EXPECT_EQ(s.MinLimitOffset, 0);
}

TEST_F(SplitterSetupTest, CloseDetachesEverythingAndThenRaisesClose) {
    // Read in the bar's own Close: the window is gone once it has closed.
    size_t attachedAtClose = 99;
    bool minAtClose = true, debugAtClose = true;
    openConverterLayout({}, [&](SplitterWindow& w) {
        auto& s = w.Control<SmartSplitter>("SSHor");
        s.On("Close", std::function<void()>([&] {
                 attachedAtClose = s.attachedControl.size();
                 minAtClose = s.minAttachedControl != nullptr;
                 debugAtClose = s.debugCanvas != nullptr;
             }));
    });
    front().Close();
    processEvents();
    EXPECT_EQ(attachedAtClose, 0u);
    EXPECT_FALSE(minAtClose);
    EXPECT_FALSE(debugAtClose);
}

}  // namespace
