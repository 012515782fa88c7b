#include "fw/gui/Color.h"

#include <algorithm>
#include <cmath>

namespace fw {

Color RGB(int r, int g, int b) {
    auto c = [](int v) { return uint8_t(std::clamp(v, 0, 255)); };
    return Color{c(r), c(g), c(b)};
}

Color HSV(double h, double s, double v) {
    auto unit = [](double x) { return std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 1.0); };
    h = unit(h);
    s = unit(s);
    v = unit(v);
    double r = v, g = v, b = v;
    if (s > 0) {
        double hh = h >= 1.0 ? 0.0 : h * 6.0;
        int i = int(hh);
        double f = hh - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
        switch (i) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;
        }
    }
    return RGB(int(std::lround(r * 255)), int(std::lround(g * 255)), int(std::lround(b * 255)));
}

}  // namespace fw
