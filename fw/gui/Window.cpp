#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QHideEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>

#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace gui_detail {

static void bringToFront(QWidget* frame) {
    // The headless platform has no stacking and says so on every raise.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) frame->raise();
    frame->activateWindow();
}

class ClientWidget : public QWidget {
public:
    ClientWidget(Window::Impl* w, QWidget* parent) : QWidget(parent), win_(w) {}

protected:
    void dragEnterEvent(QDragEnterEvent* e) override { decide(e); }
    void dragMoveEvent(QDragMoveEvent* e) override { decide(e); }
    void dropEvent(QDropEvent* e) override { deliverDrop(*win_->self, win_->dropTypes, e); }

private:
    void decide(QDropEvent* e) {
        if (acceptsFiles(win_->dropTypes, e->mimeData())) e->acceptProposedAction();
        else e->ignore();
    }
    Window::Impl* win_;
};

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(Window::Impl* w) : QWidget(nullptr), win_(w) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        // Return presses the default button, Escape the cancel button.
        bool ret = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        bool esc = e->key() == Qt::Key_Escape;
        if ((ret || esc) && e->modifiers() == Qt::NoModifier) {
            for (auto& c : win_->controls) {
                auto* b = dynamic_cast<PushButton*>(c.get());
                if (b && (ret ? b->Default() : b->Cancel()) && b->impl().widget->isVisible() &&
                    b->impl().widget->isEnabled()) {
                    b->Push();
                    return;
                }
            }
        }
        QWidget::keyPressEvent(e);
    }
    void hideEvent(QHideEvent* e) override {
        QWidget::hideEvent(e);
        // A minimized window is hidden by the system and still shown to the user.
        if (!e->spontaneous()) win_->endModal();
    }
    void closeEvent(QCloseEvent* e) override {
        // Our Close hides the window; Qt never closes it by itself.
        e->ignore();
        win_->userClosed();
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        int mh = win_->menuHeight();
        if (win_->qbar) win_->qbar->setGeometry(0, 0, width(), mh);
        win_->client->setGeometry(0, mh, width(), std::max(0, height() - mh));
        if (win_->syncing) return;
        int w = width(), h = height() - mh;
        if (w != win_->width || h != win_->height) Dispatch([&] { win_->clientResized(w, h, true); });
    }
    void moveEvent(QMoveEvent* e) override {
        QWidget::moveEvent(e);
        if (win_->syncing || !isVisible()) return;
        win_->left = geometry().x();
        win_->top = geometry().y() + win_->menuHeight();
    }
    void changeEvent(QEvent* e) override {
        QWidget::changeEvent(e);
        if (e->type() == QEvent::ActivationChange) {
            if (isActiveWindow()) win_->activation = ++state().activationSeq;
            // Controls that draw themselves draw the active state afresh.
            for (auto& c : win_->controls) c->impl().invalidate();
            Window* self = win_->self;
            bool active = isActiveWindow();
            Dispatch([&] { self->Fire<void()>(active ? "Activate" : "Deactivate"); });
        } else if (e->type() == QEvent::WindowStateChange && !win_->syncing) {
            Qt::WindowStates s = windowState();
            int st = (s & Qt::WindowMinimized)   ? Window::StateMinimized
                     : (s & Qt::WindowMaximized) ? Window::StateMaximized
                                                 : Window::StateNormal;
            if (st == win_->sizeState) return;
            Window* self = win_->self;
            if (st == Window::StateMaximized) self->Maximize();
            else if (st == Window::StateMinimized) self->Minimize();
            else self->Restore();
        }
    }

private:
    Window::Impl* win_;
};

}  // namespace gui_detail

QWidget* Window::Impl::frameWidget() const { return frame.data(); }
QWidget* Window::Impl::clientWidget() const { return client; }

int Window::Impl::menuHeight() const { return qbar ? qbar->sizeHint().height() : 0; }

void Window::Impl::applySizeLimits() {
    int mh = menuHeight();
    if (resizeable) {
        frame->setMinimumSize(std::max(0, minWidth), std::max(0, minHeight) + mh);
        frame->setMaximumSize(std::min(QWIDGETSIZE_MAX, std::max(1, maxWidth)),
                              std::min(QWIDGETSIZE_MAX, std::max(1, maxHeight) + mh));
    } else {
        frame->setFixedSize(std::max(0, width), std::max(0, height) + mh);
    }
}

void Window::Impl::layoutFrame() {
    syncing = true;
    int mh = menuHeight();
    applySizeLimits();
    frame->setGeometry(left, top - mh, std::max(0, width), std::max(0, height) + mh);
    if (qbar) qbar->setGeometry(0, 0, std::max(0, width), mh);
    client->setGeometry(0, mh, std::max(0, width), std::max(0, height));
    syncing = false;
}

void Window::Impl::clientResized(int w, int h, bool raise) {
    int dw = w - width, dh = h - height;
    width = w;
    height = h;
    if (dw || dh)
        for (auto& c : controls)
            if (!c->impl().parent) applyLocks(*c, dw, dh);
    // Never before the controls have opened: handlers lay them out.
    if (raise && (dw || dh) && opened) self->Fire<void()>("Resized");
}

void Window::Impl::setSizeState(int s, bool raise) {
    if (sizeState == Window::StateNormal && s != Window::StateNormal) {
        normal[0] = left;
        normal[1] = top;
        normal[2] = width;
        normal[3] = height;
    }
    sizeState = s;
    if (raise)
        self->Fire<void()>(s == Window::StateMaximized   ? "Maximize"
                           : s == Window::StateMinimized ? "Minimize"
                                                         : "Restore");
}

bool Window::Impl::changeSizeState(int s, void (QWidget::*show)()) {
    if (sizeState == s) return false;
    Dispatch([this, s] { setSizeState(s, true); });
    if (frame->isVisible()) {
        syncing = true;
        (frame.data()->*show)();
        syncing = false;
    }
    return true;
}

void Window::Impl::showFrame() {
    layoutFrame();
    syncing = true;
    if (sizeState == Window::StateMaximized) frame->showMaximized();
    else if (sizeState == Window::StateMinimized) frame->showMinimized();
    else frame->show();
    syncing = false;
    activation = ++state().activationSeq;
    bringToFront(frame);
}

void Window::Impl::userClosed() {
    Window* w = self;
    // While a handler runs, a close request waits for it to return.
    WhenIdle([w] {
        for (auto& p : state().windows)
            if (p.get() == w) return w->Close();
    });
}

void Window::Impl::endModal() {
    if (modalLoop) modalLoop->quit();
}

Window::Window() : impl_(std::make_unique<Impl>()) {
    impl_->self = this;
    impl_->frame = new FrameWidget(impl_.get());
    impl_->client = new ClientWidget(impl_.get(), impl_->frame);
    impl_->frame->setAttribute(Qt::WA_DeleteOnClose, false);
    impl_->layoutFrame();
}

Window::~Window() {
    impl_->controls.clear();
    if (impl_->menuBar && impl_->qbar) impl_->menuBar->impl().detach(impl_->qbar);
    delete impl_->frame.data();
}

String Window::Title() const { return impl_->title; }
void Window::Title(const String& t) {
    impl_->title = t;
    impl_->frame->setWindowTitle(gui_detail::toQ(t));
}
String Window::BalloonHelp() const { return impl_->balloonHelp; }
void Window::BalloonHelp(const String& h) {
    impl_->balloonHelp = h;
    impl_->client->setToolTip(gui_detail::toQ(h));
}

int Window::Left() const { return impl_->left; }
int Window::Top() const { return impl_->top; }
int Window::Width() const { return impl_->width; }
int Window::Height() const { return impl_->height; }
void Window::Left(int v) { SetBounds(v, impl_->top, impl_->width, impl_->height); }
void Window::Top(int v) { SetBounds(impl_->left, v, impl_->width, impl_->height); }
void Window::Width(int v) { SetBounds(impl_->left, impl_->top, v, impl_->height); }
void Window::Height(int v) { SetBounds(impl_->left, impl_->top, impl_->width, v); }
void Window::SetBounds(int l, int t, int w, int h) {
    w = std::clamp(w, std::min(impl_->minWidth, impl_->maxWidth), impl_->maxWidth);
    h = std::clamp(h, std::min(impl_->minHeight, impl_->maxHeight), impl_->maxHeight);
    impl_->left = l;
    impl_->top = t;
    impl_->clientResized(w, h, true);
    impl_->layoutFrame();
}

Window::Margins Window::FrameMargins() const {
    auto shownFrame = [](QWidget* f) {
        QWindow* h = f && f->isVisible() ? f->windowHandle() : nullptr;
        return h ? h->frameMargins() : QMargins();
    };
    QMargins m;
    if (impl_->frameKind != PlainBox) {
        m = shownFrame(impl_->frame);
        for (size_t i = 0; m.isNull() && i < state().windows.size(); ++i)
            if (state().windows[i]->Frame() != PlainBox) m = shownFrame(state().windows[i]->impl().frame);
        if (m.isNull()) m = QMargins(6, 30, 6, 6);
    }
    return {m.left(), m.top() + impl_->menuHeight(), m.right(), m.bottom()};
}

int Window::MinWidth() const { return impl_->minWidth; }
int Window::MinHeight() const { return impl_->minHeight; }
int Window::MaxWidth() const { return impl_->maxWidth; }
int Window::MaxHeight() const { return impl_->maxHeight; }
void Window::MinWidth(int v) {
    impl_->minWidth = v;
    impl_->applySizeLimits();
}
void Window::MinHeight(int v) {
    impl_->minHeight = v;
    impl_->applySizeLimits();
}
void Window::MaxWidth(int v) {
    impl_->maxWidth = v;
    impl_->applySizeLimits();
}
void Window::MaxHeight(int v) {
    impl_->maxHeight = v;
    impl_->applySizeLimits();
}
bool Window::Resizeable() const { return impl_->resizeable; }
void Window::Resizeable(bool b) {
    impl_->resizeable = b;
    impl_->frame->setMinimumSize(0, 0);
    impl_->frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    impl_->applySizeLimits();
}
int Window::Frame() const { return impl_->frameKind; }
void Window::Frame(int kind) {
    impl_->frameKind = kind;
    Qt::WindowFlags f = Qt::Window;
    if (kind == MovableModal || kind == ModalDialog) f = Qt::Dialog;
    else if (kind == FloatingWindow) f = Qt::Tool;
    else if (kind == PlainBox) f = Qt::Window | Qt::FramelessWindowHint;
    bool shown = impl_->frame->isVisible();
    impl_->frame->setWindowFlags(f);
    if (shown) impl_->frame->show();
}
bool Window::HasBackColor() const { return impl_->hasBackColor; }
void Window::HasBackColor(bool b) {
    impl_->hasBackColor = b;
    impl_->client->setAutoFillBackground(b);
    BackColor(impl_->backColor);
}
Color Window::BackColor() const { return impl_->backColor; }
void Window::BackColor(Color c) {
    impl_->backColor = c;
    if (!impl_->hasBackColor) return;
    QPalette p = impl_->client->palette();
    p.setColor(QPalette::Window, gui_detail::toQColor(c));
    impl_->client->setPalette(p);
}

bool Window::Visible() const { return impl_->visible; }
void Window::Visible(bool b) {
    impl_->visible = b;
    if (!impl_->opened || impl_->closed) return;
    if (b) impl_->showFrame();
    else impl_->frame->hide();
}
void Window::Show() {
    if (impl_->closed) return;
    if (!impl_->opened && state().started) openWindow(*this);
    Visible(true);
}

void Window::ShowModal() {
    auto& d = *impl_;
    if (d.closed) return;
    if (!d.opened) openWindow(*this);
    if (d.closed) return;
    recordModal(d.title);
    d.frame->setWindowModality(Qt::ApplicationModal);
    Show();
    if (!d.closed && d.frame->isVisible()) {
        QEventLoop loop;
        QEventLoop* outer = std::exchange(d.modalLoop, &loop);
        // The window outlives its own close until this call returns.
        ++d.modalDepth;
        answerModal(*this);
        {
            ModalScope scope;
            loop.exec();
        }
        --d.modalDepth;
        d.modalLoop = outer;
    }
    if (d.closed) freeClosedWindowsLater();
    else d.frame->setWindowModality(Qt::NonModal);
}

void Window::Close() {
    auto& d = *impl_;
    if (d.closing || d.closed) return;
    d.closing = true;
    auto& st = state();
    ++st.closeHandlerDepth;
    if (d.opened) {
        Dispatch([this] { Fire<void()>("Close"); });
        for (auto& c : d.controls) {
            RectControl* ctl = c.get();
            if (ctl->impl().opened && !ctl->impl().closed) {
                ctl->impl().closed = true;
                Dispatch([ctl] { ctl->Fire<void()>("Close"); });
            }
        }
    }
    --st.closeHandlerDepth;
    d.closed = true;
    d.syncing = true;
    d.frame->hide();
    d.syncing = false;
    d.endModal();
    for (auto it = st.implicit.begin(); it != st.implicit.end();)
        it = it->second == this ? st.implicit.erase(it) : std::next(it);
    for (auto it = st.windows.begin(); it != st.windows.end(); ++it)
        if (it->get() == this) {
            st.graveyard.push_back(std::move(*it));
            st.windows.erase(it);
            break;
        }
    freeClosedWindowsLater();
}

bool Window::IsClosed() const { return impl_->closed; }
bool Window::IsOpen() const { return impl_->opened && !impl_->closed; }

void Window::Maximize() { impl_->changeSizeState(StateMaximized, &QWidget::showMaximized); }
void Window::Minimize() { impl_->changeSizeState(StateMinimized, &QWidget::showMinimized); }
void Window::Restore() {
    if (!impl_->changeSizeState(StateNormal, &QWidget::showNormal)) return;
    // Back to the bounds the window had before, whatever Qt did meanwhile.
    const int* n = impl_->normal;
    if (n[2] > 0 && n[3] > 0) SetBounds(n[0], n[1], n[2], n[3]);
}
int Window::SizeState() const { return impl_->sizeState; }

MenuBarPtr Window::MenuBar() const { return impl_->menuBar; }
void Window::MenuBar(MenuBarPtr bar) {
    auto& d = *impl_;
    if (d.menuBar && d.qbar) d.menuBar->impl().detach(d.qbar);
    d.menuBar = std::move(bar);
    if (d.menuBar) {
        if (!d.qbar) {
            d.qbar = new QMenuBar(d.frame);
            d.qbar->setNativeMenuBar(false);
        }
        d.menuBar->impl().attach(d.qbar);
        d.qbar->show();
    } else if (d.qbar) {
        delete d.qbar.data();
    }
    d.layoutFrame();
}

int Window::ControlCount() const { return int(impl_->controls.size()); }
RectControl* Window::Control(int i) const {
    return i >= 0 && i < ControlCount() ? impl_->controls[size_t(i)].get() : nullptr;
}
RectControl* Window::FindControl(const String& name) const {
    for (auto& c : impl_->controls)
        if (c->impl().name == name) return c.get();
    return nullptr;
}

void Window::AddControls(std::initializer_list<ControlRow> table) {
    for (const ControlRow& s : table) AddControl(s);
}

RectControl& Window::AddControl(const ControlRow& row) {
    RectControl* parent = nullptr;
    if (!row.parent.empty()) {
        parent = FindControl(row.parent);
        if (!parent) throw NilObjectException("no parent control " + row.parent.utf8() + " for " + row.name.utf8());
    }
    impl_->controls.push_back(row.make());
    RectControl& c = *impl_->controls.back();
    auto& d = c.impl();
    d.name = row.name;
    d.window = this;
    d.parent = parent;
    if (parent) parent->impl().children.push_back(&c);
    d.locks = row.locks;
    d.left = row.left;
    d.top = row.top;
    d.width = row.width;
    d.height = row.height;
    d.widget->setParent(impl_->client);
    d.applyGeometry();
    d.widget->raise();
    if (row.setUp) row.setUp(c);
    d.applyClip();
    d.applyVisibility();
    d.applyEnabled();
    d.styleChanged();
    if (impl_->opened && !d.opened) {
        d.opened = true;
        Dispatch([&c] { c.Fire<void()>("Open"); });
    }
    return c;
}

void Window::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
    for (auto& [name, h] : impl_->menuHandlers)
        if (name == itemName) {
            h = std::move(handler);
            return;
        }
    impl_->menuHandlers.emplace_back(itemName, std::move(handler));
}
bool Window::HasMenuHandler(const String& itemName) const {
    for (auto& [name, h] : impl_->menuHandlers)
        if (name == itemName) return true;
    return false;
}
bool Window::HandleMenu(const String& itemName) { return runMenuHandler(impl_->menuHandlers, itemName); }

void Window::Refresh(bool) {
    impl_->client->update();
    for (auto& c : impl_->controls) c->Refresh(true);
}
void Window::AcceptFileDrop(const String& type) {
    impl_->dropTypes.push_back(type);
    impl_->client->setAcceptDrops(true);
}
bool Window::Active() const { return impl_->frame->isVisible() && FrontWindow() == this; }
void Window::Activate() {
    impl_->activation = ++state().activationSeq;
    bringToFront(impl_->frame);
}

const std::type_info* Window::EventSignature(std::string_view e) const {
    if (e == "Open" || e == "Close" || e == "Restore" || e == "Minimize" || e == "Maximize" || e == "Resized" ||
        e == "Activate" || e == "Deactivate")
        return &typeid(void());
    if (e == "DropObject") return &typeid(void(DragItem&));
    return nullptr;
}

std::vector<Window*> OpenWindows() {
    std::vector<Window*> out;
    for (auto& w : state().windows)
        if (!w->IsClosed()) out.push_back(w.get());
    std::stable_sort(out.begin(), out.end(), [](Window* a, Window* b) {
        bool va = a->impl().frame->isVisible(), vb = b->impl().frame->isVisible();
        if (va != vb) return va;
        return a->impl().activation > b->impl().activation;
    });
    return out;
}

Window* FrontWindow() {
    auto all = OpenWindows();
    if (all.empty() || !all.front()->impl().frame->isVisible()) return nullptr;
    return all.front();
}

namespace detail {
Window* FindImplicit(std::type_index type) {
    auto& st = state();
    auto it = st.implicit.find(type);
    return it != st.implicit.end() && !it->second->IsClosed() ? it->second : nullptr;
}
void AdoptWindow(std::unique_ptr<Window> w, std::type_index type) {
    auto& st = state();
    Window* raw = w.get();
    st.windows.push_back(std::move(w));
    st.implicit[type] = raw;
    if (st.started) openWindow(*raw);
}
}  // namespace detail

namespace gui_detail {
void openWindow(Window& w) {
    auto& d = w.impl();
    if (d.opened || d.closed) return;
    d.opened = true;
    for (auto& c : d.controls) {
        RectControl* ctl = c.get();
        if (ctl->impl().opened) continue;
        ctl->impl().opened = true;
        Dispatch([ctl] { ctl->Fire<void()>("Open"); });
    }
    Dispatch([&w] { w.Fire<void()>("Open"); });
    if (d.visible && !d.closed) d.showFrame();
}
}  // namespace gui_detail

}  // namespace fw
