#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "fw/gui/GuiPrivate.h"
#include "fw/gui/WindowPrivate.h"

namespace fw {

using namespace gui_detail;

RectControl::Impl::~Impl() { delete widget.data(); }

void RectControl::Impl::fire(const char* event) {
    RectControl* s = self;
    Dispatch([s, event] { s->Fire<void()>(event); });
}

namespace {

class ControlFilter : public QObject {
public:
    ControlFilter(RectControl* c, QObject* parent) : QObject(parent), control_(c) {}

    bool eventFilter(QObject* obj, QEvent* ev) override {
        RectControl* c = control_;
        auto& d = c->impl();
        auto* w = qobject_cast<QWidget*>(obj);
        switch (ev->type()) {
        case QEvent::Enter:
            if (obj != d.widget) break;
            d.fire("MouseEnter");
            break;
        case QEvent::Leave:
            if (obj != d.widget) break;
            d.fire("MouseExit");
            break;
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(ev);
            if (me->button() != Qt::LeftButton || !c->HandlerCount("MouseDown")) break;
            const std::type_info* sig = c->EventSignature("MouseDown");
            if (!sig || *sig != typeid(bool(int, int))) break;
            QPoint p = w->mapTo(d.widget, me->position().toPoint());
            bool take = false;
            Dispatch([&] { take = c->Fire<bool(int, int)>("MouseDown", p.x(), p.y()); });
            d.dragging = take;
            if (take) return true;
            break;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(ev);
            QPoint p = w->mapTo(d.widget, me->position().toPoint());
            if (d.dragging) {
                Dispatch([&] { c->Fire<void(int, int)>("MouseDrag", p.x(), p.y()); });
                return true;
            }
            if (me->buttons() == Qt::NoButton) Dispatch([&] { c->Fire<void(int, int)>("MouseMove", p.x(), p.y()); });
            break;
        }
        case QEvent::MouseButtonRelease: {
            if (!d.dragging) break;
            auto* me = static_cast<QMouseEvent*>(ev);
            QPoint p = w->mapTo(d.widget, me->position().toPoint());
            d.dragging = false;
            Dispatch([&] { c->Fire<void(int, int)>("MouseUp", p.x(), p.y()); });
            return true;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* de = static_cast<QDropEvent*>(ev);
            if (!de->mimeData()->hasUrls()) break;
            // Files are never inserted as text: refuse them unless declared;
            // an ignored drag goes on to the parent (the window).
            if (acceptsFiles(d.dropTypes, de->mimeData())) de->acceptProposedAction();
            else de->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* de = static_cast<QDropEvent*>(ev);
            if (!de->mimeData()->hasUrls()) break;
            deliverDrop(*c, d.dropTypes, de);
            return true;
        }
        default: break;
        }
        return false;
    }

private:
    RectControl* control_;
};

}  // namespace

void RectControl::Impl::watch(QWidget* w) {
    w->setMouseTracking(true);
    w->installEventFilter(new ControlFilter(self, w));
}

bool RectControl::Impl::shownByParents() const {
    for (const RectControl *p = parent, *c = self; p; c = p, p = p->impl().parent) {
        if (!p->impl().visible) return false;
        if (auto* pp = dynamic_cast<const PagePanel*>(p); pp && c->impl().panelIndex != pp->Value()) return false;
    }
    return true;
}

bool RectControl::Impl::enabledByParents() const {
    for (const RectControl* p = parent; p; p = p->impl().parent)
        if (!p->impl().enabled) return false;
    return true;
}

void RectControl::Impl::applyGeometry() {
    if (!widget) return;
    // Only the screen is clamped; the logical bounds stay as written.
    widget->setGeometry(left, top, std::max(width, 0), std::max(height, 0));
}

static QRect boundsOf(const RectControl::Impl& d) {
    return QRect(d.left, d.top, std::max(d.width, 0), std::max(d.height, 0));
}

QRect RectControl::Impl::shownRect() const {
    QRect r = boundsOf(*this);
    for (const RectControl* p = parent; p; p = p->impl().parent) r &= boundsOf(p->impl());
    return r;
}

bool RectControl::Impl::outsideParents() const {
    return parent && !boundsOf(*this).isEmpty() && shownRect().isEmpty();
}

void RectControl::Impl::applyClip() {
    if (!widget) return;
    const QRect own = boundsOf(*this), shown = shownRect();
    // An empty mask means none to Qt: a control wholly outside is hidden instead.
    if (shown == own || shown.isEmpty()) widget->clearMask();
    else widget->setMask(QRegion(shown.translated(-left, -top)));
    for (RectControl* c : children) c->impl().applyClip();
}

void RectControl::Impl::applyVisibility() {
    if (!widget) return;
    bool show = visible && shownByParents() && !outsideParents();
    if (window) widget->setVisible(show);
    for (RectControl* c : children) c->impl().applyVisibility();
}

void RectControl::Impl::applyEnabled() {
    if (!widget) return;
    widget->setEnabled(enabled && enabledByParents());
    invalidate();  // a control that draws itself draws the other state
    for (RectControl* c : children) c->impl().applyEnabled();
}

void RectControl::Impl::applyFont() {
    if (!widget) return;
    widget->setFont(fontFor(font, textSize, bold, italic, QApplication::font()));
    styleChanged();
}

void RectControl::Impl::shift(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    left += dx;
    top += dy;
    applyGeometry();
    for (RectControl* c : children) c->impl().shift(dx, dy);
}

void RectControl::Impl::place(int l, int t, int w, int h) {
    int dw = w - width, dh = h - height;
    shift(l - left, t - top);
    width = w;
    height = h;
    applyGeometry();
    if (dw || dh) {
        childrenResized(dw, dh);
        styleChanged();
    }
}

void RectControl::Impl::setBounds(int l, int t, int w, int h) {
    place(l, t, w, h);
    // Once every bound inside is final, so nothing hides on the way.
    applyClip();
    applyVisibility();
}

// Moves and sizes `c` by its locks after its container grew by (dw, dh);
// false when they leave it where it is.
static bool placeByLocks(RectControl& c, int dw, int dh) {
    auto& d = c.impl();
    int l = d.left, t = d.top, w = d.width, h = d.height;
    if (d.locks & LockR) {
        if (d.locks & LockL) w += dw;
        else l += dw;
    }
    if (d.locks & LockB) {
        if (d.locks & LockT) h += dh;
        else t += dh;
    }
    if (l == d.left && t == d.top && w == d.width && h == d.height) return false;
    d.place(l, t, w, h);
    return true;
}

// The container clips and shows what it holds afterwards, in one pass.
void RectControl::Impl::childrenResized(int dw, int dh) {
    for (RectControl* c : children) placeByLocks(*c, dw, dh);
}

void applyLocks(RectControl& c, int dw, int dh) {
    if (!placeByLocks(c, dw, dh)) return;
    c.impl().applyClip();
    c.impl().applyVisibility();
}

RectControl::RectControl(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {
    impl_->self = this;
    impl_->widget = impl_->makeWidget();
    impl_->widget->hide();
    impl_->watch(impl_->widget);
    impl_->applyFont();
}

RectControl::~RectControl() = default;

String RectControl::Name() const { return impl_->name; }
fw::Window* RectControl::Window() const { return impl_->window; }
RectControl* RectControl::Parent() const { return impl_->parent; }

int RectControl::Left() const { return impl_->left; }
int RectControl::Top() const { return impl_->top; }
int RectControl::Width() const { return impl_->width; }
int RectControl::Height() const { return impl_->height; }
void RectControl::Left(int v) { impl_->setBounds(v, impl_->top, impl_->width, impl_->height); }
void RectControl::Top(int v) { impl_->setBounds(impl_->left, v, impl_->width, impl_->height); }
void RectControl::Width(int v) { impl_->setBounds(impl_->left, impl_->top, v, impl_->height); }
void RectControl::Height(int v) { impl_->setBounds(impl_->left, impl_->top, impl_->width, v); }
void RectControl::SetBounds(int l, int t, int w, int h) { impl_->setBounds(l, t, w, h); }

bool RectControl::LockLeft() const { return impl_->locks & LockL; }
bool RectControl::LockTop() const { return impl_->locks & LockT; }
bool RectControl::LockRight() const { return impl_->locks & LockR; }
bool RectControl::LockBottom() const { return impl_->locks & LockB; }
static void setBit(unsigned& bits, unsigned bit, bool on) { bits = on ? (bits | bit) : (bits & ~bit); }
void RectControl::LockLeft(bool b) { setBit(impl_->locks, LockL, b); }
void RectControl::LockTop(bool b) { setBit(impl_->locks, LockT, b); }
void RectControl::LockRight(bool b) { setBit(impl_->locks, LockR, b); }
void RectControl::LockBottom(bool b) { setBit(impl_->locks, LockB, b); }
void RectControl::Locks(unsigned bits) { impl_->locks = bits & LockAll; }

bool RectControl::Visible() const { return impl_->visible; }
void RectControl::Visible(bool b) {
    impl_->visible = b;
    impl_->applyVisibility();
}
bool RectControl::Enabled() const { return impl_->enabled; }
void RectControl::Enabled(bool b) {
    impl_->enabled = b;
    impl_->applyEnabled();
}
bool RectControl::Active() const { return impl_->window && impl_->window->Active(); }

String RectControl::HelpTag() const { return impl_->helpTag; }
void RectControl::HelpTag(const String& tip) {
    impl_->helpTag = tip;
    impl_->widget->setToolTip(toQ(tip));
}
const Cursor* RectControl::MouseCursor() const { return impl_->cursor; }
void RectControl::MouseCursor(const Cursor* c) {
    impl_->cursor = c;
    applyCursor(impl_->widget, c);
}

String RectControl::TextFont() const { return impl_->font; }
void RectControl::TextFont(const String& f) {
    impl_->font = f;
    impl_->applyFont();
}
double RectControl::TextSize() const { return impl_->textSize; }
void RectControl::TextSize(double p) {
    impl_->textSize = p;
    impl_->applyFont();
}
bool RectControl::Bold() const { return impl_->bold; }
void RectControl::Bold(bool b) {
    impl_->bold = b;
    impl_->applyFont();
}
bool RectControl::Italic() const { return impl_->italic; }
void RectControl::Italic(bool b) {
    impl_->italic = b;
    impl_->applyFont();
}

int RectControl::TabPanelIndex() const { return impl_->panelIndex; }
void RectControl::TabPanelIndex(int page) {
    impl_->panelIndex = page;
    impl_->applyVisibility();
}

void RectControl::Refresh(bool) { impl_->invalidate(); }
bool RectControl::HasFocus() const {
    QWidget* f = QApplication::focusWidget();
    return f && impl_->widget && (f == impl_->widget || impl_->widget->isAncestorOf(f));
}

void RectControl::AcceptFileDrop(const String& type) {
    impl_->dropTypes.push_back(type);
    impl_->widget->setAcceptDrops(true);
}

const std::type_info* RectControl::EventSignature(std::string_view e) const {
    if (e == "Open" || e == "Close" || e == "MouseEnter" || e == "MouseExit") return &typeid(void());
    if (e == "MouseMove") return &typeid(void(int, int));
    if (e == "DropObject") return &typeid(void(DragItem&));
    return nullptr;
}

}  // namespace fw
