#include <string>
#include <utility>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockL;
using fw::LockR;
using fw::LockT;

const fw::Color kRed = fw::RGB(200, 0, 0);
const fw::Color kGreen = fw::RGB(0, 150, 0);
const fw::Color kBlue = fw::RGB(0, 0, 150);

// An overlay whose picture can never be made.
class StarvedDebugger : public CanvasSmartSplitterDebugger {
protected:
    fw::PicturePtr newPicture(int, int, int) override { return nullptr; }
};

class SplitterDebugTest : public SplitterTest {
protected:
    CanvasSmartSplitterDebugger& overlay() { return control<CanvasSmartSplitterDebugger>("Debugger"); }
    // The converter's layout with an overlay on top and the bar in debug mode.
    void openDebugLayout() {
        openConverterLayout([](SmartSplitter& b) { b.Debug = true; },
                            [](SplitterWindow& w) {
                                w.AddControl(fw::Row<CanvasSmartSplitterDebugger>("Debugger", "", 50, 50, 10, 10,
                                                                                  fw::LockNone));
                            });
    }
};

TEST_F(SplitterDebugTest, DebugModeWithoutAnOverlayTellsTheDeveloperAndWorksOn) {
    openConverterLayout([](SmartSplitter& b) { b.Debug = true; });
    EXPECT_EQ(shownMessages(),
              (std::vector<std::string>{"SmartSplitter 'SSHor' needs a CanvasSmartSplitterDebugger to be present in "
                                        "the window for debug mode to work."}));
    EXPECT_EQ(bar().debugCanvas, nullptr);
    dragBar("SSHor", 0, -30);
    EXPECT_EQ(bar().Top(), 205);
}

TEST_F(SplitterDebugTest, OverlayCoversTheWindowAndMarksTheBarAndItsControls) {
    openDebugLayout();
    SmartSplitter& s = bar();
    CanvasSmartSplitterDebugger& d = overlay();
    EXPECT_EQ(s.debugCanvas, &d);
    EXPECT_TRUE(d.debug);
    EXPECT_EQ(d.Left(), 0);
    EXPECT_EQ(d.Width(), 614);
    EXPECT_EQ(d.Height(), 552);
    EXPECT_EQ(d.boxHeight, 11);
    EXPECT_TRUE(d.LockRight() && d.LockBottom());

    s.setPosition(235);
    ASSERT_NE(d.p, nullptr);
    // Drawn box: the bar's range 5..532 over its span 20..594.
    EXPECT_EQ(d.minXdrawn, 20);
    EXPECT_EQ(d.minYdrawn, 5);
    EXPECT_EQ(d.maxXdrawn, 594);
    EXPECT_EQ(d.maxYdrawn, 532);
    EXPECT_EQ(d.p->Pixel(300, 235), kGreen);  // the bar's box
    EXPECT_EQ(d.p->Pixel(100, 105), kBlue);   // MinLimit + MinLimitOffset
    EXPECT_EQ(d.p->Pixel(100, 432), kBlue);   // MaxLimit - MaxLimitOffset
    EXPECT_EQ(d.p->Pixel(300, 5), kGreen);    // the range's top

    // A drag clears, then marks each control and the bar; a hidden control
    // is crossed out.
    mouseDown("SSHor", 5, 4);
    mouseDrag("SSHor", 5, 4 - 230);
    EXPECT_EQ(s.Top(), 5);
    EXPECT_FALSE(control("GBSource").Visible());
    EXPECT_EQ(d.p->Pixel(300, 14), kRed);  // GroupBox2's top, moved up to 14
    fw::RectControl& ef = control("EFDest");
    ef.SetBounds(100, 300, 102, 102);
    ef.Visible(false);
    d.markControl(&ef);
    EXPECT_EQ(d.p->Pixel(100, 350), kRed);  // its box
    EXPECT_EQ(d.p->Pixel(150, 350), kRed);  // and its cross
    EXPECT_NE(d.p->Pixel(120, 350), kRed);
    mouseUp("SSHor", 5, 4);

    // The overlay paints the marked part of its picture.
    processEvents();
    EXPECT_EQ(d.Snapshot()->Pixel(300, 5), kGreen);
}

TEST_F(SplitterDebugTest, ClearingInvertsTheDrawnBoxAndAResizeClearsAfterPainting) {
    openDebugLayout();
    CanvasSmartSplitterDebugger& d = overlay();
    d.clearP();
    EXPECT_EQ(d.minXdrawn, 614);
    EXPECT_EQ(d.maxXdrawn, 0);
    bar().refreshDebugCanvas();
    processEvents();
    d.Snapshot();
    resize(front(), 700, 600);
    processEvents();
    d.Snapshot();
    EXPECT_EQ(d.maxXdrawn, 0);
    EXPECT_EQ(d.lastWidth, 700);
}

TEST_F(SplitterDebugTest, BoxedLabelsAlignToTheirPoint) {
    openDebugLayout();
    CanvasSmartSplitterDebugger& d = overlay();
    d.clearP();
    d.p->Graphics().ForeColor(kBlue);
    // An empty text gives a box 2 wide.
    d.drawBoxedString("", 100, 300, 0);
    d.drawBoxedString("", 200, 300, 1);
    d.drawBoxedString("", 300, 300, 2);
    d.drawBoxedString("", 400, 300, 7);
    for (auto [x, filled] : {std::pair{100, true},
                             {101, true},
                             {102, false},
                             {198, false},
                             {199, true},
                             {200, true},
                             {201, false},
                             {297, false},
                             {298, true},
                             {299, true},
                             {300, false},
                             {400, true}}) {
        EXPECT_EQ(d.p->Pixel(x, 305) == kBlue, filled) << x;
    }
    EXPECT_EQ(d.p->Graphics().ForeColor(), kBlue);
    EXPECT_EQ(d.maxXdrawn, 0);  // labels don't grow the drawn box
}

TEST_F(SplitterDebugTest, SplittersShareTheFirstOverlayAndEitherCanSwitchItOff) {
    open({fw::Row<CanvasSmartSplitterDebugger>("Debugger", "", 0, 0, 10, 10, fw::LockNone),
          fw::Row<CanvasSmartSplitterDebugger>("Second", "", 0, 0, 10, 10, fw::LockNone),
          fw::Row<SmartSplitter>("SSOne", "", 20, 100, 574, 9, LockL | LockR,
                                 [](SmartSplitter& b) { b.Debug = true; }),
          fw::Row<SmartSplitter>("SSTwo", "", 20, 300, 574, 9, LockL | LockR,
                                 [](SmartSplitter& b) { b.Debug = true; })});
    EXPECT_EQ(bar("SSOne").debugCanvas, &overlay());
    EXPECT_EQ(bar("SSTwo").debugCanvas, &overlay());
    bar("SSOne").setDebug(true);
    EXPECT_TRUE(shownMessages().empty());
    bar("SSTwo").setDebug(false);
    EXPECT_EQ(bar("SSTwo").debugCanvas, nullptr);
    EXPECT_FALSE(overlay().debug);
    EXPECT_EQ(bar("SSOne").debugCanvas, &overlay());
}

TEST_F(SplitterDebugTest, MissingPictureIsReportedOnce) {
    openConverterLayout([](SmartSplitter& b) { b.Debug = true; },
                        [](SplitterWindow& w) {
                            w.AddControl(fw::Row<StarvedDebugger>("Debugger", "", 0, 0, 10, 10, fw::LockNone));
                        });
    SmartSplitter& s = bar();
    s.setPosition(200);
    s.setPosition(300);
    overlay().markControl(&control("GBSource"));
    EXPECT_EQ(overlay().p, nullptr);
    EXPECT_TRUE(overlay().alreadyWarned);
    EXPECT_EQ(shownMessages(), (std::vector<std::string>{"CanvasSmartSplitterDebugger can not be initialized.   "
                                                         "Not enough available memory."}));
    EXPECT_EQ(s.Top(), 300);
}

}  // namespace
