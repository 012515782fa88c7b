// The label table: which converter runs, and what an unknown label gives.
#include "EngineTest.h"

#include "fw/core/String.h"

namespace {

class Dispatch : public EngineTest {};

TEST_F(Dispatch, EveryLabelReachesItsConverter) {
    const std::string in = "a<b";
    const struct {
        const char* label;
        std::string expected;
    } rows[] = {
        {"Javascript", "<script language=\"Javascript\">\ndocument.write('a<b')\n</script>"},
        {"Javascript variable", "<script language=\"Javascript\">\nvar tempvar='a<b';\n</script>"},
        {"Javascript encode", "<script language=\"Javascript\">\ndocument.write(unescape('%61%3C%62'))\n</script>"},
        {"HTML", "a&lt;b"},
        {"HTML page", "<html><body>a&lt;b</body></html>"},
        {"Plain text", "a"},
        {"Copy as is", "a<b"},
        {"Base64 Encode", "YTxi"},
        {"Quoted Printable Encode", "a<b"},
        {"Url Encode (all chars)", "%61%3C%62"},
        {"Url Encode", "a%3Cb"},
        {"ASCII to code", "a<b"},
        {"base64 encode", "YTxi"},
        {"URL ENCODE", "a%3Cb"},
        {"Javascript ", ""},
        {"", ""},
        {"Suggest new (open browser)", ""},
        {"Javascrip", ""},
    };
    for (const auto& row : rows) EXPECT_EQ(Run(row.label, in), row.expected) << row.label;
    EXPECT_EQ(Run("Base64 Decode", "YTxi"), in);
    EXPECT_EQ(Run("Quoted Printable Decode", "a=3Cb"), in);
    EXPECT_EQ(Run("Url Decode", "a%3cb"), in);
}

TEST_F(Dispatch, EncodingsOfResults) {
    fw::String latin = fw::String::FromBytes("caf\xE9\r\n", fw::Encodings::WindowsLatin1);
    fw::String same = quillet::Varnel(latin, "Copy as is");
    EXPECT_EQ(same.bytes(), latin.bytes());
    EXPECT_EQ(same.encoding(), fw::Encodings::WindowsLatin1);

    quillet::DestEncoding = fw::Encodings::WindowsLatin1;
    EXPECT_EQ(quillet::Varnel("Y2Fm6Q==", "Base64 Decode").encoding(), nullptr);
    fw::String qp = quillet::Varnel("caf=E9", "Quoted Printable Decode");
    EXPECT_EQ(qp.bytes(), "caf\xE9");
    EXPECT_EQ(qp.encoding(), fw::Encodings::WindowsLatin1);
    EXPECT_EQ(quillet::Varnel("caf%E9", "Url Decode").encoding(), fw::Encodings::WindowsLatin1);
}

TEST_F(Dispatch, Base64LinesFollowStringLength) {
    const std::string text(40, 'x');
    EXPECT_EQ(Run("Base64 Encode", text).find('\n'), std::string::npos);
    std::string lines = Run("Base64 Encode", text, 20);
    EXPECT_EQ(lines, "eHh4eHh4eHh4eHh4eHh4\r\neHh4eHh4eHh4eHh4eHh4\r\neHh4eHh4eHh4eA==");
}

}  // namespace

namespace {

class Garbage : public EngineTest {};

// Random bytes in encodings of every kind go through every label.
TEST_F(Garbage, AnyBytesUnderAnyLabel) {
    const char* labels[] = {"Javascript",
                            "Javascript variable",
                            "Javascript encode",
                            "HTML",
                            "HTML page",
                            "Plain text",
                            "Copy as is",
                            "Base64 Encode",
                            "Base64 Decode",
                            "Quoted Printable Encode",
                            "Quoted Printable Decode",
                            "Url Encode (all chars)",
                            "Url Encode",
                            "Url Decode",
                            "ASCII to code"};
    const fw::TextEncoding* encodings[] = {nullptr,
                                           fw::Encodings::UTF8,
                                           fw::Encodings::ShiftJIS,
                                           fw::Encodings::UTF16,
                                           fw::Encodings::UCS4,
                                           fw::Encodings::WindowsLatin1};
    uint32_t seed = 7;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0xFF; };
    for (int round = 0; round < 40; ++round) {
        std::string bytes(next() % 64, '\0');
        for (char& c : bytes) c = static_cast<char>(next() % 4 == 0 ? "<\\'\r\n%=/"[next() % 9] : next());
        for (const fw::TextEncoding* enc : encodings) {
            fw::String text = fw::String::FromBytes(bytes, enc);
            quillet::DestEncoding = enc ? enc : fw::Encodings::UTF8;
            for (const char* label : labels) {
                quillet::stringlength = static_cast<int32_t>(next() % 5);
                fw::String out = quillet::Varnel(text, label);
                if (std::string(label) == "Copy as is") {
                    EXPECT_EQ(out.bytes(), bytes);
                }
            }
        }
    }
}

}  // namespace
