// The indexed tokenizer against the plain search of the window.
#include <gtest/gtest.h>

#include "PakkleCorpus.h"
#include "PakkleReference.h"
#include "fw/core/TextEncoding.h"

namespace {

struct Corpus {
    const char* name;
    fw::String text;
    bool unicode;
};

fw::String Utf8(const std::string& s) { return fw::String::FromBytes(s, fw::Encodings::UTF8); }

std::vector<Corpus> Corpora() {
    const std::string html = RealHtml();
    std::vector<Corpus> c;
    c.push_back({"html bytes", Utf8(html), false});
    c.push_back({"html characters", Utf8(html.substr(0, 12000)), true});
    // Small alphabets make long repeats, long runs of matches and texts far
    // longer than the window.
    c.push_back({"ab bytes", Utf8(RandomText(Letters("ab"), 20000, 1)), false});
    c.push_back({"abc bytes", Utf8(RandomText(Letters("abc"), 12000, 2)), false});
    c.push_back({"abcd characters", Utf8(RandomText(Letters("abcd"), 12000, 3)), true});
    c.push_back({"one letter", Utf8(std::string(30000, 'q')), false});
    c.push_back({"period 7", Utf8([] {
                     std::string s;
                     while (s.size() < 20000) s += "abcdefg";
                     return s;
                 }()),
                 true});
    // Few letters, then HTML, then few letters again: the long chain is left
    // on the way in, and taken up again after a window or within one.
    for (size_t cut : {20000, 11000}) {
        const std::string ab = RandomText(Letters("ab"), 9000, 16);
        const std::string mixed = ab + html.substr(0, cut) + ab.substr(0, 7000);
        c.push_back({"ab html ab bytes", Utf8(mixed), false});
        c.push_back({"ab html ab characters", Utf8(mixed), true});
    }
    // Mixed case: an earlier occurrence that differs in case hides the
    // exact one for character units.
    c.push_back({"aA characters", Utf8(RandomText(Letters("aAbB"), 12000, 4)), true});
    c.push_back({"aA bytes", Utf8(RandomText(Letters("aAbB"), 12000, 4)), false});
    c.push_back({"words characters",
                 Utf8(RandomText({"Der ", "der ", "DER ", "Hund ", "hund ", "ß", "é", "É", ". "}, 9000, 5)), true});
    c.push_back({"folding characters",
                 Utf8(RandomText({"s", "S", "\xC5\xBF", "k", "K", "\xE2\x84\xAA", "\xCF\x83", "\xCF\x82", "\xCE\xA3",
                                  "\xC4\xB1", "I", "i"},
                                 9000, 6)),
                 true});
    c.push_back({"invalid bytes characters",
                 Utf8(RandomText({"a", "A", "\x80", "\xC3", "\xFF", "\xC3\xA9", "\xC3\x89"}, 9000, 7)), true});
    // Encodings whose characters are not UTF-8: a single-byte one with
    // letter case above 127 and a double-byte one.
    // clang-format off
    c.push_back({"latin-1 characters",
                 fw::ConvertEncoding(Utf8(RandomText({"\xC3\xA9", "\xC3\x89", "e", "E", "\xC3\xBF", " "}, 9000, 8)),
                                     fw::Encodings::WindowsLatin1),
                 true});
    // clang-format on
    c.push_back({"shift-jis characters",
                 fw::ConvertEncoding(Utf8(RandomText({"\xE3\x82\xBD", "\xE8\xA1\xA8", "a", "A", "\xEF\xBD\x81",
                                                      "\xEF\xBC\xA1", "\\"},
                                                     9000, 9)),
                                     fw::Encodings::ShiftJIS),
                 true});
    c.push_back({"shift-jis bytes",
                 fw::ConvertEncoding(Utf8(RandomText({"\xE3\x82\xBD", "\xE8\xA1\xA8", "a", "\\"}, 9000, 10)),
                                     fw::Encodings::ShiftJIS),
                 false});
    // Garbage: invalid sequences count one character per byte. (No bytes
    // F0 to F4, which could make characters outside the BMP.)
    std::mt19937 rng(14);
    std::vector<std::string> pieces(12);
    for (auto& piece : pieces)
        for (int k = 0; k < 3; ++k) piece += static_cast<char>(rng() % 0xF0);
    const std::string garbage = RandomText(pieces, 2500, 15);
    c.push_back({"garbage utf-8 characters", fw::String::FromBytes(garbage, fw::Encodings::UTF8), true});
    c.push_back({"garbage shift-jis characters", fw::String::FromBytes(garbage, fw::Encodings::ShiftJIS), true});
    return c;
}

TEST(Tokenizer, MatchesThePlainSearch) {
    for (const Corpus& c : Corpora()) {
        SCOPED_TRACE(c.name);
        const auto expected = ReferenceTokens(c.text, c.unicode);
        const auto actual = TPakkle::Tokenize(c.text, c.unicode);
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(actual[i], expected[i]) << "token " << i << " at " << expected[i].pos;
        }
        // The corpus is only worth its time if it has matches.
        EXPECT_LT(expected.size(), static_cast<size_t>(c.unicode ? fw::Len(c.text) : fw::LenB(c.text)));
    }
}

TEST(Tokenizer, SmallCases) {
    using T = TPakkle::Token;
    // Nine units: four literals, a match of distance 4 and the last unit.
    EXPECT_EQ(TPakkle::Tokenize("aaaaaaaaa", false),
              (std::vector<T>{{1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 4, 4}, {9, 0, 1}}));
    // A match may not take the last unit: length 5, then "c".
    for (bool unicode : {false, true}) {
        const auto abc = TPakkle::Tokenize("abcabcabcabc", unicode);
        ASSERT_GE(abc.size(), 2u);
        EXPECT_EQ(abc.back(), (T{12, 0, 1}));
        EXPECT_EQ(abc[abc.size() - 2].len, 5u);
    }
    EXPECT_EQ(TPakkle::Tokenize("", false).size(), 0u);
    EXPECT_EQ(TPakkle::Tokenize("abcdabcd", false).size(), 8u);
}

}  // namespace
