// The lazy character index: where the characters of a string start.
#include "fw/core/StringInternal.h"

namespace fw {

size_t Utf8LengthOutOfLine(const unsigned char* p, size_t avail) { return Utf8Length(p, avail); }

std::shared_ptr<const CharIndex> StringAccess::Build(const String& s) {
    auto idx = std::make_shared<CharIndex>();
    const std::string& b = s.bytes_;
    const TextEncoding* enc = s.enc_;
    if (enc == nullptr || (!enc->IsUTF8() && enc->IsSingleByte())) {
        idx->count = static_cast<int64_t>(b.size());
        return idx;
    }
    if (!enc->IsUTF8()) {
        idx->kind = CharIndex::kStarts;
        idx->marks = enc->CharStarts(b);
        if (idx->marks.empty() || idx->marks.back() != b.size())
            idx->marks.push_back(static_cast<uint32_t>(b.size()));
        idx->count = static_cast<int64_t>(idx->marks.size()) - 1;
        return idx;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    const size_t n = b.size();
    size_t off = 0;
    int64_t count = 0;
    bool ascii = true;
    std::vector<uint32_t>& marks = idx->marks;
    marks.reserve(n / 64 + 1);
    while (off < n) {
        if (off + 8 <= n) {
            if (AsciiWord(p + off)) {
                const int64_t next = static_cast<int64_t>(marks.size()) * kStride;
                if (next < count + 8) marks.push_back(static_cast<uint32_t>(off + (next - count)));
                off += 8;
                count += 8;
                continue;
            }
        }
        if (count % kStride == 0) marks.push_back(static_cast<uint32_t>(off));
        size_t len = 1;
        if (p[off] >= 0x80) {
            ascii = false;
            const uint32_t cp = Utf8Char(p + off, n - off, len);
            if (!IsUnicode(cp)) idx->valid = false;
            if (cp == 0x17F || cp == 0x212A) idx->foldsToAscii = true;
        }
        off += len;
        ++count;
    }
    idx->count = count;
    if (ascii) {
        marks.clear();
        marks.shrink_to_fit();
    } else {
        idx->kind = CharIndex::kUtf8;
    }
    return idx;
}

}  // namespace fw
