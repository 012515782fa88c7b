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

FolderItemPtr runDialog(QFileDialog& dlg, const testing::DialogRecord& shown) {
    recordDialog(shown);
    // Under test the queued path is typed and the dialog accepted ("" cancels).
    answerInLoop(&dlg, [&dlg] {
        String path;
        if (!takeDialogAnswer(&path) || path.empty()) return dlg.reject();
        dlg.selectFile(toQ(path));
        static_cast<QDialog&>(dlg).done(QDialog::Accepted);  // as Return would, without its checks
    });
    bool ok;
    {
        ModalScope scope;
        ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
    }
    if (!ok) return nullptr;
    return std::make_shared<FolderItem>(std::filesystem::path(dlg.selectedFiles().first().toStdString()));
}

String pathOf(const FolderItemPtr& item) { return item ? item->AbsolutePath() : String(); }

}  // namespace

FolderItemPtr OpenDialog::ShowModal() {
    QFileDialog dlg(nullptr, toQ(Title), startFolder(InitialDirectory));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setNameFilters(nameFilters(Filter));
    return runDialog(dlg, {"open", Title, Filter, pathOf(InitialDirectory), ""});
}

FolderItemPtr SaveAsDialog::ShowModal() {
    QFileDialog dlg(nullptr, toQ(Title), startFolder(InitialDirectory));
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilters(nameFilters(Filter));
    // Asked below, in the program's own message box.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!SuggestedFileName.empty()) dlg.selectFile(toQ(SuggestedFileName));
    // "No" to replacing goes back to the dialog, as the platform's own prompt does.
    for (;;) {
        FolderItemPtr f = runDialog(dlg, {"save", Title, Filter, pathOf(InitialDirectory), SuggestedFileName});
        if (!f || !f->Exists()) return f;
        if (MsgBox("\"" + f->Name() + "\" already exists. Do you want to replace it?", MsgBoxYesNo + MsgBoxCaution) ==
            AnswerYes)
            return f;
        dlg.selectFile(toQ(f->AbsolutePath()));
    }
}

}  // namespace fw
