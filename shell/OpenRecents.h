#pragma once
// An entry of the "Open Recent" submenu: its text is the document's absolute
// path, and choosing it loads that document in the main window.
#include "fw/core/String.h"
#include "fw/gui/MenuItem.h"

class OpenRecents : public fw::MenuItem {
public:
    explicit OpenRecents(const fw::String& path);

    bool Event_Action();
};
