// Case-insensitive matching: equality, InStr, ReplaceAll, StrComp, case mapping.
#include <gtest/gtest.h>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

using namespace fw;

namespace {

String Bytes(std::string b, const TextEncoding* enc) { return String::FromBytes(std::move(b), enc); }

TEST(StringCase, EqualityFoldsCase) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Javascript", "JAVASCRIPT", true},
        {"", "", true},
        {"a", "", false},
        {"abc", "abd", false},
        {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true},  // Été / éTÉ
        {"\xCE\xA3", "\xCF\x83", true},                    // Σ σ
        {"\xCF\x82", "\xCF\x83", true},                    // ς σ
        {"\xCE\xA3", "\xCF\x82", true},                    // Σ ς
        {"\xC5\xBF", "S", true},                           // ſ s
        {"\xE2\x84\xAA", "k", true},                       // Kelvin sign
        {"\xC4\xB1", "i", false},                          // dotless ı
        {"\xC4\xB1", "I", false},
        {"\xC4\xB0", "i", false},   // İ
        {"\xC3\x9F", "ss", false},  // simple folding only
        {"\xFF", "\xFE", false},    // invalid bytes are exact
        {"\xFF", "\xFF", true},
        {"\xC3\xA9", "\xC3\xA9\xCC\x81", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(String(c.a) == String(c.b), c.equal) << c.a << " vs " << c.b;
        EXPECT_EQ(String(c.b) == String(c.a), c.equal) << c.b << " vs " << c.a;
        EXPECT_EQ(StrComp(c.a, c.b, 1) == 0, c.equal) << c.a;
    }
}

TEST(StringCase, EqualityAcrossEncodings) {
    EXPECT_TRUE(Bytes("caf\xC9", Encodings::WindowsLatin1) == String("CAF\xC3\xA9"));
    EXPECT_TRUE(Bytes(std::string("\0a\0\xE9", 4), Encodings::UTF16) == String("A\xC3\x89"));
    EXPECT_FALSE(Bytes("caf\xE9", Encodings::WindowsLatin1) == String("cafe"));
    EXPECT_TRUE(Bytes("\x82\xA0", Encodings::ShiftJIS) == String("\xE3\x81\x82"));
}

TEST(StringCase, StrCompModes) {
    EXPECT_EQ(StrComp("abc", "abc", 0), 0);
    EXPECT_EQ(StrComp("abc", "ABC", 0), 1);  // 'a' > 'A'
    EXPECT_EQ(StrComp("ABC", "abc", 0), -1);
    EXPECT_EQ(StrComp("abc", "ABC", 1), 0);
    EXPECT_EQ(StrComp("ab", "abc", 0), -1);
    EXPECT_EQ(StrComp("abc", "ab", 1), 1);
    EXPECT_EQ(StrComp("a", "b", 1), -1);
    EXPECT_EQ(StrComp("\xC3\xA9", "e", 0), 1);  // bytes compare unsigned
    EXPECT_EQ(StrComp(Bytes("\xE9", Encodings::WindowsLatin1), "\xC3\xA9", 0), 0);
}

TEST(StringCase, InStrPositions) {
    // "Aé€b" repeated: character positions differ from byte positions.
    const String s(
        "A\xC3\xA9\xE2\x82\xAC"
        "bA\xC3\xA9\xE2\x82\xAC"
        "b");
    // clang-format off
    struct Case { int64_t start; const char* find; int64_t want; };
    const Case cases[] = {
        {1, "a", 1},
        {2, "a", 5},
        {1, "\xC3\x89\xE2\x82\xAC" "B", 2},  // ÉEUR B
        {3, "\xC3\x89", 6},
        {7, "\xC3\x89", 0},
        {8, "b", 8},
        {9, "b", 0},                          // past the end
        {0, "b", 4},                          // start below 1 reads as 1
        {1, "", 1},
        {6, "", 6},
        {9, "", 0},
        {1, "x", 0},
        {1, "ba\xC3\xA9\xE2\x82\xAC" "bb", 0},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(InStr(c.start, s, c.find), c.want) << c.start << " " << c.find;
    EXPECT_EQ(InStr("", ""), 0);
    EXPECT_EQ(InStr("", "a"), 0);
    EXPECT_EQ(InStr("abc", "C"), 3);
    EXPECT_EQ(InStr("</SCRIPT>", "</script>"), 1);
    EXPECT_EQ(InStr("x\xE2\x84\xAAy", "K"), 2);  // Kelvin sign
    EXPECT_EQ(InStr("xk\xC5\xBFy", "KS"), 2);    // k then long s
    EXPECT_EQ(InStr("\xC4\xB1I", "i"), 2);       // ı does not match i
    EXPECT_EQ(InStr("\xC3\x89t\xC3\xA9", "\xC3\xA9"), 1);
    EXPECT_EQ(InStr("a\xFF"
                    "b",
                    "\xFF"
                    "B"),
              2);
    EXPECT_EQ(InStr("\xC5\x80", "\x80"), 0);  // never inside a character
    EXPECT_EQ(InStr("a\xC3\xA9"
                    "a\xC3\xA9\xC3\xA9\xE2\x82\xAC",
                    "\xC3\x89\xC3\xA9\xE2\x82\xAC"),
              4);
    EXPECT_EQ(InStr("\xC3\xA9\xC3\xA9\xC3\xA9\xE2\x82\xAC", "\xC3\xA9\xC3\xA9\xE2\x82\xAC"),
              2);  // partial match falls back
}

TEST(StringCase, InStrInOtherEncodings) {
    const String latin = Bytes("na\xEFve caf\xC9", Encodings::WindowsLatin1);
    EXPECT_EQ(InStr(latin, "CAF\xC3\xA9"), 7);
    EXPECT_EQ(InStr(latin, "\xC3\x8F"), 3);
    EXPECT_EQ(InStr(latin, "VE C"), 4);
    const String symbol = Bytes("a", Encodings::ByName("MacSymbol"));  // its "a" is alpha
    ASSERT_NE(symbol.encoding(), nullptr);
    EXPECT_EQ(InStr(symbol, "a"), 0);
    EXPECT_EQ(InStr(symbol, "\xCE\x91"), 1);  // Alpha
    const String utf16 = Bytes(std::string("\0a\xD8\x3D\xDE\x00\0B\0c", 10), Encodings::UTF16);
    EXPECT_EQ(InStr(utf16, "bC"), 3);
    EXPECT_EQ(InStr(utf16, "\xF0\x9F\x98\x80"), 2);
    // Without an encoding a text is bytes: only ASCII letters fold.
    const String nobody = Bytes("x\xC3\xA9y\xC3\x89", nullptr);
    EXPECT_EQ(InStr(nobody, "\xC3\xA9Y"), 2);
    EXPECT_EQ(InStr(nobody, "\xA9"), 3);
    EXPECT_EQ(InStr(3, nobody, "\xC3\xA9"), 0);
    EXPECT_EQ(InStr(3, nobody, "\xC3\x89"), 5);
    EXPECT_TRUE(nobody == String("X\xC3\x89Y\xC3\x89"));  // compared in the other side's encoding
}

TEST(StringCase, ReplaceAllIsNonOverlappingLeftToRight) {
    // clang-format off
    struct Case { const char* s; const char* find; const char* repl; const char* want; };
    const Case cases[] = {
        {"aaa", "aa", "b", "ba"},
        {"aaaa", "aa", "b", "bb"},
        {"abababa", "aba", "X", "XbX"},
        {"aAaA", "a", "", ""},
        {"x</SCRIPT>y</Script>", "</script>", "</s'+'cript>", "x</s'+'cript>y</s'+'cript>"},
        {"a\\b", "\\", "\\\\", "a\\\\b"},
        {"", "a", "b", ""},
        {"abc", "", "x", "abc"},
        {"abc", "abcd", "x", "abc"},
        {"\xC3\x89T\xC3\x89", "\xC3\xA9", "e", "eTe"},
        {"\xCE\xA3\xCF\x82\xCF\x83", "\xCF\x83", "s", "sss"},
        {"\xE2\x84\xAA" "k", "K", "x", "xx"},
        {"a\xFF" "b\xFE", "\xFF", "?", "a?b\xFE"},
        {"\xC4\xB0\xC4\xB1iI", "i", "-", "\xC4\xB0\xC4\xB1--"},
    };
    // clang-format on
    for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.s, c.find, c.repl).bytes(), c.want) << c.s;
    EXPECT_EQ(Replace("aAaA", "a", "b").bytes(), "bAaA");
    EXPECT_EQ(Replace("xyz", "Y", "").bytes(), "xz");
}

TEST(StringCase, ReplaceAllKeepsOrConvertsTheEncoding) {
    const String latin = Bytes("caf\xC9 caf\xE9", Encodings::WindowsLatin1);
    const String r = ReplaceAll(latin, "\xC3\xA9", Bytes("e", Encodings::WindowsLatin1));
    EXPECT_EQ(r.bytes(), "cafe cafe");
    EXPECT_EQ(r.encoding(), Encodings::WindowsLatin1);
    // A replacement in another encoding is brought to the text's when it
    // fits; otherwise both go to UTF-8, as + takes them.
    const String euro = ReplaceAll(latin, " ", "\xE2\x82\xAC");
    EXPECT_EQ(euro.bytes(),
              "caf\xC9\x80"
              "caf\xE9");
    EXPECT_EQ(euro.encoding(), Encodings::WindowsLatin1);
    const String omega = ReplaceAll(latin, " ", "\xCE\xA9");
    EXPECT_EQ(omega.bytes(),
              "caf\xC3\x89\xCE\xA9"
              "caf\xC3\xA9");
    EXPECT_EQ(omega.encoding(), Encodings::UTF8);
}

TEST(StringCase, ReplaceAllBIsExact) {
    EXPECT_EQ(ReplaceAllB("aAaa", "a", "b").bytes(), "bAbb");
    EXPECT_EQ(ReplaceAllB("aaa", "aa", "b").bytes(), "ba");
    EXPECT_EQ(ReplaceAllB("\xC3\xA9", "\xA9", "").bytes(), "\xC3");
    EXPECT_EQ(ReplaceAllB("abc", "", "x").bytes(), "abc");
}

TEST(StringCase, LowercaseAndUppercase) {
    EXPECT_EQ(Lowercase("\xC4\xB0I").bytes(), "ii");  // simple mappings: no dot above, no Turkish rule
    EXPECT_EQ(Lowercase("AbC \xC3\x89\xCE\xA3").bytes(), "abc \xC3\xA9\xCF\x83");
    EXPECT_EQ(Uppercase("abc \xC3\xA9\xCF\x83\xC3\x9F").bytes(), "ABC \xC3\x89\xCE\xA3\xC3\x9F");
    EXPECT_EQ(Uppercase("a\xFF"
                        "b")
                  .bytes(),
              "A\xFF"
              "B");
    const String latin = Bytes("\xE9t\xE9 \xFF", Encodings::WindowsLatin1);
    const String up = Uppercase(latin);
    EXPECT_EQ(up.bytes(), "\xC9T\xC9 \x9F");  // ÿ -> Ÿ is 0x9F in cp1252
    EXPECT_EQ(up.encoding(), Encodings::WindowsLatin1);
    const String iso = Bytes("\xFF", Encodings::ISOLatin1);
    EXPECT_EQ(Uppercase(iso).bytes(), "\xFF");  // Ÿ is not in ISO Latin 1: kept
    const String utf16 = Bytes(std::string("\0a\0\xE9", 4), Encodings::UTF16);
    EXPECT_EQ(Uppercase(utf16).bytes(), std::string("\0A\0\xC9", 4));
}

}  // namespace
