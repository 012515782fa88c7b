#include "PageModel.h"

#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double ToInteger(double v) {
    if (std::isnan(v)) return 0;
    return std::trunc(v);
}

// String.prototype.substr.
std::u16string Substr(const std::u16string& s, double start, double length) {
    const double size = static_cast<double>(s.size());
    double from = ToInteger(start);
    if (from < 0) from = std::max(size + from, 0.0);
    from = std::min(from, size);
    const double len = std::min(std::max(ToInteger(length), 0.0), size);
    const double end = std::min(from + len, size);
    if (end <= from) return u"";
    return s.substr(static_cast<size_t>(from), static_cast<size_t>(end - from));
}

}  // namespace

std::u16string Utf16(const std::string& utf8) {
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        uint32_t cp = b0;
        size_t len = 1;
        if (b0 >= 0xF0) {
            len = 4;
            cp = b0 & 0x07;
        } else if (b0 >= 0xE0) {
            len = 3;
            cp = b0 & 0x0F;
        } else if (b0 >= 0xC0) {
            len = 2;
            cp = b0 & 0x1F;
        }
        for (size_t k = 1; k < len && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::u16string Latin1(const std::string& bytes) {
    std::u16string out;
    for (unsigned char c : bytes) out += static_cast<char16_t>(c);
    return out;
}

std::optional<PageParts> SplitPage(const std::string& page) {
    const size_t s = page.find("s='");
    if (s == std::string::npos) return std::nullopt;
    const size_t b = page.find("';b='", s);
    if (b == std::string::npos) return std::nullopt;
    const size_t c = page.find("';c='", b);
    if (c == std::string::npos) return std::nullopt;
    const size_t end = page.find("';", c + 5);
    if (end == std::string::npos) return std::nullopt;
    return PageParts{page.substr(s + 3, b - s - 3), page.substr(b + 5, c - b - 5), page.substr(c + 5, end - c - 5)};
}

std::optional<std::u16string> LiteralValue(const std::string& body, bool utf8) {
    std::u16string out;
    std::string plain;
    auto flush = [&] {
        out += utf8 ? Utf16(plain) : Latin1(plain);
        plain.clear();
    };
    for (size_t i = 0; i < body.size(); ++i) {
        const char ch = body[i];
        if (ch == '\'') {
            if (body.compare(i, 3, "'+'") != 0) return std::nullopt;
            i += 2;
            continue;
        }
        if (ch != '\\') {
            plain += ch;
            continue;
        }
        if (++i >= body.size()) return std::nullopt;
        flush();
        switch (body[i]) {
        case '\'': out += u'\''; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case '\\': out += u'\\'; break;
        case '!': out += u'!'; break;
        case 'u': {
            if (i + 4 >= body.size()) return std::nullopt;
            out += static_cast<char16_t>(std::stoul(body.substr(i + 1, 4), nullptr, 16));
            i += 4;
            break;
        }
        default: return std::nullopt;
        }
    }
    flush();
    return out;
}

std::optional<std::u16string> RunDecoder(const std::u16string& s, const std::string& b, const std::string& c,
                                         bool recordEveryChunk) {
    std::map<char, double> x;
    auto value = [&x](const std::string& str, double i) {
        if (i < 0 || i >= static_cast<double>(str.size())) return kNaN;
        const auto it = x.find(str[static_cast<size_t>(i)]);
        return it == x.end() ? kNaN : it->second;
    };
    auto value16 = [&x](const std::u16string& str, size_t i) {
        if (i >= str.size() || str[i] > 0x7F) return kNaN;
        const auto it = x.find(static_cast<char>(str[i]));
        return it == x.end() ? kNaN : it->second;
    };
    std::vector<std::optional<std::u16string>> a;
    auto chunk = [&a](double k) -> const std::optional<std::u16string>* {
        if (std::isnan(k) || k < 0 || k >= static_cast<double>(a.size())) return nullptr;
        const auto& v = a[static_cast<size_t>(k)];
        return v ? &v : nullptr;
    };
    auto set = [&a](size_t k, std::u16string v) {
        if (a.size() <= k) a.resize(k + 1);
        a[k] = std::move(v);
    };
    size_t h = 0;
    double l = 0, g = 0;
    std::u16string t;
    auto e = [&] {
        if (t.size() > 99) {
            while (t.size() > 99) {
                set(h++, t.substr(0, 99));
                t = t.substr(99);
            }
            if (recordEveryChunk) set(h, t);
        } else {
            set(h, t);
        }
    };
    for (size_t k = 0; k < c.size(); ++k) x[c[k]] = static_cast<double>(k);
    bool f = true;
    for (double i = 0; i < static_cast<double>(b.size()); i++, f = !f) {
        double p = value(b, i);
        while (std::fmod(p, 91) == 0) {
            i++;
            p += 91 + value(b, i);
        }
        if (f) {
            t += Substr(s, l, p);
            g += p;
            l += p;
            e();
        } else {
            for (double j = 0; j < p; j++) {
                const std::u16string w = Substr(s, l, 3);
                l += 3;
                const double q = value16(w, 0) * 91 + value16(w, 1) + 1;
                const double y = value16(w, 2) + 2;
                double z = g - q;
                const double k = std::floor(z / 99);
                const double m = std::fmod(z, 99);
                if (m + y > 99) {
                    z = 99 - m;
                    const auto* first = chunk(k);
                    if (!first) return std::nullopt;  // TypeError in the script
                    t += Substr(**first, m, z);
                    e();
                    const auto* second = chunk(k + 1);
                    if (!second) return std::nullopt;
                    t += Substr(**second, 0, y - z);
                } else if (const auto* src = chunk(k); src && !(*src)->empty()) {
                    t += Substr(**src, m, y);
                }
                g += y;
                e();
            }
        }
        e();
    }
    std::u16string text;
    for (const auto& part : a)
        if (part) text += *part;
    return text;
}

std::optional<std::u16string> PageText(const std::string& page, bool utf8, bool recordEveryChunk) {
    const auto parts = SplitPage(page);
    if (!parts) return std::nullopt;
    const auto s = LiteralValue(parts->code, utf8);
    if (!s) return std::nullopt;
    return RunDecoder(*s, parts->runs, parts->alphabet, recordEveryChunk);
}
