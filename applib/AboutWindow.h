#pragma once
// The About box: program name, version, copyright, vendor link and, on a
// second page, the licence agreement. Reached through its one instance:
//     fw::Implicit<AboutWindow>().ShowAbout();
#include "applib/VellWindow.h"

class AboutWindow : public VellWindow {
public:
    AboutWindow();

    // Turns to the About page and shows the box modally; while it is already
    // shown it comes to the front instead.
    void ShowAbout();

    void Event_Open();
    void PBAbout_Action();
    void PBLicense_Action();
    void PBCloseWindow_Action();

    static constexpr int AboutPage = 0;
    static constexpr int LicensePage = 1;

private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    void AddMenuHandlers();
};
