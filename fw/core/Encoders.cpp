#include "fw/core/Encoders.h"

#include <algorithm>
#include <array>
#include <cstring>

#include <sys/mman.h>

#include "fw/core/Numbers.h"
#include "fw/core/TextEncoding.h"

namespace fw {
namespace {

constexpr char kB64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// A string of `size` bytes. Large ones ask for transparent huge pages
// before the first touch: faulting in 100 MB page by page costs more than
// encoding it.
std::string LargeBuffer(size_t size) {
    std::string out;
    constexpr uintptr_t kHuge = uintptr_t{2} << 20;
    if (size >= 4 * kHuge) {
        out.reserve(size);
        uintptr_t begin = (reinterpret_cast<uintptr_t>(out.data()) + kHuge - 1) & ~(kHuge - 1);
        uintptr_t end = (reinterpret_cast<uintptr_t>(out.data()) + size) & ~(kHuge - 1);
        if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    out.resize(size);
    return out;
}

// Two output characters per 12 input bits, as they lie in memory (the
// first character in the low byte on this little-endian target).
struct Base64Pairs {
    std::array<uint16_t, 4096> pair{};
    constexpr Base64Pairs() {
        for (int i = 0; i < 4096; ++i)
            pair[i] = static_cast<uint16_t>(static_cast<uint8_t>(kB64[i >> 6]) |
                                            (static_cast<uint8_t>(kB64[i & 63]) << 8));
    }
};
constexpr Base64Pairs kPairs;

// 0-63 for alphabet characters, 64 for everything else (skipped).
struct Base64Values {
    std::array<uint8_t, 256> v{};
    constexpr Base64Values() {
        for (auto& x : v) x = 64;
        for (int i = 0; i < 64; ++i) v[static_cast<uint8_t>(kB64[i])] = static_cast<uint8_t>(i);
    }
};
constexpr Base64Values kValues;

// Encodes in[0, n) into out; n is a multiple of 3. Six bytes at a time
// through one 8-byte load where the input allows the over-read.
char* EncodeGroups(const unsigned char* in, size_t n, char* out, size_t available) {
    size_t i = 0;
    for (; i + 8 <= available && i + 6 <= n; i += 6) {
        uint64_t v;
        std::memcpy(&v, in + i, 8);
        v = __builtin_bswap64(v);
        uint64_t chars = uint64_t(kPairs.pair[(v >> 52) & 4095]) | (uint64_t(kPairs.pair[(v >> 40) & 4095]) << 16) |
                         (uint64_t(kPairs.pair[(v >> 28) & 4095]) << 32) |
                         (uint64_t(kPairs.pair[(v >> 16) & 4095]) << 48);
        std::memcpy(out, &chars, 8);
        out += 8;
    }
    for (; i < n; i += 3) {
        uint32_t v = (uint32_t(in[i]) << 16) | (uint32_t(in[i + 1]) << 8) | in[i + 2];
        uint32_t chars = uint32_t(kPairs.pair[v >> 12]) | (uint32_t(kPairs.pair[v & 4095]) << 16);
        std::memcpy(out, &chars, 4);
        out += 4;
    }
    return out;
}

// The last 1 or 2 bytes as a padded group of four.
void EncodeTail(const unsigned char* in, size_t rest, char* o) {
    uint32_t v = uint32_t(in[0]) << 16;
    if (rest == 2) v |= uint32_t(in[1]) << 8;
    o[0] = kB64[v >> 18];
    o[1] = kB64[(v >> 12) & 63];
    o[2] = rest == 2 ? kB64[(v >> 6) & 63] : '=';
    o[3] = '=';
}

// The byte spelt by the two hex digits after position i, or -1 where
// they are missing or not hex.
int HexPairAfter(const std::string& in, size_t i) {
    if (i + 2 >= in.size()) return -1;
    const int hi = HexValue(static_cast<unsigned char>(in[i + 1]));
    const int lo = HexValue(static_cast<unsigned char>(in[i + 2]));
    return hi < 16 && lo < 16 ? hi * 16 + lo : -1;
}

}  // namespace

String EncodeBase64(const String& s, int64_t width) {
    const std::string& in = s.bytes();
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const size_t n = in.size();
    const size_t chars = (n + 2) / 3 * 4;
    const size_t whole = n / 3 * 3;
    const size_t rest = n % 3;
    std::string out;
    if (chars == 0) return String(std::move(out));

    if (width <= 0 || static_cast<size_t>(width) >= chars) {
        out = LargeBuffer(chars);
        char* o = EncodeGroups(p, whole, out.data(), n);
        if (rest) EncodeTail(p + whole, rest, o);
        return String(std::move(out));
    }

    const size_t w = static_cast<size_t>(width);
    const size_t lines = (chars + w - 1) / w;
    out = LargeBuffer(chars + 2 * (lines - 1));
    if (w % 4 == 0) {
        // Whole groups per line: encode each line in place.
        const size_t lineBytes = w / 4 * 3;
        char* o = out.data();
        size_t i = 0;
        for (; i + lineBytes <= whole; i += lineBytes) {
            o = EncodeGroups(p + i, lineBytes, o, n - i);
            if (o != out.data() + out.size()) {
                *o++ = '\r';
                *o++ = '\n';
            }
        }
        o = EncodeGroups(p + i, whole - i, o, n - i);
        if (rest) EncodeTail(p + whole, rest, o);
        return String(std::move(out));
    }
    // Lines that split groups: encode unbroken, then splice the breaks in.
    std::string flat = LargeBuffer(chars);
    char* o = EncodeGroups(p, whole, flat.data(), n);
    if (rest) EncodeTail(p + whole, rest, o);
    char* dst = out.data();
    for (size_t i = 0; i < chars; i += w) {
        size_t len = std::min(w, chars - i);
        std::memcpy(dst, flat.data() + i, len);
        dst += len;
        if (i + len < chars) {
            *dst++ = '\r';
            *dst++ = '\n';
        }
    }
    return String(std::move(out));
}

String DecodeBase64(const String& s, const TextEncoding* enc) {
    const std::string& in = s.bytes();
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const size_t n = in.size();
    std::string out = LargeBuffer(n / 4 * 3 + 3);
    char* o = out.data();
    uint32_t acc = 0;
    int have = 0;
    size_t i = 0;
    while (i < n) {
        // Fast path: four alphabet characters in a row, nothing pending.
        if (have == 0 && i + 4 <= n) {
            uint32_t a = kValues.v[p[i]], b = kValues.v[p[i + 1]], c = kValues.v[p[i + 2]], d = kValues.v[p[i + 3]];
            if ((a | b | c | d) < 64) {
                uint32_t v = (a << 18) | (b << 12) | (c << 6) | d;
                o[0] = static_cast<char>(v >> 16);
                o[1] = static_cast<char>(v >> 8);
                o[2] = static_cast<char>(v);
                o += 3;
                i += 4;
                continue;
            }
        }
        uint32_t v = kValues.v[p[i++]];
        if (v >= 64) continue;  // padding, line ends and garbage
        acc = (acc << 6) | v;
        if (++have == 4) {
            o[0] = static_cast<char>(acc >> 16);
            o[1] = static_cast<char>(acc >> 8);
            o[2] = static_cast<char>(acc);
            o += 3;
            have = 0;
            acc = 0;
        }
    }
    // A trailing group of 2 or 3 characters still holds 1 or 2 whole bytes;
    // a single character holds none.
    if (have == 2) {
        *o++ = static_cast<char>(acc >> 4);
    } else if (have == 3) {
        *o++ = static_cast<char>(acc >> 10);
        *o++ = static_cast<char>(acc >> 2);
    }
    out.resize(static_cast<size_t>(o - out.data()));
    return String::FromBytes(std::move(out), enc);
}

String EncodeQuotedPrintable(const String& s) {
    const std::string& in = s.bytes();
    const size_t n = in.size();
    // Soft breaks follow the text's own line-end style: CR LF when its first
    // line end is CR LF, LF otherwise.
    const size_t firstLf = in.find('\n');
    const bool crlf = firstLf != std::string::npos && firstLf > 0 && in[firstLf - 1] == '\r';
    const char* softBreak = crlf ? "=\r\n" : "=\n";

    constexpr size_t kMaxLine = 76;  // including the "=" of a soft break
    std::string out;
    out.reserve(n + n / 8 + 16);
    size_t col = 0;
    // A blank before a soft break is safe: the "=" follows it.
    auto emit = [&](const char* piece, size_t len) {
        if (col + len > kMaxLine - 1) {
            out += softBreak;
            col = 0;
        }
        out.append(piece, len);
        col += len;
    };
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(in[i]);
        const bool crlfHere = b == '\r' && i + 1 < n && in[i + 1] == '\n';
        if (b == '\n' || crlfHere) {
            out.append(crlfHere ? "\r\n" : "\n");
            if (crlfHere) ++i;
            col = 0;
            continue;
        }
        // Blanks survive transport only when something visible follows them
        // on the same line.
        bool lineEndsHere = i + 1 == n || in[i + 1] == '\n' || (in[i + 1] == '\r' && i + 2 < n && in[i + 2] == '\n');
        bool literal = (b >= 33 && b <= 126 && b != '=') || ((b == ' ' || b == '\t') && !lineEndsHere);
        if (literal) {
            char c = static_cast<char>(b);
            emit(&c, 1);
        } else {
            char esc[3] = {'=', HexDigit(b >> 4), HexDigit(b)};
            emit(esc, 3);
        }
    }
    return String(std::move(out));
}

String DecodeQuotedPrintable(const String& s, const TextEncoding* enc) {
    const std::string& in = s.bytes();
    const size_t n = in.size();
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        // Everything up to the next "=" stands as it is.
        const size_t eq = std::min(in.find('=', i), n);
        out.append(in, i, eq - i);
        if ((i = eq) == n) break;
        if (const int byte = HexPairAfter(in, i); byte >= 0) {
            out.push_back(static_cast<char>(byte));
            i += 2;
            continue;
        }
        // Soft line break: "=", optional blanks, then CR LF, LF or the end.
        size_t j = i + 1;
        while (j < n && (in[j] == ' ' || in[j] == '\t')) ++j;
        if (j == n) {
            i = j - 1;
            continue;
        }
        if (in[j] == '\n') {
            i = j;
            continue;
        }
        if (in[j] == '\r' && j + 1 < n && in[j + 1] == '\n') {
            i = j + 1;
            continue;
        }
        out.push_back('=');  // starts no valid escape: keep it
    }
    return String::FromBytes(std::move(out), enc);
}

String EncodeURLComponent(const String& s) {
    const std::string& in = s.bytes();
    std::string out;
    out.reserve(in.size() * 3);
    for (unsigned char b : in) {
        const bool unreserved = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                                b == '-' || b == '.' || b == '_' || b == '~';
        if (unreserved) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back('%');
            out.push_back(HexDigit(b >> 4));
            out.push_back(HexDigit(b));
        }
    }
    return String(std::move(out));
}

String DecodeURLComponent(const String& s, const TextEncoding* enc) {
    const std::string& in = s.bytes();
    const size_t n = in.size();
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        if (in[i] == '%') {
            if (const int byte = HexPairAfter(in, i); byte >= 0) {
                out.push_back(static_cast<char>(byte));
                i += 2;
                continue;
            }
        }
        out.push_back(in[i]);
    }
    return String::FromBytes(std::move(out), enc);
}

}  // namespace fw
