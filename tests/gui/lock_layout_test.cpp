#include <array>

#include "tests/gui/GuiTestBase.h"

namespace {

using fw::LockB;
using fw::LockL;
using fw::LockR;
using fw::LockT;

// A group box locked on all sides holding children with every kind of lock,
// and a nested group inside it.
class LockWindow : public fw::Window {
public:
    LockWindow() {
        Width(400);
        Height(300);
        MinWidth(100);
        MinHeight(100);
        AddControls({
            fw::Row<fw::GroupBox>("GBOuter", "", 10, 10, 380, 280, LockL | LockT | LockR | LockB),
            fw::Row<fw::EditField>("EFStretch", "GBOuter", 20, 30, 300, 200, LockL | LockT | LockR | LockB),
            fw::Row<fw::PushButton>("PBRight", "GBOuter", 330, 30, 50, 22, LockT | LockR),
            fw::Row<fw::PushButton>("PBBottom", "GBOuter", 20, 250, 80, 22, LockL | LockB),
            fw::Row<fw::PushButton>("PBFixed", "GBOuter", 120, 250, 80, 22, LockL | LockT),
            fw::Row<fw::GroupBox>("GBInner", "GBOuter", 210, 240, 170, 40, LockL | LockR | LockB),
            fw::Row<fw::PushButton>("PBInner", "GBInner", 300, 250, 70, 22, LockR | LockB),
        });
        On("Resized", std::function<void()>([this] { resizedStretchWidth = Control("EFStretch").Width(); }));
    }
    int resizedStretchWidth = -1;
};

class LockLayoutTest : public GuiTest {};

TEST_F(LockLayoutTest, LocksFollowEveryResizeWithoutCreeping) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    struct Row {
        const char* name;
        Box at500x400;
    };
    // After growing by 100 x 100: stretched, moved right, moved down, fixed,
    // and the nested group carried by the outer one.
    const std::array<Row, 6> rows{{
        {"EFStretch", {20, 30, 400, 300}},
        {"PBRight", {430, 30, 50, 22}},
        {"PBBottom", {20, 350, 80, 22}},
        {"PBFixed", {120, 250, 80, 22}},
        {"GBInner", {210, 340, 270, 40}},
        {"PBInner", {400, 350, 70, 22}},
    }};
    std::array<Box, 6> designed;
    for (size_t i = 0; i < rows.size(); ++i) designed[i] = boundsOf(w.Control(rows[i].name));

    // Odd steps, down below the designed size and back, by code and by the user.
    const std::array<std::pair<int, int>, 6> steps{
        {{437, 311}, {123, 155}, {999, 777}, {401, 299}, {500, 400}, {400, 300}}};
    for (int pass = 0; pass < 3; ++pass)
        for (auto [sw, sh] : steps) {
            if (pass == 1) resize(w, sw, sh);
            else w.SetBounds(w.Left(), w.Top(), sw, sh);
            if (sw == 500 && sh == 400) {
                for (const Row& r : rows) EXPECT_EQ(boundsOf(w.Control(r.name)), r.at500x400) << r.name;
            }
        }
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(boundsOf(w.Control(rows[i].name)), designed[i]) << rows[i].name;
}

TEST_F(LockLayoutTest, ResizedComesAfterTheLayout) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    resize(w, 450, 300);
    EXPECT_EQ(w.resizedStretchWidth, 350);
    EXPECT_EQ(w.Width(), 450);
}

TEST_F(LockLayoutTest, ControlGeometryIsKeptExactlyAsWritten) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& c = fw::Implicit<LockWindow>().Control("PBFixed");
    for (Box b : {Box{0, 0, 0, 0}, Box{-30, -7, -5, -12}, Box{5, 5, 1, 0}, Box{40000, 3, 2, 40000}}) {
        c.SetBounds(b.left, b.top, b.width, b.height);
        EXPECT_EQ(boundsOf(c), b);
        c.Width(b.width);
        c.Height(b.height);
        EXPECT_EQ(boundsOf(c), b);
    }
}

TEST_F(LockLayoutTest, ResizingAContainerByCodeLaysOutItsChildren) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    auto& outer = w.Control("GBOuter");
    // Shrunk below nothing and back: the children come back to their places.
    outer.Height(-20);
    EXPECT_EQ(w.Control("EFStretch").Height(), 200 - 300);
    outer.Height(280);
    EXPECT_EQ(boundsOf(w.Control("EFStretch")), (Box{20, 30, 300, 200}));
    EXPECT_EQ(boundsOf(w.Control("PBInner")), (Box{300, 250, 70, 22}));
}

TEST_F(LockLayoutTest, EmbeddedControlsMoveWithTheirContainer) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    w.Control("GBOuter").Left(25);
    w.Control("GBOuter").Top(4);
    EXPECT_EQ(boundsOf(w.Control("PBInner")), (Box{315, 244, 70, 22}));
    EXPECT_EQ(boundsOf(w.Control("GBInner")), (Box{225, 234, 170, 40}));
    EXPECT_EQ(w.Control("PBInner").Parent(), &w.Control("GBInner"));
    EXPECT_EQ(w.Control("GBOuter").Parent(), nullptr);
}

TEST_F(LockLayoutTest, WindowBoundsReadBackAsWrittenWithinLimits) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    w.SetBounds(33, 47, 512, 388);
    EXPECT_EQ(boundsOf(w), (Box{33, 47, 512, 388}));
    processEvents();
    EXPECT_EQ(boundsOf(w), (Box{33, 47, 512, 388}));
    w.Width(20);
    EXPECT_EQ(w.Width(), 100);
    resize(w, 50, 50);  // the user can't shrink it below its minimum either
    EXPECT_GE(w.Width(), 100);
    EXPECT_GE(w.Height(), 100);
}

TEST_F(LockLayoutTest, ControlListIsFlatInCreationOrder) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    std::vector<std::string> names;
    for (int i = 0; i < w.ControlCount(); ++i) names.push_back(w.Control(i)->Name().utf8());
    EXPECT_EQ(names, (std::vector<std::string>{"GBOuter", "EFStretch", "PBRight", "PBBottom", "PBFixed", "GBInner",
                                               "PBInner"}));
    EXPECT_EQ(w.Control(w.ControlCount()), nullptr);
    EXPECT_EQ(w.FindControl("nothing"), nullptr);
    EXPECT_THROW(w.Control<fw::EditField>("PBRight"), fw::NilObjectException);
}

TEST_F(LockLayoutTest, VisibleIsTheControlsOwnFlag) {
    startApp<fw::Application>([] { fw::Implicit<LockWindow>(); });
    auto& w = fw::Implicit<LockWindow>();
    w.Control("GBOuter").Visible(false);
    EXPECT_TRUE(w.Control("PBInner").Visible());
    w.Control("GBOuter").Visible(true);
    EXPECT_TRUE(w.Control("PBInner").Visible());
}

}  // namespace
