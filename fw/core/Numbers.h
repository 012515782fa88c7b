#pragma once
// Small number rules shared by every layer: hex digits, and how a real
// becomes an integer.
#include <cmath>
#include <cstdint>
#include <limits>

namespace fw {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// The upper-case hex digit of the low four bits of v.
constexpr char HexDigit(unsigned v) { return kHexDigits[v & 15]; }

// 0 to 15 for a hex digit of either case, 16 for anything else.
constexpr int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 16;
}

// A real as an integer: truncated toward zero, saturated to the type's
// range, NaN as 0. Settings, Val results and pixel arithmetic all convert
// this way.
inline int64_t ToInt64(double d) {
    if (std::isnan(d)) return 0;
    // 2^63 is exactly representable; anything at or above it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (d >= limit) return std::numeric_limits<int64_t>::max();
    if (d < -limit) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(std::trunc(d));
}

inline int32_t SaturateToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

inline int32_t ToInt32(double d) { return SaturateToInt32(ToInt64(d)); }

}  // namespace fw
