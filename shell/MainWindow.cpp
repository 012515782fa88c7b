#include "shell/MainWindow.h"

#include "applib/VellEdit.h"
#include "fw/gui/BevelButton.h"
#include "fw/gui/GroupBox.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/PopupMenu.h"
#include "fw/gui/PushButton.h"
#include "fw/gui/StaticText.h"
#include "shell/EncodingSelect.h"
#include "shell/MenuBar1.h"
#include "shell/refresh.h"
#include "splitter/SmartSplitter.h"

namespace {

constexpr const char* kSourceHint =
    "Paste here html code from clipboard or load html file by click \"Open...\" button";

std::function<void(fw::GroupBox&)> groupBox(const char* caption) {
    return [caption](fw::GroupBox& c) { c.Caption(caption); };
}

std::function<void(fw::PushButton&)> button(const char* caption, bool bold = false) {
    return [caption, bold](fw::PushButton& c) {
        c.Caption(caption);
        c.Default(false);
        c.Cancel(false);
        c.Bold(bold);
    };
}

std::function<void(VellEdit&)> pane(const char* text) {
    return [text](VellEdit& c) {
        c.MultiLine(true);
        c.ScrollBarVertical(true);
        c.ScrollBarHorizontal(false);
        c.Password(false);
        c.ReadOnly(false);
        c.AcceptTabs(false);
        c.TextColor(fw::Color::FromHex(0x000000));
        c.Alignment(fw::EditField::AlignDefault);
        c.LimitText(0);
        c.Mask("");
        c.Text(text);
    };
}

std::function<void(fw::StaticText&)> label(const char* text) {
    return [text](fw::StaticText& c) {
        c.Text(text);
        c.TextAlign(0);
        c.TextColor(fw::Color::FromHex(0x000000));
        c.MultiLine(false);
    };
}

void splitterBar(SmartSplitter& c) {
    c.AcceptFocus(false);
    c.UseFocusRing(true);
    c.EraseBackground(true);
    c.MaxLimitOffset = 0;
    c.MinLimitOffset = 0;
    c.StayProportional = false;
    c.StopAtMinOffset = false;
    c.StopAtMaxOffset = false;
    c.DisableLiveDrag = false;
    c.handleLarge = false;
    c.handleDimple = false;
    c.doNotAttachEmbeddedControls = false;
    c.showWarningsDialogs = false;
    const fw::Color black = fw::Color::FromHex(0x000000);
    c.colorLight = c.colorMedium = c.colorDark = black;
    c.colorLightDisabled = c.colorMediumDisabled = c.colorDarkDisabled = black;
}

fw::String conversionRows() {
    fw::String rows;
    for (size_t i = 0; i < std::size(kConversionTypes); ++i) {
        if (i > 0) rows += "\r";
        rows += kConversionTypes[i];
    }
    return rows;
}

}  // namespace

MainWindow::MainWindow() : VellWindow("MainWindow") {
    Layout();
    CreateControls();
    AddMenuHandlers();
    On("Open", this, &MainWindow::Event_Open);
    On("Close", this, &MainWindow::Event_Close);
    On("DropObject", this, &MainWindow::Event_DropObject);
    On("Resized", this, &MainWindow::Event_Resized);
}

void MainWindow::Layout() {
    MenuBar(::TheMenuBar1());
    Title("Varnel - one click converter html to javascript code and more...");
    Width(614);
    Height(552);
    MinWidth(546);
    MinHeight(450);
    MaxWidth(32000);
    MaxHeight(32000);
    Resizeable(true);
    Frame(DocumentWindow);
    HasBackColor(false);
    BackColor(fw::Color::FromHex(0xFFFFFF));
    BalloonHelp("");
}

void MainWindow::CreateControls() { CreateControls0(); }

void MainWindow::CreateControls0() {
    using fw::LockB, fw::LockL, fw::LockR, fw::LockT;
    // Creation order; bounds are window coordinates whatever the parent.
    AddControls({
        fw::Row<fw::GroupBox>("GroupBox2", "", 20, 244, 574, 288, LockL | LockT | LockR | LockB,
                              groupBox("Script code")),
        fw::Row<fw::GroupBox>("GBSource", "", 20, 14, 574, 218, LockL | LockT | LockR, groupBox("Source")),
        fw::Row<VellEdit>("EFSource", "GBSource", 39, 38, 434, 151, LockL | LockT | LockR | LockB, pane(kSourceHint)),
        fw::Row<fw::PushButton>("PBOpen", "GBSource", 491, 38, 66, 22, LockT | LockR, button("Open")),
        fw::Row<fw::PushButton>("PBSourcePaste", "GBSource", 491, 119, 90, 22, LockT | LockR, button("Paste")),
        fw::Row<fw::PushButton>("PBConvert", "GBSource", 39, 201, 90, 22, LockL | LockB, button("Convert to", true)),
        fw::Row<fw::PushButton>("PBSourceClear", "GBSource", 491, 187, 90, 22, LockT | LockR, button("Clear")),
        fw::Row<SmartSplitter>("SSHor", "", 20, 235, 574, 9, LockL | LockR, splitterBar),
        fw::Row<fw::PushButton>("PBSaveAs", "GroupBox2", 491, 305, 90, 22, LockT | LockR, button("Save As...")),
        fw::Row<fw::PushButton>("PBDestCopy", "GroupBox2", 491, 389, 90, 22, LockT | LockR, button("Copy")),
        fw::Row<fw::PushButton>("PBOptions", "GBSource", 294, 201, 90, 22, LockL | LockB, button("Options...")),
        fw::Row<fw::PushButton>("PBDestClear", "GroupBox2", 491, 423, 90, 22, LockT | LockR, button("Clear")),
        fw::Row<VellEdit>("EFDest", "GroupBox2", 39, 271, 434, 241, LockL | LockT | LockR | LockB, pane("")),
        fw::Row<EncodingSelect>("EncodingSelectSource", "GBSource", 491, 82, 90, 25, LockT | LockR,
                                [](EncodingSelect& c) { c.ListIndex(0); }),
        fw::Row<EncodingSelect>("EncodingSelectDest", "GroupBox2", 491, 352, 90, 25, LockT | LockR,
                                [](EncodingSelect& c) { c.ListIndex(0); }),
        fw::Row<fw::PopupMenu>("PMTypeOfConversion", "GBSource", 141, 202, 141, 25, LockL | LockB,
                               [](fw::PopupMenu& c) {
                                   c.InitialValue(conversionRows());
                                   c.ListIndex(0);
                               }),
        fw::Row<fw::StaticText>("STEncodingSource", "GBSource", 491, 62, 96, 20, LockT | LockR,
                                label("Open encoding")),
        fw::Row<fw::StaticText>("STEncodingDest", "GroupBox2", 491, 330, 96, 20, LockT | LockR,
                                label("Save encoding")),
        fw::Row<fw::PushButton>("PBPasteCode", "GBSource", 491, 153, 90, 22, LockT | LockR, button("Paste Code")),
        fw::Row<fw::PushButton>("PBSave", "GroupBox2", 491, 271, 90, 22, LockT | LockR, button("Save")),
        fw::Row<fw::BevelButton>("BBReopen", "GBSource", 561, 38, 22, 22, LockT | LockR,
                                 [](fw::BevelButton& c) {
                                     c.Icon(refresh());
                                     c.Caption("");
                                     c.AcceptFocus(false);
                                     c.HelpTag("Reload current file");
                                 }),
    });

    Bind("EFSource", "TextChange", &MainWindow::EFSource_TextChange);
    Bind("EFSource", "DropObject", &MainWindow::EFSource_DropObject);
    Bind("PBOpen", "Action", &MainWindow::PBOpen_Action);
    Bind("PBSourcePaste", "Action", &MainWindow::PBSourcePaste_Action);
    Bind("PBConvert", "Action", &MainWindow::PBConvert_Action);
    Bind("PBSourceClear", "Action", &MainWindow::PBSourceClear_Action);
    Bind("PBSaveAs", "Action", &MainWindow::PBSaveAs_Action);
    Bind("PBDestCopy", "Action", &MainWindow::PBDestCopy_Action);
    Bind("PBOptions", "Action", &MainWindow::PBOptions_Action);
    Bind("PBDestClear", "Action", &MainWindow::PBDestClear_Action);
    Bind("EFDest", "TextChange", &MainWindow::EFDest_TextChange);
    Bind("PMTypeOfConversion", "Change", &MainWindow::PMTypeOfConversion_Change);
    Bind("PBPasteCode", "Action", &MainWindow::PBPasteCode_Action);
    Bind("PBSave", "Action", &MainWindow::PBSave_Action);
    Bind("BBReopen", "Action", &MainWindow::BBReopen_Action);
}

void MainWindow::AddMenuHandlers() {
    AddMenuHandler("FileOptions", &MainWindow::FileOptions_Action);
    AddMenuHandler("FileSaveas", &MainWindow::FileSaveas_Action);
    AddMenuHandler("FileOpen", &MainWindow::FileOpen_Action);
    AddMenuHandler("FileSave", &MainWindow::FileSave_Action);
    AddMenuHandler("FileReOpen", &MainWindow::FileReOpen_Action);
    AddMenuHandler("HelpAbout", &VellWindow::HelpAbout_Action);
    AddMenuHandler("FileLanguage", &VellWindow::FileLanguage_Action);
}

fw::MenuItemPtr MainWindow::lookupItem(const char* name) const {
    fw::MenuBarPtr bar = MenuBar();
    if (!bar) throw fw::NilObjectException("the window has no menu bar");
    return bar->Lookup(name);
}

fw::MenuItemPtr MainWindow::HelpMenu() const { return lookupItem("HelpMenu"); }
fw::MenuItemPtr MainWindow::HelpAbout() const { return lookupItem("HelpAbout"); }
fw::MenuItemPtr MainWindow::EditMenu() const { return lookupItem("EditMenu"); }
fw::MenuItemPtr MainWindow::EditSelectAll() const { return lookupItem("EditSelectAll"); }
fw::MenuItemPtr MainWindow::UntitledMenu0() const { return lookupItem("UntitledMenu0"); }
fw::MenuItemPtr MainWindow::EditClear() const { return lookupItem("EditClear"); }
fw::MenuItemPtr MainWindow::EditPaste() const { return lookupItem("EditPaste"); }
fw::MenuItemPtr MainWindow::EditCopy() const { return lookupItem("EditCopy"); }
fw::MenuItemPtr MainWindow::EditCut() const { return lookupItem("EditCut"); }
fw::MenuItemPtr MainWindow::UntitledMenu1() const { return lookupItem("UntitledMenu1"); }
fw::MenuItemPtr MainWindow::EditUndo() const { return lookupItem("EditUndo"); }
fw::MenuItemPtr MainWindow::FileMenu() const { return lookupItem("FileMenu"); }
std::shared_ptr<fw::QuitMenuItem> MainWindow::FileQuit() const {
    return std::dynamic_pointer_cast<fw::QuitMenuItem>(lookupItem("FileQuit"));
}
fw::MenuItemPtr MainWindow::UntitledSeparator0() const { return lookupItem("UntitledSeparator0"); }
fw::MenuItemPtr MainWindow::FileLanguage() const { return lookupItem("FileLanguage"); }
fw::MenuItemPtr MainWindow::UntitledSeparator() const { return lookupItem("UntitledSeparator"); }
fw::MenuItemPtr MainWindow::FileOptions() const { return lookupItem("FileOptions"); }
fw::MenuItemPtr MainWindow::FileSaveas() const { return lookupItem("FileSaveas"); }
fw::MenuItemPtr MainWindow::FileSave() const { return lookupItem("FileSave"); }
fw::MenuItemPtr MainWindow::FileOpenRecent() const { return lookupItem("FileOpenRecent"); }
fw::MenuItemPtr MainWindow::FileReOpen() const { return lookupItem("FileReOpen"); }
fw::MenuItemPtr MainWindow::FileOpen() const { return lookupItem("FileOpen"); }
