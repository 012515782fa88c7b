// Character and byte positions: multi-byte characters, both ends, encodings.
#include <gtest/gtest.h>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

using namespace fw;

namespace {

String Bytes(std::string b, const TextEncoding* enc) { return String::FromBytes(std::move(b), enc); }

// "aé€😀": characters of 1, 2, 3 and 4 bytes.
const String kMixed("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");

TEST(StringChars, LenCountsCharactersLenBBytes) {
    EXPECT_EQ(Len(kMixed), 4);
    EXPECT_EQ(LenB(kMixed), 10);
    EXPECT_EQ(Len(""), 0);
    EXPECT_EQ(Len(Bytes("\xC3\xA9", nullptr)), 2);                    // no encoding: bytes
    EXPECT_EQ(Len(Bytes("\xE9t\xE9", Encodings::WindowsLatin1)), 3);  // single-byte
    EXPECT_EQ(Len(Bytes(std::string("\0A\0\xE9\xD8\x3D\xDE\x00", 8), Encodings::UTF16)), 3);
    EXPECT_EQ(Len(Bytes("\x82\xA0"
                        "a",
                        Encodings::ShiftJIS)),
              2);
}

TEST(StringChars, InvalidUtf8BytesCountOneEach) {
    // clang-format off
    struct Case { std::string bytes; int64_t len; };
    const Case cases[] = {
        {"\xFF", 1},
        {"a\x80" "b", 3},
        {"\xC3", 1},                  // cut off at the end
        {"\xE2\x82" "A", 3},          // cut off before ASCII
        {"\xC0\xAF", 2},              // overlong
        {"\xED\xA0\x80", 3},          // surrogate
        {"\xF4\x90\x80\x80", 4},      // above U+10FFFF
        {"\xC3\xA9\xFF\xC3\xA9", 3},
    };
    // clang-format on
    for (const Case& c : cases) {
        const String s(c.bytes);
        EXPECT_EQ(Len(s), c.len) << c.bytes;
        std::string joined;
        for (int64_t i = 1; i <= Len(s); ++i) joined += Mid(s, i, 1).bytes();
        EXPECT_EQ(joined, c.bytes) << "walking loses nothing";
    }
}

TEST(StringChars, MidAtAndPastBothEnds) {
    struct Case {
        int64_t start, length;
        const char* want;
    };
    const Case cases[] = {
        {1, 1, "a"},
        {2, 1, "\xC3\xA9"},
        {4, 1, "\xF0\x9F\x98\x80"},
        {2, 2, "\xC3\xA9\xE2\x82\xAC"},
        {3, 100, "\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {0, 2, "a\xC3\xA9"},  // start below 1 reads as 1
        {-5, 1, "a"},
        {4, 2, "\xF0\x9F\x98\x80"},
        {5, 1, ""},
        {99, 1, ""},
        {1, 0, ""},
        {2, -1, ""},  // negative length gives nothing
    };
    for (const Case& c : cases) {
        const String m = Mid(kMixed, c.start, c.length);
        EXPECT_EQ(m.bytes(), c.want) << c.start << "," << c.length;
        EXPECT_EQ(m.encoding(), Encodings::UTF8);
    }
    EXPECT_EQ(Mid(kMixed, 3).bytes(), "\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Mid(kMixed, 0).bytes(), kMixed.bytes());
    EXPECT_EQ(Mid(kMixed, 5).bytes(), "");
    EXPECT_EQ(Mid(kMixed, 1, INT64_MAX).bytes(), kMixed.bytes());
}

TEST(StringChars, LeftAndRight) {
    EXPECT_EQ(Left(kMixed, 2).bytes(), "a\xC3\xA9");
    EXPECT_EQ(Right(kMixed, 2).bytes(), "\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Left(kMixed, 9).bytes(), kMixed.bytes());
    EXPECT_EQ(Right(kMixed, 9).bytes(), kMixed.bytes());
    EXPECT_EQ(Left(kMixed, 0).bytes(), "");
    EXPECT_EQ(Right(kMixed, -1).bytes(), "");
}

TEST(StringChars, ByteFunctionsCountBytes) {
    EXPECT_EQ(MidB(kMixed, 2, 2).bytes(), "\xC3\xA9");
    EXPECT_EQ(MidB(kMixed, 3, 1).bytes(), "\xA9");
    EXPECT_EQ(MidB(kMixed, 10).bytes(), "\x80");
    EXPECT_EQ(MidB(kMixed, 11).bytes(), "");
    EXPECT_EQ(MidB(kMixed, 0, 1).bytes(), "a");
    EXPECT_EQ(MidB(kMixed, 1, -1).bytes(), "");
    EXPECT_EQ(LeftB(kMixed, 3).bytes(), "a\xC3\xA9");
    EXPECT_EQ(RightB(kMixed, 1).bytes(), "\x80");
    EXPECT_EQ(RightB(kMixed, 20).bytes(), kMixed.bytes());
    EXPECT_EQ(AscB(kMixed), 'a');
    EXPECT_EQ(AscB(Mid(kMixed, 2, 1)), 0xC3);
    EXPECT_EQ(AscB(""), 0);
    EXPECT_EQ(ChrB(0xE9).bytes(), "\xE9");
    EXPECT_EQ(ChrB(0xE9).encoding(), nullptr);
    EXPECT_EQ(ChrB(0).bytes(), std::string(1, '\0'));
    EXPECT_EQ(ChrB(256).bytes(), "");
    EXPECT_EQ(ChrB(-1).bytes(), "");
}

TEST(StringChars, InStrBIsExact) {
    const String s("abcABCabc");
    EXPECT_EQ(InStrB(s, "ABC"), 4);
    EXPECT_EQ(InStrB(s, "abc"), 1);
    EXPECT_EQ(InStrB(2, s, "abc"), 7);
    EXPECT_EQ(InStrB(8, s, "abc"), 0);
    EXPECT_EQ(InStrB(9, s, "c"), 9);
    EXPECT_EQ(InStrB(10, s, "c"), 0);
    EXPECT_EQ(InStrB(0, s, "a"), 1);
    EXPECT_EQ(InStrB(s, ""), 1);
    EXPECT_EQ(InStrB(5, s, ""), 5);
    EXPECT_EQ(InStrB("", ""), 0);
    EXPECT_EQ(InStrB(kMixed, "\xA9"), 3);  // inside a character
}

TEST(StringChars, AscAndChr) {
    EXPECT_EQ(Asc(""), 0);
    EXPECT_EQ(Asc("A"), 65);
    EXPECT_EQ(Asc(Mid(kMixed, 2)), 0xE9);
    EXPECT_EQ(Asc(Mid(kMixed, 4)), 0x1F600);
    EXPECT_EQ(Asc(String("\xFF")), 0xFF);  // an invalid byte gives its value
    EXPECT_EQ(Asc(Bytes("\x80", Encodings::WindowsLatin1)), 0x20AC);
    EXPECT_EQ(Asc(Bytes("\xE9", Encodings::ISOLatin1)), 0xE9);
    EXPECT_EQ(Asc(Bytes(std::string("\xD8\x3D\xDE\x00", 4), Encodings::UTF16)), 0x1F600);
    EXPECT_EQ(Asc(Bytes("\x82\xA0", Encodings::ShiftJIS)), 0x3042);
    EXPECT_EQ(Asc(Bytes("\xC3\xA9", nullptr)), 0xC3);

    EXPECT_EQ(Chr(65).bytes(), "A");
    EXPECT_EQ(Chr(0xE9).bytes(), "\xC3\xA9");
    EXPECT_EQ(Chr(0x20AC).bytes(), "\xE2\x82\xAC");
    EXPECT_EQ(Chr(0x1F600).bytes(), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Chr(0).bytes(), std::string(1, '\0'));
    EXPECT_EQ(Chr(0xE9).encoding(), Encodings::UTF8);
    for (int64_t bad : {int64_t{-1}, int64_t{0xD800}, int64_t{0xDFFF}, int64_t{0x110000}})
        EXPECT_EQ(Chr(bad).bytes(), "") << bad;
    for (int64_t cp : {int64_t{1}, int64_t{0x7F}, int64_t{0x80}, int64_t{0x7FF}, int64_t{0x800}, int64_t{0xFFFF},
                       int64_t{0x10000}, int64_t{0x10FFFF}})
        EXPECT_EQ(Asc(Chr(cp)), cp);
}

TEST(StringChars, MidKeepsTheSourceEncoding) {
    const String latin = Bytes("caf\xE9", Encodings::WindowsLatin1);
    EXPECT_EQ(Mid(latin, 4, 1).bytes(), "\xE9");
    EXPECT_EQ(Mid(latin, 4, 1).encoding(), Encodings::WindowsLatin1);

    const String utf16 = Bytes(std::string("\0a\xD8\x3D\xDE\x00\0b", 8), Encodings::UTF16);
    EXPECT_EQ(Mid(utf16, 2, 1).bytes(), std::string("\xD8\x3D\xDE\x00", 4));
    EXPECT_EQ(Mid(utf16, 3).bytes(), std::string("\0b", 2));
    EXPECT_EQ(Mid(utf16, 4).bytes(), "");
    EXPECT_EQ(Mid(utf16, 2, 1).encoding(), Encodings::UTF16);

    const String sjis = Bytes(
        "a\x82\xA0\x82\xA2"
        "b",
        Encodings::ShiftJIS);
    EXPECT_EQ(Len(sjis), 4);
    EXPECT_EQ(Mid(sjis, 3, 1).bytes(), "\x82\xA2");
    EXPECT_EQ(Right(sjis, 2).bytes(),
              "\x82\xA2"
              "b");
}

TEST(StringChars, LongTextWalkMatchesBytes) {
    // Past several index marks, with characters of every width.
    std::string text;
    for (int i = 0; i < 500; ++i) text += (i % 7 == 0) ? "\xF0\x9F\x98\x80" : (i % 3 == 0) ? "\xC3\xA9" : "x";
    const String s(text);
    EXPECT_EQ(Len(s), 500);
    std::string walked;
    for (int64_t i = 1; i <= Len(s); ++i) walked += Mid(s, i, 1).bytes();
    EXPECT_EQ(walked, text);
    std::string backwards;
    for (int64_t i = Len(s); i >= 1; --i) backwards.insert(0, Mid(s, i, 1).bytes());
    EXPECT_EQ(backwards, text);
    std::string strided;
    for (int64_t i = 1; i <= Len(s); i += 3) strided += Mid(s, i, 3).bytes();
    EXPECT_EQ(strided, text);
    EXPECT_EQ(Mid(s, 497, 10).bytes(), Right(s, 4).bytes());
    EXPECT_EQ(Mid(s, 200, 40).bytes() + Mid(s, 240).bytes(), Mid(s, 200).bytes());
}

TEST(StringChars, AppendingRefreshesTheIndex) {
    String s("abc");
    EXPECT_EQ(Len(s), 3);
    s += String("\xC3\xA9\xC3\xA9");
    EXPECT_EQ(Len(s), 5);
    EXPECT_EQ(Mid(s, 5, 1).bytes(), "\xC3\xA9");
    const String copy = s;
    s += String("z");
    EXPECT_EQ(Len(copy), 5);
    EXPECT_EQ(Len(s), 6);
    EXPECT_EQ(Right(s, 1).bytes(), "z");
}

}  // namespace

namespace {

TEST(StringChars, GarbageBytesLoseNothing) {
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (const TextEncoding* enc : {Encodings::UTF8, Encodings::UTF16, Encodings::ShiftJIS, Encodings::WindowsLatin1,
                                    static_cast<const TextEncoding*>(nullptr)}) {
        for (int round = 0; round < 40; ++round) {
            std::string bytes;
            const int n = static_cast<int>(next() % 64);
            for (int i = 0; i < n; ++i) bytes += static_cast<char>((next() >> 16) & 0xFF);
            const String s = String::FromBytes(bytes, enc);
            std::string walked;
            for (int64_t i = 1; i <= Len(s); ++i) walked += Mid(s, i, 1).bytes();
            ASSERT_EQ(walked, bytes);
            const String piece = Mid(s, 2, 3);
            if (!piece.empty()) {
                EXPECT_GT(InStr(s, piece), 0);
                EXPECT_TRUE(s == s);
                EXPECT_EQ(ReplaceAll(s, piece, piece).bytes(), bytes);
            }
            EXPECT_LE(LenB(Trim(s)), LenB(s));
            EXPECT_EQ(Join(Split(s, piece), piece).bytes(), bytes);
            (void)Lowercase(s);
            (void)Uppercase(s);
            (void)Asc(s);
        }
    }
}

}  // namespace

// A UTF-16 or UCS4 text read with a byte-order mark is held big-endian
// without it, whatever it holds, so every slice of it still reads as the
// same characters.
TEST(StringChars, MarkedWideTextsSliceAsCharacters) {
    const struct {
        std::string bytes;
        const TextEncoding* enc;
    } cases[] = {
        // clang-format off
        {std::string("\xFF\xFE" "A\0B\0 \0", 8), Encodings::UTF16},
        {std::string("\xFE\xFF\0A\0B\0 ", 8), Encodings::UTF16},
        {std::string("\xFF\xFE\0\0" "A\0\0\0B\0\0\0 \0\0\0", 16), Encodings::UCS4},
        {std::string("\0\0\xFE\xFF\0\0\0A\0\0\0B\0\0\0 ", 16), Encodings::UCS4},
    };
    // clang-format on
    for (const auto& c : cases) {
        String s = DefineEncoding(Bytes(c.bytes, nullptr), c.enc);
        EXPECT_EQ(Len(s), 3);
        EXPECT_EQ(ConvertEncoding(Mid(s, 2), Encodings::UTF8).bytes(), "B ");
        EXPECT_EQ(InStr(s, "b"), 2);
        EXPECT_EQ(ConvertEncoding(Lowercase(Trim(s)), Encodings::UTF8).bytes(), "ab");
    }
    // Bytes that don't decode cleanly change only their order.
    const struct {
        std::string bytes;
        const TextEncoding* enc;
        std::string held;
        int64_t at, code;
    } lossy[] = {
        // clang-format off
        {std::string("\xFF\xFE" "A\0 \0B\0\x99", 9), Encodings::UTF16, std::string("\0A\0 \0B\x99", 7), 2, 0x20},
        {std::string("\xFF\xFE" "A\0\0\xD8" "B\0", 8), Encodings::UTF16, std::string("\0A\xD8\0\0B", 6), 3, 'B'},
        {std::string("\xFF\xFE\0\0" "A\0\0\0B\0\0\0\x99", 13), Encodings::UCS4,
         std::string("\0\0\0A\0\0\0B\x99", 9), 2, 'B'},
    };
    // clang-format on
    for (const auto& c : lossy) {
        String s = DefineEncoding(Bytes(c.bytes, nullptr), c.enc);
        EXPECT_EQ(s.bytes(), c.held);
        EXPECT_EQ(Asc(Mid(s, c.at, 1)), c.code) << c.held;
    }
    // After the mark, U+FEFF and U+FFFE are characters, also at the start of a piece.
    String s = DefineEncoding(Bytes(std::string("\xFF\xFE\xFF\xFE"
                                                "A\0\xFE\xFF"
                                                "B\0",
                                                10),
                                    nullptr),
                              Encodings::UTF16);
    EXPECT_EQ(Len(s), 4);
    EXPECT_EQ(Asc(s), 0xFEFF);
    String piece = Mid(s, 3);
    EXPECT_EQ(Len(piece), 2);
    EXPECT_EQ(Asc(piece), 0xFFFE);
    EXPECT_EQ(ConvertEncoding(DefineEncoding(piece, Encodings::UTF16), Encodings::UTF8).bytes(),
              "\xEF\xBF\xBE"
              "B");
}
