#pragma once
// What the parts of String share: the character index, the per-encoding
// byte tables, the character cursor and slicing. Only fw/core's String*.cpp
// include this.
//
// Characters: UTF-8 strings (UTF8, SystemDefault) count code points, and a
// byte that does not start a well-formed sequence counts as one character of
// its own. Strings without an encoding and single-byte encodings count bytes.
// Other encodings (UTF16, UCS4, ShiftJIS, ...) ask TextEncoding::CharStarts.
//
// Letter case follows CaseFold.h. A text without an encoding is compared in
// the other side's encoding; searched in, it is bytes where only ASCII
// letters fold, so that matches fall on its byte-sized characters.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/CaseFold.h"
#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"
#include "fw/core/Utf8.h"

namespace fw {

// ---------------------------------------------------------------- bytes

inline bool IsUtf8Kind(const TextEncoding* enc) { return enc == nullptr || enc->IsUTF8(); }

inline const unsigned char* Data(const String& s) { return reinterpret_cast<const unsigned char*>(s.bytes().data()); }

// ASCII lower case of every byte; other bytes map to themselves.
inline constexpr std::array<unsigned char, 256> kLower = [] {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>((i >= 'A' && i <= 'Z') ? i + 32 : i);
    return t;
}();

// True when b's bytes can be used beside a's without conversion.
bool SameBytesKind(const TextEncoding* a, const TextEncoding* b);
String ToUtf8(const String& s);
// Brings `piece` (a replacement, a line end) to the encoding of `s` when it
// can do so without loss; otherwise both go to UTF-8, as + would take them.
void Harmonize(String& s, String& piece);

// ---------------------------------------------------------------- case

// Per-encoding tables of a single-byte encoding: the code point of every
// byte, and the byte of its lower- and upper-case letter where the encoding
// has one. Built once per encoding and kept for the process.
struct ByteTable {
    // ASCII bytes are ASCII and no other byte folds to ASCII, so an ASCII
    // pattern can be searched for in the raw bytes.
    bool asciiSafe = true;
    std::array<uint32_t, 256> cp{};
    std::array<unsigned char, 256> lower{};
    std::array<unsigned char, 256> upper{};
};
const ByteTable& TableFor(const TextEncoding* enc);

// Bytes of one code point in `enc`, or "" when it can't hold it.
std::string EncodeChar(uint32_t cp, const TextEncoding* enc);

// ---------------------------------------------------------------- index

// Every kStride-th character start is kept for UTF-8 strings: a walk from
// one of them costs at most kStride - 1 steps and the marks take a quarter
// of the text's size at worst.
inline constexpr int64_t kStride = 16;

// How the characters of a string lie in its bytes. Immutable once built,
// except for the lookup hint; copies of a string share it.
struct CharIndex {
    enum Kind { kBytes, kUtf8, kStarts } kind = kBytes;
    int64_t count = 0;
    bool valid = true;          // kUtf8: well-formed, so lead bytes give lengths
    bool foldsToAscii = false;  // kUtf8: holds "ſ" or the Kelvin sign
    // kUtf8: byte offset of every kStride-th character; kStarts: every
    // character start plus the size.
    std::vector<uint32_t> marks;
    // kUtf8: the last character looked up (index << 32 | byte offset), so
    // that a walk with Mid(s, i, 1) steps one character at a time. Atomic
    // because copies of a string, which may live on other threads, share
    // this index.
    mutable std::atomic<uint64_t> hint{0};
};

struct StringAccess {
    // The index, built at first use. Filling it inside const functions is
    // safe because a String object is used by one thread at a time.
    static const CharIndex& Index(const String& s) {
        if (!s.index_) s.index_ = Build(s);
        return *s.index_;
    }
    static void Invalidate(String& s) { s.index_.reset(); }
    static bool HasIndex(const String& s) { return s.index_ != nullptr; }
    // Built in place: the character walk makes one of these per character.
    static String Make(const char* p, size_t n, const TextEncoding* enc) {
        String r(std::string_view(p, n));
        r.enc_ = enc;
        return r;
    }
    static std::shared_ptr<const CharIndex> Build(const String& s);
};

// Utf8Length, kept out of line so that the walks below stay tight.
size_t Utf8LengthOutOfLine(const unsigned char* p, size_t avail);

// Byte length of the UTF-8 character at off; `valid` (a well-formed text)
// lets the lead byte tell.
inline size_t Utf8Step(const unsigned char* p, size_t n, size_t off, bool valid) {
    const unsigned char b = p[off];
    if (b < 0x80) return 1;
    if (valid) return b < 0xE0 ? 2 : (b < 0xF0 ? 3 : 4);
    return Utf8LengthOutOfLine(p + off, n - off);
}

// Byte offset of character k (0-based); k == count gives the size.
inline size_t CharOffset(const String& s, const CharIndex& idx, int64_t k) {
    if (k >= idx.count) return s.bytes().size();
    switch (idx.kind) {
    case CharIndex::kBytes: return static_cast<size_t>(k);
    case CharIndex::kStarts: return idx.marks[static_cast<size_t>(k)];
    case CharIndex::kUtf8: break;
    }
    const unsigned char* p = Data(s);
    const size_t n = s.bytes().size();
    const uint64_t hint = idx.hint.load(std::memory_order_relaxed);
    const auto hk = static_cast<int64_t>(hint >> 32);
    int64_t steps = k % kStride;
    size_t off = idx.marks[static_cast<size_t>(k / kStride)];
    if (hk <= k && k - hk < steps) {
        steps = k - hk;
        off = static_cast<uint32_t>(hint);
    }
    for (; steps > 0; --steps) off += Utf8Step(p, n, off, idx.valid);
    return off;
}

inline void SetHint(const CharIndex& idx, int64_t k, size_t off) {
    idx.hint.store(static_cast<uint64_t>(k) << 32 | static_cast<uint32_t>(off), std::memory_order_relaxed);
}

// Index of the character that starts at byte offset `off`.
inline int64_t CharAt(const String& s, const CharIndex& idx, size_t off) {
    switch (idx.kind) {
    case CharIndex::kBytes: return static_cast<int64_t>(off);
    case CharIndex::kStarts:
        return std::lower_bound(idx.marks.begin(), idx.marks.end(), static_cast<uint32_t>(off)) - idx.marks.begin();
    case CharIndex::kUtf8: break;
    }
    if (off >= s.bytes().size()) return idx.count;
    const auto it = std::upper_bound(idx.marks.begin(), idx.marks.end(), static_cast<uint32_t>(off)) - 1;
    int64_t k = (it - idx.marks.begin()) * kStride;
    const unsigned char* p = Data(s);
    const size_t n = s.bytes().size();
    for (size_t o = *it; o < off; ++k) o += Utf8Step(p, n, o, idx.valid);
    return k;
}

inline String Slice(const String& s, size_t begin, size_t end) {
    return StringAccess::Make(s.bytes().data() + begin, end - begin, s.encoding());
}

// ---------------------------------------------------------------- cursor

// Walks the characters of a string from a byte offset, read in `readAs`,
// giving each one's code point (or a stand-in, see CaseFold.h) and bytes.
// readAs nullptr reads bytes: ASCII, and every other byte as itself.
class CharCursor {
public:
    CharCursor(const String& s, size_t from, const TextEncoding* readAs)
        : enc_(readAs), p_(Data(s)), n_(s.bytes().size()), pos_(from) {
        if (readAs == nullptr) {
            mode_ = kBytes;
        } else if (readAs->IsUTF8()) {
            mode_ = kUtf8;
        } else if (readAs->IsSingleByte()) {
            mode_ = kTable;
            table_ = &TableFor(readAs);
        } else {
            mode_ = kStarts;
            if (readAs == s.encoding()) {
                starts_ = &StringAccess::Index(s).marks;
            } else {
                own_ = readAs->CharStarts(s.bytes());
                if (own_.empty() || own_.back() != n_) own_.push_back(static_cast<uint32_t>(n_));
                starts_ = &own_;
            }
            si_ = static_cast<size_t>(
                std::lower_bound(starts_->begin(), starts_->end(), static_cast<uint32_t>(from)) - starts_->begin());
        }
    }

    bool Next(uint32_t& cp, size_t& off, size_t& len) {
        if (pos_ >= n_) return false;
        off = pos_;
        switch (mode_) {
        case kBytes:
            cp = p_[pos_] < 0x80 ? p_[pos_] : kInvalidBase + p_[pos_];
            len = 1;
            break;
        case kUtf8: cp = Utf8Char(p_ + pos_, n_ - pos_, len); break;
        case kTable:
            cp = table_->cp[p_[pos_]];
            len = 1;
            break;
        case kStarts:
            if (si_ + 1 >= starts_->size()) return false;
            len = (*starts_)[si_ + 1] - pos_;
            cp = CharCode(std::string_view(reinterpret_cast<const char*>(p_) + pos_, len), enc_);
            ++si_;
            break;
        }
        pos_ += len;
        return true;
    }

    // Passes over ASCII characters.
    void SkipAscii() {
        if (mode_ != kUtf8 && mode_ != kBytes) return;
        while (pos_ + 8 <= n_ && AsciiWord(p_ + pos_)) pos_ += 8;
        while (pos_ < n_ && p_[pos_] < 0x80) ++pos_;
    }

private:
    enum Mode { kBytes, kUtf8, kTable, kStarts } mode_;
    const TextEncoding* enc_;
    const unsigned char* p_;
    size_t n_;
    size_t pos_;
    const ByteTable* table_ = nullptr;
    const std::vector<uint32_t>* starts_ = nullptr;
    std::vector<uint32_t> own_;
    size_t si_ = 0;
};

}  // namespace fw
