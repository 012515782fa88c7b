#include "shell/OptionWindow.h"

#include "applib/VellEdit.h"
#include "engine/quillet.h"
#include "fw/core/Variant.h"
#include "fw/gui/EditField.h"
#include "fw/gui/PushButton.h"
#include "fw/gui/StaticText.h"
#include "shell/MainWindow.h"

OptionWindow::OptionWindow() : VellWindow("OptionWindow") {
    Layout();
    CreateControls();
    AddMenuHandlers();
    On("Open", this, &OptionWindow::Event_Open);
}

void OptionWindow::Layout() {
    Title("Options");
    Width(459);
    Height(279);
    MinWidth(64);
    MinHeight(64);
    MaxWidth(32000);
    MaxHeight(32000);
    Frame(DocumentWindow);
    Resizeable(false);
    HasBackColor(false);
    BalloonHelp("");
}

void OptionWindow::CreateControls() { CreateControls0(); }

void OptionWindow::CreateControls0() {
    AddControls({
        fw::Row<fw::PushButton>("PBOptionClose", "", 349, 237, 90, 22, fw::LockNone,
                                [](fw::PushButton& c) {
                                    c.Caption("Close");
                                    c.Default(false);
                                    c.Cancel(false);
                                }),
        fw::Row<fw::PushButton>("PBOptionApply", "", 247, 237, 90, 22, fw::LockNone,
                                [](fw::PushButton& c) {
                                    c.Caption("Apply");
                                    c.Default(true);
                                    c.Cancel(false);
                                }),
        fw::Row<fw::EditField>("EFStrLen", "", 119, 14, 41, 22, fw::LockNone,
                               [](fw::EditField& c) {
                                   c.Text("0");
                                   c.Mask("####");
                                   c.MultiLine(false);
                                   c.Alignment(fw::EditField::AlignRight);
                                   c.ScrollBarHorizontal(false);
                                   c.ReadOnly(false);
                                   c.Password(false);
                                   c.AcceptTabs(false);
                                   c.TextColor(fw::Color::FromHex(0x000000));
                               }),
        fw::Row<fw::StaticText>("STStrLen", "", 20, 14, 87, 20, fw::LockNone,
                                [](fw::StaticText& c) {
                                    c.Text("String length");
                                    c.TextAlign(3);
                                    c.MultiLine(false);
                                }),
        fw::Row<fw::StaticText>("StaticText1", "", 172, 14, 267, 20, fw::LockNone,
                                [](fw::StaticText& c) {
                                    c.Text("set \"0\" for the one big string");
                                    c.TextAlign(1);
                                    c.MultiLine(false);
                                }),
    });
    Bind("PBOptionClose", "Action", &OptionWindow::PBOptionClose_Action);
    Bind("PBOptionApply", "Action", &OptionWindow::PBOptionApply_Action);
}

void OptionWindow::AddMenuHandlers() {
    AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
    AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
}

void OptionWindow::Event_Open() {
    // A length from a hand-edited file that the mask can't hold (negative,
    // five digits) still shows as it stands, so Apply keeps it unchanged.
    Control<fw::EditField>("EFStrLen").Text(fw::Str(quillet::stringlength));
}

void OptionWindow::ApplyChanges() {
    // A fraction is cut toward zero, a huge number saturates and an empty
    // field reads as 0.
    quillet::stringlength = fw::Variant(Control<fw::EditField>("EFStrLen").Text()).Int32Value();
    MainWindow& main = fw::Implicit<MainWindow>();
    main.Control<VellEdit>("EFSource").ScrollBarHorizontal(!quillet::WordWrap);
    main.Control<VellEdit>("EFDest").ScrollBarHorizontal(!quillet::WordWrap);
}

void OptionWindow::PBOptionApply_Action() { ApplyChanges(); }

void OptionWindow::PBOptionClose_Action() {
    ApplyChanges();
    Close();
}
