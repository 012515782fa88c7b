// HTML escaping, the page wrapper, tag stripping and character references.
#include "EngineTest.h"

#include "fw/core/String.h"

namespace {

struct Case {
    std::string text;
    std::string expected;
};

class HtmlText : public EngineTest {};

TEST_F(HtmlText, EscapesAsHtml) {
    const Case cases[] = {
        {"a<b & c", "a&lt;b &amp; c"},
        {"say \"hi\" it's", "say &quot;hi&quot; it's"},
        {"&lt;", "&amp;lt;"},
        {"one\ntwo", "one<br>two"},
        {"one\n\ntwo", "one<p>two"},
        {"one\n\n\ntwo", "one<p><br>two"},
        {"one\r\rtwo", "one<p>two"},
        {"one\rtwo", "one<br>two"},
        {"one\r\ntwo", "one<br>two"},
        {"one\r\n\r\ntwo", "one<p>two"},
        {"one\r\r\ntwo", "one<p><br>two"},
        {"one\r\n\rtwo", "one<br><br>two"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Run("HTML", c.text), c.expected) << c.text;
    EXPECT_EQ(Run("HTML page", ""), "<html><body></body></html>");
    EXPECT_EQ(Run("HTML page", "a\nb"), "<html><body>a<br>b</body></html>");
}

TEST_F(HtmlText, StripsTags) {
    const Case cases[] = {
        {"<b>Hi</b>", "Hi"},
        {"x<br>y", "x\ny"},
        {"x<BR/>y", "x\ny"},
        {"x<P>y", "x\n\ny"},
        {"x<pre>y</pre>", "x\n\ny"},
        {"a > b", "a  b"},
        {"&lt; &nbsp;x", "&lt;  x"},
        {"&amp;quot;", "\""},
        {"&AMP; &Quot;", "& \""},
        {"<a title=\"x>y\">z</a>", "y\"z"},
        {"  \n<p>text</p>\n ", "text"},
        {"<a <br>b", "b"},
        {"<unclosed", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Run("Plain text", c.text), c.expected) << c.text;
}

TEST_F(HtmlText, NumericReferencesAbove127) {
    std::string ascii;
    for (int i = 0; i < 128; ++i) ascii.push_back(static_cast<char>(i));
    const Case cases[] = {
        {"caf\xC3\xA9", "caf&#233;"},
        {"\xE2\x82\xAC", "&#8364;"},
        {"\xF0\x9F\x98\x80", "&#128512;"},
        {"\xC2\x80", "&#128;"},
        {ascii, ascii},
    };
    for (const Case& c : cases) EXPECT_EQ(Run("ASCII to code", c.text), c.expected) << c.text;

    fw::String latin = fw::String::FromBytes("\xE9\x80", fw::Encodings::WindowsLatin1);
    EXPECT_EQ(quillet::ASCII2Code(latin).bytes(), "&#233;&#8364;");
}

}  // namespace
