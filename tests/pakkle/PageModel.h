#pragma once
// What a browser makes of a page: the value of its string literals and a
// line-by-line transcription of its decoder, in script characters (UTF-16).
#include <optional>
#include <string>

struct PageParts {
    std::string code;  // the body of s='...', as written
    std::string runs;
    std::string alphabet;
};

// The three literals of the page's data line; nullopt when it has none.
std::optional<PageParts> SplitPage(const std::string& page);

// The value of a single-quoted literal body; `utf8` reads the bytes as UTF-8,
// otherwise one byte is one character. nullopt on an escape it doesn't know.
std::optional<std::u16string> LiteralValue(const std::string& body, bool utf8);

// Runs the decoder. `recordEveryChunk` false gives the decoder that records
// the partial chunk only when no chunk was completed. nullopt when the
// script would throw.
std::optional<std::u16string> RunDecoder(const std::u16string& s, const std::string& b, const std::string& c,
                                         bool recordEveryChunk = true);

// The page's text as the browser writes it, or nullopt.
std::optional<std::u16string> PageText(const std::string& page, bool utf8, bool recordEveryChunk = true);

std::u16string Utf16(const std::string& utf8);
std::u16string Latin1(const std::string& bytes);
