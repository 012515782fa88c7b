#pragma once
// Drawing on a canvas or a picture, in exact pixels: no antialiasing, lines
// include both ends, rectangles cover exactly width x height pixels.
#include <memory>

#include "fw/core/String.h"
#include "fw/gui/Color.h"
#include "fw/gui/Picture.h"

namespace fw {

class Graphics {
public:
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    int Width() const;
    int Height() const;

    Color ForeColor() const;
    void ForeColor(Color c);
    int PenWidth() const;
    void PenWidth(int w);  // values below 1 count as 1
    int PenHeight() const;
    void PenHeight(int h);
    String TextFont() const;
    void TextFont(const String& font);  // "System" or "": the system font
    double TextSize() const;
    void TextSize(double points);  // 0: the default size
    bool Bold() const;
    void Bold(bool b);
    bool Italic() const;
    void Italic(bool b);
    // Accepted for compatibility; drawing is always aliased.
    bool UseOldRenderer() const;
    void UseOldRenderer(bool b);

    // The pen (PenWidth x PenHeight, top-left at the point) moves from
    // (x1, y1) to (x2, y2); both ends are drawn, equal ends give one dot.
    void DrawLine(int x1, int y1, int x2, int y2);
    // Outline inside the w x h box, PenWidth thick at the sides and
    // PenHeight at top and bottom. Nothing for w or h below 1.
    void DrawRect(int x, int y, int w, int h);
    void FillRect(int x, int y, int w, int h);
    // Back to the background: transparent on pictures, the window colour on
    // canvases.
    void ClearRect(int x, int y, int w, int h);
    void Pixel(int x, int y, Color c);
    Color Pixel(int x, int y) const;
    // y is the baseline; wrapWidth > 0 wraps lines at that width.
    void DrawString(const String& text, int x, int y, int wrapWidth = 0);
    double StringWidth(const String& text) const;
    void DrawPicture(const Picture& pic, int x, int y);
    void DrawPicture(const Picture& pic, int x, int y, int w, int h, int srcX, int srcY, int srcW, int srcH);

    struct Impl;
    explicit Graphics(std::unique_ptr<Impl> impl);
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace fw
