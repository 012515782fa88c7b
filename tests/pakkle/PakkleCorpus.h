#pragma once
// Texts the compressor tests share.
#include <random>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"

inline std::string RealHtml() { return testsupport::readFile(std::string(PAKKLE_TEST_DATA) + "/zlib_how.html"); }

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
