#include <string>
#include <vector>

#include "tests/splitter/SplitterTest.h"

namespace {

using fw::LockB;
using fw::LockL;
using fw::LockR;
using fw::LockT;

class SplitterAttachTest : public SplitterTest {
protected:
    bool attached(const std::string& name) {
        for (auto* c : bar("SS").attachedControl)
            if (c == &control(name)) return true;
        return false;
    }
};

// A horizontal bar at Top 235, 9 high (far edge 244), spanning 20..594.
TEST_F(SplitterAttachTest, OnlyControlsWithinFivePixelsOfAnEdgeAndOverTheSpanAttach) {
    open({fw::Row<fw::PushButton>("Above230", "", 20, 200, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Above231", "", 90, 201, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Above239", "", 160, 209, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Below240", "", 230, 240, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Below248", "", 300, 248, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Below249", "", 370, 249, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("Wide", "", 10, 244, 600, 30, LockL | LockT),    // covers the span
          fw::Row<fw::PushButton>("Beside", "", 598, 244, 10, 30, LockL | LockT),  // starts within 5 of its end
          fw::Row<fw::PushButton>("Outside", "", 599, 232, 10, 3, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR)});
    for (const char* name : {"Above231", "Above239", "Below240", "Below248", "Wide", "Beside"})
        EXPECT_TRUE(attached(name)) << name;
    for (const char* name : {"Above230", "Below249", "Outside"}) EXPECT_FALSE(attached(name)) << name;
    EXPECT_EQ(bar("SS").MinLimitOffset, 30);
    EXPECT_EQ(bar("SS").MaxLimitOffset, 30);
}

TEST_F(SplitterAttachTest, ControlsInOtherContainersOrOnOtherPagesStayOut) {
    open({fw::Row<fw::TabPanel>("TP", "", 10, 10, 590, 500, LockL | LockT),
          fw::Row<fw::PushButton>("SamePage", "TP", 20, 205, 60, 30, LockL | LockT),
          fw::Row<fw::PushButton>("OtherPage", "TP", 90, 205, 60, 30, LockL | LockT,
                                  [](fw::PushButton& b) { b.TabPanelIndex(1); }),
          fw::Row<fw::PushButton>("OnWindow", "", 160, 205, 60, 30, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "TP", 20, 235, 560, 9, LockL | LockR)});
    EXPECT_TRUE(attached("SamePage"));
    EXPECT_FALSE(attached("OtherPage"));
    EXPECT_FALSE(attached("OnWindow"));
}

TEST_F(SplitterAttachTest, ControlLevelWithTheBarCountsAsAfterIt) {
    open({fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR),
          fw::Row<fw::PushButton>("Level", "", 20, 235, 60, 240 - 235 + 3, LockL | LockT)},
         [](SplitterWindow& w) {
             auto& s = w.Control<SmartSplitter>("SS");
             s.On("Open", std::function<void()>([&s, &w] { s.attach(&w.Control("Level")); }));
         });
    SmartSplitter& s = bar("SS");
    EXPECT_FALSE(s.attachedControlBehind[0]);
    EXPECT_TRUE(s.attachedControlShouldMove[0]);
    EXPECT_EQ(s.MaxLimitOffset, 30);
    EXPECT_EQ(s.MinLimitOffset, 0);
}

TEST_F(SplitterAttachTest, ConverterHalvesGetTheirSuggestions) {
    openConverterLayout();
    SmartSplitter& s = bar("SSHor");
    EXPECT_EQ(s.attachedControlMinSizeVisible, (std::vector<int>{28, 28}));
    EXPECT_EQ(s.attachedControlShouldResize, (std::vector<bool>{true, true}));
    // GroupBox2 comes first in the window's order.
    EXPECT_EQ(s.attachedControlBehind, (std::vector<bool>{false, true}));
    EXPECT_EQ(s.attachedControlShouldMove, (std::vector<bool>{true, false}));
    EXPECT_EQ(s.attachedControlShouldCenter, (std::vector<bool>{false, false}));
}

TEST_F(SplitterAttachTest, SuggestionTablesFollowClassAndOrientation) {
    open({fw::Row<fw::Listbox>("LB", "", 10, 10, 50, 50, LockL | LockT,
                               [](fw::Listbox& l) { l.ScrollBarHorizontal(true); }),
          fw::Row<fw::EditField>("EFMulti", "", 10, 70, 50, 50, LockL | LockT,
                                 [](fw::EditField& e) {
                                     e.MultiLine(true);
                                     e.ScrollBarHorizontal(true);
                                 }),
          fw::Row<fw::EditField>("EFSingle", "", 10, 130, 50, 20, LockL | LockT,
                                 [](fw::EditField& e) { e.ScrollBarVertical(false); }),
          fw::Row<fw::CheckBox>("CB", "", 10, 160, 50, 20, LockL | LockT),
          fw::Row<fw::PopupMenu>("PM", "", 10, 190, 50, 20, LockL | LockT),
          fw::Row<fw::StaticText>("ST", "", 10, 220, 50, 20, LockL | LockT),
          fw::Row<fw::TabPanel>("TP", "", 10, 250, 50, 50, LockL | LockT),
          fw::Row<fw::PushButton>("PBStretch", "", 10, 310, 50, 20, LockT | LockB),
          fw::Row<SmartSplitter>("SSAcross", "", 100, 10, 8, 200, LockL | LockT),
          fw::Row<SmartSplitter>("SSAlong", "", 100, 300, 200, 8, LockL | LockT),
          fw::Row<SmartSplitter>("SS", "", 300, 500, 200, 9, LockL | LockT)});
    SmartSplitter& h = bar("SS");
    struct Row {
        const char* name;
        int minSize, offset;
        bool resize;
    };
    for (Row r : {Row{"LB", 20, 66, true}, Row{"EFMulti", 2, 46, true}, Row{"EFSingle", 2, 30, false},
                  Row{"CB", 2, 30, false}, Row{"PM", 2, 30, false}, Row{"ST", 2, 30, false}, Row{"TP", 28, 140, true},
                  Row{"PBStretch", 2, 30, true}, Row{"SSAcross", 2, 30, true}, Row{"SSAlong", 2, 30, false}}) {
        fw::RectControl* c = &control(r.name);
        EXPECT_EQ(h.suggestMinSizeControlShouldBeVisible(c), r.minSize) << r.name;
        EXPECT_EQ(h.suggestOffsetSizeForControl(c), r.offset) << r.name;
        EXPECT_EQ(h.suggestWhetherControlShouldResize(c), r.resize) << r.name;
    }
    // The same controls against a vertical bar.
    h.isVertical = true;
    for (Row r : {Row{"LB", 20, 86, true}, Row{"EFSingle", 20, 60, true}, Row{"CB", 18, 60, false},
                  Row{"PM", 18, 40, true}, Row{"ST", 2, 40, false}, Row{"PBStretch", 2, 30, false},
                  Row{"SSAcross", 2, 30, false}, Row{"SSAlong", 2, 30, true}}) {
        fw::RectControl* c = &control(r.name);
        EXPECT_EQ(h.suggestMinSizeControlShouldBeVisible(c), r.minSize) << r.name;
        EXPECT_EQ(h.suggestOffsetSizeForControl(c), r.offset) << r.name;
        EXPECT_EQ(h.suggestWhetherControlShouldResize(c), r.resize) << r.name;
    }
}

TEST_F(SplitterAttachTest, EmbeddedControlsFollowTheirContainerWhenAsked) {
    openConverterLayout({}, [](SplitterWindow& w) {
        auto& s = w.Control<SmartSplitter>("SSHor");
        s.On("Open", std::function<void()>([&s, &w] {
                 s.doNotAttachEmbeddedControls = false;
                 s.attach(&w.Control("GBSource"));
                 s.attach(&w.Control("GroupBox2"));
             }));
    });
    SmartSplitter& s = bar("SSHor");
    ASSERT_EQ(s.attachedControl.size(), 4u);
    EXPECT_EQ(s.attachedControl[1], &control("EFSource"));  // right after its container
    EXPECT_EQ(s.attachedControl[3], &control("EFDest"));
    // EFSource lies above the bar with LockTop: it resizes; EFDest below with
    // LockBottom: it resizes but does not move, its container carries it.
    EXPECT_TRUE(s.attachedControlShouldResize[1]);
    EXPECT_FALSE(s.attachedControlShouldMove[3]);
    EXPECT_TRUE(s.attachedControlShouldResize[3]);

    // Detaching a container takes its embedded controls along and keeps the
    // limits' controls and offsets.
    s.showWarningsDialogs = true;
    s.unAttach(&control("GBSource"), false);
    EXPECT_EQ(s.attachedControl, (std::vector<fw::RectControl*>{&control("GroupBox2"), &control("EFDest")}));
    EXPECT_EQ(s.minAttachedControl, &control("GBSource"));
    EXPECT_EQ(s.MinLimitOffset, 100);
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(SplitterAttachTest, EmbeddedControlNearItsParentsFarEdgeResizesWithoutALock) {
    open({fw::Row<fw::GroupBox>("GB", "", 20, 14, 574, 218, LockL | LockT),
          fw::Row<fw::Listbox>("Near", "GB", 30, 100, 100, 130, LockL),  // far edge 230, parent's 232
          fw::Row<fw::Listbox>("Far", "GB", 140, 100, 100, 100, LockL),  // far edge 200
          fw::Row<SmartSplitter>("SS", "", 20, 235, 574, 9, LockL | LockR)},
         [](SplitterWindow& w) {
             auto& s = w.Control<SmartSplitter>("SS");
             s.On("Open", std::function<void()>([&s, &w] {
                      s.doNotAttachEmbeddedControls = false;
                      s.attach(&w.Control("GB"));
                  }));
         });
    SmartSplitter& s = bar("SS");
    ASSERT_EQ(s.attachedControl.size(), 3u);
    EXPECT_TRUE(s.attachedControlShouldResize[1]);
    EXPECT_FALSE(s.attachedControlShouldResize[2]);
}

TEST_F(SplitterAttachTest, WarningsOnlyWhileAskedForAndBadRequestsChangeNothing) {
    openConverterLayout();
    SmartSplitter& s = bar("SSHor");
    fw::RectControl* gb = &control("GBSource");
    fw::RectControl* ef = &control("EFSource");
    const auto before = s.attachedControl;

    s.attach(gb);
    s.setAttachedControlShouldMove(ef, true);
    s.unAttach(nullptr, false);
    EXPECT_TRUE(shownMessages().empty());

    s.showWarningsDialogs = true;
    s.attach(gb);
    s.setAttachedControlShouldMove(ef, true);
    s.unAttach(nullptr, false);
    s.unAttach(ef, true);
    EXPECT_EQ(s.attachedControl, before);
    EXPECT_EQ(shownMessages(),
              (std::vector<std::string>{
                  "The control 'GBSource' is already attached to smartSplitter 'SSHor'.   This attach request will "
                  "be ignored.",
                  "The control 'EFSource' passed to the SmartSplitter 'SSHor' method 'setAttachedControlShouldMove' "
                  "has not been attached.\n\nControl must be attached BEFORE calling this method.",
                  "The control passed to the SmartSplitter 'SSHor' method 'unAttach' is NIL.\n\nDon't go calling "
                  "this method with nonexistent controls!"}));

    s.unAttachAllControls();
    EXPECT_TRUE(s.warningIfNonAttached("setPosition"));
    EXPECT_EQ(shownMessages().back(),
              "SmartSplitter 'SSHor' method 'setPosition' WARNING:\n\nAll controls should be attached BEFORE "
              "calling this method.   Call will be ignored.");
    s.showWarningsDialogs = false;
    const int top = s.Top();
    s.setPosition(100);
    EXPECT_EQ(s.Top(), top);
    EXPECT_EQ(shownMessages().size(), 4u);
}

TEST_F(SplitterAttachTest, OffsetsTakenFromControlsLineUpTheirEdges) {
    openConverterLayout();
    SmartSplitter& s = bar("SSHor");
    s.setMinLimitOffset(&control("EFSource"));  // far edge 189, MinLimit 5
    s.setMaxLimitOffset(&control("EFDest"));    // top 271, MaxLimit 532
    EXPECT_EQ(s.MinLimitOffset, 184);
    EXPECT_EQ(s.MaxLimitOffset, 532 - 271 + 9);
    s.setMinLimitOffset(nullptr);
    EXPECT_EQ(s.MinLimitOffset, 184);
    s.setPosition(150);
    EXPECT_EQ(s.Top(), 189);  // held where its top meets the field's bottom
    s.setPosition(300);
    EXPECT_EQ(s.Top() + s.Height(), 271);  // held where its bottom meets the field's top
}

}  // namespace
