// Searching without regard to case: InStr, ReplaceAll, Replace and the field
// functions. An ASCII pattern is a Horspool search on the raw bytes; any
// other is a KMP pass over folded code points.
#include "fw/core/StringInternal.h"

namespace fw {
namespace {

// A case-insensitive pattern: its folded code points, the KMP failure
// function, and the folded ASCII bytes when every code point is ASCII.
struct Pattern {
    std::vector<uint32_t> cps;
    std::vector<size_t> fail;
    std::string ascii;
    bool isAscii = true;
    bool hasKS = false;

    // Read the way the text searched in reads: a pattern without an encoding
    // takes the text's, and a text without one is searched as bytes.
    Pattern(const String& find, const String& text) {
        const TextEncoding* readAs = text.encoding() ? (find.encoding() ? find.encoding() : text.encoding())
                                                     : nullptr;
        CharCursor c(find, 0, readAs);
        uint32_t cp = 0;
        size_t off = 0, len = 0;
        while (c.Next(cp, off, len)) {
            const uint32_t f = FoldCase(cp);
            cps.push_back(f);
            if (f >= 0x80) isAscii = false;
            if (f == 'k' || f == 's') hasKS = true;
        }
        if (isAscii) ascii.assign(cps.begin(), cps.end());
        fail.assign(cps.size(), 0);
        for (size_t i = 1, k = 0; i < cps.size(); ++i) {
            while (k > 0 && cps[i] != cps[k]) k = fail[k - 1];
            if (cps[i] == cps[k]) ++k;
            fail[i] = k;
        }
    }
    bool empty() const { return cps.empty(); }
};

// Calls onMatch(begin, end) for every non-overlapping match of pat in s from
// byte `from`, left to right, until it returns false. Linear: an ASCII
// pattern in a UTF-8 or single-byte-ASCII text is a Horspool search on the
// raw bytes (ASCII bytes never occur inside multi-byte characters);
// everything else is a KMP pass over folded code points.
template <class F>
void FindAll(const String& s, size_t from, const Pattern& pat, F&& onMatch) {
    const TextEncoding* enc = s.encoding();
    const size_t n = s.bytes().size();
    const unsigned char* h = Data(s);
    const size_t m = pat.cps.size();
    if (m == 0 || from >= n) return;
    const bool asciiSafe = enc == nullptr || enc->IsUTF8() || (enc->IsSingleByte() && TableFor(enc).asciiSafe);
    if (asciiSafe && pat.isAscii && (!pat.hasKS || enc == nullptr || !StringAccess::Index(s).foldsToAscii)) {
        const auto* q = reinterpret_cast<const unsigned char*>(pat.ascii.data());
        if (m > n - from) return;
        if (m == 1) {
            for (size_t i = from; i < n; ++i)
                if (kLower[h[i]] == q[0] && !onMatch(i, i + 1)) return;
            return;
        }
        std::array<size_t, 256> shift;
        shift.fill(m);
        for (size_t i = 0; i + 1 < m; ++i) {
            shift[q[i]] = m - 1 - i;
            if (q[i] >= 'a' && q[i] <= 'z') shift[q[i] - 32] = m - 1 - i;
        }
        size_t pos = from;
        while (pos + m <= n) {
            const unsigned char last = h[pos + m - 1];
            if (kLower[last] == q[m - 1]) {
                size_t j = m - 1;
                while (j > 0 && kLower[h[pos + j - 1]] == q[j - 1]) --j;
                if (j == 0) {
                    if (!onMatch(pos, pos + m)) return;
                    pos += m;
                    continue;
                }
            }
            pos += shift[last];
        }
        return;
    }
    CharCursor c(s, from, enc);
    std::vector<size_t> ring(m);
    size_t count = 0, k = 0;
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    // ASCII folds only to ASCII, so no match of a non-ASCII pattern can
    // start on an ASCII character.
    const bool skipAscii = pat.cps[0] >= 0x80;
    for (;;) {
        if (k == 0 && skipAscii) c.SkipAscii();
        if (!c.Next(cp, off, len)) break;
        const uint32_t f = FoldCase(cp);
        ring[count % m] = off;
        ++count;
        while (k > 0 && pat.cps[k] != f) k = pat.fail[k - 1];
        if (pat.cps[k] == f) ++k;
        if (k == m) {
            if (!onMatch(ring[(count - m) % m], off + len)) return;
            k = 0;
        }
    }
}

// Byte offset of the first match from `from`, or npos.
size_t FindFirst(const String& s, size_t from, const Pattern& pat, size_t* end = nullptr) {
    size_t found = std::string::npos;
    FindAll(s, from, pat, [&](size_t b, size_t e) {
        found = b;
        if (end) *end = e;
        return false;
    });
    return found;
}

// ReplaceAll and Replace: every match (or the first) of find becomes repl.
String ReplaceMatches(const String& s, const String& find, const String& repl, bool all) {
    if (s.empty() || find.empty()) return s;
    if (!repl.empty() && !SameBytesKind(s.encoding(), repl.encoding())) {
        String text = s, piece = repl;
        Harmonize(text, piece);
        return ReplaceMatches(text, find, piece, all);
    }
    const Pattern pat(find, s);
    const std::string& src = s.bytes();
    std::string out;
    size_t last = 0;
    FindAll(s, 0, pat, [&](size_t b, size_t e) {
        if (last == 0) out.reserve(src.size());
        out.append(src, last, b - last);
        out += repl.bytes();
        last = e;
        return all;
    });
    if (last == 0 && out.empty()) return s;
    out.append(src, last, std::string::npos);
    const TextEncoding* enc = s.encoding() ? s.encoding() : repl.encoding();
    return String::FromBytes(std::move(out), repl.empty() ? s.encoding() : enc);
}

// Byte ranges of the fields of s between separators.
template <class F>
void ForEachField(const String& s, const String& sep, F&& onField) {
    if (sep.empty()) {
        // An empty separator splits between characters.
        const CharIndex& idx = StringAccess::Index(s);
        if (idx.count == 0) {
            onField(0, 0);
            return;
        }
        size_t b = 0;
        for (int64_t k = 1; k <= idx.count; ++k) {
            const size_t e = CharOffset(s, idx, k);
            if (!onField(b, e)) return;
            b = e;
        }
        return;
    }
    const Pattern pat(sep, s);
    size_t begin = 0;
    bool more = true;
    FindAll(s, 0, pat, [&](size_t b, size_t e) {
        more = onField(begin, b);
        begin = e;
        return more;
    });
    if (more) onField(begin, s.bytes().size());
}

}  // namespace

int64_t InStr(const String& s, const String& find) { return InStr(1, s, find); }

int64_t InStr(int64_t start, const String& s, const String& find) {
    if (start < 1) start = 1;
    if (s.empty()) return 0;
    const CharIndex& idx = StringAccess::Index(s);
    if (start > idx.count) return 0;
    if (find.empty()) return start;
    const size_t at = FindFirst(s, CharOffset(s, idx, start - 1), Pattern(find, s));
    return at == std::string::npos ? 0 : CharAt(s, idx, at) + 1;
}

String ReplaceAll(const String& s, const String& find, const String& repl) {
    return ReplaceMatches(s, find, repl, true);
}

String Replace(const String& s, const String& find, const String& repl) {
    return ReplaceMatches(s, find, repl, false);
}

// ---------------------------------------------------------------------------
// Fields. The separator matches without regard to case; an empty separator
// splits between characters. An empty text has one empty field.

String NthField(const String& s, const String& sep, int64_t n) {
    String result = String::FromBytes(std::string(), s.encoding());
    if (n < 1) return result;
    int64_t i = 0;
    ForEachField(s, sep, [&](size_t b, size_t e) {
        if (++i < n) return true;
        result = Slice(s, b, e);
        return false;
    });
    return result;
}

int64_t CountFields(const String& s, const String& sep) {
    int64_t count = 0;
    ForEachField(s, sep, [&](size_t, size_t) {
        ++count;
        return true;
    });
    return count;
}

std::vector<String> Split(const String& s, const String& sep) {
    std::vector<String> parts;
    ForEachField(s, sep, [&](size_t b, size_t e) {
        parts.push_back(Slice(s, b, e));
        return true;
    });
    return parts;
}

}  // namespace fw
