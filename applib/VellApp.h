#pragma once
// The application base: builds the services object `Vell` when the
// application opens, before any window opens, and has it write the user
// settings when the application closes, after every window has closed.
//
// A subclass binds the events this class raises, in its constructor:
//     App() { On("Open", this, &App::Event_Open); }
// "Open" runs once Vell exists; "Close" runs before the settings are written.
#include "fw/gui/Application.h"

class VellApp : public fw::Application {
public:
    VellApp();

    void Event_Close();
    void Event_Open();
};
