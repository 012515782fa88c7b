#include "engine/TextWalk.h"

#include <map>

namespace quillet::walk {

namespace {

// Single-byte tables whose lower half is ASCII (most, but not MacSymbol)
// and whose upper half holds no ASCII character (MacArabic and MacHebrew
// have a second quote, "<", "&", ... there, which the converters would miss).
bool AsciiCompatibleSingleByte(const fw::TextEncoding* enc) {
    static std::map<const fw::TextEncoding*, bool> known;
    auto it = known.find(enc);
    if (it != known.end()) return it->second;
    std::string ascii(128, '\0');
    for (int i = 0; i < 128; ++i) ascii[i] = static_cast<char>(i);
    bool same = fw::DecodeToUTF8(ascii, enc) == ascii;
    for (int i = 128; same && i < 256; ++i) {
        const std::string u = fw::DecodeToUTF8(std::string(1, static_cast<char>(i)), enc);
        for (char c : u) same = same && static_cast<unsigned char>(c) >= 0x80;
    }
    known.emplace(enc, same);
    return same;
}

}  // namespace

Text Editable(const fw::String& s) {
    const fw::TextEncoding* enc = s.encoding();
    if (enc == nullptr || enc->IsUTF8()) return {s.bytes(), enc, false};
    if (enc->IsSingleByte() && AsciiCompatibleSingleByte(enc)) return {s.bytes(), enc, true};
    return AsUtf8(s);
}

Text AsUtf8(const fw::String& s) {
    const fw::TextEncoding* enc = s.encoding();
    if (enc == nullptr || enc->IsUTF8()) return {s.bytes(), enc, false};
    return {fw::DecodeToUTF8(s.bytes(), enc), fw::Encodings::UTF8, false};
}

}  // namespace quillet::walk
