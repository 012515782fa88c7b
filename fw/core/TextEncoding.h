#pragma once
// Text encodings by the 85 names of the encoding pop-up, backed by ICU
// converters (ours, compiled from mapping tables, where ICU has none).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/String.h"

namespace fw {

class TextEncoding {
public:
    int index;         // row in the pop-up order, 0 to 84
    const char* name;  // the pop-up name, "UTF8", "WindowsLatin1", ...

    bool IsUTF8() const;        // UTF8 and SystemDefault
    bool IsSingleByte() const;  // one byte is always one character
    // Byte offsets where characters start in `bytes` (invalid bytes count
    // as one character each), plus bytes.size() at the end.
    std::vector<uint32_t> CharStarts(std::string_view bytes) const;
    bool Equals(const TextEncoding* other) const;  // same table (WindowsANSI == WindowsLatin1)
};

// What a conversion lost: invalid input sequences (decoded to U+FFFD) and
// characters the target can't hold (encoded as "?").
struct ConversionReport {
    size_t invalidInput = 0;
    size_t unmappable = 0;
    size_t firstOffset = 0;  // byte offset in the input of the first loss
    bool lossy() const { return invalidInput + unmappable > 0; }
};

struct Encodings {
    static const TextEncoding* const SystemDefault;
    static const TextEncoding* const UTF8;
    static const TextEncoding* const ASCII;
    static const TextEncoding* const UTF16;
    static const TextEncoding* const UCS4;
    static const TextEncoding* const ISOLatin1;
    static const TextEncoding* const WindowsLatin1;
    static const TextEncoding* const WindowsANSI;
    static const TextEncoding* const MacRoman;
    static const TextEncoding* const ShiftJIS;

    static int Count();                                        // 85
    static const TextEncoding* At(int index);                  // nullptr out of range
    static const TextEncoding* ByName(std::string_view name);  // exact pop-up name; nullptr if unknown
    // True when the name has a real table; false for the names that read
    // only ASCII and report everything else.
    static bool HasTable(const TextEncoding* enc);
};

// The text converted to `enc`. A text already carrying `enc` (or an
// equal table) comes back byte for byte, even bytes invalid in it. A text
// without an encoding is read as UTF-8. `enc` nullptr: bytes unchanged,
// no encoding.
String ConvertEncoding(const String& s, const TextEncoding* enc, ConversionReport* report = nullptr);
// The same bytes, now carrying `enc`; UTF16 and UCS4 read and drop a
// byte-order mark, and are held big-endian.
String DefineEncoding(const String& s, const TextEncoding* enc);
// Counts the bytes of s that are invalid in its own encoding.
ConversionReport CheckEncoding(const String& s);

// Low-level: bytes in `from` to UTF-8 and back.
std::string DecodeToUTF8(std::string_view bytes, const TextEncoding* from, ConversionReport* report = nullptr);
std::string EncodeFromUTF8(std::string_view utf8, const TextEncoding* to, ConversionReport* report = nullptr);

}  // namespace fw
