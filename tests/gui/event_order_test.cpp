#include <string>
#include <vector>

#include "tests/gui/GuiTestBase.h"

namespace {

std::vector<std::string> g_log;

class LogControl : public fw::PushButton {
public:
    LogControl() {
        On("Open", std::function<void()>([this] { g_log.push_back("open " + Name().utf8()); }));
        On("Close", std::function<void()>([this] { g_log.push_back("close " + Name().utf8()); }));
    }
};

class OrderWindow : public fw::Window {
public:
    OrderWindow() {
        Title("Order");
        AddControls({
            fw::Row<fw::GroupBox>("GB", "", 0, 0, 100, 100, fw::LockAll),
            fw::Row<LogControl>("PBOne", "GB", 10, 10, 50, 20, fw::LockL | fw::LockT),
            fw::Row<LogControl>("PBTwo", "", 10, 40, 50, 20, fw::LockL | fw::LockT),
        });
        On("Open", this, &OrderWindow::Event_Open);
        On("Close", this, &OrderWindow::Event_Close);
    }
    void Event_Open() { g_log.push_back("window open"); }
    void Event_Close() { g_log.push_back("window close"); }
};

class OrderApp : public fw::Application {
public:
    OrderApp() {
        On("Open", std::function<void()>([] { g_log.push_back("app open"); }));
        On("Close", std::function<void()>([] { g_log.push_back("app close"); }));
    }
};

class EventOrderTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        g_log.clear();
    }
};

TEST_F(EventOrderTest, AppOpensBeforeWindowsAndClosesAfterThem) {
    startApp<OrderApp>([] { fw::Implicit<OrderWindow>(); });
    quitApp();
    EXPECT_EQ(g_log, (std::vector<std::string>{"app open", "open PBOne", "open PBTwo", "window open", "window close",
                                               "close PBOne", "close PBTwo", "app close"}));
}

}  // namespace

namespace {

// A library base in the manner of the windowed library: Open does its part
// and then raises Open for the subclass; Close raises first.
class BaseWindow : public fw::Window {
public:
    BaseWindow() {
        On("Open", this, &BaseWindow::Event_Open);
        On("Close", this, &BaseWindow::Event_Close);
    }
    void Event_Open() {
        g_log.push_back("base open");
        RaiseEvent("Open");
    }
    void Event_Close() {
        RaiseEvent("Close");
        g_log.push_back("base close");
    }
};

class DerivedWindow : public BaseWindow {
public:
    DerivedWindow() {
        On("Open", this, &DerivedWindow::Event_Open);
        On("Close", this, &DerivedWindow::Event_Close);
    }
    void Event_Open() { g_log.push_back("derived open"); }
    void Event_Close() { g_log.push_back("derived close"); }
};

// Base only: raising an event no subclass handles does nothing.
class PlainBaseWindow : public BaseWindow {};

TEST_F(EventOrderTest, BaseClassRaisesOpenAfterItsPartAndCloseBeforeIt) {
    startApp<fw::Application>([] { fw::Implicit<DerivedWindow>(); });
    fw::Implicit<DerivedWindow>().Close();
    fw::Implicit<PlainBaseWindow>().Close();
    EXPECT_EQ(g_log, (std::vector<std::string>{"base open", "derived open", "derived close", "base close",
                                               "base open", "base close"}));
}

TEST_F(EventOrderTest, WindowMadeDuringTheRunOpensAtOnce) {
    startApp<OrderApp>();
    g_log.clear();
    auto& w = fw::Implicit<OrderWindow>();
    EXPECT_EQ(g_log, (std::vector<std::string>{"open PBOne", "open PBTwo", "window open"}));
    EXPECT_TRUE(w.IsOpen());
}

TEST_F(EventOrderTest, ImplicitInstanceIsMadeAnewAfterClose) {
    startApp<fw::Application>();
    auto* first = &fw::Implicit<OrderWindow>();
    EXPECT_EQ(&fw::Implicit<OrderWindow>(), first);
    first->Close();
    EXPECT_TRUE(first->IsClosed());  // still readable inside the same handler
    auto* second = &fw::Implicit<OrderWindow>();
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->IsOpen());
    processEvents();
    EXPECT_EQ(&fw::Implicit<OrderWindow>(), second);
}

class QuitOnCloseWindow : public fw::Window {
public:
    QuitOnCloseWindow() {
        On("Close", std::function<void()>([] {
               g_log.push_back("closing");
               fw::Quit();  // queued, not run inside this handler
               g_log.push_back("closed");
           }));
    }
};

TEST_F(EventOrderTest, QuitInsideCloseIsQueued) {
    startApp<OrderApp>([] {
        fw::Implicit<QuitOnCloseWindow>();
        fw::Implicit<OrderWindow>();
    });
    g_log.clear();
    fw::Implicit<QuitOnCloseWindow>().Close();
    EXPECT_EQ(g_log, (std::vector<std::string>{"closing", "closed"}));
    EXPECT_FALSE(fw::QuitDone());
    processEvents();
    EXPECT_TRUE(fw::QuitDone());
    EXPECT_EQ(g_log, (std::vector<std::string>{"closing", "closed", "window close", "close PBOne", "close PBTwo",
                                               "app close"}));
}

class ThrowingWindow : public fw::Window {
public:
    ThrowingWindow() {
        AddControl<fw::PushButton>("PBBoom", "", 10, 10, 80, 22);
        AddControl<fw::PushButton>("PBFine", "", 10, 40, 80, 22);
        Bind("PBBoom", "Action", &ThrowingWindow::PBBoom_Action);
        Bind("PBFine", "Action", &ThrowingWindow::PBFine_Action);
    }
    void PBBoom_Action() { Control("NoSuchControl").Visible(false); }
    void PBFine_Action() { ++fine; }
    int fine = 0;
};

TEST_F(EventOrderTest, UnhandledExceptionIsReportedAndTheAppGoesOn) {
    startApp<fw::Application>([] { fw::Implicit<ThrowingWindow>(); });
    click("PBBoom");
    ASSERT_EQ(shownMessages().size(), 1u);
    EXPECT_NE(shownMessages()[0].find("NilObjectException"), std::string::npos);
    click("PBFine");
    EXPECT_EQ(fw::Implicit<ThrowingWindow>().fine, 1);
}

TEST_F(EventOrderTest, HandlerOfTheWrongSignatureIsRefusedAtBinding) {
    fw::Canvas canvas;
    EXPECT_THROW(canvas.On("Paint", std::function<void()>([] {})), std::logic_error);
    EXPECT_THROW(canvas.On("MouseDown", std::function<void(int, int)>([](int, int) {})), std::logic_error);
    EXPECT_NO_THROW(canvas.On("MouseDown", std::function<bool(int, int)>([](int, int) { return true; })));
}

TEST_F(EventOrderTest, UserCloseWaitsForTheRunningHandler) {
    startApp<fw::Application>([] { fw::Implicit<OrderWindow>(); });
    auto& w = fw::Implicit<OrderWindow>();
    bool closedInside = true;
    w.Control<fw::PushButton>("PBTwo").On("Action", std::function<void()>([&] {
                                              closeBox(w);  // the user's close box, clicked while this runs
                                              closedInside = w.IsClosed();
                                          }));
    click("PBTwo");
    EXPECT_FALSE(closedInside);
    // Closed once the handler returned, and then freed.
    EXPECT_TRUE(fw::OpenWindows().empty());
}

}  // namespace

namespace {

class StateWindow : public fw::Window {
public:
    StateWindow() {
        Width(300);
        Height(200);
        for (const char* e : {"Maximize", "Minimize", "Restore", "Resized"})
            On(e, std::function<void()>([e] { g_log.push_back(e); }));
    }
};

TEST_F(EventOrderTest, SizeStateEventsAndNormalBoundsComeBack) {
    auto& w = fw::Implicit<StateWindow>();  // made before the start: no Resized yet
    w.Width(320);
    EXPECT_TRUE(g_log.empty());
    startApp<fw::Application>();
    w.SetBounds(40, 50, 310, 210);
    g_log.clear();
    w.Maximize();
    EXPECT_EQ(w.SizeState(), 2);
    w.Maximize();
    w.Restore();
    EXPECT_EQ(w.SizeState(), 0);
    EXPECT_EQ((std::vector<int>{w.Left(), w.Top(), w.Width(), w.Height()}), (std::vector<int>{40, 50, 310, 210}));
    w.Minimize();
    ASSERT_GE(g_log.size(), 3u);
    EXPECT_EQ(g_log.front(), "Maximize");
    EXPECT_EQ(g_log.back(), "Minimize");
    EXPECT_NE(std::find(g_log.begin(), g_log.end(), "Restore"), g_log.end());
}

}  // namespace
