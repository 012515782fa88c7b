#include <string>
#include <tuple>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockB;
using fw::LockL;
using fw::LockR;
using fw::LockT;

class SplitterLayoutTest : public SplitterTest {
protected:
    // A bar at Top 235 (9 high) with one push button against it, attached
    // in the bar's Open handler and set up by `setUp`.
    SmartSplitter& openWithButton(int top, int height, std::function<void(SmartSplitter&, fw::RectControl&)> setUp) {
        open({fw::Row<fw::PushButton>("PB", "", 100, top, 80, height, LockL | LockT),
              fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR)},
             [setUp](SplitterWindow& w) {
                 auto& s = w.Control<SmartSplitter>("SS");
                 s.On("Open", std::function<void()>([&s, &w, setUp] {
                          s.attach(&w.Control("PB"));
                          if (setUp) setUp(s, w.Control("PB"));
                      }));
             });
        return bar("SS");
    }
};

TEST_F(SplitterLayoutTest, ResizedControlHidesBelowItsMinimumAndComesBackWhole) {
    SmartSplitter& s = openWithButton(200, 35, [](SmartSplitter& b, fw::RectControl& pb) {
        b.setAttachedControlShouldResize(&pb, true);
        b.setAttachedControlMinSizeVisible(&pb, 28);
    });
    s.setMinLimitOffset(0);
    fw::RectControl& pb = control("PB");
    s.setPosition(235 - 7);
    EXPECT_EQ(pb.Height(), 28);
    EXPECT_TRUE(pb.Visible());
    s.setPosition(235 - 8);
    EXPECT_EQ(pb.Height(), 27);
    EXPECT_FALSE(pb.Visible());
    s.setPosition(s.MinLimit);        // 191: past the button's top
    EXPECT_EQ(pb.Height(), 35 - 44);  // written as computed, not clamped
    EXPECT_FALSE(pb.Visible());
    s.setPosition(235);
    EXPECT_EQ(pb.Height(), 35);
    EXPECT_TRUE(pb.Visible());

    // The bar owns the visibility of what it lays out.
    pb.Visible(false);
    s.behave();
    EXPECT_TRUE(pb.Visible());
}

TEST_F(SplitterLayoutTest, CentredControlsSitInTheMiddleOfTheirSide) {
    open({fw::Row<fw::PushButton>("PBAfter", "", 100, 110, 80, 50, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "", 20, 100, 574, 10, LockL | LockR)});
    SmartSplitter& s = bar("SS");
    s.setMaxLimit(300);
    s.setAttachedControlShouldCenter(&control("PBAfter"), true);
    EXPECT_EQ(control("PBAfter").Top(), 180);
    EXPECT_TRUE(control("PBAfter").Visible());
    quitApp();

    open({fw::Row<fw::PushButton>("PBBefore", "", 100, 154, 80, 50, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "", 20, 204, 574, 10, LockL | LockR)});
    SmartSplitter& t = bar("SS");
    t.setMinLimit(4);
    t.setAttachedControlShouldResize(&control("PBBefore"), true);
    t.setAttachedControlShouldCenter(&control("PBBefore"), true);
    EXPECT_FALSE(t.attachedControlShouldResize[0]);
    EXPECT_EQ(control("PBBefore").Top(), 84);
    EXPECT_EQ(control("PBBefore").Height(), 50);
    t.setAttachedControlShouldResize(&control("PBBefore"), true);
    EXPECT_FALSE(t.attachedControlShouldCenter[0]);
    EXPECT_EQ(control("PBBefore").Top(), 84);  // no new layout yet
}

TEST_F(SplitterLayoutTest, FixedControlsHideWhenTheBarCoversThem) {
    struct Row {
        int top, height;
        bool visible;
    };
    // Bar 235..244: after it two pixels of overlap are tolerated, before it two.
    for (Row r : {Row{242, 30, true}, Row{241, 30, false}, Row{207, 30, true}, Row{208, 30, false}}) {
        SmartSplitter& s = openWithButton(r.top, r.height, [](SmartSplitter& b, fw::RectControl& pb) {
            b.setAttachedControlShouldMove(&pb, false);
        });
        s.adjustAttachedControls(0, true);
        EXPECT_EQ(control("PB").Visible(), r.visible) << r.top;
        quitApp();
    }
    // A vertical bar 300..308 tolerates one pixel.
    for (Row r : {Row{307, 1, true}, Row{306, 1, false}}) {
        open({fw::Row<SmartSplitter>("SS", "", 300, 10, 8, 500, LockT | LockB),
              fw::Row<fw::PushButton>("PB", "", r.top, 100, 60, 22, LockL | LockT)},
             [](SplitterWindow& w) {
                 auto& s = w.Control<SmartSplitter>("SS");
                 s.On("Open", std::function<void()>([&s, &w] { s.attach(&w.Control("PB")); }));
             });
        bar("SS").setAttachedControlShouldMove(&control("PB"), false);
        bar("SS").adjustAttachedControls(0, true);
        EXPECT_EQ(control("PB").Visible(), r.visible) << r.top;
        quitApp();
    }
}

TEST_F(SplitterLayoutTest, ControlOutsideItsParentIsHidden) {
    open({fw::Row<fw::GroupBox>("GB", "", 20, 14, 574, 218, LockL | LockT),
          fw::Row<fw::PushButton>("PB", "GB", 100, 100, 80, 22, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR)});
    SmartSplitter& s = bar("SS");
    fw::RectControl& pb = control("PB");
    s.attach(&pb);
    s.setAttachedControlShouldMove(&pb, false);
    for (auto [left, top, visible] :
         {std::tuple{19, 100, false}, std::tuple{20, 100, true}, std::tuple{100, 13, false},
          std::tuple{514, 100, true}, std::tuple{515, 100, false}, std::tuple{100, 211, false}}) {
        pb.Left(left);
        pb.Top(top);
        s.adjustAttachedControls(0, true);
        EXPECT_EQ(pb.Visible(), visible) << left << "," << top;
    }
}

TEST_F(SplitterLayoutTest, NestedBarsOfTheSameOrientationFollowADragOnly) {
    std::vector<std::string> log;
    open({fw::Row<SmartSplitter>("SSMain", "", 20, 235, 574, 9, LockL | LockR),
          // A negative designed offset counts as given and is stored as 0.
          fw::Row<SmartSplitter>("SSAlong", "", 20, 244, 574, 9, LockL | LockR,
                                 [](SmartSplitter& b) { b.MinLimitOffset = -1; }),
          fw::Row<SmartSplitter>("SSAcross", "", 300, 253, 8, 200, LockT | LockB)},
         [&log](SplitterWindow& w) {
             for (const char* name : {"SSAlong", "SSAcross"})
                 w.Control(name).On("Moved", std::function<void(int)>([&log, name](int) { log.push_back(name); }));
         });
    SmartSplitter& s = bar("SSMain");
    s.attach(&control("SSAcross"));
    ASSERT_EQ(s.attachedControl.size(), 2u);
    EXPECT_TRUE(s.attachedControlShouldResize[1]);  // a bar across this one stretches

    dragBar("SSMain", 0, -20);
    EXPECT_EQ(log, (std::vector<std::string>{"SSAlong"}));
    EXPECT_EQ(control("SSAlong").Top(), 224);
    EXPECT_EQ(control("SSAcross").Height(), 220);
    EXPECT_TRUE(control("SSAcross").Visible());

    log.clear();
    s.behave();
    EXPECT_TRUE(log.empty());
}

}  // namespace
