#pragma once
// Texts the compressor tests share.
#include <fstream>
#include <random>
#include <sstream>
#include <string>

inline std::string RealHtml() {
    std::ifstream in(std::string(PAKKLE_TEST_DATA) + "/zlib_how.html", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// n symbols drawn from `symbols` (UTF-8 characters), repeatable by seed.
inline std::string RandomText(const std::vector<std::string>& symbols, size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<size_t> pick(0, symbols.size() - 1);
    std::string out;
    for (size_t i = 0; i < n; ++i) out += symbols[pick(rng)];
    return out;
}

inline std::vector<std::string> Letters(const std::string& ascii) {
    std::vector<std::string> out;
    for (char c : ascii) out.emplace_back(1, c);
    return out;
}
