// Numbers as text: Str, Val and Hex.
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "fw/core/Numbers.h"
#include "fw/core/String.h"

namespace fw {
namespace {

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

String Str(int64_t n) { return String(std::to_string(n)); }
String Str(int n) { return String(std::to_string(n)); }

String Str(double d) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    return String(std::string_view(buf, static_cast<size_t>(r.ptr - buf)));
}

double Val(const String& s) {
    const std::string t = s.utf8();
    size_t i = 0;
    const size_t n = t.size();
    while (i < n && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i + 1 < n && t[i] == '&' && (t[i + 1] == 'h' || t[i + 1] == 'H')) {
        // Hex digits as an unsigned 64-bit pattern: "&hFFFFFFFFFFFFFFFF" is
        // positive, not -1.
        uint64_t v = 0;
        bool any = false;
        for (i += 2; i < n && HexValue(static_cast<unsigned char>(t[i])) < 16; ++i) {
            v = (v << 4) | static_cast<uint64_t>(HexValue(static_cast<unsigned char>(t[i])));
            any = true;
        }
        return any ? static_cast<double>(v) : 0.0;
    }
    const size_t begin = i;
    if (i < n && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (t[j] == '+' || t[j] == '-')) ++j;
        if (j < n && t[j] >= '0' && t[j] <= '9') {
            while (j < n && t[j] >= '0' && t[j] <= '9') ++j;
            i = j;
        }
    }
    // strtod in the C locale: the process locale may use a decimal comma.
    const std::string number = t.substr(begin, i - begin);
    return strtod_l(number.c_str(), nullptr, CLocale());
}

String Hex(int64_t n) {
    auto u = static_cast<uint64_t>(n);
    char buf[16];
    int i = 16;
    do {
        buf[--i] = HexDigit(static_cast<unsigned>(u));
        u >>= 4;
    } while (u != 0);
    return String(std::string_view(buf + i, static_cast<size_t>(16 - i)));
}

}  // namespace fw
