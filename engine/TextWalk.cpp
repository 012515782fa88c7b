#include "engine/TextWalk.h"

#include <atomic>
#include <cstdint>

namespace quillet::walk {

namespace {

// Single-byte tables whose lower half is ASCII (most, but not MacSymbol)
// and whose upper half holds no ASCII character (MacArabic and MacHebrew
// have a second quote, "<", "&", ... there, which the converters would miss).
// Worked out once per encoding; threads that ask at once may both work it
// out, with the same result.
bool AsciiCompatibleSingleByte(const fw::TextEncoding* enc) {
    enum : int8_t { kUnknown, kYes, kNo };
    static std::atomic<int8_t> known[85] = {};  // by TextEncoding::index
    std::atomic<int8_t>& slot = known[enc->index];
    if (const int8_t k = slot.load(std::memory_order_relaxed); k != kUnknown) return k == kYes;
    std::string ascii(128, '\0');
    for (int i = 0; i < 128; ++i) ascii[i] = static_cast<char>(i);
    bool same = fw::DecodeToUTF8(ascii, enc) == ascii;
    for (int i = 128; same && i < 256; ++i) {
        const std::string u = fw::DecodeToUTF8(std::string(1, static_cast<char>(i)), enc);
        for (char c : u) same = same && static_cast<unsigned char>(c) >= 0x80;
    }
    slot.store(same ? kYes : kNo, std::memory_order_relaxed);
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
