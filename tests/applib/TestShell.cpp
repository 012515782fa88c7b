#include "TestShell.h"

#include "applib/VellClass.h"
#include "applib/VellEdit.h"
#include "applib/UrlStaticText.h"
#include "fw/gui/Gui.h"
#include "tests/gui/TestMenus.h"

std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}

TestApp::TestApp() {
    On("Open", this, &TestApp::Event_Open);
    On("Close", this, &TestApp::Event_Close);
}

void TestApp::Event_Open() {
    EventLog().push_back("app.Open");
    sawVellInOpen = bool(Vell) && Vell->UserSettings && Vell->Lang;
    Vell->Lng("Varnel", "Application.ProgramName");
    Vell->Lng(fw::String(TestProgramUrl) + "support", "Application.SupportUrl");
    Vell->Lng("support@varnel.example", "Application.VendorEmail");
    Vell->Lng(TestProgramUrl, "Application.VendorSite");
    Vell->Lng(TestProgramUrl, "Application.VendorSiteUrl");
    Vell->Lng(TestProgramUrl, "Application.ProgramUrl");
}

void TestApp::Event_Close() { EventLog().push_back("app.Close"); }

fw::MenuBarPtr TestMenuBar() {
    auto bar = std::make_shared<fw::MenuBar>();
    auto file = menuItem("FileMenu", "&File");
    file->Append(menuItem("FileOpen", "Open..."));
    file->Append(menuItem("UntitledSeparator", "-"));
    file->Append(menuItem("FileLanguage", "Language..."));
    file->Append(menuItem("UntitledSeparator0", "-"));
    file->Append(quitMenuItem());
    auto help = menuItem("HelpMenu", "Help");
    help->Append(menuItem("HelpAbout", "About"));
    bar->Append(file);
    bar->Append(help);
    return bar;
}

TestWindow::TestWindow() : VellWindow("MainWindow") {
    MenuBar(TestMenuBar());
    Title("Test Window");
    BalloonHelp("The test window");
    MinWidth(300);
    MinHeight(200);
    MaxWidth(1000);
    MaxHeight(700);
    Resizeable(true);
    SetBounds(DesignLeft, DesignTop, DesignWidth, DesignHeight);
    using fw::Row;
    AddControls({
        Row<fw::GroupBox>("GBSource", "", 10, 10, 580, 120, fw::LockL | fw::LockT | fw::LockR,
                          [](fw::GroupBox& c) {
                              c.Caption("Source");
                              c.HelpTag("Source group");
                          }),
        Row<VellEdit>("EFSource", "GBSource", 20, 30, 400, 80, fw::LockAll,
                      [](VellEdit& c) {
                          c.Text("typed text");
                          c.HelpTag("Source text");
                      }),
        Row<fw::PushButton>("PBConvert", "", 10, 140, 90, 22, fw::LockNone,
                            [](fw::PushButton& c) {
                                c.Caption("Convert to");
                                c.HelpTag("Convert the text");
                            }),
        Row<fw::StaticText>("STInfo", "", 110, 140, 120, 20, fw::LockNone,
                            [](fw::StaticText& c) { c.Caption("Info"); }),
        Row<UrlStaticText>("USTLink", "", 240, 140, 120, 20, fw::LockNone,
                           [](UrlStaticText& c) { c.Caption("Link"); }),
        Row<fw::BevelButton>("BBReopen", "", 370, 140, 22, 22, fw::LockNone,
                             [](fw::BevelButton& c) {
                                 c.Caption("R");
                                 c.HelpTag("Re-open");
                             }),
        Row<fw::CheckBox>("CBWrap", "", 10, 170, 100, 20, fw::LockNone, [](fw::CheckBox& c) { c.Caption("Wrap"); }),
        Row<fw::RadioButton>("RBOne", "", 120, 170, 100, 20, fw::LockNone,
                             [](fw::RadioButton& c) { c.Caption("One"); }),
        Row<fw::Listbox>("LBFiles", "", 10, 200, 200, 80, fw::LockNone,
                         [](fw::Listbox& c) {
                             c.ColumnCount(3);
                             c.HasHeading(true);
                             c.Heading(0, "Name");
                             c.Heading(1, "Size");
                             c.Heading(2, "Date");
                             c.HelpTag("Files");
                         }),
        Row<fw::Listbox>("LBPlain", "", 220, 200, 100, 80, fw::LockNone,
                         [](fw::Listbox& c) {
                             c.HasHeading(false);
                             c.Heading(0, "Hidden");
                         }),
        Row<fw::TabPanel>("TPOptions", "", 330, 200, 200, 100, fw::LockNone,
                          [](fw::TabPanel& c) {
                              c.Captions("General\rAdvanced");
                              c.HelpTag("Tabs");
                          }),
        Row<fw::ComboBox>("CMBName", "", 10, 300, 120, 22, fw::LockNone,
                          [](fw::ComboBox& c) {
                              c.AddRow("row");
                              c.HelpTag("Combo");
                          }),
        Row<fw::PopupMenu>("PMTypeOfConversion", "", 140, 300, 120, 22, fw::LockNone,
                           [](fw::PopupMenu& c) {
                               c.AddRow("HTML");
                               c.HelpTag("Kind");
                           }),
        Row<fw::PagePanel>("PPPages", "", 270, 300, 100, 60, fw::LockNone,
                           [](fw::PagePanel& c) {
                               c.PanelCount(2);
                               c.HelpTag("Pages");
                           }),
        Row<fw::Canvas>("CVDraw", "", 380, 300, 60, 60, fw::LockNone, [](fw::Canvas& c) { c.HelpTag("Canvas"); }),
    });
    On("Open", this, &TestWindow::Event_Open);
    On("Close", this, &TestWindow::Event_Close);
    AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
    AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
}

void TestWindow::Event_Open() { EventLog().push_back("TestWindow.Open"); }

void TestWindow::Event_Close() {
    EventLog().push_back("TestWindow.Close");
    Vell->UserSettings->Set("MainWindow.Custom", "kept");
}

FixedWindow::FixedWindow() : VellWindow("FixedWindow") {
    Title("Fixed");
    Resizeable(false);
    SetBounds(DesignLeft, DesignTop, DesignWidth, DesignHeight);
    AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
    AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
}
