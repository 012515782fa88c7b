#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QPixmap>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

// "Cmd" is the command key of the Mac; Ctrl here.
QKeySequence toKeySequence(const String& s) {
    QString q = toQ(s);
    q.replace("Cmd", "Ctrl", Qt::CaseInsensitive);
    q.replace("Option", "Alt", Qt::CaseInsensitive);
    return QKeySequence(q);
}

bool isEditCommand(const String& name) {
    for (const char* n : {"EditUndo", "EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
        if (name == n) return true;
    return false;
}

// The focused text field, if any.
EditField* focusedField() {
    for (Window* w : OpenWindows())
        for (int i = 0; i < w->ControlCount(); ++i)
            if (auto* e = dynamic_cast<EditField*>(w->Control(i)); e && e->HasFocus()) return e;
    return nullptr;
}

bool runEditCommand(const String& name) {
    EditField* e = focusedField();
    if (!e) return false;
    if (name == "EditUndo") e->Undo();
    else if (name == "EditCut") e->Cut();
    else if (name == "EditCopy") e->Copy();
    else if (name == "EditPaste") e->Paste();
    else if (name == "EditClear") e->Clear();
    else e->SelectAll();
    return true;
}

}  // namespace

void MenuItem::Impl::syncAction() {
    bool sep = text == "-";
    action->setSeparator(sep);
    // Some styles draw a separator's text beside its line.
    action->setText(sep ? QString() : toQ(text));
    action->setShortcut(toKeySequence(shortcut));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(enabled);
    action->setCheckable(checked);
    action->setChecked(checked);
    if (icon) action->setIcon(QIcon(QPixmap::fromImage(icon->impl().image)));
    else action->setIcon(QIcon());
}

void MenuItem::Impl::rebuild() {
    if (!bars.empty()) {
        std::erase_if(bars, [](const QPointer<QMenuBar>& b) { return b.isNull(); });
        for (auto& b : bars) {
            b->clear();
            for (auto& c : children) {
                // A menu of the bar is a menu even while it is empty.
                if (!c->impl().menu) {
                    c->impl().menu = std::make_unique<QMenu>();
                    c->impl().action->setMenu(c->impl().menu.get());
                    c->impl().rebuild();
                }
                b->addAction(c->impl().action.get());
            }
        }
        return;
    }
    if (children.empty() && !menu) return;
    if (!menu) {
        menu = std::make_unique<QMenu>();
        action->setMenu(menu.get());
    }
    menu->clear();
    for (auto& c : children) menu->addAction(c->impl().action.get());
}

void MenuItem::Impl::attach(QMenuBar* bar) {
    bars.emplace_back(bar);
    rebuild();
}

void MenuItem::Impl::detach(QMenuBar* bar) {
    if (bar) bar->clear();
    std::erase_if(bars, [bar](const QPointer<QMenuBar>& b) { return b.isNull() || b.data() == bar; });
}

// Actions whose triggered signal is being delivered: Qt still uses such an
// action (and the menus showing it) once the signal returns.
static int& triggering() {
    static int depth = 0;
    return depth;
}

MenuItem::MenuItem() : impl_(std::make_unique<Impl>()) {
    impl_->self = this;
    impl_->action = std::make_unique<QAction>();
    QObject::connect(impl_->action.get(), &QAction::triggered, [this] {
        ++triggering();
        Choose();  // may delete this item
        --triggering();
    });
    impl_->syncAction();
}

MenuItem::MenuItem(const String& text) : MenuItem() { Text(text); }

MenuItem::~MenuItem() {
    for (auto& c : impl_->children) c->impl().parent = nullptr;
    for (auto& b : impl_->bars)
        if (b) b->clear();
    impl_->action->setMenu(static_cast<QMenu*>(nullptr));
    impl_->action->disconnect();
    if (triggering() > 0) {
        // This may be the action being delivered: its deletion waits for
        // the event loop, which then owns it.
        impl_->action.release()->deleteLater();
        if (impl_->menu) impl_->menu.release()->deleteLater();
    }
}

String MenuItem::Name() const { return impl_->name; }
void MenuItem::Name(const String& n) { impl_->name = n; }
String MenuItem::Text() const { return impl_->text; }
void MenuItem::Text(const String& t) {
    impl_->text = t;
    impl_->syncAction();
}
String MenuItem::KeyboardShortcut() const { return impl_->shortcut; }
void MenuItem::KeyboardShortcut(const String& s) {
    impl_->shortcut = s;
    impl_->syncAction();
}
bool MenuItem::AutoEnable() const { return impl_->autoEnable; }
void MenuItem::AutoEnable(bool b) { impl_->autoEnable = b; }
bool MenuItem::Enabled() const { return impl_->enabled; }
void MenuItem::Enabled(bool b) {
    impl_->enabled = b;
    impl_->syncAction();
}
bool MenuItem::Checked() const { return impl_->checked; }
void MenuItem::Checked(bool b) {
    impl_->checked = b;
    impl_->syncAction();
}
PicturePtr MenuItem::Icon() const { return impl_->icon; }
void MenuItem::Icon(PicturePtr pic) {
    impl_->icon = std::move(pic);
    impl_->syncAction();
}
String MenuItem::Tag() const { return impl_->tag; }
void MenuItem::Tag(const String& t) { impl_->tag = t; }

int MenuItem::Count() const { return int(impl_->children.size()); }
MenuItemPtr MenuItem::Item(int i) const { return i >= 0 && i < Count() ? impl_->children[size_t(i)] : nullptr; }
MenuItemPtr MenuItem::Child(const String& name) const {
    for (auto& c : impl_->children)
        if (c->Name() == name) return c;
    return nullptr;
}
MenuItemPtr MenuItem::Lookup(const String& name) const {
    for (auto& c : impl_->children) {
        if (c->Name() == name) return c;
        if (auto found = c->Lookup(name)) return found;
    }
    return nullptr;
}
MenuItem* MenuItem::Parent() const { return impl_->parent; }

void MenuItem::Append(MenuItemPtr item) { Insert(Count(), std::move(item)); }

void MenuItem::Insert(int index, MenuItemPtr item) {
    if (!item) throw NilObjectException("MenuItem.Insert with a nil item");
    if (item->impl_->parent) item->Close();
    index = std::clamp(index, 0, Count());
    item->impl_->parent = this;
    impl_->children.insert(impl_->children.begin() + index, std::move(item));
    impl_->rebuild();
}

void MenuItem::Remove(int index) {
    if (index < 0 || index >= Count()) return;
    MenuItemPtr keep = impl_->children[size_t(index)];
    keep->impl_->parent = nullptr;
    impl_->children.erase(impl_->children.begin() + index);
    impl_->rebuild();
}

void MenuItem::Close() {
    MenuItem* p = impl_->parent;
    if (!p) return;
    for (int i = 0; i < p->Count(); ++i)
        if (p->impl_->children[size_t(i)].get() == this) return p->Remove(i);
}

bool MenuItem::Choose() {
    if (!impl_->enabled || impl_->text == "-") return false;
    // Keeps the item alive when its own handler removes it.
    std::shared_ptr<MenuItem> keep = weak_from_this().lock();
    String name = impl_->name;
    if (HandlerCount("Action") > 0) {
        bool handled = false;
        Dispatch([&] { handled = Fire<bool()>("Action"); });
        if (handled) return true;
    }
    if (Window* w = FrontWindow(); w && w->HasMenuHandler(name)) {
        w->HandleMenu(name);
        return true;
    }
    if (Application* app = GetAppObject(); app && app->HandleMenu(name)) return true;
    if (impl_->quitItem) {
        Dispatch([] { Quit(); });
        return true;
    }
    if (isEditCommand(name)) {
        bool done = false;
        Dispatch([&] { done = runEditCommand(name); });
        return done;
    }
    return HandlerCount("Action") > 0;
}

const std::type_info* MenuItem::EventSignature(std::string_view e) const {
    return e == "Action" ? &typeid(bool()) : nullptr;
}

QuitMenuItem::QuitMenuItem() { impl().quitItem = true; }
MenuBar::MenuBar() = default;

}  // namespace fw
