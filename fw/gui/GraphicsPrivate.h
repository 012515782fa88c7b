#pragma once
// Inside the GUI layer only: what a Graphics draws on.
#include <QColor>
#include <QFont>
#include <QImage>

#include "fw/gui/Graphics.h"

namespace fw {

struct Graphics::Impl {
    explicit Impl(QImage* img, QColor bg) : target(img), background(bg) {}
    QImage* target;     // owned by the picture or the canvas
    QColor background;  // what ClearRect leaves
    Color fore;
    int penWidth = 1, penHeight = 1;
    String font = "System";
    double size = 0;
    bool bold = false, italic = false, oldRenderer = false;

    QFont qfont() const;
    void fill(int x, int y, int w, int h, const QColor& c);
};

struct Picture::Impl {
    QImage image;
    int depth = 32;
    int transparent = 0;
    std::unique_ptr<fw::Graphics> graphics;
};

namespace gui_detail {
// A picture of these pixels.
inline PicturePtr pictureOf(QImage image) {
    auto impl = std::make_unique<Picture::Impl>();
    impl->image = std::move(image);
    return std::make_shared<Picture>(std::move(impl));
}
}  // namespace gui_detail

}  // namespace fw
