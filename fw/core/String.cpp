// Framework strings.
//
// Characters: UTF-8 strings (UTF8, SystemDefault) count code points, and a
// byte that does not start a well-formed sequence counts as one character of
// its own. Strings without an encoding and single-byte encodings count bytes.
// Other encodings (UTF16, UCS4, ShiftJIS, ...) ask TextEncoding::CharStarts.
//
// Letter case: ==, InStr, ReplaceAll, StrComp mode 1 and the field functions
// compare code points after Unicode simple case folding (u_foldCase with
// U_FOLD_CASE_DEFAULT), which maps one code point to one code point. So
// "É" matches "é", "Σ", "σ" and "ς" all match, "ſ" (long s) matches "s" and
// the Kelvin sign matches "k", while Turkish "ı" and "İ" match only
// themselves. Bytes that are invalid in the string's encoding match only the
// same byte. A text without an encoding is compared in the other side's
// encoding; searched in, it is bytes where only ASCII letters fold, so that
// matches fall on its byte-sized characters. Lowercase and Uppercase use the
// simple per-code-point mappings too, so "ß" stays "ß".
#include "fw/core/String.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <mutex>
#include <unordered_map>

#include "fw/core/TextEncoding.h"

namespace fw {

namespace {

// Invalid bytes decode to values above the Unicode range so that they
// compare equal only to themselves.
constexpr uint32_t kInvalidBase = 0x110000;
// A character of a multi-byte encoding that decodes to several code points
// (or none) is compared by a hash of its text.
constexpr uint32_t kComposite = 0x80000000u;

// Every kStride-th character start is kept for UTF-8 strings: a walk from
// one of them costs at most kStride - 1 steps and the marks take a quarter
// of the text's size at worst.
constexpr int64_t kStride = 16;

inline bool IsCont(unsigned char b) { return (b & 0xC0) == 0x80; }

// One character of UTF-8 at p (avail > 0). Sets len; invalid bytes give
// kInvalidBase + byte with len 1.
inline uint32_t DecodeUtf8(const unsigned char* p, size_t avail, size_t& len) {
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        len = 1;
        return b0;
    }
    if (b0 >= 0xC2 && b0 < 0xE0) {
        if (avail >= 2 && IsCont(p[1])) {
            len = 2;
            return ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        }
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
        if (avail >= 3) {
            const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
            const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
            if (p[1] >= lo && p[1] <= hi && IsCont(p[2])) {
                len = 3;
                return ((b0 & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
            }
        }
    } else if (b0 >= 0xF0 && b0 < 0xF5) {
        if (avail >= 4) {
            const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
            const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
            if (p[1] >= lo && p[1] <= hi && IsCont(p[2]) && IsCont(p[3])) {
                len = 4;
                return ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) |
                       (p[3] & 0x3Fu);
            }
        }
    }
    len = 1;
    return kInvalidBase + b0;
}

void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

inline bool IsUnicode(uint32_t cp) { return cp < kInvalidBase; }

}  // namespace

uint32_t FoldCase(uint32_t cp) {
    if (cp < 0x80) return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    if (!IsUnicode(cp)) return cp;
    return static_cast<uint32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
}

namespace {

// White space for Trim: ASCII blanks and line ends plus Unicode White_Space,
// except the no-break spaces, which are content.
inline bool IsBlank(uint32_t cp) {
    if (cp < 0x80) return cp == ' ' || (cp >= 9 && cp <= 13);
    if (!IsUnicode(cp) || cp == 0xA0 || cp == 0x2007 || cp == 0x202F) return false;
    return u_isUWhiteSpace(static_cast<UChar32>(cp));
}

struct LowerTable {
    std::array<unsigned char, 256> t{};
    LowerTable() {
        for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i + 32 : i);
    }
};
const LowerTable kLower;

inline bool IsUtf8Kind(const TextEncoding* enc) { return enc == nullptr || enc->IsUTF8(); }

// Per-encoding tables of a single-byte encoding: the code point of every
// byte, and the byte of its lower- and upper-case letter where the encoding
// has one.
struct ByteTable {
    // ASCII bytes are ASCII and no other byte folds to ASCII, so an ASCII
    // pattern can be searched for in the raw bytes.
    bool asciiSafe = true;
    std::array<uint32_t, 256> cp{};
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
};

uint32_t SingleCodePoint(const std::string& utf8) {
    if (utf8.empty()) return kComposite;
    size_t len = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const uint32_t cp = DecodeUtf8(p, utf8.size(), len);
    if (len == utf8.size() && IsUnicode(cp)) return cp;
    uint32_t h = 2166136261u;  // FNV-1a
    for (unsigned char c : utf8) h = (h ^ c) * 16777619u;
    return kComposite | (h & 0x7FFFFFFFu);
}

// The code point of one character of `enc`, or a value that stands for it.
uint32_t DecodeChar(std::string_view bytes, const TextEncoding* enc) {
    ConversionReport rep;
    const std::string u = DecodeToUTF8(bytes, enc, &rep);
    if (rep.invalidInput > 0) return kInvalidBase + static_cast<unsigned char>(bytes[0]);
    return SingleCodePoint(u);
}

// Bytes of one code point in `enc`, or "" when it can't hold it.
std::string EncodeChar(uint32_t cp, const TextEncoding* enc) {
    std::string u;
    AppendUtf8(u, cp);
    ConversionReport rep;
    std::string out = EncodeFromUTF8(u, enc, &rep);
    return rep.lossy() ? std::string() : out;
}

const ByteTable& TableFor(const TextEncoding* enc) {
    static std::mutex mu;
    static std::unordered_map<const TextEncoding*, std::unique_ptr<ByteTable>> tables;
    std::lock_guard<std::mutex> lock(mu);
    auto& slot = tables[enc];
    if (!slot) {
        auto t = std::make_unique<ByteTable>();
        for (int b = 0; b < 256; ++b) {
            const char c = static_cast<char>(b);
            const uint32_t cp = DecodeChar(std::string_view(&c, 1), enc);
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

}  // namespace

// How the characters of a string lie in its bytes.
struct CharIndex {
    enum Kind { kBytes, kUtf8, kStarts } kind = kBytes;
    int64_t count = 0;
    bool valid = true;         // kUtf8: well-formed, so lead bytes give lengths
    bool foldsToAscii = false; // kUtf8: holds "ſ" or the Kelvin sign
    // kUtf8: byte offset of every kStride-th character; kStarts: every
    // character start plus the size.
    std::vector<uint32_t> marks;
    // kUtf8: the last character looked up (index << 32 | byte offset), so
    // that a walk with Mid(s, i, 1) steps one character at a time. Atomic
    // because copies of a string share this index.
    mutable std::atomic<uint64_t> hint{0};
};

struct StringAccess {
    static const CharIndex& Index(const String& s) {
        if (!s.index_) s.index_ = Build(s);
        return *s.index_;
    }
    static void Invalidate(String& s) { s.index_.reset(); }
    static bool HasIndex(const String& s) { return s.index_ != nullptr; }
    // Built in place: the character walk makes one of these per character.
    static String Make(const char* p, size_t n, const TextEncoding* enc) {
        String r(std::string_view(p, n));
        r.enc_ = enc;
        return r;
    }

    static std::shared_ptr<const CharIndex> Build(const String& s) {
        auto idx = std::make_shared<CharIndex>();
        const std::string& b = s.bytes_;
        const TextEncoding* enc = s.enc_;
        if (enc == nullptr || (!enc->IsUTF8() && enc->IsSingleByte())) {
            idx->count = static_cast<int64_t>(b.size());
            return idx;
        }
        if (!enc->IsUTF8()) {
            idx->kind = CharIndex::kStarts;
            idx->marks = enc->CharStarts(b);
            if (idx->marks.empty() || idx->marks.back() != b.size()) idx->marks.push_back(static_cast<uint32_t>(b.size()));
            idx->count = static_cast<int64_t>(idx->marks.size()) - 1;
            return idx;
        }
        const auto* p = reinterpret_cast<const unsigned char*>(b.data());
        const size_t n = b.size();
        size_t off = 0;
        int64_t count = 0;
        bool ascii = true;
        std::vector<uint32_t>& marks = idx->marks;
        marks.reserve(n / 64 + 1);
        while (off < n) {
            if (off + 8 <= n) {
                uint64_t w;
                std::memcpy(&w, p + off, 8);
                if ((w & 0x8080808080808080ull) == 0) {
                    const int64_t next = static_cast<int64_t>(marks.size()) * kStride;
                    if (next < count + 8) marks.push_back(static_cast<uint32_t>(off + (next - count)));
                    off += 8;
                    count += 8;
                    continue;
                }
            }
            if (count % kStride == 0) marks.push_back(static_cast<uint32_t>(off));
            size_t len = 1;
            if (p[off] >= 0x80) {
                ascii = false;
                const uint32_t cp = DecodeUtf8(p + off, n - off, len);
                if (!IsUnicode(cp)) idx->valid = false;
                if (cp == 0x17F || cp == 0x212A) idx->foldsToAscii = true;
            }
            off += len;
            ++count;
        }
        idx->count = count;
        if (ascii) {
            marks.clear();
            marks.shrink_to_fit();
        } else {
            idx->kind = CharIndex::kUtf8;
        }
        return idx;
    }
};

namespace {

const unsigned char* Data(const String& s) { return reinterpret_cast<const unsigned char*>(s.bytes().data()); }

// Byte length of the UTF-8 character at off.
inline size_t Utf8Step(const unsigned char* p, size_t n, size_t off, bool valid) {
    const unsigned char b = p[off];
    if (b < 0x80) return 1;
    if (valid) return b < 0xE0 ? 2 : (b < 0xF0 ? 3 : 4);
    size_t len = 1;
    DecodeUtf8(p + off, n - off, len);
    return len;
}

// Byte offset of character k (0-based); k == count gives the size.
size_t CharOffset(const String& s, const CharIndex& idx, int64_t k) {
    if (k >= idx.count) return s.bytes().size();
    switch (idx.kind) {
    case CharIndex::kBytes: return static_cast<size_t>(k);
    case CharIndex::kStarts: return idx.marks[static_cast<size_t>(k)];
    case CharIndex::kUtf8: break;
    }
    const unsigned char* p = Data(s);
    const size_t n = s.bytes().size();
    const uint64_t hint = idx.hint.load(std::memory_order_relaxed);
    const auto hk = static_cast<int64_t>(hint >> 32);
    int64_t steps = k % kStride;
    size_t off = idx.marks[static_cast<size_t>(k / kStride)];
    if (hk <= k && k - hk < steps) {
        steps = k - hk;
        off = static_cast<uint32_t>(hint);
    }
    for (; steps > 0; --steps) off += Utf8Step(p, n, off, idx.valid);
    return off;
}

void SetHint(const CharIndex& idx, int64_t k, size_t off) {
    idx.hint.store(static_cast<uint64_t>(k) << 32 | static_cast<uint32_t>(off), std::memory_order_relaxed);
}

// Index of the character that starts at byte offset `off`.
int64_t CharAt(const String& s, const CharIndex& idx, size_t off) {
    switch (idx.kind) {
    case CharIndex::kBytes: return static_cast<int64_t>(off);
    case CharIndex::kStarts:
        return std::lower_bound(idx.marks.begin(), idx.marks.end(), static_cast<uint32_t>(off)) - idx.marks.begin();
    case CharIndex::kUtf8: break;
    }
    if (off >= s.bytes().size()) return idx.count;
    const auto it = std::upper_bound(idx.marks.begin(), idx.marks.end(), static_cast<uint32_t>(off)) - 1;
    int64_t k = (it - idx.marks.begin()) * kStride;
    const unsigned char* p = Data(s);
    const size_t n = s.bytes().size();
    for (size_t o = *it; o < off; ++k) o += Utf8Step(p, n, o, idx.valid);
    return k;
}

String Slice(const String& s, size_t begin, size_t end) {
    return StringAccess::Make(s.bytes().data() + begin, end - begin, s.encoding());
}

// Walks the characters of a string from a byte offset, read in `readAs`,
// giving each one's code point (or a stand-in, see above) and bytes.
// readAs nullptr reads bytes: ASCII, and every other byte as itself.
class CharCursor {
public:
    CharCursor(const String& s, size_t from, const TextEncoding* readAs)
        : enc_(readAs), p_(Data(s)), n_(s.bytes().size()), pos_(from) {
        if (readAs == nullptr) {
            mode_ = kBytes;
        } else if (readAs->IsUTF8()) {
            mode_ = kUtf8;
        } else if (readAs->IsSingleByte()) {
            mode_ = kTable;
            table_ = &TableFor(readAs);
        } else {
            mode_ = kStarts;
            if (readAs == s.encoding()) {
                starts_ = &StringAccess::Index(s).marks;
            } else {
                own_ = readAs->CharStarts(s.bytes());
                if (own_.empty() || own_.back() != n_) own_.push_back(static_cast<uint32_t>(n_));
                starts_ = &own_;
            }
            si_ = static_cast<size_t>(std::lower_bound(starts_->begin(), starts_->end(), static_cast<uint32_t>(from)) -
                                      starts_->begin());
        }
    }

    bool Next(uint32_t& cp, size_t& off, size_t& len) {
        if (pos_ >= n_) return false;
        off = pos_;
        switch (mode_) {
        case kBytes:
            cp = p_[pos_] < 0x80 ? p_[pos_] : kInvalidBase + p_[pos_];
            len = 1;
            break;
        case kUtf8: cp = DecodeUtf8(p_ + pos_, n_ - pos_, len); break;
        case kTable:
            cp = table_->cp[p_[pos_]];
            len = 1;
            break;
        case kStarts:
            if (si_ + 1 >= starts_->size()) return false;
            len = (*starts_)[si_ + 1] - pos_;
            cp = DecodeChar(std::string_view(reinterpret_cast<const char*>(p_) + pos_, len), enc_);
            ++si_;
            break;
        }
        pos_ += len;
        return true;
    }

    // Passes over ASCII characters.
    void SkipAscii() {
        if (mode_ != kUtf8 && mode_ != kBytes) return;
        uint64_t w;
        while (pos_ + 8 <= n_ && (std::memcpy(&w, p_ + pos_, 8), (w & 0x8080808080808080ull) == 0)) pos_ += 8;
        while (pos_ < n_ && p_[pos_] < 0x80) ++pos_;
    }

private:
    enum Mode { kBytes, kUtf8, kTable, kStarts } mode_;
    const TextEncoding* enc_;
    const unsigned char* p_;
    size_t n_;
    size_t pos_;
    const ByteTable* table_ = nullptr;
    const std::vector<uint32_t>* starts_ = nullptr;
    std::vector<uint32_t> own_;
    size_t si_ = 0;
};

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
        const TextEncoding* readAs = text.encoding() ? (find.encoding() ? find.encoding() : text.encoding()) : nullptr;
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
                if (kLower.t[h[i]] == q[0] && !onMatch(i, i + 1)) return;
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
            if (kLower.t[last] == q[m - 1]) {
                size_t j = m - 1;
                while (j > 0 && kLower.t[h[pos + j - 1]] == q[j - 1]) --j;
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

// Code points of both strings, folded when asked, compared in order.
// A side without an encoding is read in the other's.
int CompareCodePoints(const String& a, const String& b, bool fold) {
    const TextEncoding* ea = a.encoding() ? a.encoding() : b.encoding();
    const TextEncoding* eb = b.encoding() ? b.encoding() : a.encoding();
    CharCursor ca(a, 0, ea), cb(b, 0, eb);
    uint32_t x = 0, y = 0;
    size_t off = 0, len = 0;
    for (;;) {
        const bool ha = ca.Next(x, off, len);
        const bool hb = cb.Next(y, off, len);
        if (!ha || !hb) return ha ? 1 : (hb ? -1 : 0);
        if (fold) {
            x = FoldCase(x);
            y = FoldCase(y);
        }
        if (x != y) return x < y ? -1 : 1;
    }
}

int CompareBytes(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

// True when b's bytes can be used beside a's without conversion.
bool SameBytesKind(const TextEncoding* a, const TextEncoding* b) {
    if (a == nullptr || b == nullptr || a == b) return true;
    if (a->IsUTF8() && b->IsUTF8()) return true;
    return a->Equals(b);
}

String ToUtf8(const String& s) {
    if (IsUtf8Kind(s.encoding())) return String::FromBytes(s.bytes(), Encodings::UTF8);
    return ConvertEncoding(s, Encodings::UTF8);
}

// Brings `piece` (a replacement, a line end) to the encoding of `s` when it
// can do so without loss; otherwise both go to UTF-8, as + would take them.
void Harmonize(String& s, String& piece) {
    ConversionReport rep;
    String converted = ConvertEncoding(piece, s.encoding(), &rep);
    if (!rep.lossy()) {
        piece = std::move(converted);
        return;
    }
    s = ToUtf8(s);
    piece = ToUtf8(piece);
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
            const uint32_t cp = DecodeUtf8(p + off, n - off, len);
            if (IsUnicode(cp))
                AppendUtf8(out, map(cp));
            else
                out += static_cast<char>(p[off]);
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
            if (e.empty())
                out.append(src, off, len);
            else
                out += e;
        }
    }
    return String::FromBytes(std::move(out), enc);
}

size_t TrimStart(const String& s) {
    CharCursor c(s, 0, s.encoding() ? s.encoding() : Encodings::UTF8);
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    while (c.Next(cp, off, len))
        if (!IsBlank(cp)) return off;
    return s.bytes().size();
}

size_t TrimEnd(const String& s) {
    const unsigned char* p = Data(s);
    size_t end = s.bytes().size();
    if (IsUtf8Kind(s.encoding())) {
        // Back over blanks; a valid sequence ending at `end` is a whole
        // character whatever precedes it.
        while (end > 0) {
            if (p[end - 1] < 0x80) {
                if (!IsBlank(p[end - 1])) break;
                --end;
                continue;
            }
            size_t taken = 0;
            for (size_t l = 2; l <= 3 && l <= end; ++l) {
                size_t len = 0;
                const uint32_t cp = DecodeUtf8(p + end - l, l, len);
                if (len == l && IsBlank(cp)) taken = l;
            }
            if (taken == 0) break;
            end -= taken;
        }
        return end;
    }
    CharCursor c(s, 0, s.encoding() ? s.encoding() : Encodings::UTF8);
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    end = 0;
    while (c.Next(cp, off, len))
        if (!IsBlank(cp)) end = off + len;
    return end;
}

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

// ---------------------------------------------------------------------------

String::String() : enc_(Encodings::UTF8) {}
String::String(const char* utf8) : bytes_(utf8 ? utf8 : ""), enc_(Encodings::UTF8) {}
String::String(std::string_view utf8) : bytes_(utf8), enc_(Encodings::UTF8) {}
String::String(const std::string& utf8) : bytes_(utf8), enc_(Encodings::UTF8) {}
String::String(std::string&& utf8) : bytes_(std::move(utf8)), enc_(Encodings::UTF8) {}

String String::FromBytes(std::string bytes, const TextEncoding* enc) {
    String s(std::move(bytes));
    s.enc_ = enc;
    return s;
}

std::string String::utf8() const {
    if (IsUtf8Kind(enc_)) return bytes_;
    return DecodeToUTF8(bytes_, enc_);
}

String& String::operator+=(const String& other) {
    if (other.bytes_.empty()) return *this;
    if (bytes_.empty()) return *this = other;
    StringAccess::Invalidate(*this);
    if (SameBytesKind(enc_, other.enc_)) {
        bytes_ += other.bytes_;
        if (enc_ == nullptr) enc_ = other.enc_;
        return *this;
    }
    if (!enc_->IsUTF8()) bytes_ = DecodeToUTF8(bytes_, enc_);
    bytes_ += ToUtf8(other).bytes_;
    enc_ = Encodings::UTF8;
    return *this;
}

String operator+(const String& a, const String& b) {
    String r = a;
    r += b;
    return r;
}

bool operator==(const String& a, const String& b) {
    const std::string& x = a.bytes();
    const std::string& y = b.bytes();
    if (IsUtf8Kind(a.encoding()) && IsUtf8Kind(b.encoding())) {
        if (x.size() == y.size()) {
            size_t i = 0;
            while (i < x.size() && kLower.t[static_cast<unsigned char>(x[i])] == kLower.t[static_cast<unsigned char>(y[i])] &&
                   static_cast<unsigned char>(x[i]) < 0x80)
                ++i;
            if (i == x.size()) return true;
        }
    }
    return CompareCodePoints(a, b, true) == 0;
}

// ---------------------------------------------------------------------------
// Character functions.

int64_t Len(const String& s) {
    if (s.empty()) return 0;
    // Short UTF-8 texts (single characters from a walk) are counted without
    // building an index.
    if (!StringAccess::HasIndex(s) && s.bytes().size() <= 16 && s.encoding() && s.encoding()->IsUTF8()) {
        const unsigned char* p = Data(s);
        const size_t n = s.bytes().size();
        int64_t count = 0;
        for (size_t off = 0; off < n; ++count) off += Utf8Step(p, n, off, false);
        return count;
    }
    return StringAccess::Index(s).count;
}

String Mid(const String& s, int64_t start) { return Mid(s, start, INT64_MAX); }

String Mid(const String& s, int64_t start, int64_t length) {
    if (start < 1) start = 1;
    if (length <= 0 || s.empty()) return Slice(s, 0, 0);
    const CharIndex& idx = StringAccess::Index(s);
    if (start > idx.count) return Slice(s, 0, 0);
    const int64_t last = length >= idx.count - start + 1 ? idx.count : start - 1 + length;
    if (idx.kind == CharIndex::kBytes) return Slice(s, static_cast<size_t>(start - 1), static_cast<size_t>(last));
    const size_t begin = CharOffset(s, idx, start - 1);
    size_t end;
    if (idx.kind == CharIndex::kUtf8 && last - (start - 1) < kStride) {
        end = begin;
        const unsigned char* p = Data(s);
        for (int64_t i = start - 1; i < last; ++i) end += Utf8Step(p, s.bytes().size(), end, idx.valid);
        if (last < idx.count) SetHint(idx, last, end);
    } else {
        end = CharOffset(s, idx, last);
    }
    return Slice(s, begin, end);
}

String Left(const String& s, int64_t count) { return Mid(s, 1, count); }

String Right(const String& s, int64_t count) {
    if (count <= 0) return String::FromBytes(std::string(), s.encoding());
    const int64_t n = Len(s);
    if (count >= n) return s;
    return Mid(s, n - count + 1);
}

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

int64_t Asc(const String& s) {
    if (s.empty()) return 0;
    if (s.encoding() == nullptr) return AscB(s);
    CharCursor c(s, 0, s.encoding());
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    c.Next(cp, off, len);
    // An invalid byte gives its own value, like AscB.
    if (cp >= kInvalidBase && cp < kComposite) return cp - kInvalidBase;
    if (cp >= kComposite) {
        size_t l = 0;
        const std::string u = DecodeToUTF8(std::string_view(s.bytes()).substr(off, len), s.encoding());
        if (u.empty()) return 0;
        const uint32_t first = DecodeUtf8(reinterpret_cast<const unsigned char*>(u.data()), u.size(), l);
        return IsUnicode(first) ? first : 0xFFFD;
    }
    return cp;
}

String Chr(int64_t codePoint) {
    if (codePoint < 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return String();
    std::string out;
    AppendUtf8(out, static_cast<uint32_t>(codePoint));
    return String(std::move(out));
}

// ---------------------------------------------------------------------------
// Byte functions. Results keep the source's encoding.

int64_t LenB(const String& s) { return static_cast<int64_t>(s.bytes().size()); }

String MidB(const String& s, int64_t start) { return MidB(s, start, INT64_MAX); }

String MidB(const String& s, int64_t start, int64_t length) {
    if (start < 1) start = 1;
    const auto n = static_cast<int64_t>(s.bytes().size());
    if (length <= 0 || start > n) return String::FromBytes(std::string(), s.encoding());
    return Slice(s, static_cast<size_t>(start - 1), static_cast<size_t>(start - 1 + std::min(length, n - start + 1)));
}

String LeftB(const String& s, int64_t count) { return MidB(s, 1, count); }

String RightB(const String& s, int64_t count) {
    const auto n = static_cast<int64_t>(s.bytes().size());
    if (count <= 0) return String::FromBytes(std::string(), s.encoding());
    if (count >= n) return s;
    return MidB(s, n - count + 1);
}

int64_t InStrB(const String& s, const String& find) { return InStrB(1, s, find); }

int64_t InStrB(int64_t start, const String& s, const String& find) {
    if (start < 1) start = 1;
    const auto n = static_cast<int64_t>(s.bytes().size());
    if (n == 0 || start > n) return 0;
    if (find.empty()) return start;
    const size_t at = s.bytes().find(find.bytes(), static_cast<size_t>(start - 1));
    return at == std::string::npos ? 0 : static_cast<int64_t>(at) + 1;
}

int64_t AscB(const String& s) { return s.empty() ? 0 : static_cast<unsigned char>(s.bytes()[0]); }

String ChrB(int64_t byte) {
    if (byte < 0 || byte > 255) return String::FromBytes(std::string(), nullptr);
    return String::FromBytes(std::string(1, static_cast<char>(byte)), nullptr);
}

// ---------------------------------------------------------------------------

int StrComp(const String& a, const String& b, int mode) {
    if (mode != 0) return CompareCodePoints(a, b, true);
    if (SameBytesKind(a.encoding(), b.encoding())) return CompareBytes(a.bytes(), b.bytes());
    return CompareBytes(a.utf8(), b.utf8());
}

String ReplaceAll(const String& s, const String& find, const String& repl) {
    return ReplaceMatches(s, find, repl, true);
}

String Replace(const String& s, const String& find, const String& repl) {
    return ReplaceMatches(s, find, repl, false);
}

String ReplaceAllB(const String& s, const String& find, const String& repl) {
    if (s.empty() || find.empty()) return s;
    const std::string& src = s.bytes();
    const std::string& f = find.bytes();
    std::string out;
    size_t last = 0;
    for (size_t at = src.find(f); at != std::string::npos; at = src.find(f, last)) {
        out.append(src, last, at - last);
        out += repl.bytes();
        last = at + f.size();
    }
    if (last == 0) return s;
    out.append(src, last, std::string::npos);
    return String::FromBytes(std::move(out), s.encoding() ? s.encoding() : repl.encoding());
}

String ReplaceLineEndings(const String& s, const String& lineEnd) {
    const TextEncoding* enc = s.encoding();
    if (!lineEnd.empty() && !SameBytesKind(enc, lineEnd.encoding())) {
        String text = s, piece = lineEnd;
        Harmonize(text, piece);
        return ReplaceLineEndings(text, piece);
    }
    const std::string& src = s.bytes();
    const std::string& le = lineEnd.bytes();
    std::string out;
    out.reserve(src.size());
    if (IsUtf8Kind(enc) || enc->IsSingleByte()) {
        // CR and LF are bytes 13 and 10 in every such encoding, and never
        // part of a multi-byte UTF-8 character.
        size_t i = 0;
        const size_t n = src.size();
        while (i < n) {
            const size_t j = src.find_first_of("\r\n", i);
            if (j == std::string::npos) break;
            out.append(src, i, j - i);
            out += le;
            i = j + ((src[j] == '\r' && j + 1 < n && src[j + 1] == '\n') ? 2 : 1);
        }
        out.append(src, i, std::string::npos);
    } else {
        CharCursor c(s, 0, s.encoding());
        uint32_t cp = 0;
        size_t off = 0, len = 0;
        bool afterCR = false;
        while (c.Next(cp, off, len)) {
            if (cp == '\n' && afterCR) {
                afterCR = false;
                continue;
            }
            afterCR = cp == '\r';
            if (cp == '\r' || cp == '\n')
                out += le;
            else
                out.append(src, off, len);
        }
    }
    return String::FromBytes(std::move(out), enc ? enc : lineEnd.encoding());
}

String Trim(const String& s) {
    const size_t b = TrimStart(s);
    if (b == s.bytes().size()) return Slice(s, b, b);
    return Slice(s, b, TrimEnd(s));
}

String LTrim(const String& s) { return Slice(s, TrimStart(s), s.bytes().size()); }
String RTrim(const String& s) { return Slice(s, 0, TrimEnd(s)); }
String Lowercase(const String& s) { return MapCase(s, false); }
String Uppercase(const String& s) { return MapCase(s, true); }

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

String Join(const std::vector<String>& parts, const String& sep) {
    String r;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) r += sep;
        r += parts[i];
    }
    return r;
}

// ---------------------------------------------------------------------------
// Numbers.

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
        // Hex digits as an unsigned 64-bit pattern, like the framework.
        uint64_t v = 0;
        bool any = false;
        for (i += 2; i < n && std::isxdigit(static_cast<unsigned char>(t[i])); ++i) {
            const char c = t[i];
            v = (v << 4) | static_cast<uint64_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
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
    static const char kDigits[] = "0123456789ABCDEF";
    auto u = static_cast<uint64_t>(n);
    char buf[16];
    int i = 16;
    do {
        buf[--i] = kDigits[u & 0xF];
        u >>= 4;
    } while (u != 0);
    return String(std::string_view(buf + i, static_cast<size_t>(16 - i)));
}

}  // namespace fw
