#pragma once
// The application's one menu bar, shared by the application object and the
// main window: "&File", "&Edit" and "Help", built item by item.
#include <memory>

#include "fw/gui/MenuItem.h"

class MenuBar1 : public fw::MenuBar {
public:
    MenuBar1();

    void Untitled0();  // File
    void Untitled1();  // Edit
    void Untitled2();  // Help
};

// The shared instance, made on the first call.
std::shared_ptr<MenuBar1> TheMenuBar1();
// Drops the shared instance (after the event loop, and in tests).
void releaseMenuBar1();
