// Fields, trimming, line endings, joining and numbers.
#include <gtest/gtest.h>

#include <cmath>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

using namespace fw;

namespace {

String Bytes(std::string b, const TextEncoding* enc) { return String::FromBytes(std::move(b), enc); }

std::vector<std::string> SplitBytes(const String& s, const String& sep) {
    std::vector<std::string> out;
    for (const String& part : Split(s, sep)) out.push_back(part.bytes());
    return out;
}

TEST(StringFields, NthFieldAndCountFields) {
    // clang-format off
    struct Case { const char* s; const char* sep; int64_t count; std::vector<std::string> fields; };
    const Case cases[] = {
        {"a,b,c", ",", 3, {"a", "b", "c"}},
        {"", ",", 1, {""}},
        {",", ",", 2, {"", ""}},
        {"a,,b,", ",", 4, {"a", "", "b", ""}},
        {"abc", ",", 1, {"abc"}},
        {"aXbxc", "x", 3, {"a", "b", "c"}},                   // separators ignore case
        {"a<BR>b<br>c", "<br>", 3, {"a", "b", "c"}},
        {"aaa", "aa", 2, {"", "a"}},
        {"x\xC3\x89y\xC3\xA9z", "\xC3\xA9", 3, {"x", "y", "z"}},
        {"key=val=ue", "=", 3, {"key", "val", "ue"}},
        {"a\xC3\xA9" "b", "", 3, {"a", "\xC3\xA9", "b"}},    // empty separator: characters
        {"", "", 1, {""}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(CountFields(c.s, c.sep), c.count) << c.s;
        EXPECT_EQ(SplitBytes(c.s, c.sep), c.fields) << c.s;
        for (size_t i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(NthField(c.s, c.sep, static_cast<int64_t>(i + 1)).bytes(), c.fields[i]) << c.s << " " << i + 1;
        EXPECT_EQ(NthField(c.s, c.sep, c.count + 1).bytes(), "") << "past the last field";
        EXPECT_EQ(NthField(c.s, c.sep, 0).bytes(), "");
        EXPECT_EQ(NthField(c.s, c.sep, -1).bytes(), "");
    }
}

TEST(StringFields, FieldsKeepTheEncoding) {
    const String latin = Bytes("\xE9=\xE8", Encodings::WindowsLatin1);
    EXPECT_EQ(NthField(latin, "=", 2).bytes(), "\xE8");
    EXPECT_EQ(NthField(latin, "=", 2).encoding(), Encodings::WindowsLatin1);
    EXPECT_EQ(Split(latin, "=")[0].encoding(), Encodings::WindowsLatin1);
}

TEST(StringFields, JoinIsTheInverseOfSplit) {
    for (const char* s : {"", "a", "a,b", ",,", "a,\xC3\xA9,"}) EXPECT_EQ(Join(Split(s, ","), ",").bytes(), s);
    EXPECT_EQ(Join({}, ",").bytes(), "");
    const std::vector<String> latin = {Bytes("\xE9", Encodings::WindowsLatin1),
                                       Bytes("\xE8", Encodings::WindowsLatin1)};
    const String same = Join(latin, Bytes("-", Encodings::WindowsLatin1));
    EXPECT_EQ(same.bytes(), "\xE9-\xE8");
    EXPECT_EQ(same.encoding(), Encodings::WindowsLatin1);
    const String mixed = Join(latin, "-");  // as with +: both to UTF-8
    EXPECT_EQ(mixed.bytes(), "\xC3\xA9-\xC3\xA8");
    EXPECT_EQ(mixed.encoding(), Encodings::UTF8);
}

TEST(StringJoin, PlusFollowsTheEncodings) {
    const String latin = Bytes("\xE9", Encodings::WindowsLatin1);
    const String none = Bytes("\xFF", nullptr);
    struct Case {
        String a, b;
        std::string bytes;
        const TextEncoding* enc;
    };
    const Case cases[] = {
        {"a", "\xC3\xA9", "a\xC3\xA9", Encodings::UTF8},
        {latin, latin, "\xE9\xE9", Encodings::WindowsLatin1},
        {latin, Bytes("\xE9", Encodings::WindowsANSI), "\xE9\xE9", Encodings::WindowsLatin1},
        {String(), latin, "\xE9", Encodings::WindowsLatin1},  // empty side takes the other's
        {latin, String(), "\xE9", Encodings::WindowsLatin1},
        {none, latin, "\xFF\xE9", Encodings::WindowsLatin1},  // no encoding takes the other's
        {latin, none, "\xE9\xFF", Encodings::WindowsLatin1},
        {none, none, "\xFF\xFF", nullptr},
        {latin, "\xE2\x82\xAC", "\xC3\xA9\xE2\x82\xAC", Encodings::UTF8},  // else both to UTF-8
        {String("\xFF"), latin, "\xFF\xC3\xA9", Encodings::UTF8},          // invalid UTF-8 bytes stay
    };
    for (const Case& c : cases) {
        const String r = c.a + c.b;
        EXPECT_EQ(r.bytes(), c.bytes) << c.a.bytes() << "+" << c.b.bytes();
        EXPECT_EQ(r.encoding(), c.enc) << c.a.bytes() << "+" << c.b.bytes();
    }
    EXPECT_EQ((String("a") + EndOfLine).bytes(), "a\n");
    EXPECT_EQ(EndOfLine.Windows().bytes(), "\r\n");
}

TEST(StringText, Trim) {
    struct Case {
        const char* s;
        const char* both;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {"  a b  ", "a b", "a b  ", "  a b"},
        {"\r\n\ta\t\r\n", "a", "a\t\r\n", "\r\n\ta"},
        {"   ", "", "", ""},
        {"", "", "", ""},
        {"\xE3\x80\x80x\xE2\x80\x83", "x", "x\xE2\x80\x83", "\xE3\x80\x80x"},  // ideographic and em space
        {"\xC2\xA0x\xC2\xA0", "\xC2\xA0x\xC2\xA0", "\xC2\xA0x\xC2\xA0", "\xC2\xA0x\xC2\xA0"},  // no-break spaces stay
        {" \xC3\xA9 ", "\xC3\xA9", "\xC3\xA9 ", " \xC3\xA9"},
        {"x\xE2\x80", "x\xE2\x80", "x\xE2\x80", "x\xE2\x80"},  // cut-off sequence is not white space
        {"\x85x", "\x85x", "\x85x", "\x85x"},                  // a lone byte is not NEL
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Trim(c.s).bytes(), c.both) << c.s;
        EXPECT_EQ(LTrim(c.s).bytes(), c.left) << c.s;
        EXPECT_EQ(RTrim(c.s).bytes(), c.right) << c.s;
    }
    const String latin = Bytes(" \xE9 ", Encodings::WindowsLatin1);
    EXPECT_EQ(Trim(latin).bytes(), "\xE9");
    EXPECT_EQ(Trim(latin).encoding(), Encodings::WindowsLatin1);
    EXPECT_EQ(Trim(Bytes(std::string("\0 \0a\0 ", 6), Encodings::UTF16)).bytes(), std::string("\0a", 2));
}

TEST(StringText, ReplaceLineEndings) {
    struct Case {
        const char* s;
        const char* want;
    };
    const Case cases[] = {
        {"a\r\nb\rc\nd", "a|b|c|d"},
        {"\r\r\n\n\n\r", "|||||"},
        {"\n\r", "||"},
        {"no breaks", "no breaks"},
        {"", ""},
        {"\xC3\xA9\r\n", "\xC3\xA9|"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceLineEndings(c.s, "|").bytes(), c.want) << c.s;
    EXPECT_EQ(ReplaceLineEndings("a\r\nb\nc", EndOfLine.Windows()).bytes(), "a\r\nb\r\nc");
    const String utf16 = Bytes(std::string("\0a\0\r\0\n\0b\0\r", 10), Encodings::UTF16);
    const String r = ReplaceLineEndings(utf16, EndOfLine);
    EXPECT_EQ(r.bytes(), std::string("\0a\0\n\0b\0\n", 8));
    EXPECT_EQ(r.encoding(), Encodings::UTF16);
}

TEST(StringNumbers, StrOfIntegersAndReals) {
    EXPECT_EQ(Str(0).bytes(), "0");
    EXPECT_EQ(Str(-42).bytes(), "-42");
    EXPECT_EQ(Str(int64_t{INT64_MIN}).bytes(), "-9223372036854775808");
    struct Case {
        double d;
        const char* want;
    };
    const Case cases[] = {
        {3.0, "3"}, {0.5, "0.5"}, {-2.25, "-2.25"}, {0.1, "0.1"}, {1e21, "1e+21"}, {123456789.0, "123456789"},
    };
    for (const Case& c : cases) EXPECT_EQ(Str(c.d).bytes(), c.want) << c.d;
    for (double d : {0.1, 1.0 / 3, 2.5e-300, 1.7976931348623157e308, -123.456, 4.35})
        EXPECT_EQ(Val(Str(d)), d) << "reads back";
}

TEST(StringNumbers, Val) {
    struct Case {
        const char* s;
        double want;
    };
    const Case cases[] = {
        {"42", 42},
        {"  12abc", 12},
        {"\t-3.5", -3.5},
        {"+7", 7},
        {"1e3", 1000},
        {"2.5E-1x", 0.25},
        {"1e", 1},
        {"1e+", 1},
        {".5", 0.5},
        {"5.", 5},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {".", 0},
        {"- 1", 0},
        {"&hFF", 255},
        {"&H10zz", 16},
        {"&h", 0},
        {"&hFFFFFFFFFFFFFFFF", 18446744073709551615.0},
        {"1,5", 1},
        {"0x10", 0},
        {"1e400", HUGE_VAL},
        {"-1e400", -HUGE_VAL},
        {"1e-400", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(Val(c.s), c.want) << c.s;
    EXPECT_EQ(Val(Bytes(std::string("\0"
                                    "1\0"
                                    "2",
                                    4),
                        Encodings::UTF16)),
              12);
}

TEST(StringNumbers, Hex) {
    struct Case {
        int64_t n;
        const char* want;
    };
    const Case cases[] = {
        {0, "0"},
        {7, "7"},
        {15, "F"},
        {16, "10"},
        {255, "FF"},
        {256, "100"},
        {0xABCDEF, "ABCDEF"},
        {-1, "FFFFFFFFFFFFFFFF"},
        {INT64_MIN, "8000000000000000"},
        {INT64_MAX, "7FFFFFFFFFFFFFFF"},
    };
    for (const Case& c : cases) EXPECT_EQ(Hex(c.n).bytes(), c.want) << c.n;
}

}  // namespace
