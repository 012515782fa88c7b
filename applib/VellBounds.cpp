// The bounds methods of the services object.
#include "applib/VellBounds.h"

#include <algorithm>

#include "applib/VellClass.h"
#include "fw/core/Numbers.h"
#include "fw/gui/RectControl.h"
#include "fw/gui/Screen.h"
#include "fw/gui/Window.h"

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
        const int64_t w = std::min<int64_t>(x1, int64_t(s.Left()) + s.Width()) - std::max<int64_t>(x0, s.Left());
        const int64_t h = std::min<int64_t>(y1, int64_t(s.Top()) + s.Height()) - std::max<int64_t>(y0, s.Top());
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

// A stored size only ever enlarges a resizable window, and stays within
// the window's limits.
int grownSize(const fw::String& field, int current, int minimum, int maximum) {
    const double v = fw::Val(field);
    if (!(v > current)) return current;
    const int32_t want = fw::ToInt32(v);
    return std::clamp(want, std::min(minimum, maximum), std::max(minimum, maximum));
}

}  // namespace

void VellClass::SaveWinPos(fw::Window& window, const fw::String& name) {
    UserSettings->Set(name + ".Pos", VellBounds::Format(window.Left(), window.Top(), window.Width(), window.Height()));
}

void VellClass::LoadWinPos(fw::Window& window, const fw::String& name) {
    const fw::String s = UserSettings->Get(name + ".Pos", fw::String()).StringValue();
    if (s.empty()) return;
    const Fields f = fieldsOf(s);
    using fw::ToInt32;
    int left = window.Left(), top = window.Top(), width = window.Width(), height = window.Height();
    if (!f.f[0].empty()) left = ToInt32(fw::Val(f.f[0]));
    if (!f.f[1].empty()) top = ToInt32(fw::Val(f.f[1]));
    if (!f.f[2].empty() && window.Resizeable()) width = grownSize(f.f[2], width, window.MinWidth(), window.MaxWidth());
    if (!f.f[3].empty() && window.Resizeable())
        height = grownSize(f.f[3], height, window.MinHeight(), window.MaxHeight());
    // A place the user can't reach (a screen unplugged, a hand-edited file)
    // gives way to the designed one.
    if (!VellBounds::TitleStripOnScreen(left, top, width)) {
        left = window.Left();
        top = window.Top();
    }
    window.SetBounds(left, top, width, height);
}

void VellClass::SaveControlPos(fw::RectControl& control, const fw::String& name) {
    UserSettings->Set(name + ".Pos",
                      VellBounds::Format(control.Left(), control.Top(), control.Width(), control.Height()));
}

void VellClass::LoadControlPos(fw::RectControl& control, const fw::String& name) {
    const fw::String s = UserSettings->Get(name + ".Pos", fw::String()).StringValue();
    if (s.empty()) return;
    const Fields f = fieldsOf(s);
    using fw::ToInt32;
    if (!f.f[0].empty()) control.Left(ToInt32(fw::Val(f.f[0])));
    if (!f.f[1].empty()) control.Top(ToInt32(fw::Val(f.f[1])));
    if (!f.f[2].empty()) control.Width(ToInt32(fw::Val(f.f[2])));
    if (!f.f[3].empty()) control.Height(ToInt32(fw::Val(f.f[3])));
}
