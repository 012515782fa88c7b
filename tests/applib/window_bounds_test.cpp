// Saved window and control bounds: "left,top,width,height" under
// name + ".Pos"; positions always apply while reachable, sizes only grow.
#include <cmath>
#include <limits>

#include "AppLibTest.h"
#include "applib/VellBounds.h"
#include "applib/VellClass.h"
#include "fw/core/Numbers.h"
#include "fw/gui/Gui.h"

namespace {

constexpr Box Design{TestWindow::DesignLeft, TestWindow::DesignTop, TestWindow::DesignWidth,
                     TestWindow::DesignHeight};

// A screen whose panels take `panelBottom` pixels at its foot.
fw::ScreenInfo screenAt(int l, int t, int w, int h, int panelBottom = 0) {
    fw::ScreenInfo s;
    s.left = s.availableLeft = l;
    s.top = s.availableTop = t;
    s.width = s.availableWidth = w;
    s.height = h;
    s.availableHeight = h - panelBottom;
    return s;
}

// The window filling the free area of the screen, frame and all.
Box fillingAvailable(const fw::Window& w, const fw::ScreenInfo& s) {
    const fw::Window::Margins m = w.FrameMargins();
    return {s.AvailableLeft() + m.left, s.AvailableTop() + m.top, s.AvailableWidth() - m.left - m.right,
            s.AvailableHeight() - m.top - m.bottom};
}

struct Restore {
    const char* stored;
    Box want;
};

// Each stored value restored onto the window at its designed bounds.
template <size_t N>
void expectRestored(fw::Window& win, const Restore (&cases)[N]) {
    for (const Restore& c : cases) {
        win.SetBounds(Design.left, Design.top, Design.width, Design.height);
        Vell->UserSettings->Set("Case.Pos", c.stored);
        Vell->LoadWinPos(win, "Case");
        EXPECT_EQ(boundsOf(win), c.want) << "stored \"" << c.stored << "\"";
    }
}

}  // namespace

using WindowBounds = AppLibTest;

TEST_F(WindowBounds, LoadWinPosAppliesEachFieldOnItsOwn) {
    fw::testing::FakeScreens({screenAt(0, 0, 1920, 1200)});
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    const Restore cases[] = {
        {"", Design},
        {"   ", Design},
        {"100,50", {100, 50, 600, 400}},
        {",,800,600", {60, 80, 800, 600}},
        {"10,20,300,200", {10, 20, 600, 400}},     // smaller sizes never shrink it
        {"10,30,900,650,77", {10, 30, 900, 650}},  // a fifth field is ignored
        {"12.9,50.7,640.5,480", {12, 50, 640, 480}},
        {"abc,50,xyz", {0, 50, 600, 400}},
        {"10,40,5000,9000", {10, 40, 1000, 700}},  // grows only to the window's maximum
        {"-1200,40,640,480", {60, 80, 640, 480}},  // title strip on no screen: designed place
        {"99999999999,40", Design},
        {"50,-99999999999", Design},
    };
    expectRestored(win, cases);
}

TEST_F(WindowBounds, StoredSizeBeyondTheScreenShrinksToItsFreeAreaAndMovesOntoIt) {
    const fw::ScreenInfo screen = screenAt(0, 0, 1024, 768, 28);  // a panel along the foot
    fw::testing::FakeScreens({screen});
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.MaxWidth(32000);
    win.MaxHeight(32000);
    const Box full = fillingAvailable(win, screen);
    const Restore cases[] = {
        {"99999999999,99999999999,99999999999,99999999999", full},
        {"100,80,32000,32000", full},
        {"0,30,1030,770", full},                                  // a little larger than the screen
        {"200,100,1030,500", {full.left, 100, full.width, 500}},  // too wide only
        {"40,100,720,520", {40, 100, 720, 520}},                  // fits: back exactly
        {"900,700,640,480", {900, 700, 640, 480}},                // moved partly off by the user
    };
    expectRestored(win, cases);
}

TEST_F(WindowBounds, EachWindowFitsTheScreenThatHoldsIt) {
    // Side by side, the right one larger and with a panel.
    const fw::ScreenInfo left = screenAt(0, 0, 1280, 800), right = screenAt(1280, 0, 1920, 1080, 40);
    fw::testing::FakeScreens({left, right});
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.MaxWidth(32000);
    win.MaxHeight(32000);
    const Restore cases[] = {
        {"100,80,32000,32000", fillingAvailable(win, left)},
        {"1400,100,32000,32000", fillingAvailable(win, right)},
        {"1400,100,1930,700", {fillingAvailable(win, right).left, 100, fillingAvailable(win, right).width, 700}},
        {"1500,200,700,500", {1500, 200, 700, 500}},
        {"1000,100,600,400", {1000, 100, 600, 400}},  // across both screens
        {"2900,900,700,500", {2900, 900, 700, 500}},  // partly off the right one
    };
    expectRestored(win, cases);
}

TEST_F(WindowBounds, FixedSizeWindowOnlyMoves) {
    startApp<TestApp>([] { fw::Implicit<FixedWindow>(); });
    auto& win = fw::Implicit<FixedWindow>();
    Vell->UserSettings->Set("Fixed.Pos", "10,20,900,700");
    Vell->LoadWinPos(win, "Fixed");
    EXPECT_EQ(boundsOf(win), (Box{10, 20, 300, 200}));
}

TEST_F(WindowBounds, GarbageNeverLeavesTheLimits) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    for (const char* stored : {"1e400,1e400,1e400,1e400", "-1e400,-1e400,-1e400,-1e400", "inf,nan,inf,nan",
                               "0x7fffffff,--5,+7,1e9", ",,,", ",,-5,-5"}) {
        win.SetBounds(Design.left, Design.top, Design.width, Design.height);
        Vell->UserSettings->Set("Junk.Pos", stored);
        Vell->LoadWinPos(win, "Junk");
        EXPECT_GE(win.Width(), win.MinWidth()) << stored;
        EXPECT_LE(win.Width(), win.MaxWidth()) << stored;
        EXPECT_GE(win.Height(), win.MinHeight()) << stored;
        EXPECT_LE(win.Height(), win.MaxHeight()) << stored;
        EXPECT_TRUE(VellBounds::TitleStripOnScreen(win.Left(), win.Top(), win.Width())) << stored;
    }
}

TEST_F(WindowBounds, KeysIgnoreLetterCase) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.SetBounds(30, 90, 700, 500);
    Vell->SaveWinPos(win, "MainWindow");
    EXPECT_EQ(Vell->UserSettings->Get("mainwindow.pos", "").StringValue().utf8(), "30,90,700,500");
    win.SetBounds(Design.left, Design.top, Design.width, Design.height);
    Vell->LoadWinPos(win, "mainwindow");
    EXPECT_EQ(boundsOf(win), (Box{30, 90, 700, 500}));
}

TEST_F(WindowBounds, ControlBoundsRoundTripAndApplyEveryField) {
    startWithTestWindow();
    auto& pb = fw::Implicit<TestWindow>().Control<fw::PushButton>("PBConvert");
    pb.SetBounds(-5, 7, 40, 10);
    Vell->SaveControlPos(pb, "PBConvert");
    EXPECT_EQ(Vell->UserSettings->Get("PBConvert.Pos", "").StringValue().utf8(), "-5,7,40,10");
    pb.SetBounds(10, 140, 90, 22);
    Vell->LoadControlPos(pb, "PBConvert");
    EXPECT_EQ(boundsOf(pb), (Box{-5, 7, 40, 10}));

    Vell->UserSettings->Set("PBConvert.Pos", ",,3e10,x");
    Vell->LoadControlPos(pb, "PBConvert");
    EXPECT_EQ(boundsOf(pb), (Box{-5, 7, std::numeric_limits<int32_t>::max(), 0}));
}

TEST_F(WindowBounds, BoundsOfTheLastRunComeBack) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.SetBounds(40, 100, 720, 520);
    quitApp();
    EXPECT_EQ(savedSetting("MainWindow.Pos"), "40,100,720,520");

    startWithTestWindow();
    EXPECT_EQ(boundsOf(fw::Implicit<TestWindow>()), (Box{40, 100, 720, 520}));
}

TEST_F(WindowBounds, StoredSizeSmallerThanTheDesignKeepsTheDesignSize) {
    writeSettings("[MainWindow]\nPos=40,100,320,240\n");
    startWithTestWindow();
    EXPECT_EQ(boundsOf(fw::Implicit<TestWindow>()), (Box{40, 100, 600, 400}));
}

TEST(BoundsNumbers, SettingsNumbersBecomeInt32Safely) {
    constexpr int32_t mx = std::numeric_limits<int32_t>::max(), mn = std::numeric_limits<int32_t>::min();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double in;
        int32_t want;
    } cases[] = {{0, 0},     {12.9, 12}, {-12.9, -12}, {2147483647.9, mx}, {3e9, mx},
                 {-3e9, mn}, {inf, mx},  {-inf, mn},   {std::nan(""), 0}};
    for (const Case& c : cases) EXPECT_EQ(fw::ToInt32(c.in), c.want) << c.in;
}

TEST_F(WindowBounds, TitleStripMustBeGraspableOnSomeScreen) {
    const fw::ScreenInfo s = fw::Screen(0);
    const int l = s.Left(), t = s.Top(), r = s.Left() + s.Width();
    EXPECT_TRUE(VellBounds::TitleStripOnScreen(l + 10, t + 50, 200));
    EXPECT_TRUE(VellBounds::TitleStripOnScreen(l + 10, t + 8, 200));    // just enough strip shows
    EXPECT_FALSE(VellBounds::TitleStripOnScreen(l + 10, t, 200));       // strip above the screen
    EXPECT_FALSE(VellBounds::TitleStripOnScreen(r - 10, t + 50, 200));  // only 10 pixels to grab
    EXPECT_TRUE(VellBounds::TitleStripOnScreen(r - 20, t + 50, 20));    // all of a narrow one
    EXPECT_FALSE(VellBounds::TitleStripOnScreen(l - 5000, t + 50, 640));
    EXPECT_FALSE(VellBounds::TitleStripOnScreen(std::numeric_limits<int>::max(), t + 50, 640));
}
