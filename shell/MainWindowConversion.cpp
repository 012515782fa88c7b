// The main window's conversion road and its pane and clipboard handlers.
#include "applib/VellEdit.h"
#include "engine/quillet.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/PopupMenu.h"
#include "shell/EncodingSelect.h"
#include "shell/MainWindow.h"
#include "shell/OptionWindow.h"

namespace {
constexpr const char* kSuggestNew = "Suggest new (open browser)";
}

void MainWindow::PBConvert_Action() {
    // The engine yields to the event loop on long texts; a second click that
    // gets through then must not start a conversion inside this one.
    if (_converting) return;
    _converting = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{_converting};

    quillet::SourceEncoding = Control<EncodingSelect>("EncodingSelectSource").GetEncoding();
    quillet::DestEncoding = Control<EncodingSelect>("EncodingSelectDest").GetEncoding();
    // Once the pane was edited, every conversion reads it until the next load.
    if (RawInput.empty() || flagSourceEdited) RawInput = Control<VellEdit>("EFSource").Text();
    // The engine gets its own copy: a file dropped while it yields replaces
    // RawInput, which must not change under the running conversion.
    {
        const fw::String input = RawInput;  // gone before the result is shown
        RawOutput = quillet::Varnel(input, Control<fw::PopupMenu>("PMTypeOfConversion").Text());
    }
    showText("EFDest", RawOutput);
    flagDestEdited = false;
}

void MainWindow::PMTypeOfConversion_Change() {
    auto& popup = Control<fw::PopupMenu>("PMTypeOfConversion");
    fw::String label = popup.Text();
    if (label == "Pakkle" || label == "Pakkle (Unicode)") {
        Control("EFDest").Enabled(false);
    } else if (label == kSuggestNew) {
        // The help tag remembers the previous choice, so the message shows
        // once on arriving at this row.
        if (popup.HelpTag() != label) fw::MsgBox("Open Browser");
    } else {
        Control("EFDest").Enabled(true);
        Control("EncodingSelectDest").Enabled(true);
    }
    popup.HelpTag(label);
}

void MainWindow::PBDestCopy_Action() {
    if (Control<fw::PopupMenu>("PMTypeOfConversion").Text() == "Pakkle") {
        // The page exactly as produced: the pane shows display line ends.
        fw::Clipboard clip;
        clip.Text(RawOutput);
        clip.Close();
        return;
    }
    auto& dest = Control<VellEdit>("EFDest");
    dest.SelectAll();
    dest.Copy();
}

void MainWindow::PBSourcePaste_Action() {
    auto& source = Control<VellEdit>("EFSource");
    source.Text("");
    source.Paste();
}

void MainWindow::PBSourceClear_Action() { Control<VellEdit>("EFSource").Text(""); }

void MainWindow::PBDestClear_Action() { Control<VellEdit>("EFDest").Text(""); }

void MainWindow::PBPasteCode_Action() { Control<VellEdit>("EFSource").Text(Control<VellEdit>("EFDest").Text()); }

void MainWindow::EFSource_TextChange() { flagSourceEdited = true; }

void MainWindow::EFDest_TextChange() { flagDestEdited = true; }

void MainWindow::PBOptions_Action() { fw::Implicit<OptionWindow>().Show(); }
