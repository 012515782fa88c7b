// Each table against real text in its script, and the facts about single
// bytes that decided which table serves a name.
#include <gtest/gtest.h>

#include <string>

#include "fw/core/TextEncoding.h"

using fw::ConversionReport;
using fw::DecodeToUTF8;
using fw::EncodeFromUTF8;
using fw::Encodings;
using fw::TextEncoding;

namespace {

const TextEncoding* enc(const char* name) {
    const TextEncoding* e = Encodings::ByName(name);
    EXPECT_NE(e, nullptr) << name;
    return e;
}

struct Sample {
    const char* encoding;
    const char* text;
};

// Every name with a table, with text it can hold.
const Sample kSamples[] = {
    {"SystemDefault", "Grüße 日本 😀"},
    {"UTF8", "Grüße 日本 😀"},
    {"ASCII", "<p class=\"x\">Hello, world!</p>\t~\\"},
    {"DOSArabic", "\xD9\xAA \xD9\xA1\xD9\xA2\xD9\xA3 \xEF\xBA\x8D\xEF\xBB\x9F"},  // ٪ ١٢٣ and presentation forms
    {"DOSBalticRim", "Ąžuolas, ėžeras, šūvis"},
    {"DOSCanadianFrench", "Élève à l'école, ça"},
    {"DOSChineseSimplif", "中文简体字测试，汉语"},
    {"DOSChineseTrad", "中文繁體字測試，漢語"},
    {"DOSCyrillic", "Съешь же ещё этих мягких французских булок"},
    {"DOSGreek", "Καλημέρα κόσμε"},
    {"DOSGreek1", "Καλημέρα κόσμε"},
    {"DOSGreek2", "Καλημέρα κόσμε"},
    {"DOSHebrew", "שלום עולם"},
    {"DOSIcelandic", "Þú ert með ðað"},
    {"DOSJapanese", "日本語のテキスト、カタカナ：テスト。①"},
    {"DOSKorean", "한국어 텍스트입니다. 똠방각하"},
    {"DOSLatin1", "Grüße, façade, naïve, Øre"},
    {"DOSLatin2", "Příliš žluťoučký kůň"},
    {"DOSLatinUS", "Grüße, façade, naïve µ"},
    {"DOSNordic", "Blåbærsyltetøy"},
    {"DOSPortuguese", "Ação, coração"},
    {"DOSRussian", "Съешь же ещё этих мягких французских булок"},
    {"DOSThai", "สวัสดีชาวโลก €"},
    {"DOSTurkish", "Ağaç, ışık, şeker, İstanbul"},
    {"ISOLatin1", "Ça coûte, naïve"},
    {"ISOLatin2", "Příliš žluťoučký kůň"},
    {"ISOLatinArabic", "مرحبا بالعالم"},
    {"ISOLatinCyrillic", "Съешь же ещё этих мягких французских булок"},
    {"ISOLatinGreek", "Καλημέρα κόσμε"},
    {"ISOLatinHebrew", "שלום עולם"},
    {"KOI8_R", "Съешь же ещё этих мягких французских булок"},
    {"MacArabic", "<a href=\"x\">مرحبا بالعالم</a>"},
    {"MacCeltic", "Ŵŷ ŵŶ, Cymraeg"},
    {"MacCentralEurRoman", "Příliš žluťoučký kůň"},
    {"MacChineseSimp", "中文简体字测试，汉语"},
    {"MacChineseTrad", "中文繁體字測試，漢語"},
    {"MacCroatian", "Čćđšž ČĆĐŠŽ"},
    {"MacCyrillic", "Съешь же ещё этих мягких французских булок €"},
    {"MacDevanagari", "नमस्ते दुनिया"},
    {"MacDingbats", "✁✂✈ ❤"},
    {"MacGaelic", "ḃ ċ ḋ ḟ ġ ṁ ṗ ṡ ṫ"},
    {"MacGreek", "Καλημέρα κόσμε"},
    {"MacGujarati", "નમસ્તે"},
    {"MacGurmukhi", "ਗੁਰਮੁਖੀ"},
    {"MacHebrew", "<p>שלום עולם 123</p>"},
    {"MacIcelandic", "Þú ert með ðað Ý"},
    {"MacJapanese", "日本語のテキスト、カタカナ：テスト。\\"},
    {"MacKorean", "한국어 텍스트입니다"},
    {"MacRoman", "Café crème"},
    {"MacRomanian", "Ăîâ ĂÎÂ"},
    {"MacRomanLatin1", "Café crème ÿ"},
    {"MacSymbol", "αβγ∑∞"},
    {"MacThai", "สวัสดีชาวโลก"},
    {"MacTurkish", "Ağaç, ışık, şeker, İstanbul"},
    {"ShiftJIS", "日本語のテキスト、カタカナ：テスト。C:\\dir"},
    {"UCS4", "Grüße 日本 😀"},
    {"UTF16", "Grüße 日本 😀"},
    {"WindowsANSI", "Ça coûte 5 € — “quoted”"},
    {"WindowsArabic", "مرحبا بالعالم"},
    {"WindowsBalticRim", "Ąžuolas, ėžeras, šūvis"},
    {"WindowsCyrillic", "Съешь же ещё этих мягких французских булок"},
    {"WindowsGreek", "Καλημέρα κόσμε"},
    {"WindowsHebrew", "שלום עולם"},
    {"WindowsKoreanJohab", "한국어 텍스트입니다. 똠방각하 C:\\"},
    {"WindowsLatin1", "Ça coûte 5 € — “quoted”"},
    {"WindowsLatin2", "Příliš žluťoučký kůň"},
    {"WindowsLatin5", "Ağaç, ışık, şeker, İstanbul"},
    {"WindowsVietnamese", "Ti\xC3\xAA\xCC\x81ng Vi\xC3\xAA\xCC\xA3t"},  // tone marks combining, as cp1258 holds them
};

TEST(EncodingTables, RealTextRoundTripsWithoutLoss) {
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.encoding);
        const TextEncoding* e = enc(s.encoding);
        ConversionReport out, in;
        std::string bytes = EncodeFromUTF8(s.text, e, &out);
        EXPECT_FALSE(out.lossy()) << out.unmappable << " unmappable from offset " << out.firstOffset;
        EXPECT_EQ(DecodeToUTF8(bytes, e, &in), s.text);
        EXPECT_FALSE(in.lossy());
    }
}

TEST(EncodingTables, EveryNameWithATableHasASample) {
    for (int i = 0; i < Encodings::Count(); ++i) {
        const TextEncoding* e = Encodings::At(i);
        if (!Encodings::HasTable(e)) continue;
        bool found = false;
        for (const Sample& s : kSamples) found = found || std::string(s.encoding) == e->name;
        EXPECT_TRUE(found) << e->name;
    }
}

// Non-ASCII text must really be encoded, not copied through as UTF-8.
TEST(EncodingTables, LegacyBytesDifferFromUTF8) {
    const struct {
        const char* encoding;
        const char* text;
        std::string bytes;
    } cases[] = {
        {"ShiftJIS", "日本", "\x93\xFA\x96\x7B"},
        {"DOSJapanese", "日本", "\x93\xFA\x96\x7B"},
        {"MacJapanese", "日本", "\x93\xFA\x96\x7B"},
        {"DOSKorean", "한국", "\xC7\xD1\xB1\xB9"},
        {"WindowsKoreanJohab", "한", "\xD0\x65"},
        {"DOSChineseSimplif", "中文", "\xD6\xD0\xCE\xC4"},
        {"DOSChineseTrad", "中文", "\xA4\xA4\xA4\xE5"},
        {"KOI8_R", "Мир", "\xED\xC9\xD2"},
        {"WindowsCyrillic", "Мир", "\xCC\xE8\xF0"},
        {"DOSRussian", "Мир", "\x8C\xA8\xE0"},
        {"UTF16", "A😀", std::string("\x00\x41\xD8\x3D\xDE\x00", 6)},
        {"UCS4", "A", std::string("\x00\x00\x00\x41", 4)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        EXPECT_EQ(EncodeFromUTF8(c.text, enc(c.encoding)), c.bytes);
    }
}

// Single bytes whose meaning decided between the available tables.
TEST(EncodingTables, PinnedBytes) {
    const struct {
        const char* encoding;
        std::string bytes;
        const char* text;
        bool roundTrip;  // the text also encodes back to these bytes
        // clang-format off
    } cases[] = {
        {"DOSLatinUS", "\x1A", "\x1A", true},
        {"DOSLatinUS", "\x1C", "\x1C", true},
        {"DOSLatinUS", "\x7F", "\x7F", true},
        {"DOSLatinUS", "\xE6", "µ", true},
        {"DOSLatin1", "\x1A\x7F", "\x1A\x7F", true},
        {"DOSGreek1", "\x1A\x7F", "\x1A\x7F", true},
        {"DOSCanadianFrench", "\xE6", "µ", true},
        {"DOSLatin2", "\xAA", "¬", true},
        {"DOSArabic", "\x25", "٪", true},
        {"DOSThai", "\x80", "€", true},
        {"ShiftJIS", "\x5C", "\\", true},
        {"ShiftJIS", "\x7E", "~", true},
        {"ShiftJIS", "\x81\x60", "\xE3\x80\x9C", true},    // U+301C WAVE DASH
        {"DOSJapanese", "\x81\x60", "\xEF\xBD\x9E", true}, // U+FF5E FULLWIDTH TILDE
        {"WindowsKoreanJohab", "\x5C", "\\", true},
        {"MacCyrillic", "\xFF", "€", true},
        {"MacIcelandic", "\xA0", "Ý", true},
        {"MacRoman", "\xF0", "\xEF\xA3\xBF", true},  // U+F8FF, the Apple logo
        {"MacJapanese", "\x5C", "\\", true},
        {"MacJapanese", "\x80", "\\", false},         // Apple's second backslash reads, never written
        {"MacArabic", "\xA0", " ", false},            // right-to-left space reads as a space
        {"MacRomanLatin1", "\xE9", "é", true},
        {"UTF16", std::string("\x00\x41", 2), "A", true},
        {"UTF16", std::string("\xFE\xFF\x00\x41", 4), "\xEF\xBB\xBF" "A", true},  // held texts have no mark
        {"UCS4", std::string("\x00\x00\x00\x41", 4), "A", true},
        {"UTF8", "\xEF\xBB\xBF" "A", "\xEF\xBB\xBF" "A", true},  // a UTF-8 mark is text here
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + c.text);
        ConversionReport r;
        EXPECT_EQ(DecodeToUTF8(c.bytes, enc(c.encoding), &r), c.text);
        EXPECT_FALSE(r.lossy());
        if (c.roundTrip) {
            EXPECT_EQ(EncodeFromUTF8(c.text, enc(c.encoding), &r), c.bytes);
            EXPECT_FALSE(r.lossy());
        }
    }
}

TEST(EncodingTables, PinnedEncodings) {
    const struct {
        const char* encoding;
        const char* text;
        std::string bytes;
        // clang-format off
    } cases[] = {
        {"DOSArabic", "100%", "100%"},
        {"DOSKorean", "\xEA\xB0\x82", "\x81\x41"},  // U+AC02, missing from the IBM table
        {"MacArabic", "<a href=\"x\">", "<a href=\"x\">"},
        {"MacHebrew", "<a href=\"x\">[1]{2}|", "<a href=\"x\">[1]{2}|"},
        {"UTF16", "\xEF\xBB\xBF" "A", std::string("\xFE\xFF\x00\x41", 4)},  // a mark in the text stays text
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.encoding);
        ConversionReport r;
        EXPECT_EQ(EncodeFromUTF8(c.text, enc(c.encoding), &r), c.bytes);
        EXPECT_FALSE(r.lossy());
    }
}

// Within each single-byte table, every byte that reads as a character
// writes back as itself, unless it is one of the read-only duplicates.
TEST(EncodingTables, SingleByteTablesAreConsistent) {
    for (int i = 0; i < Encodings::Count(); ++i) {
        const TextEncoding* e = Encodings::At(i);
        if (!e->IsSingleByte()) continue;
        SCOPED_TRACE(e->name);
        int roundTrips = 0;
        for (int b = 0; b < 256; ++b) {
            std::string byte(1, char(b));
            ConversionReport in, out;
            std::string text = DecodeToUTF8(byte, e, &in);
            if (in.lossy()) {
                EXPECT_EQ(text, "\xEF\xBF\xBD");
                continue;
            }
            std::string back = EncodeFromUTF8(text, e, &out);
            EXPECT_FALSE(out.lossy()) << b;
            if (back == byte) ++roundTrips;
        }
        EXPECT_GE(roundTrips, 128);
    }
}

}  // namespace
