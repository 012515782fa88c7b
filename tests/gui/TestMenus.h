#pragma once
// Menu items for the menu bars that tests build.
#include <memory>

#include "fw/gui/MenuItem.h"

inline fw::MenuItemPtr menuItem(const char* name, const char* text, const char* shortcut = "") {
    auto m = std::make_shared<fw::MenuItem>(text);
    m->Name(name);
    m->KeyboardShortcut(shortcut);
    return m;
}

// The File menu's "FileQuit", whose choice quits the application.
inline fw::MenuItemPtr quitMenuItem() {
    auto quit = std::make_shared<fw::QuitMenuItem>();
    quit->Name("FileQuit");
    quit->Text("Quit");
    return quit;
}
