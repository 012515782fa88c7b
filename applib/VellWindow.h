#pragma once
// The base of every window. When the window opens it is localised under its
// Name, gets its saved size state and bounds back, and only then raises
// "Open" for the subclass. When it closes it raises "Close" first, then
// stores the size state and, in the normal state, the bounds.
//
//     class OptionWindow : public VellWindow {
//     public:
//         OptionWindow() : VellWindow("OptionWindow") {
//             ...layout and controls...
//             On("Open", this, &OptionWindow::Event_Open);
//             AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
//             AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
//         }
//     };
//
// Events raised for the subclass: "Close", "Open", "Restore", "Minimize",
// "Maximize". Keys: Name + ".State" and Name + ".Pos" in Vell->UserSettings.
#include <cstdint>

#include "fw/core/String.h"
#include "fw/gui/Window.h"

class VellWindow : public fw::Window {
public:
    // `name` is the design-time window name: the prefix of the window's
    // language and settings keys.
    explicit VellWindow(const fw::String& name);

    int32_t WindowSizeState = StateNormal;  // a Window::SizeStateKind, stored as its number
    const fw::String Name;
    bool CloseAppOnExit = false;  // closing this window quits the application

    void Event_Close();
    void Event_Open();
    void Event_Restore();
    void Event_Minimize();
    void Event_Maximize();
    // Menu handlers bound by item name ("HelpAbout", "FileLanguage").
    bool HelpAbout_Action();
    bool FileLanguage_Action();

    // Whether the window's frame can take the size state (minimized or
    // maximized); a modal box can take neither.
    bool CanTakeSizeState(int32_t state) const;
};
