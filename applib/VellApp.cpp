#include "applib/VellApp.h"

#include <memory>

#include "applib/VellClass.h"

VellApp::VellApp() {
    On("Close", this, &VellApp::Event_Close);
    On("Open", this, &VellApp::Event_Open);
}

void VellApp::Event_Open() {
    // Vell receives the object only once it is built: the constructor must
    // not use the global.
    auto services = std::make_unique<VellClass>(fw::String());
    Vell.reset(std::move(services));
    RaiseEvent("Open");
}

void VellApp::Event_Close() {
    RaiseEvent("Close");
    Vell->close();
}
