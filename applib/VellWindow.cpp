#include "applib/VellWindow.h"

#include "applib/AboutWindow.h"
#include "applib/VellClass.h"
#include "fw/gui/Application.h"

VellWindow::VellWindow(const fw::String& name) : Name(name) {
    On("Close", this, &VellWindow::Event_Close);
    On("Open", this, &VellWindow::Event_Open);
    On("Restore", this, &VellWindow::Event_Restore);
    On("Minimize", this, &VellWindow::Event_Minimize);
    On("Maximize", this, &VellWindow::Event_Maximize);
}

bool VellWindow::CanTakeSizeState(int32_t state) const {
    const int frame = Frame();
    const bool hasSizeBoxes = frame == DocumentWindow || frame == MetalWindow;
    if (state == StateMinimized) return hasSizeBoxes;
    if (state == StateMaximized) return hasSizeBoxes && Resizeable();
    return true;
}

void VellWindow::Event_Open() {
    Vell->Localize(*this, Name);
    int32_t state = Vell->UserSettings->Get(Name + ".State", "0").Int32Value();
    // A state this window can't take would leave a modal box invisible and
    // the application blocked behind it.
    if (!CanTakeSizeState(state)) state = StateNormal;
    WindowSizeState = state;
    Vell->LoadWinPos(*this, Name);
    if (WindowSizeState == StateMaximized) Maximize();
    else if (WindowSizeState == StateMinimized) Minimize();
    RaiseEvent("Open");
}

void VellWindow::Event_Close() {
    RaiseEvent("Close");
    Vell->UserSettings->Set(Name + ".State", WindowSizeState);
    // Bounds of a minimized or maximized window aren't the ones to restore.
    if (WindowSizeState == StateNormal) Vell->SaveWinPos(*this, Name);
    if (CloseAppOnExit) fw::Quit();
}

void VellWindow::Event_Restore() {
    WindowSizeState = StateNormal;
    RaiseEvent("Restore");
}

void VellWindow::Event_Minimize() {
    WindowSizeState = StateMinimized;
    RaiseEvent("Minimize");
}

void VellWindow::Event_Maximize() {
    WindowSizeState = StateMaximized;
    RaiseEvent("Maximize");
}

bool VellWindow::HelpAbout_Action() {
    fw::Implicit<AboutWindow>().ShowAbout();
    return false;
}

bool VellWindow::FileLanguage_Action() {
    Vell->changeLanguageDialog(false);
    return true;
}
