#include <algorithm>
#include <utility>
#include <vector>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextCursor>

#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

// Qt lays a long block out in time that grows fast with its length (a
// 200,000-character line without breaks takes over a minute). So a long
// line is stored as several blocks of at most kChunk characters; a block
// whose format has the kSoftStart mark continues the previous one without a line
// break. Every reading side joins them again.
constexpr int kChunk = 4096;
// The mark is a block-format property, which undo and redo bring back with
// the text (a block's user state they don't).
constexpr int kSoftStart = QTextFormat::UserProperty + 1;

bool soft(const QTextBlock& b) { return b.blockFormat().boolProperty(kSoftStart); }

void markSoft(QTextCursor& c, const QTextBlock& b, bool on) {
    QTextBlockFormat f = b.blockFormat();
    if (f.boolProperty(kSoftStart) == on) return;
    f.setProperty(kSoftStart, on);
    c.setPosition(b.position());
    c.setBlockFormat(f);
}

// Qt's time and memory also grow with the number of blocks: a 50 MB text of
// short lines would make a million. So short lines are packed several to a
// block, up to kChunk characters, each line end but the block's last stored
// as U+2028 (a line break inside a block). In a packed document every U+2028
// is a line end; a text that has a U+2028 of its own is never packed, and
// one that arrives by typing or pasting unpacks the document first.
const char* const kPacked = "varnelPackedLines";

bool packed(const QTextDocument* doc) { return doc->property(kPacked).toBool(); }

// The text of the document with soft boundaries joined; `from` and `to` are
// document positions.
QString joinedText(const QTextDocument* doc, int from = 0, int to = -1) {
    if (to < 0) to = doc->characterCount() - 1;
    const bool lines = packed(doc);
    QString out;
    out.reserve(std::max(0, to - from));
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() <= to; b = b.next()) {
        int start = std::max(from, b.position()) - b.position();
        int end = std::min(to, b.position() + b.length() - 1) - b.position();
        if (b.position() > from && !soft(b)) out += QLatin1Char('\n');
        const qsizetype at = out.size();
        out += QStringView(b.text()).mid(start, end - start);
        if (lines) std::replace(out.begin() + at, out.end(), QChar(QChar::LineSeparator), QChar(QLatin1Char('\n')));
    }
    return out;
}

// Document position to text position: one less per soft boundary before it.
int toTextPos(const QTextDocument* doc, int docPos) {
    int n = 0;
    for (QTextBlock b = doc->begin(); b.isValid() && b.position() <= docPos; b = b.next())
        if (soft(b)) ++n;
    return docPos - n;
}

int toDocPos(const QTextDocument* doc, int textPos) {
    int removed = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (!soft(b)) continue;
        if (textPos < b.position() - removed - 1) break;
        ++removed;
    }
    return std::clamp(textPos + removed, 0, doc->characterCount() - 1);
}

// Packs short lines in place, up to kChunk characters to a block; a longer
// line keeps a block of its own.
void packLines(QString& text) {
    qsizetype blockStart = 0;
    for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0;) {
        qsizetype next = text.indexOf(QLatin1Char('\n'), i + 1);
        const qsizetype end = next < 0 ? text.size() : next;
        if (end - blockStart <= kChunk) text[i] = QChar::LineSeparator;
        else blockStart = i + 1;
        i = next;
    }
}

// Fills the document, cutting long lines (never inside a surrogate pair)
// and packing short ones unless `mayPack` is false.
void setChunkedText(QPlainTextEdit* ed, QString text, bool mayPack = true) {
    const bool pack = mayPack && !text.contains(QChar::LineSeparator);
    ed->document()->setProperty(kPacked, pack);
    if (pack) packLines(text);
    bool longLine = false;
    for (qsizetype from = 0; !longLine && from <= text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0) end = text.size();
        longLine = end - from > kChunk;
        from = end + 1;
    }
    if (!longLine) {
        ed->setPlainText(text);  // every new block has no soft start
        return;
    }
    QString stored;
    stored.reserve(text.size() + text.size() / kChunk + 1);
    std::vector<bool> softStarts;  // per block
    for (qsizetype from = 0; from <= text.size();) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        if (end < 0) end = text.size();
        const QStringView line = QStringView(text).mid(from, end - from);
        from = end + 1;
        if (!softStarts.empty()) stored += QLatin1Char('\n');
        qsizetype pos = 0;
        softStarts.push_back(false);
        while (line.size() - pos > kChunk) {
            qsizetype len = kChunk;
            if (line.at(pos + len - 1).isHighSurrogate()) --len;
            stored += line.mid(pos, len);
            stored += QLatin1Char('\n');
            softStarts.push_back(true);
            pos += len;
        }
        stored += line.mid(pos);
    }
    text = QString();
    ed->setPlainText(stored);
    QTextDocument* doc = ed->document();
    doc->setUndoRedoEnabled(false);  // the marks are part of the text as set
    QTextCursor c(doc);
    c.beginEditBlock();  // one layout pass for all the marks, not one each
    size_t i = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next(), ++i)
        if (i < softStarts.size() && softStarts[i]) markSoft(c, b, true);
    c.endEditBlock();
    doc->setUndoRedoEnabled(true);
}

// Before a U+2028 of the user's own enters a packed document, its packed
// line ends become blocks again.
void unpackFor(QPlainTextEdit* ed, const QString& incoming) {
    QTextDocument* doc = ed->document();
    if (!packed(doc) || !incoming.contains(QChar::LineSeparator)) return;
    const QTextCursor c = ed->textCursor();
    const int anchor = toTextPos(doc, c.anchor()), pos = toTextPos(doc, c.position());
    const QSignalBlocker quiet(ed);
    setChunkedText(ed, joinedText(doc), false);
    QTextCursor r(doc);
    r.setPosition(toDocPos(doc, anchor));
    r.setPosition(toDocPos(doc, pos), QTextCursor::KeepAnchor);
    ed->setTextCursor(r);
}

// An edit keeps the mark of the block where it starts (Qt may give a block
// that a removal joins the format of the last block joined), and a block that
// the edit itself begins follows a line break of the user's: without this a
// joined piece of a long line gains a line break, or a whole line loses its
// own. The fixes join the edit's undo step. An edit begins in the block of
// the selection's start or, for Backspace, the one before it.
template <class F>
void keepingStarts(QPlainTextEdit* ed, F edit) {
    QTextDocument* doc = ed->document();
    const QTextBlock at = doc->findBlock(ed->textCursor().selectionStart());
    const int first = at.blockNumber() - 1;
    const bool marks[2] = {at.previous().isValid() && soft(at.previous()), soft(at)};
    std::vector<std::pair<int, int>> changes;  // position, characters added
    auto note = [&](int pos, int, int added) { changes.emplace_back(pos, added); };
    const QMetaObject::Connection watch = QObject::connect(doc, &QTextDocument::contentsChange, note);
    edit();
    QObject::disconnect(watch);
    std::vector<std::pair<QTextBlock, bool>> fixes;
    auto want = [&](const QTextBlock& b, bool mark) {
        if (soft(b) != mark) fixes.emplace_back(b, mark);
    };
    for (const auto& [pos, added] : changes) {
        QTextBlock b = doc->findBlock(pos);
        const int n = b.blockNumber() - first;
        if (n >= 0 && n < 2) want(b, marks[n]);
        for (b = b.next(); b.isValid() && b.position() <= pos + added; b = b.next()) want(b, false);
    }
    if (fixes.empty()) return;
    QTextCursor c(doc);
    c.joinPreviousEditBlock();
    for (const auto& [b, mark] : fixes) markSoft(c, b, mark);
    c.endEditBlock();
}

class PlainEditor : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    // The boundary between the pieces of a long line is no character: a
    // deletion that would only remove it removes the character beyond.
    void keyPressEvent(QKeyEvent* e) override {
        QTextCursor c = textCursor();
        if (!c.hasSelection() && e->modifiers() == Qt::NoModifier) {
            QTextBlock b = c.block();
            if (e->key() == Qt::Key_Backspace && c.positionInBlock() == 0 && soft(b)) {
                c.movePosition(QTextCursor::PreviousCharacter);
                setTextCursor(c);
            } else if (e->key() == Qt::Key_Delete && c.atBlockEnd() && soft(b.next())) {
                c.movePosition(QTextCursor::NextCharacter);
                setTextCursor(c);
            }
        }
        unpackFor(this, e->text());
        // Undo and redo bring the marks back with the text.
        if (e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo)) QPlainTextEdit::keyPressEvent(e);
        else keepingStarts(this, [&] { QPlainTextEdit::keyPressEvent(e); });
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (source->hasText()) unpackFor(this, source->text());
        keepingStarts(this, [&] { QPlainTextEdit::insertFromMimeData(source); });
    }
    void inputMethodEvent(QInputMethodEvent* e) override {
        unpackFor(this, e->commitString());
        keepingStarts(this, [&] { QPlainTextEdit::inputMethodEvent(e); });
    }
    QMimeData* createMimeDataFromSelection() const override {
        QTextCursor c = textCursor();
        auto* mime = new QMimeData();
        mime->setText(joinedText(document(), c.selectionStart(), c.selectionEnd()));
        return mime;
    }
};

class EditContainer : public QWidget {
public:
    QWidget* editor = nullptr;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (editor) editor->setGeometry(rect());
    }
};

struct EditImpl : RectControl::Impl {
    bool multiLine = false, readOnly = false, vbar = true, hbar = false, acceptTabs = false, password = false;
    Color color;
    int align = 0;
    int limit = 0;
    String mask;
    bool settingText = false;
    EditContainer* box = nullptr;
    QPlainTextEdit* plain = nullptr;
    QLineEdit* line = nullptr;
    // Runs f on the editor in use; both kinds share the standard edit commands.
    template <class F>
    void onEditor(F f) {
        plain ? f(plain) : f(line);
    }

    QWidget* makeWidget() override {
        box = new EditContainer();
        makeEditor(QString());
        return box;
    }

    void makeEditor(const QString& text) {
        delete box->editor;
        plain = nullptr;
        line = nullptr;
        if (multiLine) {
            plain = new PlainEditor(box);
            setChunkedText(plain, text);
            QObject::connect(plain, &QPlainTextEdit::textChanged, [this] { textChanged(); });
            QObject::connect(plain, &QPlainTextEdit::selectionChanged, [this] { selChanged(); });
            plain->setContextMenuPolicy(Qt::CustomContextMenu);
            QObject::connect(plain, &QWidget::customContextMenuRequested, [this](QPoint p) { contextMenu(p); });
            box->editor = plain;
            watch(plain->viewport());
        } else {
            line = new QLineEdit(box);
            line->setText(text);
            QObject::connect(line, &QLineEdit::textChanged, [this] { textChanged(); });
            QObject::connect(line, &QLineEdit::selectionChanged, [this] { selChanged(); });
            line->setContextMenuPolicy(Qt::CustomContextMenu);
            QObject::connect(line, &QWidget::customContextMenuRequested, [this](QPoint p) { contextMenu(p); });
            box->editor = line;
        }
        watch(box->editor);
        box->setFocusProxy(box->editor);
        box->editor->setGeometry(box->rect());
        box->editor->show();
        if (self) applyFont();
        styleChanged();
    }

    void styleChanged() override {
        if (plain) {
            plain->setReadOnly(readOnly);
            plain->setVerticalScrollBarPolicy(vbar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            plain->setHorizontalScrollBarPolicy(hbar ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
            plain->setLineWrapMode(hbar ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
            plain->setTabChangesFocus(!acceptTabs);
        }
        if (line) {
            line->setReadOnly(readOnly);
            line->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
            line->setMaxLength(limit > 0 ? limit : 32767);
            if (!mask.empty() && InStr(mask, "#") > 0) {
                int digits = int(CountFields(mask, "#") - 1);
                line->setValidator(
                    new QRegularExpressionValidator(QRegularExpression(QString("[0-9]{0,%1}").arg(digits)), line));
            } else {
                line->setValidator(nullptr);
            }
        }
        Qt::Alignment h = align == 2 ? Qt::AlignHCenter : align == 3 ? Qt::AlignRight : Qt::AlignLeft;
        if (line) line->setAlignment(h | Qt::AlignVCenter);
        if (plain) {
            QTextOption opt = plain->document()->defaultTextOption();
            opt.setAlignment(h);
            plain->document()->setDefaultTextOption(opt);
        }
        QWidget* ed = box ? box->editor : nullptr;
        if (ed) {
            QPalette p = ed->palette();
            p.setColor(QPalette::Text, toQColor(color));
            ed->setPalette(p);
            ed->setFont(box->font());
        }
    }

    QString text() const { return plain ? joinedText(plain->document()) : line->text(); }

    void setText(QString t) {
        settingText = true;
        if (plain) {
            QString text = normalizeBreaks(t);
            t = QString();  // the only holder, so lines are packed in place
            setChunkedText(plain, std::move(text));
        } else {
            line->setText(QString(normalizeBreaks(t)).replace('\n', ' '));
        }
        settingText = false;
        fire("TextChange");
    }

    void textChanged() {
        if (settingText) return;
        fire("TextChange");
    }
    void selChanged() {
        if (self->HandlerCount("SelChange")) fire("SelChange");
    }

    void contextMenu(QPoint pos) {
        RectControl* s = self;
        QWidget* ed = box->editor;
        if (!s->HandlerCount("ConstructContextualMenu")) {
            std::unique_ptr<QMenu> m(plain ? plain->createStandardContextMenu() : line->createStandardContextMenu());
            // The standard items go by their text ("Paste"), as no name is theirs.
            std::vector<std::pair<QAction*, String>> named;
            for (QAction* a : m->actions())
                named.emplace_back(a, fromQ(a->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'))));
            showMenu(*m, named, ed->mapToGlobal(pos));
            return;
        }
        auto base = std::make_shared<MenuItem>();
        bool show = false;
        QPoint local = ed->mapTo(widget, pos);
        Dispatch([&] {
            show = s->Fire<bool(MenuItem&, int, int)>("ConstructContextualMenu", *base, local.x(), local.y());
        });
        if (!show || base->Count() == 0) return;
        QMenu menu;
        std::vector<std::pair<QAction*, MenuItemPtr>> acts;
        std::vector<std::pair<QAction*, String>> named;
        std::function<void(QMenu*, MenuItem&)> fill = [&](QMenu* m, MenuItem& item) {
            for (int i = 0; i < item.Count(); ++i) {
                MenuItemPtr c = item.Item(i);
                if (c->Text() == "-") {
                    m->addSeparator();
                } else if (c->Count() > 0) {
                    fill(m->addMenu(toQ(c->Text())), *c);
                } else {
                    QAction* a = m->addAction(toQ(c->Text()));
                    a->setEnabled(c->Enabled());
                    acts.emplace_back(a, c);
                    named.emplace_back(a, c->Name());
                }
            }
        };
        fill(&menu, *base);
        QAction* hit = showMenu(menu, named, ed->mapToGlobal(pos));
        MenuItemPtr chosen;
        for (auto& [a, item] : acts)
            if (a == hit) chosen = item;
        if (chosen) Dispatch([&] { s->Fire<bool(MenuItem&)>("ContextualMenuAction", *chosen); });
    }

    static QAction* showMenu(QMenu& menu, const std::vector<std::pair<QAction*, String>>& named, QPoint at) {
        answerMenu(menu, named);
        ModalScope scope;
        return menu.exec(at);
    }
};

EditImpl& E(const EditField* f) { return static_cast<EditImpl&>(f->impl()); }

}  // namespace

EditField::EditField() : RectControl(std::make_unique<EditImpl>()) {}

String EditField::Text() const { return fromQ(E(this).text()); }
void EditField::Text(const String& t) { E(this).setText(toQ(t)); }
bool EditField::ReadOnly() const { return E(this).readOnly; }
void EditField::ReadOnly(bool b) { restyle(impl(), E(this).readOnly, b); }
bool EditField::MultiLine() const { return E(this).multiLine; }
void EditField::MultiLine(bool b) {
    auto& d = E(this);
    if (d.multiLine == b) return;
    QString t = d.text();
    d.multiLine = b;
    d.settingText = true;
    d.makeEditor(t);
    d.settingText = false;
}
bool EditField::ScrollBarVertical() const { return E(this).vbar; }
void EditField::ScrollBarVertical(bool b) { restyle(impl(), E(this).vbar, b); }
bool EditField::ScrollBarHorizontal() const { return E(this).hbar; }
void EditField::ScrollBarHorizontal(bool b) { restyle(impl(), E(this).hbar, b); }
bool EditField::AcceptTabs() const { return E(this).acceptTabs; }
void EditField::AcceptTabs(bool b) { restyle(impl(), E(this).acceptTabs, b); }
bool EditField::Password() const { return E(this).password; }
void EditField::Password(bool b) { restyle(impl(), E(this).password, b); }
Color EditField::TextColor() const { return E(this).color; }
void EditField::TextColor(Color c) { restyle(impl(), E(this).color, c); }
int EditField::Alignment() const { return E(this).align; }
void EditField::Alignment(int a) { restyle(impl(), E(this).align, a); }
int EditField::LimitText() const { return E(this).limit; }
void EditField::LimitText(int n) { restyle(impl(), E(this).limit, n); }
String EditField::Mask() const { return E(this).mask; }
void EditField::Mask(const String& m) { restyle(impl(), E(this).mask, m); }

int EditField::SelStart() const {
    auto& d = E(this);
    if (d.plain) return toTextPos(d.plain->document(), d.plain->textCursor().selectionStart());
    return d.line->hasSelectedText() ? d.line->selectionStart() : d.line->cursorPosition();
}
int EditField::SelLength() const {
    auto& d = E(this);
    if (d.plain) {
        QTextCursor c = d.plain->textCursor();
        return toTextPos(d.plain->document(), c.selectionEnd()) - toTextPos(d.plain->document(), c.selectionStart());
    }
    return int(d.line->selectedText().size());
}
void EditField::SelStart(int pos) {
    auto& d = E(this);
    int n = int(d.text().size());
    pos = std::clamp(pos, 0, n);
    if (d.plain) {
        QTextCursor c = d.plain->textCursor();
        c.setPosition(toDocPos(d.plain->document(), pos));
        d.plain->setTextCursor(c);
    } else {
        d.line->setCursorPosition(pos);
    }
}
void EditField::SelLength(int len) {
    auto& d = E(this);
    int start = SelStart();
    int end = std::clamp(start + std::max(0, len), 0, int(d.text().size()));
    if (d.plain) {
        QTextCursor c = d.plain->textCursor();
        c.setPosition(toDocPos(d.plain->document(), start));
        c.setPosition(toDocPos(d.plain->document(), end), QTextCursor::KeepAnchor);
        d.plain->setTextCursor(c);
    } else {
        d.line->setSelection(start, end - start);
    }
}
String EditField::SelText() const {
    auto& d = E(this);
    if (d.plain) {
        QTextCursor c = d.plain->textCursor();
        return fromQ(joinedText(d.plain->document(), c.selectionStart(), c.selectionEnd()));
    }
    return fromQ(d.line->selectedText());
}
void EditField::SelText(const String& t) {
    auto& d = E(this);
    if (d.plain) {
        const QString text = normalizeBreaks(toQ(t));
        unpackFor(d.plain, text);
        keepingStarts(d.plain, [&] { d.plain->textCursor().insertText(text); });
    } else d.line->insert(toQ(t));
}

void EditField::Undo() {
    E(this).onEditor([](auto* e) { e->undo(); });
}
void EditField::Cut() {
    auto& d = E(this);
    if (d.plain) keepingStarts(d.plain, [&] { d.plain->cut(); });
    else d.line->cut();
}
void EditField::Copy() {
    E(this).onEditor([](auto* e) { e->copy(); });
}
void EditField::Paste() {
    E(this).onEditor([](auto* e) { e->paste(); });
}
void EditField::Clear() {
    auto& d = E(this);
    if (d.plain) keepingStarts(d.plain, [&] { d.plain->textCursor().removeSelectedText(); });
    else d.line->del();
}
void EditField::SelectAll() {
    E(this).onEditor([](auto* e) { e->selectAll(); });
}

const std::type_info* EditField::EventSignature(std::string_view e) const {
    if (e == "TextChange" || e == "SelChange" || e == "GotFocus" || e == "LostFocus") return &typeid(void());
    if (e == "ConstructContextualMenu") return &typeid(bool(MenuItem&, int, int));
    if (e == "ContextualMenuAction") return &typeid(bool(MenuItem&));
    return RectControl::EventSignature(e);
}

}  // namespace fw
