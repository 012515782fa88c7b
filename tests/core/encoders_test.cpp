// Base64, quoted-printable and percent-encoding of bytes.
#include <gtest/gtest.h>

#include <random>

#include "fw/core/Encoders.h"
#include "fw/core/TextEncoding.h"

namespace {

using fw::String;

std::string Bytes(const String& s) { return s.bytes(); }

TEST(Encoders, Rfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (auto [plain, coded] : vectors) {
        EXPECT_EQ(Bytes(fw::EncodeBase64(plain, 0)), coded) << plain;
        EXPECT_EQ(Bytes(fw::DecodeBase64(coded)), plain) << coded;
    }
}

TEST(Encoders, Base64Lines) {
    std::string text(57, 'a');  // 76 characters: exactly one full line
    EXPECT_EQ(Bytes(fw::EncodeBase64(text, 76)).find('\r'), std::string::npos);
    text += "b";
    std::string two = Bytes(fw::EncodeBase64(text, 76));
    ASSERT_EQ(two.size(), 80u + 2u);
    EXPECT_EQ(two.substr(76, 2), "\r\n");
    EXPECT_EQ(Bytes(fw::EncodeBase64("abcdef", -1)), "YWJjZGVm");
    EXPECT_EQ(Bytes(fw::EncodeBase64("abcdef", 3)), "YWJ\r\njZG\r\nVm");
}

TEST(Encoders, MalformedInputKeepsWhatItCan) {
    // clang-format off
    const std::pair<std::string, std::string> base64[] = {
        {"Zm9v\r\nYmFy", "foobar"},  // line breaks skipped
        {"Zm 9v*Yg", "foob"},        // garbage and missing padding
        {"Zg=", "f"},
        {"Z", ""},                   // one character holds no whole byte
        {"====", ""},
        {std::string("Zm\0\xFF" "9v", 6), "foo"},
    };
    // clang-format on
    for (const auto& [in, out] : base64) EXPECT_EQ(Bytes(fw::DecodeBase64(in)), out) << in;

    const std::pair<std::string, std::string> qp[] = {
        {"a=3Db", "a=b"},
        {"a=3db", "a=b"},
        {"a=ZZb", "a=ZZb"},
        {"end=", "end"},
        {"soft=\r\nbreak", "softbreak"},
        {"soft=  \nbreak", "softbreak"},
        {"a=4", "a=4"},
        {"=", ""},
    };
    for (const auto& [in, out] : qp) EXPECT_EQ(Bytes(fw::DecodeQuotedPrintable(in)), out) << in;

    const std::pair<std::string, std::string> url[] = {
        {"a%20b", "a b"}, {"%e9", "\xE9"}, {"100%", "100%"}, {"%4", "%4"}, {"%G1", "%G1"}, {"a+b", "a+b"},
    };
    for (const auto& [in, out] : url) EXPECT_EQ(Bytes(fw::DecodeURLComponent(in)), out) << in;
}

TEST(Encoders, QuotedPrintableRules) {
    EXPECT_EQ(Bytes(fw::EncodeQuotedPrintable("a=b\xE9")), "a=3Db=E9");
    EXPECT_EQ(Bytes(fw::EncodeQuotedPrintable("end \nnext\t")), "end=20\nnext=09");
    EXPECT_EQ(Bytes(fw::EncodeQuotedPrintable("a b\r\nc")), "a b\r\nc");
    EXPECT_EQ(Bytes(fw::EncodeQuotedPrintable("lone\rcr")), "lone=0Dcr");
    // Lines stay within 76 characters and an escape is never split.
    std::string longText(100, 'x');
    longText[74] = '\xFF';
    std::string coded = Bytes(fw::EncodeQuotedPrintable(longText));
    EXPECT_EQ(coded.substr(0, 76), std::string(74, 'x') + "=\n");
    EXPECT_EQ(coded.substr(76, 3), "=FF");
}

TEST(Encoders, UrlLeavesOnlyUnreserved) {
    EXPECT_EQ(Bytes(fw::EncodeURLComponent("AZaz09-._~")), "AZaz09-._~");
    EXPECT_EQ(Bytes(fw::EncodeURLComponent(" !*'()/?#&=+%\xC3\xA9")),
              "%20%21%2A%27%28%29%2F%3F%23%26%3D%2B%25%C3%A9");
}

TEST(Encoders, RandomBytesRoundTrip) {
    std::mt19937 rng(4648);
    for (int round = 0; round < 200; ++round) {
        std::string data(rng() % 300, '\0');
        for (char& c : data) c = static_cast<char>(rng());
        String s = String::FromBytes(data, nullptr);
        int64_t width = static_cast<int64_t>(rng() % 90) - 10;
        EXPECT_EQ(Bytes(fw::DecodeBase64(fw::EncodeBase64(s, width))), data);
        EXPECT_EQ(Bytes(fw::DecodeQuotedPrintable(fw::EncodeQuotedPrintable(s))), data);
        EXPECT_EQ(Bytes(fw::DecodeURLComponent(fw::EncodeURLComponent(s))), data);
    }
}

TEST(Encoders, DecodedTextCarriesTheEncodingGiven) {
    EXPECT_EQ(fw::DecodeBase64("YQ==").encoding(), nullptr);
    EXPECT_EQ(fw::DecodeBase64("YQ==", fw::Encodings::WindowsLatin1).encoding(), fw::Encodings::WindowsLatin1);
    EXPECT_EQ(fw::DecodeQuotedPrintable("a", fw::Encodings::UTF16).encoding(), fw::Encodings::UTF16);
    EXPECT_EQ(fw::DecodeURLComponent("a", fw::Encodings::MacRoman).encoding(), fw::Encodings::MacRoman);
}

}  // namespace
