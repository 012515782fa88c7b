#include "applib/AboutWindow.h"

#include "applib/UrlStaticText.h"
#include "applib/VellClass.h"
#include "fw/gui/Application.h"
#include "fw/gui/EditField.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/PagePanel.h"
#include "fw/gui/PushButton.h"
#include "fw/gui/StaticText.h"

namespace {

// Lines are separated by CR, as the design holds them.
const char* const CopyrightText =
    "Copyright (c) the Varnel authors.\r"
    "All rights reserved.";

const char* const VendorSiteText = "https://varnel.example.org/";

// "%software%" stands for the program's name; the License button fills it in.
const char* const LicenceText =
    "LICENCE AGREEMENT\r"
    "\r"
    "Please read this agreement carefully before you use %software%.\r"
    "By installing, copying or using %software% you accept the terms below. If you do not accept them, do not install or use %software%.\r"
    "\r"
    "1. Grant of use. You may install and use %software% on any number of computers that you own or control, at home or at work.\r"
    "2. Copies. You may copy %software% and give the copies to others, provided that each copy is complete and unchanged and carries this agreement.\r"
    "3. Restrictions. You may not sell, rent or lease %software%, nor offer it as part of a paid service, without the written permission of its authors.\r"
    "4. Ownership. %software% is protected by copyright law. Its authors keep every right that this agreement does not expressly grant you.\r"
    "5. Your texts. Whatever you convert with %software% stays yours; its authors claim no right in your documents or in the results.\r"
    "6. No warranty. %software% is provided \"as is\", without warranty of any kind, express or implied, including merchantability and fitness for a particular purpose.\r"
    "7. Limitation of liability. In no event shall the authors be liable for any damage, lost data or lost profit that comes from using %software% or from being unable to use it.\r"
    "8. Termination. This agreement ends at once if you break any of its terms; you must then delete every copy of %software% in your possession.\r"
    "9. Updates. A later version of %software% may come with an agreement of its own, which then applies to that version.\r"
    "10. Compliance. You are responsible for using %software% in line with the laws that apply to you.\r"
    "11. Severability. Where a term of this agreement is void under the law that applies to you, the other terms stay in force.\r"
    "12. Whole agreement. This text is the whole agreement between you and the authors about %software%.\r"
    "Your statutory rights as a consumer are not affected.\r"
    "\r"
    "Questions about this agreement may be sent through the web site named on the About page.\r"
    "\r"
    "Thank you for choosing %software%.\r"
    "The authors of %software%";

// The box whose modal loop runs now; a second request must not nest another.
AboutWindow* modalAbout = nullptr;

}  // namespace

AboutWindow::AboutWindow() : VellWindow("AboutWindow") {
    Layout();
    CreateControls();
    AddMenuHandlers();
    On("Open", this, &AboutWindow::Event_Open);
}

void AboutWindow::Layout() {
    Title("Program Name");
    MinWidth(200);
    MinHeight(200);
    MaxWidth(32000);
    MaxHeight(32000);
    Width(542);
    Height(331);
    Frame(MovableModal);
    Resizeable(false);
    HasBackColor(false);
    Visible(true);
}

void AboutWindow::CreateControls() { CreateControls0(); }

void AboutWindow::CreateControls0() {
    using fw::Row;
    AddControls({
        // name, parent, left, top, width, height (window coordinates), locks, set-up
        Row<fw::PagePanel>("PPFunction", "", 0, 35, 542, 249, fw::LockAll,
                           [](fw::PagePanel& c) {
                               c.PanelCount(2);
                               c.Value(AboutPage);
                           }),
        Row<fw::StaticText>("STProgramName", "", 20, 14, 419, 20, fw::LockNone,
                            [](fw::StaticText& c) {
                                c.Text("Program Name");
                                c.Bold(true);
                            }),
        Row<fw::PushButton>("PBAbout", "", 19, 289, 90, 22, fw::LockNone,
                            [](fw::PushButton& c) { c.Caption("About"); }),
        Row<fw::PushButton>("PBLicense", "", 116, 289, 90, 22, fw::LockNone,
                            [](fw::PushButton& c) { c.Caption("License"); }),
        Row<fw::PushButton>("PBCloseWindow", "", 432, 289, 90, 22, fw::LockB,
                            [](fw::PushButton& c) { c.Caption("Close"); }),
        Row<fw::StaticText>("STCopyRight", "PPFunction", 20, 41, 419, 29, fw::LockNone,
                            [](fw::StaticText& c) {
                                c.TabPanelIndex(AboutPage);
                                c.MultiLine(true);
                                c.Text(CopyrightText);
                            }),
        Row<UrlStaticText>("USTVendorSite", "PPFunction", 20, 82, 419, 20, fw::LockNone,
                           [](UrlStaticText& c) {
                               c.TabPanelIndex(AboutPage);
                               c.Text(VendorSiteText);
                               c.URL = VendorSiteText;
                           }),
        Row<fw::EditField>("EFLicense", "PPFunction", 20, 35, 502, 239, fw::LockNone,
                           [](fw::EditField& c) {
                               c.TabPanelIndex(LicensePage);
                               c.MultiLine(true);
                               c.ReadOnly(true);
                               c.ScrollBarVertical(true);
                               c.ScrollBarHorizontal(false);
                               c.Text(LicenceText);
                           }),
        Row<fw::StaticText>("STProgramVersion", "", 455, 14, 67, 20, fw::LockNone,
                            [](fw::StaticText& c) { c.Text(""); }),
    });
    Bind("PBAbout", "Action", &AboutWindow::PBAbout_Action);
    Bind("PBLicense", "Action", &AboutWindow::PBLicense_Action);
    Bind("PBCloseWindow", "Action", &AboutWindow::PBCloseWindow_Action);
}

void AboutWindow::AddMenuHandlers() {
    AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
    AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
}

void AboutWindow::Event_Open() {
    // After localisation, so these texts win over the window's own keys.
    Title(Vell->Lng("Program Name", "Application.ProgramName"));
    Control<fw::StaticText>("STProgramName").Text(Vell->Lng("Program Name", "Application.ProgramName"));
    auto& site = Control<UrlStaticText>("USTVendorSite");
    site.URL = Vell->Lng("Vendor Site Url", "Application.VendorSiteUrl");
    site.Text(Vell->Lng("Vendor Site", "Application.VendorSite"));

    fw::Application* app = fw::GetAppObject();
    if (!app) throw fw::NilObjectException("no application object");
    Control<fw::StaticText>("STProgramVersion")
        .Text(fw::Str(app->MajorVersion()) + "." + fw::Str(app->MinorVersion()) + "." + fw::Str(app->BugVersion()) +
              "." + fw::Str(app->NonReleaseVersion()));
}

void AboutWindow::ShowAbout() {
    Control<fw::PagePanel>("PPFunction").Value(AboutPage);
    if (modalAbout == this) {
        Activate();
        return;
    }
    struct Reset {
        ~Reset() { modalAbout = nullptr; }
    } reset;
    modalAbout = this;
    ShowModal();  // `this` lives until ShowModal returns, closed or not
}

void AboutWindow::PBAbout_Action() { Control<fw::PagePanel>("PPFunction").Value(AboutPage); }

void AboutWindow::PBLicense_Action() {
    auto& licence = Control<fw::EditField>("EFLicense");
    const fw::String name = "\"" + Vell->Lng("Program Name", "Application.ProgramName") + "\"";
    licence.Text(fw::ReplaceAll(licence.Text(), "%software%", name));
    Control<fw::PagePanel>("PPFunction").Value(LicensePage);
}

void AboutWindow::PBCloseWindow_Action() { Close(); }
