// The main window's document road: open, load, save, save as and re-open,
// with every button, menu item and drop calling one of these operations.
#include <utility>

#include "applib/VellClass.h"
#include "applib/VellEdit.h"
#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/core/TextEncoding.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/FileDialogs.h"
#include "fw/gui/PopupMenu.h"
#include "shell/App.h"
#include "shell/EncodingSelect.h"
#include "shell/HtmlFiles.h"
#include "shell/MainWindow.h"
#include "shell/OptionWindow.h"

namespace {

// No path means no starting folder: the dialog then starts where it likes
// rather than in the application's folder.
fw::FolderItemPtr startingPoint(const fw::String& path) { return path.empty() ? nullptr : fw::GetFolderItem(path); }

}  // namespace

void MainWindow::OpenFileDialog() {
    fw::OpenDialog dlg;
    dlg.InitialDirectory = startingPoint(quillet::CurrentDocument);
    dlg.Title = "Select a file";
    dlg.Filter = HtmlFiles::All();
    if (fw::FolderItemPtr item = dlg.ShowModal()) LoadFile(item->AbsolutePath());
}

void MainWindow::LoadFile(const fw::String& path) {
    // Whatever follows, the next Save asks for a name.
    quillet::SaveDocument = "";

    fw::FolderItemPtr item = path.empty() ? nullptr : fw::GetFolderItem(path);
    if (!item || !item->Exists()) {
        fw::MsgBox(kErrorNotFound);
        return;
    }
    // A folder, a device or a pipe would block or read forever; an unreadable
    // file leaves everything as it was.
    std::unique_ptr<fw::TextInputStream> stream = item->IsRegularFile() ? item->OpenAsTextFile() : nullptr;
    if (!stream) {
        fw::MsgBox(kErrorCannotOpen);
        return;
    }
    const fw::TextEncoding* enc = Control<EncodingSelect>("EncodingSelectSource").GetEncoding();
    stream->Encoding = enc;
    fw::String text = stream->ReadAll();
    stream->Close();

    // A UTF-8 byte-order mark goes whatever encoding was chosen; nothing else
    // is taken for one.
    if (text.bytes().starts_with("\xEF\xBB\xBF")) text = fw::String::FromBytes(text.bytes().substr(3), enc);
    RawInput = std::move(text);

    showText("EFSource", RawInput);
    flagSourceEdited = false;
    quillet::CurrentDocument = item->AbsolutePath();
    // "Varnel" as the default: the seeded program name normally answers, but
    // a language file loaded later may leave the key unanswered.
    Title(Vell->Lng(kProgramName, "Application.ProgramName") + " - " + item->AbsolutePath());
    if (OpenRecentItems) {
        OpenRecentItems->Add(item->AbsolutePath());
        RefreshOpenRecent();
    }

    // The bytes stay as read (a save in the same encoding gives them back);
    // the pane shows each bad sequence as U+FFFD.
    fw::ConversionReport check = fw::CheckEncoding(RawInput);
    if (check.invalidInput > 0) {
        fw::MsgBox("Warning: " + fw::Str(int64_t(check.invalidInput)) +
                   " byte sequence(s) of this file are not valid in the encoding " + fw::String(enc->name) +
                   "; they are shown as \xEF\xBF\xBD.");
    }
}

void MainWindow::showText(const char* pane, const fw::String& text) {
    // Without a CR byte every line end is already a LF (no encoding here
    // hides a CR in other bytes), so a large text is shown without a copy.
    const bool lf = fw::String(fw::EndOfLine).bytes() == "\n";
    if (lf && text.bytes().find('\r') == std::string::npos) Control<VellEdit>(pane).Text(text);
    else Control<VellEdit>(pane).Text(fw::ReplaceLineEndings(text, fw::EndOfLine));
}

void MainWindow::SaveFileDialog() {
    fw::SaveAsDialog dlg;
    dlg.InitialDirectory = startingPoint(quillet::SaveDocument);
    dlg.SuggestedFileName = "Unnamed";
    dlg.Title = "Save Document As...";
    dlg.Filter = HtmlFiles::All();
    if (fw::FolderItemPtr item = dlg.ShowModal()) {
        quillet::SaveDocument = item->AbsolutePath();
        SaveFile(quillet::SaveDocument);
    }
}

const fw::TextEncoding* MainWindow::saveEncoding() {
    // The byte-wise page was built from the source encoding's bytes.
    const char* popup = Control<fw::PopupMenu>("PMTypeOfConversion").Text() == "Pakkle" ? "EncodingSelectSource"
                                                                                        : "EncodingSelectDest";
    return Control<EncodingSelect>(popup).GetEncoding();
}

void MainWindow::SaveFile(const fw::String& path) {
    fw::FolderItemPtr item = path.empty() ? nullptr : fw::GetFolderItem(path);
    if (!item) {
        fw::MsgBox(kErrorCannotSave);
        return;
    }
    if (flagDestEdited) RawOutput = fw::ReplaceLineEndings(Control<VellEdit>("EFDest").Text(), fw::EndOfLine);

    const fw::TextEncoding* enc = saveEncoding();
    fw::String out = RawOutput;
    // A result without an encoding (decoded Base64) is bytes, written as they
    // are; anything else is converted first so that losses show before any
    // byte reaches the disk.
    if (RawOutput.encoding()) {
        fw::ConversionReport report;
        out = fw::ConvertEncoding(RawOutput, enc, &report);
        size_t lost = report.invalidInput + report.unmappable;
        if (lost > 0) {
            int answer = fw::MsgBox(fw::Str(int64_t(lost)) + " character(s) can not be written in the encoding " +
                                        fw::String(enc->name) + " and would be saved as \"?\". Save anyway?",
                                    fw::MsgBoxOKCancel + fw::MsgBoxCaution);
            if (answer != fw::AnswerOK) return;
        }
    }

    // The file is replaced only when everything was written: a failure leaves
    // the old file whole.
    std::unique_ptr<fw::TextOutputStream> stream = item->CreateTextFile();
    bool ok = stream != nullptr;
    if (ok) {
        stream->Write(fw::DefineEncoding(out, nullptr));
        ok = stream->Close();
    }
    if (!ok) fw::MsgBox(kErrorCannotSave);
}

void MainWindow::SaveOrSaveAs() {
    if (quillet::SaveDocument.empty()) SaveFileDialog();
    else SaveFile(quillet::SaveDocument);
}

void MainWindow::Reopen() {
    if (quillet::CurrentDocument.empty()) OpenFileDialog();
    else LoadFile(quillet::CurrentDocument);
}

void MainWindow::Event_DropObject(fw::DragItem& item) {
    if (item.FolderItemAvailable()) LoadFile(item.FolderItem()->AbsolutePath());
}

void MainWindow::EFSource_DropObject(fw::DragItem& item) {
    if (item.FolderItemAvailable()) LoadFile(item.FolderItem()->AbsolutePath());
}

void MainWindow::PBOpen_Action() { OpenFileDialog(); }
void MainWindow::BBReopen_Action() { Reopen(); }
void MainWindow::PBSave_Action() { SaveOrSaveAs(); }
void MainWindow::PBSaveAs_Action() { SaveFileDialog(); }

bool MainWindow::FileOpen_Action() {
    OpenFileDialog();
    return false;
}

bool MainWindow::FileReOpen_Action() {
    Reopen();
    return false;
}

bool MainWindow::FileSave_Action() {
    SaveOrSaveAs();
    return false;
}

bool MainWindow::FileSaveas_Action() {
    SaveFileDialog();
    return false;
}

bool MainWindow::FileOptions_Action() {
    fw::Implicit<OptionWindow>().Show();
    return false;
}
