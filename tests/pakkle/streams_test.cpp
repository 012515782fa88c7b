// The code stream, the run string and the small methods behind them.
#include <gtest/gtest.h>

#include "engine/TPakkle.h"
#include "fw/core/TextEncoding.h"

namespace {

struct StreamCase {
    const char* name;
    std::string text;
    bool unicode;
    std::string code;
    std::string runs;
};

TEST(Streams, FixedOutputs) {
    // clang-format off
    const StreamCase cases[] = {
        {"empty bytes", "", false, "", " "},
        {"empty characters", "", true, "", " "},
        {"nine a", "aaaaaaaaa", false, "aaaa $#a", "%!!"},
        {"nine a characters", "aaaaaaaaa", true, "aaaa $#a", "%!!"},
        {"case bytes", "ABCD1abcd2abcd3", false, "ABCD1abcd2 %#3", ",!!"},
        {"case characters", "ABCD1abcd2abcd3", true, "ABCD1abcd2abcd3", "1"},
        {"script end", "x</script>y", false, "x<'+'/script>y", "-"},
        {"script end any case", "x</ScRiPt", false, "x<'+'/ScRiPt", "+"},
        {"comment start", "<!--", true, "<\\!--", "%"},
        {"quote tab backslash", "'\t\\", false, "\\'\\t\\\\", "$"},
        {"line ends", "a\r\nb", true, "a\\r\\nb", "%"},
        {"double quote passes", "\"", false, "\"", "!"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TPakkle::Streams s = TPakkle::Encode(fw::String(c.text), c.unicode);
        EXPECT_EQ(s.code, c.code);
        EXPECT_EQ(s.runs, c.runs);
    }
}

TEST(Streams, RunLengthsAroundTheLimit) {
    // 90 distinct literals then a repeat: first run symbol "<"; 92 give a
    // space and "!". (Printable ASCII has 94 distinct characters.)
    std::string base;
    for (int i = 0; i < 94; ++i) base += static_cast<char>(0x21 + i);
    const auto s90 = TPakkle::Encode(fw::String(base.substr(0, 90) + base.substr(0, 10) + "~"), false);
    EXPECT_EQ(s90.runs.substr(0, 1), "<");
    const auto s92 = TPakkle::Encode(fw::String(base.substr(0, 92)), false);
    EXPECT_EQ(s92.runs, " !");
}

TEST(Streams, ReadableRunOfNinetyOne) {
    std::string base;
    for (int i = 0; i < 94; ++i) base += static_cast<char>(0x21 + i);
    // A text of 91 literals alone is written as 92: the decoder reads 91
    // only as "go on", and its substr stops at the end of the stream anyway.
    EXPECT_EQ(TPakkle::Encode(fw::String(base.substr(0, 91)), false).runs, " !");
    // 91 literals before a match: the match gives up its first unit.
    const auto s = TPakkle::Encode(fw::String(base.substr(0, 91) + base.substr(0, 10) + "~"), false);
    EXPECT_EQ(s.runs.substr(0, 2), " !");
    // 182 = 2 x 91 distinct characters, alone and before a match.
    std::string cjk;
    for (char32_t c = 0x4E00; c < 0x4E00 + 182; ++c) {
        cjk += static_cast<char>(0xE0 | (c >> 12));
        cjk += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        cjk += static_cast<char>(0x80 | (c & 0x3F));
    }
    EXPECT_EQ(TPakkle::Encode(fw::String(cjk), true).runs, "  !");
    EXPECT_EQ(TPakkle::Encode(fw::String(cjk + cjk.substr(0, 30) + "x"), true).runs, "  !!!");
}

TEST(Streams, AlphabetInValueOrder) {
    const std::string& c = TPakkle::Alphabet();
    ASSERT_EQ(c.size(), 91u);
    const std::pair<int, char> pinned[] = {{0, ' '},  {4, '%'},  {5, '"'},  {6, '('},  {14, '0'}, {24, ':'},
                                           {26, '='}, {28, '@'}, {29, 'A'}, {55, '['}, {56, ']'}, {59, '`'},
                                           {60, 'a'}, {86, '{'}, {89, '~'}, {90, '<'}};
    for (auto [value, ch] : pinned) EXPECT_EQ(c[value], ch) << value;
    for (char bad : {'&', '\'', '>', '\\'}) EXPECT_EQ(c.find(bad), std::string::npos);
}

TEST(Streams, SmallMethods) {
    TPakkle p;
    EXPECT_EQ(p.proc1c(0).bytes(), " ");
    EXPECT_EQ(p.proc1c(90).bytes(), "<");
    EXPECT_EQ(p.proc2c(3).bytes(), " $");
    EXPECT_EQ(p.proc2c(8280).bytes(), "<<");
    EXPECT_EQ(p.proc2c(91).bytes(), "! ");
    EXPECT_EQ(p.ExtraChar("'").bytes(), "\\'");
    EXPECT_EQ(p.ExtraChar("\n").bytes(), "\\n");
    EXPECT_EQ(p.ExtraChar("\r").bytes(), "\\r");
    EXPECT_EQ(p.ExtraChar("\\").bytes(), "\\\\");
    EXPECT_EQ(p.ExtraChar("\t").bytes(), "\\t");
    EXPECT_EQ(p.ExtraChar("\xC3\xA9").bytes(), "\xC3\xA9");
    // First occurrence ignoring case, then exact: the earlier "ABCD" hides
    // the later "abcd".
    EXPECT_EQ(p.MyInStr("ABCD1abcd2", "abcd"), 0);
    EXPECT_EQ(p.MyInStr("xabcd1ABCD", "abcd"), 2);
    EXPECT_EQ(p.MyInStr("abc", "abcd"), 0);
}

TEST(Streams, CharactersOutsideTheBmpCountTwice) {
    // In character units an emoji is two script characters: as a literal it
    // stays whole and counts two flags; a match may end inside it, and the
    // half left over is written as a \u escape.
    const auto whole = TPakkle::Encode(fw::String("a\xF0\x9F\x98\x80"
                                                  "b"),
                                       true);
    EXPECT_EQ(whole.code,
              "a\xF0\x9F\x98\x80"
              "b");
    EXPECT_EQ(whole.runs, "%");
    const auto half = TPakkle::Encode(fw::String("abc\xF0\x9F\x98\x80xyz abc\xF0\x9F\x98\x81!"), true);
    EXPECT_NE(half.code.find("\\uDE01!"), std::string::npos);
}

}  // namespace
