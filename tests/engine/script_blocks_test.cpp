// Script blocks: escaping, cutting into pieces, and the percent escapes.
#include "EngineTest.h"

#include "fw/core/String.h"

namespace {

using quillet::QuilletInt;

struct Case {
    const char* name;
    std::string text;
    int32_t length;
    std::string expected;
};

class ScriptBlocks : public EngineTest {};

TEST_F(ScriptBlocks, EscapesAndCuts) {
    const std::string J = kJoin;
    // clang-format off
    const Case cases[] = {
        {"empty", "", 0, ""},
        {"empty cut", "", 3, ""},
        {"quote and CR LF", "It's\r\nok", 0, "It\\'s\\r\\nok"},
        {"backslash", "a\\b", 0, "a\\\\b"},
        {"tab passes", "a\tb", 0, "a\tb"},
        {"script end tag any case", "</SCRIPT>x</Script>", 0, "</s'+'cript>x</s'+'cript>"},
        {"script end tag with blank", "</script >", 0, "</s'+'cript >"},
        {"script end tag with line end", "</SCRIPT\n>", 0, "</S'+'CRIPT\\n>"},
        {"script end tag with slash", "</Script/x", 0, "</S'+'cript/x"},
        {"unfinished end tag", "</script", 0, "</s'+'cript"},
        {"comment opener", "<!--<script>", 0, "<\\!--<script>"},
        {"plain cut", "abcdefg", 3, "abc" + J + "def" + J + "g"},
        {"fits one piece", "abc", 3, "abc"},
        {"shorter than a piece", "ab", 80, "ab"},
        {"cut moves before an escape", "ab\n", 3, "ab" + J + "\\n"},
        {"escapes never split", "a\nb", 2, "a" + J + "\\n" + J + "b"},
        {"escape longer than a piece", "\n'", 1, "\\n" + J + "\\'"},
        {"end tag stays whole", "x</script>y", 4, "x" + J + "</s'+'cript>" + J + "y"},
        {"multi-byte character whole", "\xC3\xA9" "ab", 1, "\xC3\xA9" + J + "a" + J + "b"},
        {"astral character whole", "\xF0\x9F\x98\x80x", 1, "\xF0\x9F\x98\x80" + J + "x"},
        {"negative length is no cut", "abcdef", -5, "abcdef"},
    };
    // clang-format on
    for (const Case& c : cases) {
        quillet::stringlength = c.length;
        EXPECT_EQ(QuilletInt(fw::String(c.text)).bytes(), c.expected) << c.name;
    }
}

TEST_F(ScriptBlocks, Templates) {
    EXPECT_EQ(Run("Javascript", ""), "<script language=\"Javascript\">\ndocument.write('')\n</script>");
    EXPECT_EQ(Run("Javascript variable", "it's"),
              "<script language=\"Javascript\">\nvar tempvar='it\\'s';\n</script>");
    EXPECT_EQ(Run("Javascript encode", "AZ"),
              "<script language=\"Javascript\">\ndocument.write(unescape('%41%5A'))\n</script>");
    EXPECT_EQ(Run("Javascript", "abcd", 2),
              "<script language=\"Javascript\">\ndocument.write('ab" + kJoin + "cd')\n</script>");
}

TEST_F(ScriptBlocks, PercentEscapesOfBytes) {
    const std::string J = kJoin;
    // clang-format off
    const Case cases[] = {
        {"upper-case digits", "AZ", 0, "%41%5A"},
        {"tab", "\t", 0, "%09"},
        {"byte 16", "\x10", 0, "%10"},
        {"empty", "", 2, ""},
        {"cut", "abc", 2, "%61%62" + J + "%63"},
        {"two-byte character, one piece", "\xC3\xA9" "a", 1, "%C3%A9" + J + "%61"},
        {"uncut multi-byte", "\xC3\xA9", 0, "%C3%A9"},
    };
    // clang-format on
    for (const Case& c : cases) {
        quillet::stringlength = c.length;
        EXPECT_EQ(Run("Url Encode (all chars)", c.text, c.length), c.expected) << c.name;
    }
}

TEST_F(ScriptBlocks, UnescapeFormKeepsCharacters) {
    const std::string J = kJoin;
    // clang-format off
    const Case cases[] = {
        {"Latin-1 range as one escape", "\xC3\xA9", 0, "%E9"},
        {"beyond Latin-1", "\xE2\x82\xAC", 0, "%u20AC"},
        {"astral as surrogate pair", "\xF0\x9F\x98\x80", 0, "%uD83D%uDE00"},
        {"pair stays in one piece", "\xF0\x9F\x98\x80" "a", 1, "%uD83D%uDE00" + J + "%61"},
        {"invalid byte as it stands", "\xFF" "a", 0, "%FF%61"},
    };
    // clang-format on
    for (const Case& c : cases) {
        quillet::stringlength = c.length;
        EXPECT_EQ(quillet::QuilletEncode(fw::String(c.text)).bytes(),
                  "<script language=\"Javascript\">\ndocument.write(unescape('" + c.expected + "'))\n</script>")
            << c.name;
    }
}

TEST_F(ScriptBlocks, TextsInOtherEncodings) {
    // ShiftJIS "so" is 83 5C: its second byte is no backslash.
    fw::String sjis = fw::String::FromBytes(
        "\x83\x5C"
        "a",
        fw::Encodings::ShiftJIS);
    EXPECT_EQ(QuilletInt(sjis).bytes(),
              "\xE3\x82\xBD"
              "a");
    quillet::stringlength = 1;
    EXPECT_EQ(quillet::HTML2UrlEncodeAllChars(sjis).bytes(), "%83%5C" + kJoin + "%61");

    // A Latin-1 text keeps its own bytes and encoding.
    quillet::stringlength = 0;
    fw::String latin = fw::String::FromBytes("\xE9\\", fw::Encodings::WindowsLatin1);
    fw::String escaped = QuilletInt(latin);
    EXPECT_EQ(escaped.bytes(), "\xE9\\\\");
    EXPECT_EQ(escaped.encoding(), fw::Encodings::WindowsLatin1);
    EXPECT_EQ(quillet::QuilletEncode(latin).bytes(),
              "<script language=\"Javascript\">\ndocument.write(unescape('%E9%5C'))\n</script>");

    // UTF-16: every character two bytes, none of them an ASCII byte on its own.
    fw::String utf16 = fw::String::FromBytes(std::string("\0'\0a", 4), fw::Encodings::UTF16);
    EXPECT_EQ(QuilletInt(utf16).bytes(), "\\'a");

    // MacArabic holds a second quote, backslash, "<" and "&" above 0x7F;
    // they are escaped like their ASCII twins.
    const fw::TextEncoding* arabic = fw::Encodings::ByName("MacArabic");
    ASSERT_NE(arabic, nullptr);
    EXPECT_EQ(QuilletInt(fw::String::FromBytes("\xA7\xDC", arabic)).utf8(), "\\'\\\\");
    EXPECT_EQ(quillet::HTML2HTML(fw::String::FromBytes("\xBC\xA6", arabic)).utf8(), "&lt;&amp;");
}

}  // namespace
