#pragma once
// 24-bit RGB colours.
#include <cstdint>

namespace fw {

struct Color {
    uint8_t Red = 0, Green = 0, Blue = 0;

    // 0xRRGGBB, as design tables write colours.
    static constexpr Color FromHex(uint32_t rgb) {
        return Color{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    constexpr uint32_t Hex() const { return uint32_t(Red) << 16 | uint32_t(Green) << 8 | Blue; }
    friend constexpr bool operator==(Color a, Color b) { return a.Hex() == b.Hex(); }
};

// Components are clamped to 0..255.
Color RGB(int r, int g, int b);
// Hue, saturation and value each 0..1, clamped; hue and saturation 0 give the
// grey of brightness `v`.
Color HSV(double h, double s, double v);

}  // namespace fw
