#include "shell/OpenRecents.h"

#include "fw/gui/Window.h"
#include "shell/MainWindow.h"

OpenRecents::OpenRecents(const fw::String& path) : fw::MenuItem(path) {
    On("Action", this, &OpenRecents::Event_Action);
}

bool OpenRecents::Event_Action() {
    // The load rebuilds the submenu and so drops this item; the menu keeps it
    // alive until this handler has returned, and the path is copied first.
    const fw::String path = Text();
    fw::Implicit<MainWindow>().LoadFile(path);
    return false;
}
