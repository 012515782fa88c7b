#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "fw/gui/GraphicsPrivate.h"
#include "fw/gui/GuiPrivate.h"

namespace fw {
using namespace gui_detail;

QFont Graphics::Impl::qfont() const { return fontFor(font, size, bold, italic, QApplication::font()); }

void Graphics::Impl::fill(int x, int y, int w, int h, const QColor& c) {
    QRect r = QRect(x, y, w, h).intersected(target->rect());
    if (r.isEmpty()) return;
    // Qt's painter fills large areas faster; small ones cost mostly its set-up.
    if (target->format() != QImage::Format_ARGB32 || r.width() * r.height() > 4096) {
        QPainter p(target);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(r, c);
        return;
    }
    const QRgb px = c.rgba();
    for (int row = r.top(); row <= r.bottom(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(target->scanLine(row)) + r.left();
        std::fill_n(line, r.width(), px);
    }
}

Graphics::Graphics(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Graphics::~Graphics() = default;

int Graphics::Width() const { return impl_->target->width(); }
int Graphics::Height() const { return impl_->target->height(); }

Color Graphics::ForeColor() const { return impl_->fore; }
void Graphics::ForeColor(Color c) { impl_->fore = c; }
int Graphics::PenWidth() const { return impl_->penWidth; }
void Graphics::PenWidth(int w) { impl_->penWidth = std::max(1, w); }
int Graphics::PenHeight() const { return impl_->penHeight; }
void Graphics::PenHeight(int h) { impl_->penHeight = std::max(1, h); }
String Graphics::TextFont() const { return impl_->font; }
void Graphics::TextFont(const String& f) { impl_->font = f; }
double Graphics::TextSize() const { return impl_->size; }
void Graphics::TextSize(double s) { impl_->size = s; }
bool Graphics::Bold() const { return impl_->bold; }
void Graphics::Bold(bool b) { impl_->bold = b; }
bool Graphics::Italic() const { return impl_->italic; }
void Graphics::Italic(bool b) { impl_->italic = b; }
bool Graphics::UseOldRenderer() const { return impl_->oldRenderer; }
void Graphics::UseOldRenderer(bool b) { impl_->oldRenderer = b; }

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
    // Bresenham, stamping the pen at every step: exact, both ends included.
    QColor c = toQColor(impl_->fore);
    int pw = impl_->penWidth, ph = impl_->penHeight;
    int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    if (dx == 0 || dy == 0) {  // straight lines in one fill
        impl_->fill(std::min(x1, x2), std::min(y1, y2), dx + pw, -dy + ph, c);
        return;
    }
    int err = dx + dy;
    QRgb px = c.rgba();
    QImage& img = *impl_->target;
    for (;;) {
        if (pw == 1 && ph == 1) {
            if (img.valid(x1, y1)) img.setPixel(x1, y1, px);
        } else {
            impl_->fill(x1, y1, pw, ph, c);
        }
        if (x1 == x2 && y1 == y2) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void Graphics::DrawRect(int x, int y, int w, int h) {
    if (w < 1 || h < 1) return;
    QColor c = toQColor(impl_->fore);
    int pw = std::min(impl_->penWidth, w), ph = std::min(impl_->penHeight, h);
    impl_->fill(x, y, w, ph, c);
    impl_->fill(x, y + h - ph, w, ph, c);
    impl_->fill(x, y, pw, h, c);
    impl_->fill(x + w - pw, y, pw, h, c);
}

void Graphics::FillRect(int x, int y, int w, int h) {
    if (w < 1 || h < 1) return;
    impl_->fill(x, y, w, h, toQColor(impl_->fore));
}

void Graphics::ClearRect(int x, int y, int w, int h) {
    if (w < 1 || h < 1) return;
    impl_->fill(x, y, w, h, impl_->background);
}

void Graphics::Pixel(int x, int y, Color c) {
    if (impl_->target->valid(x, y)) impl_->target->setPixel(x, y, toQColor(c).rgba());
}

Color Graphics::Pixel(int x, int y) const {
    if (!impl_->target->valid(x, y)) return Color{};
    QColor q = impl_->target->pixelColor(x, y);
    return RGB(q.red(), q.green(), q.blue());
}

void Graphics::DrawString(const String& text, int x, int y, int wrapWidth) {
    QPainter p(impl_->target);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(impl_->qfont());
    p.setPen(toQColor(impl_->fore));
    QString s = normalizeBreaks(toQ(text));
    QFontMetricsF fm(p.font());
    if (wrapWidth > 0) {
        QRectF r(x, y - fm.ascent(), wrapWidth, 1e6);
        p.drawText(r, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, s);
        return;
    }
    double line = 0;
    for (const QString& part : s.split('\n')) {
        p.drawText(QPointF(x, y + line), part);
        line += fm.lineSpacing();
    }
}

double Graphics::StringWidth(const String& text) const {
    QFontMetricsF fm(impl_->qfont());
    double w = 0;
    for (const QString& part : normalizeBreaks(toQ(text)).split('\n')) w = std::max(w, fm.horizontalAdvance(part));
    return w;
}

static QImage drawable(const Picture& pic) {
    const QImage& src = pic.impl().image;
    if (pic.impl().transparent != 1) return src;
    QImage img = src.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] & 0xFFFFFF) == 0xFFFFFF) row[x] = 0;
    }
    return img;
}

void Graphics::DrawPicture(const Picture& pic, int x, int y) {
    DrawPicture(pic, x, y, pic.Width(), pic.Height(), 0, 0, pic.Width(), pic.Height());
}

void Graphics::DrawPicture(const Picture& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
    if (w < 1 || h < 1 || sw < 1 || sh < 1) return;
    QPainter p(impl_->target);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.drawImage(QRect(x, y, w, h), drawable(pic), QRect(sx, sy, sw, sh));
}

}  // namespace fw
