#pragma once
// The one rule by which characters compare without regard to letter case:
// ==, InStr, ReplaceAll, StrComp mode 1, the field functions, and the
// compressor's case-insensitive matches all compare these keys.
//
// A character's key is its code point after Unicode simple case folding,
// which maps one code point to one code point: "É" and "é" share a key, as
// do "Σ", "σ" and "ς", "ſ" and "s", the Kelvin sign and "k"; Turkish "ı" and
// "İ" keep keys of their own. A byte that is invalid in its encoding keys as
// kInvalidBase + the byte (see Utf8.h), so it matches only the same byte. A
// character of a multi-byte encoding that decodes to several code points, or
// none, keys as kComposite | a hash of its text.
#include <cstdint>
#include <string_view>

namespace fw {

class TextEncoding;

inline constexpr uint32_t kComposite = 0x80000000u;

// Unicode simple case folding of one code point. Values above U+10FFFF
// (stand-ins for invalid bytes and composites) come back unchanged. ASCII
// is folded in line: searches fold every character they pass.
uint32_t FoldCaseBeyondAscii(uint32_t codePoint);
inline uint32_t FoldCase(uint32_t codePoint) {
    if (codePoint < 0x80) return (codePoint >= 'A' && codePoint <= 'Z') ? codePoint + 32 : codePoint;
    return FoldCaseBeyondAscii(codePoint);
}

// The code point of one character of `enc` given as its bytes, or the value
// that stands for it (see above); not folded.
uint32_t CharCode(std::string_view bytes, const TextEncoding* enc);

// The key of one character given as its UTF-8 text (one code point, or the
// several of a composite).
uint32_t CaseKeyOfUtf8(std::string_view utf8);

}  // namespace fw
