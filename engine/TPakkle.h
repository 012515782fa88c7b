#pragma once
// The compressor behind the "Pakkle" pages: a back-reference coder with a
// look-back window of 8280 units, first-occurrence matching, base-91 codes
// and run-length coded token flags, plus the self-extracting page or script
// around its output.
#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/String.h"

class TPakkle {
public:
    static constexpr int32_t kWindow = 8280;
    static constexpr int32_t kMinMatch = 4;
    static constexpr int32_t kMaxMatch = 91;
    static constexpr int32_t kRunLimit = 90;

    // A literal (dist 0, len 1) or a back-reference; pos is 1-based in units.
    struct Token {
        uint32_t pos;
        uint32_t dist;
        uint32_t len;
        bool operator==(const Token&) const = default;
    };
    // What the page carries: the escaped code stream and the run string.
    struct Streams {
        std::string code;
        std::string runs;
    };

    TPakkle() { Constructor(); }
    void Constructor() {}

    fw::String CompressJS(const fw::String& source, const fw::String& prefix, bool unicode);
    fw::String CompressHtml(const fw::String& source, const fw::String& prefix, bool unicode);
    fw::String CompressAnsi(const fw::String& source, const fw::String& prefix, bool isScript);
    fw::String OldCompress(const fw::String& source, const fw::String& prefix, bool isScript);
    fw::String CompressUni(const fw::String& source, const fw::String& prefix, bool isScript);
    int32_t MyInStr(const fw::String& source, const fw::String& pattern);
    fw::String Compress(const fw::String& source, const fw::String& prefix, bool isScript, bool unicode);
    // The same, with the page written after `head`: a caller that puts a
    // line before the page saves copying it.
    fw::String Compress(const fw::String& source, const fw::String& prefix, bool isScript, bool unicode,
                        std::string head);

    fw::String ExtraChar(const fw::String& unit);
    fw::String proc1c(int32_t n);
    fw::String proc2c(int32_t n);

    // The 91 symbols in value order.
    static const std::string& Alphabet();
    // The tokens of the main pass, before runs are made readable. In
    // character units a character that the browser holds as two or more
    // script characters (outside the BMP) counts as that many units.
    static std::vector<Token> Tokenize(const fw::String& source, bool unicode);
    // The code stream and run string that Compress puts in the page.
    static Streams Encode(const fw::String& source, bool unicode);
    // The decoder script, with `prefix` before each of its variable names.
    static std::string Decoder(const std::string& prefix, bool guarded);
};
