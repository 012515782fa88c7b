// The bounds methods of the services object.
#include "applib/VellBounds.h"

#include <algorithm>
#include <optional>

#include "applib/VellClass.h"
#include "fw/core/Numbers.h"
#include "fw/gui/RectControl.h"
#include "fw/gui/Screen.h"
#include "fw/gui/Window.h"

namespace {

// The length [a0, a1) and [b0, b1) share; zero or less when they are apart.
int64_t overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) { return std::min(a1, b1) - std::max(a0, b0); }

}  // namespace

namespace VellBounds {

fw::String Format(int left, int top, int width, int height) {
    return fw::Str(left) + "," + fw::Str(top) + "," + fw::Str(width) + "," + fw::Str(height);
}

bool TitleStripOnScreen(int left, int top, int width) {
    // 64-bit: saved coordinates may sit near the ends of the int range.
    const int64_t x0 = left, x1 = int64_t(left) + std::max(width, 1);
    const int64_t y0 = int64_t(top) - TitleStripHeight, y1 = top;
    const int64_t needW = std::min<int64_t>(MinGrabWidth, x1 - x0);
    for (int i = 0; i < fw::ScreenCount(); ++i) {
        fw::ScreenInfo s = fw::Screen(i);
        const int64_t w = overlap(x0, x1, s.Left(), int64_t(s.Left()) + s.Width());
        const int64_t h = overlap(y0, y1, s.Top(), int64_t(s.Top()) + s.Height());
        if (w >= needW && h >= MinGrabHeight) return true;
    }
    return false;
}

}  // namespace VellBounds

namespace {

struct Fields {
    fw::String f[4];
};

Fields fieldsOf(const fw::String& s) {
    Fields r;
    for (int n = 0; n < 4; ++n) r.f[n] = fw::NthField(s, ",", n + 1);
    return r;
}

// Both windows and controls keep their place under name + ".Pos", as
// "left,top,width,height".
template <class Rect>
void savePos(VellSettings& settings, const Rect& r, const fw::String& name) {
    settings.Set(name + ".Pos", VellBounds::Format(r.Left(), r.Top(), r.Width(), r.Height()));
}

std::optional<Fields> storedPos(const VellSettings& settings, const fw::String& name) {
    const fw::String stored = settings.Get(name + ".Pos", fw::String()).StringValue();
    if (stored.empty()) return std::nullopt;
    return fieldsOf(stored);
}

// The screen that a window with these outer bounds (frame included) shows
// on: the one holding its top-left corner, else the one holding most of
// it, else the main screen.
fw::ScreenInfo screenFor(int left, int top, int width, int height) {
    const int64_t x0 = left, y0 = top, x1 = x0 + std::max(width, 1), y1 = y0 + std::max(height, 1);
    int best = 0;
    int64_t bestArea = 0;
    for (int i = 0; i < fw::ScreenCount(); ++i) {
        const fw::ScreenInfo s = fw::Screen(i);
        const int64_t sx0 = s.Left(), sy0 = s.Top(), sx1 = sx0 + s.Width(), sy1 = sy0 + s.Height();
        if (sx0 <= x0 && x0 < sx1 && sy0 <= y0 && y0 < sy1) return s;
        const int64_t w = overlap(x0, x1, sx0, sx1), h = overlap(y0, y1, sy0, sy1);
        if (w > 0 && h > 0 && w * h > bestArea) {
            bestArea = w * h;
            best = i;
        }
    }
    return fw::Screen(best);
}

// A stored size only ever enlarges a resizable window, and stays within
// the window's limits.
int grownSize(const fw::String& field, int current, int minimum, int maximum) {
    const double v = fw::Val(field);
    if (!(v > current)) return current;
    const int32_t want = fw::ToInt32(v);
    return std::clamp(want, std::min(minimum, maximum), std::max(minimum, maximum));
}

// The start of an extent kept within [lo, hi), or lo when it can't fit.
int fitInto(int start, int extent, int lo, int hi) {
    return int(std::max<int64_t>(lo, std::min<int64_t>(start, int64_t(hi) - extent)));
}

}  // namespace

void VellClass::SaveWinPos(fw::Window& window, const fw::String& name) { savePos(*UserSettings, window, name); }

void VellClass::LoadWinPos(fw::Window& window, const fw::String& name) {
    const std::optional<Fields> pos = storedPos(*UserSettings, name);
    if (!pos) return;
    const Fields& f = *pos;
    using fw::ToInt32;
    int left = window.Left(), top = window.Top(), width = window.Width(), height = window.Height();
    if (!f.f[0].empty()) left = ToInt32(fw::Val(f.f[0]));
    if (!f.f[1].empty()) top = ToInt32(fw::Val(f.f[1]));
    if (!f.f[2].empty() && window.Resizeable())
        width = grownSize(f.f[2], width, window.MinWidth(), window.MaxWidth());
    if (!f.f[3].empty() && window.Resizeable())
        height = grownSize(f.f[3], height, window.MinHeight(), window.MaxHeight());
    // A place the user can't reach (a screen unplugged, a hand-edited file)
    // gives way to the designed one.
    if (!VellBounds::TitleStripOnScreen(left, top, width)) {
        left = window.Left();
        top = window.Top();
    }
    // A restored size never outgrows the room its screen leaves for the
    // window, frame and all; a window cut down so then moves wholly onto that
    // screen. One that merely fits stays where the user left it.
    const fw::Window::Margins m = window.FrameMargins();
    const fw::ScreenInfo s = screenFor(left - m.left, top - m.top, width + m.left + m.right,
                                       height + m.top + m.bottom);
    const int roomW = s.AvailableWidth() - m.left - m.right, roomH = s.AvailableHeight() - m.top - m.bottom;
    bool cut = false;
    if (width > window.Width() && width > roomW) {
        width = std::max(window.Width(), roomW);
        cut = true;
    }
    if (height > window.Height() && height > roomH) {
        height = std::max(window.Height(), roomH);
        cut = true;
    }
    if (cut) {
        left = fitInto(left, width + m.right, s.AvailableLeft() + m.left, s.AvailableLeft() + s.AvailableWidth());
        top = fitInto(top, height + m.bottom, s.AvailableTop() + m.top, s.AvailableTop() + s.AvailableHeight());
    }
    window.SetBounds(left, top, width, height);
}

void VellClass::SaveControlPos(fw::RectControl& control, const fw::String& name) {
    savePos(*UserSettings, control, name);
}

void VellClass::LoadControlPos(fw::RectControl& control, const fw::String& name) {
    const std::optional<Fields> pos = storedPos(*UserSettings, name);
    if (!pos) return;
    const Fields& f = *pos;
    using fw::ToInt32;
    if (!f.f[0].empty()) control.Left(ToInt32(fw::Val(f.f[0])));
    if (!f.f[1].empty()) control.Top(ToInt32(fw::Val(f.f[1])));
    if (!f.f[2].empty()) control.Width(ToInt32(fw::Val(f.f[2])));
    if (!f.f[3].empty()) control.Height(ToInt32(fw::Val(f.f[3])));
}
