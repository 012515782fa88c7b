#pragma once
// Character walking for the converters, on bytes rather than through
// per-character substrings, so that a 10 MB text costs one pass. UTF-8
// characters are read with fw/core/Utf8.h.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

namespace quillet::walk {

// A text as the converters edit it: bytes in which every byte below 0x80 is
// that ASCII character and never part of a longer character. UTF-8 texts,
// texts without an encoding and ASCII-compatible single-byte texts keep
// their bytes and encoding; all others are converted to UTF-8.
// A text that needs no conversion is read where it stands, not copied.
struct Text {
    Text(const std::string& source, const fw::TextEncoding* e, bool single)
        : bytes(source), enc(e), singleByte(single) {}
    Text(std::string&& converted, const fw::TextEncoding* e, bool single)
        : owned_(std::move(converted)), bytes(owned_), enc(e), singleByte(single) {}
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

private:
    std::string owned_;

public:
    const std::string& bytes;
    const fw::TextEncoding* enc;  // what the result carries
    bool singleByte;              // one byte per character; else UTF-8 rules
};
Text Editable(const fw::String& s);

// The text as UTF-8 characters, for converters that need code points.
// Texts without an encoding are read as UTF-8.
Text AsUtf8(const fw::String& s);

}  // namespace quillet::walk
