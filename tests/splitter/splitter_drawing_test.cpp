#include <string>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockL;
using fw::LockR;
using fw::LockT;

class SplitterDrawingTest : public SplitterTest {
protected:
    // Rows of the bar's pixels as '#' where the colour is `ink`, '.' elsewhere.
    std::vector<std::string> art(SmartSplitter& s, fw::Color ink, int x0, int x1) {
        processEvents();
        fw::PicturePtr pic = s.Snapshot();
        std::vector<std::string> rows;
        for (int y = 0; y < pic->Height(); ++y) {
            std::string r;
            for (int x = x0; x <= x1; ++x) r += pic->Pixel(x, y) == ink ? '#' : '.';
            rows.push_back(r);
        }
        return rows;
    }
    fw::Color dark(SmartSplitter& s) { return s.Active() && s.Enabled() ? s.colorDark : s.colorDarkDisabled; }
};

TEST_F(SplitterDrawingTest, ConverterBarShowsTwoSmallBarsAcrossItsMiddle) {
    openConverterLayout();
    SmartSplitter& s = bar();
    // Columns 280..294 of the 9 rows; each bar runs 282..292.
    const std::string line = "..###########..", none = "...............";
    EXPECT_EQ(art(s, dark(s), 280, 294),
              (std::vector<std::string>{none, none, none, line, none, line, none, none, none}));
}

class OtherWindow : public fw::Window {};

TEST_F(SplitterDrawingTest, BarRedrawsWhenDisabledOrItsWindowLeavesTheFront) {
    openConverterLayout();
    SmartSplitter& s = bar();
    ASSERT_NE(s.colorDark, s.colorDarkDisabled);
    auto gripRow = [&](fw::Color ink) { return art(s, ink, 280, 294)[3]; };
    const std::string grip = "..###########..";
    ASSERT_TRUE(s.Active());
    EXPECT_EQ(gripRow(s.colorDark), grip);
    s.Enabled(false);
    EXPECT_EQ(gripRow(s.colorDarkDisabled), grip);
    s.Enabled(true);
    EXPECT_EQ(gripRow(s.colorDark), grip);

    fw::Implicit<OtherWindow>();
    processEvents();
    ASSERT_FALSE(s.Active());
    EXPECT_EQ(gripRow(s.colorDarkDisabled), grip);
    s.Window()->Activate();
    processEvents();
    ASSERT_TRUE(s.Active());
    EXPECT_EQ(gripRow(s.colorDark), grip);
}

TEST_F(SplitterDrawingTest, AutomaticGripStyleFollowsThicknessAndLength) {
    open({fw::Row<SmartSplitter>("SSLarge", "", 10, 10, 121, 13, LockL | LockT),
          fw::Row<SmartSplitter>("SSShort", "", 10, 60, 120, 13, LockL | LockT),
          fw::Row<SmartSplitter>("SSThin", "", 10, 110, 121, 12, LockL | LockT),
          fw::Row<SmartSplitter>("SSNine", "", 10, 160, 500, 9, LockL | LockT),
          fw::Row<SmartSplitter>("SSFixed", "", 10, 210, 500, 9, LockL | LockT,
                                 [](SmartSplitter& b) { b.HandleType = SmartSplitter::HandleSmallDimples; })});
    struct Row {
        const char* name;
        bool large, dimple;
        int count;
    };
    for (Row r : {Row{"SSLarge", true, false, 2}, Row{"SSShort", false, false, 3}, Row{"SSThin", false, false, 3},
                  Row{"SSNine", false, false, 2}, Row{"SSFixed", false, true, 3}}) {
        EXPECT_EQ(bar(r.name).handleLarge, r.large) << r.name;
        EXPECT_EQ(bar(r.name).handleDimple, r.dimple) << r.name;
        EXPECT_EQ(bar(r.name).handleCount, r.count) << r.name;
    }
    quitApp();

    open({fw::Row<SmartSplitter>("SSSix", "", 10, 10, 21, 6, LockL | LockT),
          fw::Row<SmartSplitter>("SSFive", "", 10, 60, 21, 5, LockL | LockT)},
         [](SplitterWindow& w) { w.Frame(fw::Window::MetalWindow); });
    EXPECT_TRUE(bar("SSSix").handleLarge);
    EXPECT_EQ(bar("SSSix").handleCount, 1);
    EXPECT_FALSE(bar("SSFive").handleLarge);
    EXPECT_EQ(bar("SSFive").handleCount, 3);
}

TEST_F(SplitterDrawingTest, LargeBarsAndDimplesDrawTheirShapes) {
    open({fw::Row<SmartSplitter>("SS", "", 10, 10, 200, 20, LockL | LockT)});
    SmartSplitter& s = bar("SS");
    s.setHandleType(SmartSplitter::HandleLargeBars);  // two large bars at -1 and +2 from the middle (100, 10)
    fw::Color light = s.Active() && s.Enabled() ? s.colorLight : s.colorLightDisabled;
    fw::Color medium = s.Active() && s.Enabled() ? s.colorMedium : s.colorMediumDisabled;
    std::vector<std::string> rows = art(s, light, 90, 110);
    // 19 long, 2 thick: medium along the top and at both ends, light below.
    EXPECT_EQ(rows[9], "..#################..");
    EXPECT_EQ(rows[12], "..#################..");
    rows = art(s, medium, 90, 110);
    EXPECT_EQ(rows[8], ".###################.");
    EXPECT_EQ(rows[9], ".#.................#.");

    s.setHandleType(SmartSplitter::HandleLargeDimple);  // one large dimple: 5 x 5 without its corners
    processEvents();
    fw::PicturePtr pic = s.Snapshot();
    const auto& table = s.Active() && s.Enabled() ? s.dimplePixelValue : s.dimplePixelValueDisabled;
    EXPECT_EQ(pic->Pixel(100 - 3 + 3, 10 - 3 + 4), fw::HSV(0, 0, table[3][4]));
    EXPECT_EQ(pic->Pixel(100 - 3 + 2, 10 - 3 + 1), fw::HSV(0, 0, table[2][1]));
    EXPECT_NE(pic->Pixel(100 - 3 + 1, 10 - 3 + 1), fw::HSV(0, 0, table[2][1]));
}

TEST_F(SplitterDrawingTest, UnknownStyleDrawsNoGripButStillRaisesPaint) {
    int paints = 0;
    open({fw::Row<SmartSplitter>("SS", "", 10, 10, 200, 9, LockL | LockT,
                                 [](SmartSplitter& b) { b.HandleType = SmartSplitter::HandleAutomatic; })},
         [&paints](SplitterWindow& w) {
             w.Control("SS").On("Paint", std::function<void(fw::Graphics&)>([&paints](fw::Graphics&) { ++paints; }));
         });
    SmartSplitter& s = bar("SS");
    s.setHandleType(5);
    EXPECT_EQ(s.HandleType, 0);
    EXPECT_EQ(s.handleCount, 0);
    paints = 0;
    std::vector<std::string> rows = art(s, dark(s), 0, 199);
    EXPECT_EQ(rows[3], std::string(200, '.'));
    EXPECT_GE(paints, 1);

    s.setHandleType(SmartSplitter::HandleSmallBars);
    s.setConceal(true);
    paints = 0;
    rows = art(s, dark(s), 0, 199);
    EXPECT_EQ(rows[4], std::string(200, '.'));
    EXPECT_EQ(paints, 0);
    s.setConceal(false);
    EXPECT_EQ(art(s, dark(s), 100, 100)[4], "#");
}

TEST_F(SplitterDrawingTest, DeferredDragOutlinesTheBarUntilRelease) {
    openConverterLayout([](SmartSplitter& b) { b.DisableLiveDrag = true; });
    SmartSplitter& s = bar();
    EXPECT_EQ(art(s, s.colorDark, 0, 0)[0], ".");
    mouseDown("SSHor", 5, 4);
    mouseDrag("SSHor", 5, 14);
    s.Refresh(true);
    std::vector<std::string> rows = art(s, s.colorDark, 0, 2);
    EXPECT_EQ(rows[0], "###");
    EXPECT_EQ(rows[4], "#..");
    mouseUp("SSHor", 5, 4);
    EXPECT_EQ(art(s, s.colorDark, 0, 2)[0], "...");
}

}  // namespace
