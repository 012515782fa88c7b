#pragma once
// The main window: source pane, conversion type and "Convert to", output
// pane, the two encoding pop-ups and the buttons for files and the clipboard.
// Reached through fw::Implicit<MainWindow>().
#include <memory>

#include "applib/VellHistory.h"
#include "applib/VellWindow.h"
#include "fw/core/String.h"
#include "fw/gui/DragItem.h"
#include "fw/gui/MenuItem.h"

class MainWindow : public VellWindow {
public:
    MainWindow();

    fw::String RawInput;
    fw::String RawOutput;
    bool flagSourceEdited = false;
    bool flagDestEdited = false;
    std::unique_ptr<VellHistory> OpenRecentItems;

    // Settings: read at open, written at close; the splitter follows resizes.
    void Event_Open();
    void Event_Close();
    void Event_Resized();

    // Conversion and panes.
    void EFSource_TextChange();
    void PBSourcePaste_Action();
    void PBConvert_Action();
    void PBSourceClear_Action();
    void PBDestCopy_Action();
    void PBOptions_Action();
    void PBDestClear_Action();
    void EFDest_TextChange();
    void PMTypeOfConversion_Change();
    void PBPasteCode_Action();

    // Documents: every road to an action calls one of these.
    void OpenFileDialog();
    void LoadFile(const fw::String& path);
    void SaveFileDialog();
    void SaveFile(const fw::String& path);
    void SaveOrSaveAs();
    void Reopen();
    // Rebuilds "Open Recent" from OpenRecentItems, newest entry on top.
    void RefreshOpenRecent();

    void EFSource_DropObject(fw::DragItem& item);
    void PBOpen_Action();
    void PBSaveAs_Action();
    void PBSave_Action();
    void BBReopen_Action();
    void Event_DropObject(fw::DragItem& item);
    bool FileOptions_Action();
    bool FileSaveas_Action();
    bool FileOpen_Action();
    bool FileSave_Action();
    bool FileReOpen_Action();

    // The menu items, found by name in the window's bar at each call.
    fw::MenuItemPtr HelpMenu() const;
    fw::MenuItemPtr HelpAbout() const;
    fw::MenuItemPtr EditMenu() const;
    fw::MenuItemPtr EditSelectAll() const;
    fw::MenuItemPtr UntitledMenu0() const;
    fw::MenuItemPtr EditClear() const;
    fw::MenuItemPtr EditPaste() const;
    fw::MenuItemPtr EditCopy() const;
    fw::MenuItemPtr EditCut() const;
    fw::MenuItemPtr UntitledMenu1() const;
    fw::MenuItemPtr EditUndo() const;
    fw::MenuItemPtr FileMenu() const;
    std::shared_ptr<fw::QuitMenuItem> FileQuit() const;
    fw::MenuItemPtr UntitledSeparator0() const;
    fw::MenuItemPtr FileLanguage() const;
    fw::MenuItemPtr UntitledSeparator() const;
    fw::MenuItemPtr FileOptions() const;
    fw::MenuItemPtr FileSaveas() const;
    fw::MenuItemPtr FileSave() const;
    fw::MenuItemPtr FileOpenRecent() const;
    fw::MenuItemPtr FileReOpen() const;
    fw::MenuItemPtr FileOpen() const;

private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    void AddMenuHandlers();

    fw::MenuItemPtr lookupItem(const char* name) const;
    const fw::TextEncoding* saveEncoding();
    // Shows `text` in a pane with the platform's line ends.
    void showText(const char* pane, const fw::String& text);

    bool _converting = false;  // a conversion is running (it yields to the event loop)
};

// The conversion pop-up's rows; the settings keep the row index.
// clang-format off
inline constexpr const char* kConversionTypes[] = {
    "Javascript", "Javascript encode", "Javascript variable", "",
    "HTML", "HTML page", "Pakkle", "Pakkle (Unicode)", "Plain text", "",
    "Copy as is", "Base64 Encode", "Base64 Decode", "Quoted Printable Encode",
    "Quoted Printable Decode", "Url Encode", "Url Encode (all chars)", "Url Decode",
    "ASCII to code", "", "Suggest new (open browser)",
};
// clang-format on

// The fixed message texts of the document road.
inline constexpr const char* kErrorNotFound = "Error: not file found";
inline constexpr const char* kErrorCannotSave = "Error: can not save file";
inline constexpr const char* kErrorCannotOpen = "Error: can not open file";
