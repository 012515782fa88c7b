#include <QFileDialog>
#include <QFileInfo>

#include "fw/gui/GuiPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

QStringList nameFilters(const String& filter) {
    QStringList out;
    for (const String& name : Split(filter, ";")) {
        if (Trim(name).empty()) continue;
        const FileType* ft = FileType::Find(Trim(name));
        if (!ft) continue;
        QStringList globs;
        for (const String& ext : Split(ft->Extensions(), ";")) {
            String e = Trim(ext);
            if (e.empty()) continue;
            globs << (e == ".*" || e == "*" ? QString("*") : "*" + toQ(e));
        }
        if (globs.isEmpty()) globs << "*";
        out << toQ(ft->Name()) + " (" + globs.join(' ') + ")";
    }
    if (out.isEmpty()) out << "All files (*)";
    return out;
}

// A file given as the initial directory starts the dialog in its folder.
QString startFolder(const FolderItemPtr& item) {
    if (!item) return {};
    QFileInfo fi(toQ(item->AbsolutePath()));
    if (fi.isDir()) return fi.absoluteFilePath();
    QFileInfo parent(fi.absolutePath());
    return parent.isDir() ? parent.absoluteFilePath() : QString();
}

FolderItemPtr answerFromQueue(const char* kind, const String& title, const String& filter,
                              const FolderItemPtr& initial, const String& suggested) {
    recordDialog({kind, title, filter, initial ? initial->AbsolutePath() : String(), suggested});
    String path;
    if (!takeDialogAnswer(&path) || path.empty()) return nullptr;
    return std::make_shared<FolderItem>(std::filesystem::path(path.utf8()));
}

FolderItemPtr runDialog(QFileDialog& dlg) {
    int blocked = std::exchange(InputBlockDepth(), 0);
    bool ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    InputBlockDepth() = blocked;
    if (!ok) return nullptr;
    return std::make_shared<FolderItem>(std::filesystem::path(dlg.selectedFiles().first().toStdString()));
}

}  // namespace

FolderItemPtr OpenDialog::ShowModal() {
    if (testing::Enabled()) return answerFromQueue("open", Title, Filter, InitialDirectory, "");
    QFileDialog dlg(nullptr, toQ(Title), startFolder(InitialDirectory));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(nameFilters(Filter));
    return runDialog(dlg);
}

FolderItemPtr SaveAsDialog::ShowModal() {
    if (testing::Enabled()) {
        FolderItemPtr f = answerFromQueue("save", Title, Filter, InitialDirectory, SuggestedFileName);
        if (f && f->Exists() &&
            MsgBox("\"" + f->Name() + "\" already exists. Do you want to replace it?", 4 + 48) != 6)
            return nullptr;
        return f;
    }
    QFileDialog dlg(nullptr, toQ(Title), startFolder(InitialDirectory));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters(nameFilters(Filter));
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!SuggestedFileName.empty()) dlg.selectFile(toQ(SuggestedFileName));
    return runDialog(dlg);
}

}  // namespace fw
