#include "engine/TextWalk.h"

#include <map>

namespace quillet::walk {

size_t Utf8Char(const unsigned char* p, size_t n, uint32_t* codePoint, bool* valid) {
    const unsigned char b = p[0];
    *valid = true;
    if (b < 0x80) {
        *codePoint = b;
        return 1;
    }
    size_t len = 0;
    uint32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        cp = b & 0x0F;
        if (b == 0xE0) lo = 0xA0;  // overlong
        if (b == 0xED) hi = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        cp = b & 0x07;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    }
    bool ok = len != 0 && len <= n && p[1] >= lo && p[1] <= hi;
    for (size_t i = 2; ok && i < len; ++i) ok = (p[i] & 0xC0) == 0x80;
    if (!ok) {
        *valid = false;
        *codePoint = b;
        return 1;
    }
    for (size_t i = 1; i < len; ++i) cp = (cp << 6) | (p[i] & 0x3F);
    *codePoint = cp;
    return len;
}

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
    if (enc == nullptr || enc->IsUTF8()) return Text(s.bytes(), enc, false);
    if (enc->IsSingleByte() && AsciiCompatibleSingleByte(enc)) return Text(s.bytes(), enc, true);
    return AsUtf8(s);
}

Text AsUtf8(const fw::String& s) {
    const fw::TextEncoding* enc = s.encoding();
    if (enc == nullptr || enc->IsUTF8()) return Text(s.bytes(), enc, false);
    return Text(fw::DecodeToUTF8(s.bytes(), enc), fw::Encodings::UTF8, false);
}

}  // namespace quillet::walk
