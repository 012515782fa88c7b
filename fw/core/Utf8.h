#pragma once
// UTF-8, read and written one way everywhere.
//
// A character is a well-formed sequence: no overlong forms, no surrogates,
// nothing above U+10FFFF. Where a byte starts no such sequence, strings and
// the converters count that byte as a character of its own, while decoding
// for display replaces the longest start of a sequence (its maximal
// subpart) by one U+FFFD, as ICU and browsers do. Utf8Decode gives both.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace fw {

// Values from here up stand for a byte that is no character: kInvalidBase
// + the byte. They lie above the Unicode range, so they equal only the same
// byte.
inline constexpr uint32_t kInvalidBase = 0x110000;

inline bool IsUnicode(uint32_t cp) { return cp < kInvalidBase; }

inline bool IsUtf8Continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The well-formed sequence at p (avail > 0 bytes): its length, 1 to 4, with
// its code point in cp. 0 when ill-formed; then *bad, when asked for, is the
// length of the maximal subpart. Always in line: the callers are hot loops.
[[gnu::always_inline]] inline size_t Utf8Decode(const unsigned char* p, size_t avail, uint32_t& cp,
                                                size_t* bad = nullptr) {
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t good = 0;  // bytes of the sequence that fit so far
    if (b0 >= 0xC2 && b0 < 0xE0) {
        if (avail >= 2 && IsUtf8Continuation(p[1])) {
            cp = ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
            return 2;
        }
        good = 1;
    } else if (b0 >= 0xE0 && b0 < 0xF0) {
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;  // no surrogates
        good = 1;
        if (avail >= 2 && p[1] >= lo && p[1] <= hi) {
            if (avail >= 3 && IsUtf8Continuation(p[2])) {
                cp = ((b0 & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
                return 3;
            }
            good = 2;
        }
    } else if (b0 >= 0xF0 && b0 < 0xF5) {
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;  // nothing above U+10FFFF
        good = 1;
        if (avail >= 2 && p[1] >= lo && p[1] <= hi) {
            good = 2;
            if (avail >= 3 && IsUtf8Continuation(p[2])) {
                if (avail >= 4 && IsUtf8Continuation(p[3])) {
                    cp = ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
                    return 4;
                }
                good = 3;
            }
        }
    } else {
        good = 1;
    }
    if (bad) *bad = good;
    return 0;
}

// One character as strings count them: its code point, or kInvalidBase +
// the byte for a byte that starts no well-formed sequence (length 1).
inline uint32_t Utf8Char(const unsigned char* p, size_t avail, size_t& len) {
    uint32_t cp = 0;
    len = Utf8Decode(p, avail, cp);
    if (len != 0) return cp;
    len = 1;
    return kInvalidBase + p[0];
}

// Byte length of the character at p, as Utf8Char counts it.
inline size_t Utf8Length(const unsigned char* p, size_t avail) {
    if (p[0] < 0x80) return 1;
    size_t len = 0;
    Utf8Char(p, avail, len);
    return len;
}

// True when the 8 bytes at p are all ASCII.
inline bool AsciiWord(const unsigned char* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ull) == 0;
}

// Appends a code point (at most U+10FFFF) as UTF-8.
inline void AppendUtf8(std::string& out, uint32_t cp) {
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

// The characters of UTF-8 bytes in order, as Utf8Char reads them.
class Utf8Walker {
public:
    explicit Utf8Walker(std::string_view bytes)
        : p_(reinterpret_cast<const unsigned char*>(bytes.data())), n_(bytes.size()) {}

    // The next character's code point (or stand-in), byte offset and length;
    // false at the end.
    bool Next(uint32_t& cp, size_t& off, size_t& len) {
        if (pos_ >= n_) return false;
        off = pos_;
        cp = Utf8Char(p_ + pos_, n_ - pos_, len);
        pos_ += len;
        return true;
    }

private:
    const unsigned char* p_;
    size_t n_;
    size_t pos_ = 0;
};

}  // namespace fw
