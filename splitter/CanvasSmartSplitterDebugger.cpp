#include "splitter/CanvasSmartSplitterDebugger.h"

#include <algorithm>

#include "fw/core/Numbers.h"
#include "fw/gui/Color.h"
#include "fw/gui/Desktop.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/Screen.h"
#include "fw/gui/Window.h"
#include "splitter/SmartSplitter.h"

namespace {

const fw::Color kControlColor = fw::RGB(200, 0, 0);
const fw::Color kSplitterColor = fw::RGB(0, 150, 0);
const fw::Color kOffsetColor = fw::RGB(0, 0, 150);

}  // namespace

CanvasSmartSplitterDebugger::CanvasSmartSplitterDebugger() {
    On("Open", this, &CanvasSmartSplitterDebugger::Event_Open);
    On("Paint", this, &CanvasSmartSplitterDebugger::Event_Paint);
}

CanvasSmartSplitterDebugger::~CanvasSmartSplitterDebugger() { p = nullptr; }

fw::Graphics& CanvasSmartSplitterDebugger::pg() {
    if (!p) throw fw::NilObjectException("CanvasSmartSplitterDebugger has no picture");
    fw::Graphics& g = p->Graphics();
    g.UseOldRenderer(true);
    return g;
}

fw::PicturePtr CanvasSmartSplitterDebugger::newPicture(int width, int height, int depth) {
    return fw::NewPicture(width, height, depth);
}

void CanvasSmartSplitterDebugger::Event_Open() {
    LockLeft(true);
    LockTop(true);
    LockRight(true);
    LockBottom(true);
    fw::Window* w = Window();
    if (!w) throw fw::NilObjectException("CanvasSmartSplitterDebugger is not in a window");
    Left(0);
    Top(0);
    Width(w->Width());
    Height(w->Height());
    boxHeight = 11;
}

void CanvasSmartSplitterDebugger::Event_Paint(fw::Graphics& g) {
    const int w = maxXdrawn - minXdrawn;
    const int h = maxYdrawn - minYdrawn;
    if (debug && p && w > 0 && h > 0) g.DrawPicture(*p, minXdrawn, minYdrawn, w, h, minXdrawn, minYdrawn, w, h);
    if (Width() != lastWidth || Height() != lastHeight) clearP();
    lastWidth = Width();
    lastHeight = Height();
}

bool CanvasSmartSplitterDebugger::createP() {
    if (debug && !p) {
        const fw::ScreenInfo screen = fw::Screen(0);
        p = newPicture(screen.Width(), screen.Height(), screen.Depth());
        if (!p) {
            if (!alreadyWarned) {
                alreadyWarned = true;
                fw::MsgBox("CanvasSmartSplitterDebugger can not be initialized.   Not enough available memory.");
            }
        } else {
            p->Transparent(1);
            fw::Graphics& g = p->Graphics();
            g.PenWidth(2);
            g.PenHeight(2);
            g.TextFont("Geneva");
            g.TextSize(9);
            g.Bold(true);
            g.UseOldRenderer(true);
        }
    }
    return !p;
}

void CanvasSmartSplitterDebugger::clearP() {
    if (createP()) return;
    pg().ClearRect(0, 0, Width(), Height());
    minXdrawn = Width();
    minYdrawn = Height();
    maxXdrawn = 0;
    maxYdrawn = 0;
}

void CanvasSmartSplitterDebugger::drawRect(int x, int y, int width, int height) {
    pg().DrawRect(x, y, width, height);
    minXdrawn = std::min(minXdrawn, x);
    minYdrawn = std::min(minYdrawn, y);
    maxXdrawn = std::max(maxXdrawn, x + width);
    maxYdrawn = std::max(maxYdrawn, y + height);
}

void CanvasSmartSplitterDebugger::drawLine(int x1, int y1, int x2, int y2) { pg().DrawLine(x1, y1, x2, y2); }

void CanvasSmartSplitterDebugger::drawBox(fw::RectControl* control) {
    if (!control) throw fw::NilObjectException("drawBox without a control");
    drawRect(control->Left(), control->Top(), control->Width(), control->Height());
    if (!control->Visible()) drawX(control);
}

void CanvasSmartSplitterDebugger::drawX(fw::RectControl* control) {
    if (!control) throw fw::NilObjectException("drawX without a control");
    pg();
    const int L = control->Left(), T = control->Top(), W = control->Width(), H = control->Height();
    // Inset by the 2-pixel pen so the cross stays inside the box.
    drawLine(L, T, L + W - 2, T + H - 2);
    drawLine(L, T + H - 2, L + W - 2, T);
}

void CanvasSmartSplitterDebugger::drawBoxedString(const fw::String& text, int x, int y, int alignment) {
    fw::Graphics& g = pg();
    const int w = fw::ToInt32(g.StringWidth(text) + 2);
    int left = x;
    if (alignment == 1) left = fw::ToInt32(x - w / 2.0);
    else if (alignment == 2) left = x - w;
    g.FillRect(left, y, w, boxHeight);
    const fw::Color saved = g.ForeColor();
    g.ForeColor(fw::HSV(0, 0, 0.94));
    g.DrawString(text, left + 1, y + 9, 0);
    g.ForeColor(saved);
}

void CanvasSmartSplitterDebugger::markControl(fw::RectControl* control) {
    if (!p || !control) return;
    pg().ForeColor(kControlColor);
    drawBox(control);
}

void CanvasSmartSplitterDebugger::markSplitter(SmartSplitter* splitter, int minLimit, int maxLimit, bool vertical) {
    if (!p || !splitter) return;
    fw::Graphics& g = pg();
    g.ForeColor(kSplitterColor);
    drawBox(splitter);

    const int L = splitter->Left(), T = splitter->Top(), W = splitter->Width(), H = splitter->Height();
    const int a = minLimit, b = maxLimit;
    const int oMin = splitter->MinLimitOffset, oMax = splitter->MaxLimitOffset;
    const int bh = boxHeight;
    const fw::String minOffsetLabel = "minLOffset=" + fw::Str(oMin);
    const fw::String maxOffsetLabel = "maxLOffset=" + fw::Str(oMax);
    const fw::String minLabel = "minLimit=" + fw::Str(a);
    const fw::String maxLabel = "maxLimit=" + fw::Str(b);

    g.ForeColor(kOffsetColor);
    if (!vertical) {
        drawLine(L, a + oMin, L + W - 2, a + oMin);
        drawBoxedString(minOffsetLabel, fw::ToInt32(L + W / 2.0), a + oMin, 1);
        drawLine(L, b - oMax, L + W - 2, b - oMax);
        drawBoxedString(maxOffsetLabel, fw::ToInt32(L + W / 2.0), b - oMax - bh + 2, 1);
    } else {
        drawLine(a + oMin, T, a + oMin, T + H - 2);
        drawBoxedString(minOffsetLabel, a + oMin, fw::ToInt32(T + H / 2.0 - bh), 0);
        drawLine(b - oMax, T, b - oMax, T + H - 2);
        drawBoxedString(maxOffsetLabel, b - oMax, fw::ToInt32(T + H / 2.0), 2);
    }

    g.ForeColor(kSplitterColor);
    if (!vertical) {
        drawRect(L, a, W, b - a);
        drawLine(L + 20, a, L + W - 22, b - 2);
        drawBoxedString(minLabel, L, a, 0);
        drawBoxedString(maxLabel, L + W, b - bh, 2);
    } else {
        drawRect(a, T, b - a, H);
        drawLine(a + 20, T, b - 22, T + H - 2);
        drawBoxedString(minLabel, a, T, 0);
        drawBoxedString(maxLabel, b, T + H - bh, 2);
    }
}
