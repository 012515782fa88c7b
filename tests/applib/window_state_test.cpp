// Size states: read at open (then bounds, then maximize or minimize), kept
// by the window's events, stored at close; bounds only in the normal state.
#include "AppLibTest.h"
#include "applib/AboutWindow.h"
#include "applib/VellClass.h"

using WindowState = AppLibTest;

TEST_F(WindowState, FirstStartIsNormalAndRecordsStateAndBounds) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    EXPECT_EQ(win.WindowSizeState, 0);
    EXPECT_EQ(win.SizeState(), 0);
    quitApp();
    EXPECT_EQ(savedSetting("MainWindow.State"), "0");
    EXPECT_EQ(savedSetting("MainWindow.Pos"), "60,80,600,400");
}

TEST_F(WindowState, StoredMaximizedOrMinimizedStateIsTakenAndKept) {
    for (int state : {2, 1}) {
        SCOPED_TRACE(state);
        writeSettings("[mainwindow]\npos=30,90,700,500\nstate=" + std::to_string(state) + "\n");
        startWithTestWindow();
        auto& win = fw::Implicit<TestWindow>();
        processEvents();
        EXPECT_EQ(win.WindowSizeState, state);
        EXPECT_EQ(win.SizeState(), state);
        quitApp();
        // Closed while not normal: the earlier bounds stay.
        EXPECT_EQ(savedSetting("MainWindow.State"), std::to_string(state));
        EXPECT_EQ(savedSetting("MainWindow.Pos"), "30,90,700,500");
    }
}

TEST_F(WindowState, UnknownStateIsKeptButNotActedOn) {
    writeSettings("[mainwindow]\npos=30,90,700,500\nstate=7\n");
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    EXPECT_EQ(win.WindowSizeState, 7);
    EXPECT_EQ(win.SizeState(), 0);
    win.SetBounds(50, 100, 800, 600);
    quitApp();
    EXPECT_EQ(savedSetting("MainWindow.State"), "7");
    EXPECT_EQ(savedSetting("MainWindow.Pos"), "30,90,700,500");
}

TEST_F(WindowState, GarbageOrBlankStateReadsSafely) {
    for (const char* stored : {"   ", "abc", "1e99", "-3.7"}) {
        SCOPED_TRACE(stored);
        writeSettings(std::string("[mainwindow]\nstate=") + stored + "\n");
        startWithTestWindow();
        auto& win = fw::Implicit<TestWindow>();
        const int32_t want = std::string(stored) == "1e99" ? 2147483647 : std::string(stored) == "-3.7" ? -3 : 0;
        EXPECT_EQ(win.WindowSizeState, want);
        EXPECT_EQ(win.SizeState(), 0);
        quitApp();
    }
}

TEST_F(WindowState, WindowEventsTrackTheState) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.Maximize();
    processEvents();
    EXPECT_EQ(win.WindowSizeState, 2);
    win.Minimize();
    processEvents();
    EXPECT_EQ(win.WindowSizeState, 1);
    win.Restore();
    processEvents();
    EXPECT_EQ(win.WindowSizeState, 0);
}

TEST_F(WindowState, StatesAWindowCantTakeOpenNormal) {
    // The modal About box can be neither minimized nor maximized, a fixed
    // window not maximized: a hand-edited file must not hide them.
    writeSettings("[aboutwindow]\nstate=2\n[fixedwindow]\nstate=2\n");
    startApp<TestApp>([] { fw::Implicit<FixedWindow>(); });
    auto& fixed = fw::Implicit<FixedWindow>();
    EXPECT_EQ(fixed.WindowSizeState, 0);
    EXPECT_EQ(fixed.SizeState(), 0);

    onNextModal([](fw::Window& w) {
        auto& about = dynamic_cast<AboutWindow&>(w);
        EXPECT_EQ(about.WindowSizeState, 0);
        EXPECT_EQ(about.SizeState(), 0);
        about.PBCloseWindow_Action();
    });
    EXPECT_FALSE(fixed.HelpAbout_Action());
    EXPECT_EQ(Vell->UserSettings->Get("AboutWindow.State", "").StringValue().utf8(), "0");

    EXPECT_TRUE(fixed.CanTakeSizeState(1));
    EXPECT_FALSE(fixed.CanTakeSizeState(2));
}

TEST_F(WindowState, CloseAppOnExitQuitsAfterStoringTheWindow) {
    startWithTestWindow();
    auto& win = fw::Implicit<TestWindow>();
    win.Close();
    processEvents();
    EXPECT_FALSE(fw::QuitDone());
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));

    auto& again = fw::Implicit<TestWindow>();
    processEvents();
    again.CloseAppOnExit = true;
    again.Close();
    processEvents();
    EXPECT_TRUE(fw::QuitDone());
    EXPECT_EQ(EventLog().back(), "app.Close");
    EXPECT_EQ(savedSetting("MainWindow.Pos"), "60,80,600,400");
}
