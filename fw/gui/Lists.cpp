// Pop-up menus, combo boxes and list boxes.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

struct PopupImpl : RectControl::Impl {
    explicit PopupImpl(bool editable) : editable(editable) {}
    bool editable;
    int lastIndex = -1;
    bool settingText = false;
    QComboBox* box() const { return static_cast<QComboBox*>(widget.data()); }

    QWidget* makeWidget() override {
        auto* b = new QComboBox();
        b->setEditable(editable);
        if (editable) b->setInsertPolicy(QComboBox::NoInsert);
        QObject::connect(b, &QComboBox::currentIndexChanged, [this](int i) { indexChanged(i); });
        if (editable)
            QObject::connect(b, &QComboBox::editTextChanged, [this] {
                if (settingText) return;
                fire("TextChange");
            });
        return b;
    }
    // Change is raised once per new index, by the user or by code.
    void indexChanged(int i) {
        if (i == lastIndex) return;
        lastIndex = i;
        fire("Change");
    }
    void insert(int index, const String& text) {
        QComboBox* b = box();
        bool wasEmpty = b->count() == 0;
        {
            // Qt chooses the first row of an empty box by itself; ours keeps
            // no row chosen until code or the user picks one.
            QSignalBlocker block(b);
            if (text.empty()) b->insertSeparator(index);
            else b->insertItem(index, toQ(text));
            if (wasEmpty) b->setCurrentIndex(-1);
        }
        lastIndex = b->currentIndex();
    }
};

struct ListImpl : RectControl::Impl {
    int lastIndex = -1;
    bool hbar = false;
    QTreeWidget* tree() const { return static_cast<QTreeWidget*>(widget.data()); }
    QWidget* makeWidget() override {
        auto* t = new QTreeWidget();
        t->setRootIsDecorated(false);
        t->setHeaderHidden(true);
        t->setColumnCount(1);
        t->setSelectionMode(QAbstractItemView::SingleSelection);
        QObject::connect(t, &QTreeWidget::currentItemChanged, [this] {
            int i = tree()->indexOfTopLevelItem(tree()->currentItem());
            if (i == lastIndex) return;
            lastIndex = i;
            fire("Change");
        });
        return t;
    }
};

PopupImpl& P(const PopupMenu* p) { return static_cast<PopupImpl&>(p->impl()); }
ListImpl& L(const Listbox* l) { return static_cast<ListImpl&>(l->impl()); }

}  // namespace

PopupMenu::PopupMenu() : RectControl(std::make_unique<PopupImpl>(false)) {}
PopupMenu::PopupMenu(std::unique_ptr<Impl> impl) : RectControl(std::move(impl)) {}

void PopupMenu::AddRow(const String& text) { P(this).insert(ListCount(), text); }
void PopupMenu::AddRows(const std::vector<String>& rows) {
    for (const String& r : rows) AddRow(r);
}
void PopupMenu::RemoveRow(int index) {
    if (index < 0 || index >= ListCount()) return;
    P(this).box()->removeItem(index);
}
void PopupMenu::DeleteAllRows() { P(this).box()->clear(); }
void PopupMenu::InitialValue(const String& rows) {
    String all = ReplaceLineEndings(rows, "\r");
    for (const String& r : Split(all, "\r")) AddRow(r);
}
int PopupMenu::ListCount() const { return P(this).box()->count(); }
String PopupMenu::List(int index) const {
    if (index < 0 || index >= ListCount()) return "";
    return fromQ(P(this).box()->itemText(index));
}
int PopupMenu::ListIndex() const { return P(this).box()->currentIndex(); }
void PopupMenu::ListIndex(int index) {
    if (index < 0 || index >= ListCount()) index = -1;
    P(this).box()->setCurrentIndex(index);
}
String PopupMenu::Text() const {
    int i = ListIndex();
    return i < 0 ? String() : List(i);
}
const std::type_info* PopupMenu::EventSignature(std::string_view e) const {
    if (e == "Change") return &typeid(void());
    return RectControl::EventSignature(e);
}

ComboBox::ComboBox() : PopupMenu(std::make_unique<PopupImpl>(true)) {}
String ComboBox::Text() const { return fromQ(P(this).box()->currentText()); }
void ComboBox::Text(const String& t) {
    auto& d = P(this);
    d.settingText = true;
    d.box()->setEditText(toQ(t));
    d.settingText = false;
    d.fire("TextChange");
}
const std::type_info* ComboBox::EventSignature(std::string_view e) const {
    if (e == "TextChange") return &typeid(void());
    return PopupMenu::EventSignature(e);
}

Listbox::Listbox() : RectControl(std::make_unique<ListImpl>()) {}
bool Listbox::HasHeading() const { return !L(this).tree()->isHeaderHidden(); }
void Listbox::HasHeading(bool b) { L(this).tree()->setHeaderHidden(!b); }
int Listbox::ColumnCount() const { return L(this).tree()->columnCount(); }
void Listbox::ColumnCount(int n) { L(this).tree()->setColumnCount(std::max(1, n)); }
String Listbox::Heading(int column) const {
    if (column < 0 || column >= ColumnCount()) return "";
    return fromQ(L(this).tree()->headerItem()->text(column));
}
void Listbox::Heading(int column, const String& text) {
    if (column < 0 || column >= ColumnCount()) return;
    L(this).tree()->headerItem()->setText(column, toQ(text));
}
void Listbox::AddRow(const String& first) {
    auto* item = new QTreeWidgetItem(L(this).tree());
    item->setText(0, normalizeBreaks(toQ(first)));
}
void Listbox::RemoveRow(int row) {
    if (row < 0 || row >= ListCount()) return;
    delete L(this).tree()->takeTopLevelItem(row);
}
void Listbox::DeleteAllRows() { L(this).tree()->clear(); }
int Listbox::ListCount() const { return L(this).tree()->topLevelItemCount(); }
String Listbox::Cell(int row, int column) const {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) return "";
    return fromQ(L(this).tree()->topLevelItem(row)->text(column));
}
void Listbox::Cell(int row, int column, const String& text) {
    if (row < 0 || row >= ListCount() || column < 0 || column >= ColumnCount()) return;
    L(this).tree()->topLevelItem(row)->setText(column, toQ(text));
}
int Listbox::ListIndex() const { return L(this).tree()->indexOfTopLevelItem(L(this).tree()->currentItem()); }
void Listbox::ListIndex(int row) {
    auto* t = L(this).tree();
    t->setCurrentItem(row >= 0 && row < ListCount() ? t->topLevelItem(row) : nullptr);
}
bool Listbox::ScrollBarHorizontal() const { return L(this).hbar; }
void Listbox::ScrollBarHorizontal(bool b) {
    L(this).hbar = b;
    L(this).tree()->setHorizontalScrollBarPolicy(b ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}
const std::type_info* Listbox::EventSignature(std::string_view e) const {
    if (e == "Change") return &typeid(void());
    return RectControl::EventSignature(e);
}

}  // namespace fw
