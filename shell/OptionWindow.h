#pragma once
// The "Options" window: the output string length. Reached through
// fw::Implicit<OptionWindow>(), made anew after it has closed.
#include "applib/VellWindow.h"

class OptionWindow : public VellWindow {
public:
    OptionWindow();

    void Event_Open();
    void PBOptionClose_Action();
    void PBOptionApply_Action();
    // Takes the field's length; nothing reaches the settings file here.
    void ApplyChanges();

private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    void AddMenuHandlers();
};
