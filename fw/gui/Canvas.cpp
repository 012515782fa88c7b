#include <QPaintEvent>
#include <QPainter>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/WindowPrivate.h"

namespace fw {
using namespace gui_detail;

namespace {

struct CanvasImpl;

class CanvasWidget : public QWidget {
public:
    explicit CanvasWidget(CanvasImpl* d) : d_(d) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    CanvasImpl* d_;
};

struct CanvasImpl : RectControl::Impl {
    QImage image;
    std::unique_ptr<fw::Graphics> persistent;
    fw::Graphics* painting = nullptr;
    bool dirty = true, erase = true, focusRing = true;
    PicturePtr backdrop;

    QWidget* makeWidget() override {
        auto* w = new CanvasWidget(this);
        w->setFocusPolicy(Qt::NoFocus);
        return w;
    }
    void invalidate() override {
        dirty = true;
        if (widget) widget->update();
    }
    QColor background() const { return widget ? widget->palette().color(QPalette::Window) : QColor(Qt::white); }
    void ensureImage() {
        QSize sz(std::max(1, width), std::max(1, height));
        if (image.size() != sz) {
            image = QImage(sz, QImage::Format_ARGB32);
            image.fill(background());
            dirty = true;
        }
    }
    // Runs the Paint event into the canvas's pixels.
    void render() {
        ensureImage();
        if (erase) image.fill(background());
        if (backdrop) {
            QPainter p(&image);
            p.drawImage(0, 0, backdrop->impl().image);
        }
        dirty = false;
        fw::Graphics g(std::make_unique<fw::Graphics::Impl>(&image, background()));
        painting = &g;
        ++PaintDepth();
        RectControl* s = self;
        Dispatch([&] { s->Fire<void(fw::Graphics&)>("Paint", g); });
        --PaintDepth();
        painting = nullptr;
    }
};

void CanvasWidget::paintEvent(QPaintEvent*) {
    if (d_->dirty || d_->image.size() != QSize(std::max(1, width()), std::max(1, height()))) d_->render();
    QPainter p(this);
    p.drawImage(0, 0, d_->image);
}

void CanvasWidget::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    d_->dirty = true;
}

CanvasImpl& C(const Canvas* c) { return static_cast<CanvasImpl&>(c->impl()); }

}  // namespace

Canvas::Canvas() : RectControl(std::make_unique<CanvasImpl>()) {}

fw::Graphics& Canvas::Graphics() {
    auto& d = C(this);
    if (d.painting) return *d.painting;
    d.ensureImage();
    if (!d.persistent)
        d.persistent = std::make_unique<fw::Graphics>(std::make_unique<fw::Graphics::Impl>(&d.image, d.background()));
    if (d.widget) d.widget->update();
    return *d.persistent;
}

bool Canvas::UseFocusRing() const { return C(this).focusRing; }
void Canvas::UseFocusRing(bool b) { C(this).focusRing = b; }
bool Canvas::AcceptFocus() const { return impl().widget->focusPolicy() != Qt::NoFocus; }
void Canvas::AcceptFocus(bool b) { impl().widget->setFocusPolicy(b ? Qt::StrongFocus : Qt::NoFocus); }
bool Canvas::EraseBackground() const { return C(this).erase; }
void Canvas::EraseBackground(bool b) { C(this).erase = b; }
PicturePtr Canvas::Backdrop() const { return C(this).backdrop; }
void Canvas::Backdrop(PicturePtr pic) {
    C(this).backdrop = std::move(pic);
    Refresh(true);
}

PicturePtr Canvas::Snapshot() {
    auto& d = C(this);
    if (d.dirty || d.image.isNull()) d.render();
    return pictureOf(d.image.copy());
}

const std::type_info* Canvas::EventSignature(std::string_view e) const {
    if (e == "Paint") return &typeid(void(fw::Graphics&));
    if (e == "MouseDown") return &typeid(bool(int, int));
    if (e == "MouseDrag" || e == "MouseUp") return &typeid(void(int, int));
    return RectControl::EventSignature(e);
}

}  // namespace fw
