#include <QCursor>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "fw/gui/GuiPrivate.h"

namespace fw::gui_detail {

QString normalizeBreaks(const QString& s) {
    // Shared, not copied, when there is nothing to change.
    if (!s.contains(QLatin1Char('\r'))) return s;
    QString out = s;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

bool runMenuHandler(const MenuHandlers& handlers, const String& itemName) {
    for (auto& [name, h] : handlers)
        if (name == itemName) {
            // A copy: the handler may replace itself while it runs.
            auto keep = h;
            bool r = false;
            Dispatch([&] { r = keep(); });
            return r;
        }
    return false;
}

QFont fontFor(const String& face, double size, bool bold, bool italic, const QFont& base) {
    QFont f = base;
    if (!face.empty() && face != "System" && face != "SmallSystem") f.setFamily(toQ(face));
    if (size > 0) f.setPointSizeF(size);
    f.setBold(bold);
    f.setItalic(italic);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void applyCursor(QWidget* w, const Cursor* c) {
    if (!w) return;
    if (!c) return w->unsetCursor();
    switch (c->shape) {
    case Cursor::Shape::Arrow: w->setCursor(Qt::ArrowCursor); break;
    case Cursor::Shape::SplitterNorthSouth: w->setCursor(Qt::SplitVCursor); break;
    case Cursor::Shape::SplitterEastWest: w->setCursor(Qt::SplitHCursor); break;
    case Cursor::Shape::FingerPointer: w->setCursor(Qt::PointingHandCursor); break;
    case Cursor::Shape::IBeam: w->setCursor(Qt::IBeamCursor); break;
    case Cursor::Shape::Wait: w->setCursor(Qt::WaitCursor); break;
    }
}

std::vector<FolderItemPtr> acceptedFiles(const std::vector<String>& types, const QList<QUrl>& urls) {
    std::vector<FolderItemPtr> out;
    for (const QUrl& u : urls) {
        if (!u.isLocalFile()) continue;
        QString path = u.toLocalFile();
        String name = fromQ(QFileInfo(path).fileName());
        bool ok = types.empty();
        for (const String& t : types) {
            const FileType* ft = FileType::Find(t);
            if (!ft || ft->Matches(name)) ok = true;
        }
        if (ok) out.push_back(std::make_shared<FolderItem>(std::filesystem::path(path.toStdString())));
    }
    return out;
}

bool acceptsFiles(const std::vector<String>& types, const QMimeData* mime) {
    return !types.empty() && mime->hasUrls() && !acceptedFiles(types, mime->urls()).empty();
}

void deliverDrop(EventTarget& target, const std::vector<String>& types, QDropEvent* e) {
    auto files = types.empty() ? std::vector<FolderItemPtr>{} : acceptedFiles(types, e->mimeData()->urls());
    if (files.empty()) return e->ignore();
    e->acceptProposedAction();
    Dispatch([&] {
        DragItem item(files);
        target.Fire<void(DragItem&)>("DropObject", item);
    });
}

}  // namespace fw::gui_detail
