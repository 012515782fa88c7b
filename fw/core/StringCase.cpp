// Letter case: the case key of a character, the per-encoding byte case
// tables, and Lowercase/Uppercase. Folding is u_foldCase with
// U_FOLD_CASE_DEFAULT; Lowercase and Uppercase use the simple per-code-point
// mappings too, so "ß" stays "ß".
#include <unicode/uchar.h>

#include <mutex>
#include <unordered_map>

#include "fw/core/StringInternal.h"

namespace fw {

uint32_t FoldCaseBeyondAscii(uint32_t cp) {
    if (!IsUnicode(cp)) return cp;
    return static_cast<uint32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
}

namespace {

// The code point of a one-code-point UTF-8 text, else kComposite | its hash.
uint32_t CodeOfUtf8(std::string_view utf8) {
    if (utf8.empty()) return kComposite;
    size_t len = 0;
    const uint32_t cp = Utf8Char(reinterpret_cast<const unsigned char*>(utf8.data()), utf8.size(), len);
    if (len == utf8.size() && IsUnicode(cp)) return cp;
    uint32_t h = 2166136261u;  // FNV-1a
    for (unsigned char c : utf8) h = (h ^ c) * 16777619u;
    return kComposite | (h & 0x7FFFFFFFu);
}

}  // namespace

uint32_t CaseKeyOfUtf8(std::string_view utf8) { return FoldCase(CodeOfUtf8(utf8)); }

uint32_t CharCode(std::string_view bytes, const TextEncoding* enc) {
    ConversionReport rep;
    const std::string u = DecodeToUTF8(bytes, enc, &rep);
    if (rep.invalidInput > 0) return kInvalidBase + static_cast<unsigned char>(bytes[0]);
    return CodeOfUtf8(u);
}

std::string EncodeChar(uint32_t cp, const TextEncoding* enc) {
    std::string u;
    AppendUtf8(u, cp);
    ConversionReport rep;
    std::string out = EncodeFromUTF8(u, enc, &rep);
    return rep.lossy() ? std::string() : out;
}

const ByteTable& TableFor(const TextEncoding* enc) {
    // Shared by every thread that uses strings of `enc`.
    static std::mutex mu;
    static std::unordered_map<const TextEncoding*, std::unique_ptr<ByteTable>> tables;
    std::lock_guard<std::mutex> lock(mu);
    auto& slot = tables[enc];
    if (!slot) {
        auto t = std::make_unique<ByteTable>();
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const uint32_t cp = CharCode(std::string_view(&c, 1), enc);
            t->cp[b] = cp;
            t->lower[b] = t->upper[b] = static_cast<unsigned char>(b);
            if (b < 0x80 ? cp != static_cast<uint32_t>(b) : FoldCase(cp) < 0x80) t->asciiSafe = false;
            if (!IsUnicode(cp)) continue;
            const auto lo = static_cast<uint32_t>(u_tolower(static_cast<UChar32>(cp)));
            const auto up = static_cast<uint32_t>(u_toupper(static_cast<UChar32>(cp)));
            if (lo != cp) {
                const std::string e = EncodeChar(lo, enc);
                if (e.size() == 1) t->lower[b] = static_cast<unsigned char>(e[0]);
            }
            if (up != cp) {
                const std::string e = EncodeChar(up, enc);
                if (e.size() == 1) t->upper[b] = static_cast<unsigned char>(e[0]);
            }
        }
        slot = std::move(t);
    }
    return *slot;
}

namespace {

String MapCase(const String& s, bool upper) {
    const TextEncoding* enc = s.encoding();
    const std::string& src = s.bytes();
    std::string out;
    out.reserve(src.size());
    auto map = [upper](uint32_t cp) {
        if (cp < 0x80) {
            if (upper) return (cp >= 'a' && cp <= 'z') ? cp - 32 : cp;
            return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
        }
        const auto c = static_cast<UChar32>(cp);
        return static_cast<uint32_t>(upper ? u_toupper(c) : u_tolower(c));
    };
    if (IsUtf8Kind(enc)) {
        const unsigned char* p = Data(s);
        const size_t n = src.size();
        for (size_t off = 0; off < n;) {
            if (p[off] < 0x80) {
                out += static_cast<char>(map(p[off]));
                ++off;
                continue;
            }
            size_t len = 1;
            const uint32_t cp = Utf8Char(p + off, n - off, len);
            if (IsUnicode(cp)) AppendUtf8(out, map(cp));
            else out += static_cast<char>(p[off]);
            off += len;
        }
    } else if (enc->IsSingleByte()) {
        const ByteTable& t = TableFor(enc);
        const auto& table = upper ? t.upper : t.lower;
        for (unsigned char c : src) out += static_cast<char>(table[c]);
    } else {
        // A character whose other case the encoding can't hold stays as it is.
        CharCursor c(s, 0, s.encoding());
        uint32_t cp = 0;
        size_t off = 0, len = 0;
        while (c.Next(cp, off, len)) {
            const uint32_t m = IsUnicode(cp) ? map(cp) : cp;
            std::string e = m != cp ? EncodeChar(m, enc) : std::string();
            if (e.empty()) out.append(src, off, len);
            else out += e;
        }
    }
    return String::FromBytes(std::move(out), enc);
}

}  // namespace

String Lowercase(const String& s) { return MapCase(s, false); }
String Uppercase(const String& s) { return MapCase(s, true); }

}  // namespace fw
