#pragma once
// Stand-ins of the application shell for the library's tests: an
// application that seeds the identity texts, the menu bar with File and
// Help menus, and test windows with a control of every localised class.
#include <string>
#include <vector>

#include "applib/VellApp.h"
#include "applib/VellWindow.h"
#include "fw/gui/MenuItem.h"

// What ran, in order: "app.Open", "TestWindow.Open", ...
std::vector<std::string>& EventLog();

inline constexpr const char* TestProgramUrl = "https://varnel.example/";

class TestApp : public VellApp {
public:
    TestApp();
    void Event_Open();
    void Event_Close();
    bool sawVellInOpen = false;
};

// A subclass that handles neither event of the application base.
class BareApp : public VellApp {};

// FileMenu (FileOpen, UntitledSeparator, FileLanguage, UntitledSeparator0,
// FileQuit) and HelpMenu (HelpAbout), texts as designed.
fw::MenuBarPtr TestMenuBar();

// A resizable document window named "MainWindow" with the menu bar and one
// control of every class that localisation knows, plus two it leaves alone.
class TestWindow : public VellWindow {
public:
    TestWindow();
    void Event_Open();
    void Event_Close();
    static constexpr int DesignLeft = 60, DesignTop = 80, DesignWidth = 600, DesignHeight = 400;
};

// A window of fixed size named "FixedWindow", without menus or controls.
class FixedWindow : public VellWindow {
public:
    FixedWindow();
    static constexpr int DesignLeft = 100, DesignTop = 120, DesignWidth = 300, DesignHeight = 200;
};
