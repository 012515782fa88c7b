// The 85 names of the encoding pop-up and where characters start in each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "fw/core/TextEncoding.h"

using fw::ConversionReport;
using fw::DecodeToUTF8;
using fw::Encodings;
using fw::TextEncoding;

namespace {

const TextEncoding* enc(const char* name) { return Encodings::ByName(name); }

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

size_t codePoints(const std::string& utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

TEST(EncodingNames, EightyFiveNamesInPopUpOrder) {
    ASSERT_EQ(Encodings::Count(), 85);
    EXPECT_EQ(Encodings::At(-1), nullptr);
    EXPECT_EQ(Encodings::At(85), nullptr);
    for (int i = 0; i < 85; ++i) {
        const TextEncoding* e = Encodings::At(i);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->index, i);
        EXPECT_EQ(Encodings::ByName(e->name), e);
    }
    EXPECT_STREQ(Encodings::At(0)->name, "SystemDefault");
    EXPECT_STREQ(Encodings::At(1)->name, "UTF8");
    EXPECT_STREQ(Encodings::At(2)->name, "ASCII");
    // Rows 3 on are alphabetical ignoring case: MacRomanian before MacRomanLatin1.
    for (int i = 4; i < 85; ++i) EXPECT_LT(lower(Encodings::At(i - 1)->name), lower(Encodings::At(i)->name)) << i;
    EXPECT_STREQ(Encodings::At(61)->name, "MacRomanian");
    EXPECT_STREQ(Encodings::At(62)->name, "MacRomanLatin1");
    EXPECT_STREQ(Encodings::At(84)->name, "WindowsVietnamese");
}

TEST(EncodingNames, LookupIsExact) {
    EXPECT_EQ(Encodings::ByName("utf8"), nullptr);
    EXPECT_EQ(Encodings::ByName(""), nullptr);
    EXPECT_EQ(Encodings::ByName("UTF-8"), nullptr);
    EXPECT_EQ(Encodings::ByName("MacFarsi"), nullptr);
}

TEST(EncodingNames, NamedMembersPointIntoTheTable) {
    EXPECT_EQ(Encodings::SystemDefault, enc("SystemDefault"));
    EXPECT_EQ(Encodings::UTF8, enc("UTF8"));
    EXPECT_EQ(Encodings::ASCII, enc("ASCII"));
    EXPECT_EQ(Encodings::UTF16, enc("UTF16"));
    EXPECT_EQ(Encodings::UCS4, enc("UCS4"));
    EXPECT_EQ(Encodings::ISOLatin1, enc("ISOLatin1"));
    EXPECT_EQ(Encodings::WindowsLatin1, enc("WindowsLatin1"));
    EXPECT_EQ(Encodings::WindowsANSI, enc("WindowsANSI"));
    EXPECT_EQ(Encodings::MacRoman, enc("MacRoman"));
    EXPECT_EQ(Encodings::ShiftJIS, enc("ShiftJIS"));
}

TEST(EncodingNames, Properties) {
    EXPECT_TRUE(Encodings::SystemDefault->IsUTF8());
    EXPECT_TRUE(Encodings::UTF8->IsUTF8());
    EXPECT_FALSE(Encodings::UTF16->IsUTF8());
    EXPECT_FALSE(Encodings::ASCII->IsUTF8());

    for (const char* name : {"ASCII", "WindowsLatin1", "DOSLatinUS", "KOI8_R", "MacRoman", "MacArmenian"})
        EXPECT_TRUE(enc(name)->IsSingleByte()) << name;
    for (const char* name : {"UTF8", "UTF16", "UCS4", "ShiftJIS", "DOSJapanese", "DOSKorean", "MacDevanagari"})
        EXPECT_FALSE(enc(name)->IsSingleByte()) << name;

    EXPECT_TRUE(Encodings::WindowsANSI->Equals(Encodings::WindowsLatin1));
    EXPECT_TRUE(Encodings::SystemDefault->Equals(Encodings::UTF8));
    EXPECT_TRUE(Encodings::MacRoman->Equals(Encodings::MacRoman));
    EXPECT_FALSE(Encodings::ShiftJIS->Equals(enc("DOSJapanese")));
    EXPECT_FALSE(Encodings::ISOLatin1->Equals(Encodings::WindowsLatin1));
    EXPECT_FALSE(enc("MacArmenian")->Equals(enc("MacBengali")));
    EXPECT_FALSE(Encodings::UTF8->Equals(nullptr));
}

TEST(CharStarts, KnownTexts) {
    const struct {
        const char* encoding;
        std::string bytes;
        std::vector<uint32_t> starts;
        // clang-format off
    } cases[] = {
        {"UTF8", "", {0}},
        {"UTF8", "aé日😀", {0, 1, 3, 6, 10}},
        {"UTF8", "a\xFF\xE2\x82" "b", {0, 1, 2, 3, 4, 5}},       // each invalid byte is one character
        {"UTF8", "0123456789abcdé", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}},
        {"SystemDefault", "\xF0\x9F\x98", {0, 1, 2, 3}},
        {"WindowsLatin1", "a\xE9" "b", {0, 1, 2, 3}},
        {"MacArmenian", "\x80\x81", {0, 1, 2}},
        {"ShiftJIS", "\x93\xFA\x96\x7B" "a\x82", {0, 2, 4, 5, 6}},
        {"ShiftJIS", "\x82\x20", {0, 1, 2}},
        {"DOSKorean", "\xC7\xD1" "a", {0, 2, 3}},
        {"WindowsKoreanJohab", "\xD0\x65\\", {0, 2, 3}},
        {"UTF16", std::string("\x00\x41\xD8\x3D\xDE\x00", 6), {0, 2, 6}},
        {"UTF16", std::string("\xFE\xFF\x00\x41", 4), {0, 2, 4}},  // U+FEFF is a character of its own
        {"UCS4", std::string("\x00\x00\x00\x41\x00\x01\xF6\x00", 8), {0, 4, 8}},
        {"MacDevanagari", "\xA1\xE9" "a", {0, 2, 3}},              // a byte pair read as one character
        {"MacChineseTrad", "\x80" "a", {0, 1, 2}},                 // one byte read as two code points
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        EXPECT_EQ(enc(c.encoding)->CharStarts(c.bytes), c.starts);
    }
}

// Every slice between two starts reads as exactly one code point, and
// outside UTF-8 the character count matches what the decoder produces.
TEST(CharStarts, SlicesAreSingleCharactersOfRandomBytes) {
    uint32_t seed = 99;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return char(seed >> 24);
    };
    for (const char* name : {"UTF8", "ShiftJIS", "DOSJapanese", "DOSKorean", "DOSChineseTrad", "DOSChineseSimplif",
                             "WindowsKoreanJohab", "UTF16", "UCS4"}) {
        SCOPED_TRACE(name);
        const TextEncoding* e = enc(name);
        for (int round = 0; round < 30; ++round) {
            std::string bytes;
            for (int n = 0; n < 40; ++n) {
                // Mostly ASCII with high bytes mixed in, like real text.
                char c = next();
                bytes += (round % 2 && (c & 0x60)) ? char(c & 0x7F) : c;
            }
            if (bytes.size() >= 2 && std::string(name) == "UTF16") bytes[0] = 0;  // no byte-order mark
            if (std::string(name) == "UCS4") bytes.replace(0, 2, std::string(2, '\0'));
            std::vector<uint32_t> starts = e->CharStarts(bytes);
            ASSERT_GE(starts.size(), 2u);
            EXPECT_EQ(starts.front(), 0u);
            EXPECT_EQ(starts.back(), bytes.size());
            // UTF-8 decoding replaces a whole ill-formed sequence, not each byte.
            if (!e->IsUTF8()) {
                EXPECT_EQ(starts.size() - 1, codePoints(DecodeToUTF8(bytes, e)));
            }
            for (size_t i = 0; i + 1 < starts.size(); ++i) {
                ASSERT_LT(starts[i], starts[i + 1]);
                std::string slice = bytes.substr(starts[i], starts[i + 1] - starts[i]);
                EXPECT_EQ(codePoints(DecodeToUTF8(slice, e)), 1u) << "at " << starts[i];
            }
        }
    }
}

}  // namespace
