// The bar between the two groups moves only the groups; the controls inside
// them show and take clicks only within their group wherever the bar goes,
// and come back whole with it.
#include <vector>

#include "ShellTest.h"
#include "splitter/SmartSplitter.h"

namespace {

bool holds(const Box& outer, const Box& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

class GroupClippingTest : public ShellTest {
protected:
    void dragBarTo(int top) { dragBar("SSHor", 0, top - control("SSHor").Top()); }

    void expectNothingOutsideItsGroup() {
        MainWindow& w = main();
        const int bar = w.Control("SSHor").Top();
        for (int i = 0; i < w.ControlCount(); ++i) {
            const fw::RectControl& c = *w.Control(i);
            if (!c.Parent()) continue;
            const Box shown = shownBox(c.Name().utf8());
            if (shown.width > 0) {
                EXPECT_TRUE(holds(boundsOf(*c.Parent()), shown)) << c.Name().utf8() << " with the bar at " << bar;
            }
        }
        int stray = 0;
        for (int y = 0; y < w.Height(); y += 3) {
            for (int x = 0; x < w.Width(); x += 3) {
                fw::RectControl* hit = controlAt(w, x, y);
                for (fw::RectControl* p = hit ? hit->Parent() : nullptr; p; p = p->Parent())
                    if (!holds(boundsOf(*p), Box{x, y, 1, 1}) && stray++ == 0)
                        ADD_FAILURE() << "a click at " << x << "," << y << " reaches " << hit->Name().utf8()
                                      << " outside its group, with the bar at " << bar;
            }
        }
    }
};

TEST_F(GroupClippingTest, ControlsShowAndTakeClicksOnlyInsideTheirGroup) {
    startVarnel();
    MainWindow& w = main();
    auto& bar = control<SmartSplitter>("SSHor");
    std::vector<Box> designed;
    for (int i = 0; i < w.ControlCount(); ++i) designed.push_back(boundsOf(*w.Control(i)));

    dragBarTo(-1000);
    EXPECT_TRUE(bar.atMinLimit);
    expectNothingOutsideItsGroup();
    // Where the source "Clear" was designed, the output group now lies.
    const fw::RectControl& clear = control("PBSourceClear");
    fw::RectControl* hit = controlAt(w, clear.Left() + clear.Width() / 2, clear.Top() + clear.Height() / 2);
    EXPECT_TRUE(hit == nullptr || hit->Parent() != &control("GBSource")) << hit->Name().utf8();

    for (int top : {120, 150, 200, 280, 350, 430}) {
        dragBarTo(top);
        expectNothingOutsideItsGroup();
    }
    dragBarTo(2000);
    EXPECT_TRUE(bar.atMaxLimit);
    expectNothingOutsideItsGroup();

    dragBarTo(235);
    ASSERT_EQ(bar.Top(), 235);
    for (int i = 0; i < w.ControlCount(); ++i) {
        const std::string name = w.Control(i)->Name().utf8();
        EXPECT_EQ(boundsOf(*w.Control(i)), designed[size_t(i)]) << name;
        EXPECT_EQ(shownBox(name), designed[size_t(i)]) << name;
    }
}

}  // namespace
