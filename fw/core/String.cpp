// The String class: construction, joining, comparison, and the character,
// byte and trimming functions. Searching, letter case, the character index
// and numbers live in the String*.cpp beside this file.
#include "fw/core/String.h"

#include <unicode/uchar.h>

#include "fw/core/StringInternal.h"

namespace fw {

bool SameBytesKind(const TextEncoding* a, const TextEncoding* b) {
    if (a == nullptr || b == nullptr || a == b) return true;
    if (a->IsUTF8() && b->IsUTF8()) return true;
    return a->Equals(b);
}

String ToUtf8(const String& s) {
    if (IsUtf8Kind(s.encoding())) return String::FromBytes(s.bytes(), Encodings::UTF8);
    return ConvertEncoding(s, Encodings::UTF8);
}

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

namespace {

// White space for Trim: ASCII blanks and line ends plus Unicode White_Space,
// except the no-break spaces, which are content.
inline bool IsBlank(uint32_t cp) {
    if (cp < 0x80) return cp == ' ' || (cp >= 9 && cp <= 13);
    if (!IsUnicode(cp) || cp == 0xA0 || cp == 0x2007 || cp == 0x202F) return false;
    return u_isUWhiteSpace(static_cast<UChar32>(cp));
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
                const uint32_t cp = Utf8Char(p + end - l, l, len);
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
            while (i < x.size() &&
                   kLower[static_cast<unsigned char>(x[i])] == kLower[static_cast<unsigned char>(y[i])] &&
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
        const uint32_t first = Utf8Char(reinterpret_cast<const unsigned char*>(u.data()), u.size(), l);
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
            if (cp == '\r' || cp == '\n') out += le;
            else out.append(src, off, len);
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

String Join(const std::vector<String>& parts, const String& sep) {
    String r;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) r += sep;
        r += parts[i];
    }
    return r;
}

}  // namespace fw
