#include "PakkleReference.h"

std::vector<TPakkle::Token> ReferenceTokens(const fw::String& source, bool unicode) {
    TPakkle pakkle;
    auto length = [unicode](const fw::String& s) { return unicode ? fw::Len(s) : fw::LenB(s); };
    auto mid = [unicode](const fw::String& s, int64_t start, int64_t n) {
        return unicode ? fw::Mid(s, start, n) : fw::MidB(s, start, n);
    };
    std::vector<TPakkle::Token> tokens;
    const int64_t L = length(source);
    int64_t pos = 1;
    while (pos <= L) {
        const fw::String window = pos <= 8281 ? mid(source, 1, pos - 1) : mid(source, pos - 8280, 8280);
        int64_t d = 0, n = 0;
        for (int64_t len = 4; len <= 91 && pos + len <= L; ++len) {
            const fw::String pattern = mid(source, pos, len);
            const int64_t p = unicode ? pakkle.MyInStr(window, pattern) : fw::InStrB(window, pattern);
            if (p == 0) break;
            d = pos <= 8281 ? pos - p : 8281 - p;
            n = len;
        }
        if (d == 0) {
            tokens.push_back({static_cast<uint32_t>(pos), 0, 1});
            pos += 1;
        } else {
            tokens.push_back({static_cast<uint32_t>(pos), static_cast<uint32_t>(d), static_cast<uint32_t>(n)});
            pos += n;
        }
    }
    return tokens;
}
