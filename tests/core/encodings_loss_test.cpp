// Invalid input and unmappable characters: replaced visibly, counted, and
// located; never dropped, never a crash.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "fw/core/TextEncoding.h"

using fw::CheckEncoding;
using fw::ConversionReport;
using fw::ConvertEncoding;
using fw::DecodeToUTF8;
using fw::DefineEncoding;
using fw::EncodeFromUTF8;
using fw::Encodings;
using fw::String;
using fw::TextEncoding;

namespace {

const char kFFFD[] = "\xEF\xBF\xBD";

const TextEncoding* enc(const char* name) { return Encodings::ByName(name); }

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(EncodingLoss, InvalidInputBecomesReplacementCharacters) {
    const struct {
        const char* encoding;
        std::string bytes;
        std::string text;
        size_t invalid;
        size_t firstOffset;
        // clang-format off
    } cases[] = {
        {"UTF8", "ab\xFF" "cd", std::string("ab") + kFFFD + "cd", 1, 2},
        {"UTF8", "ok\xE2\x82", std::string("ok") + kFFFD, 1, 2},              // truncated at the end
        {"UTF8", "\xC0\xAF", repeat(kFFFD, 2), 2, 0},                          // overlong
        {"UTF8", "x\xED\xA0\x80", "x" + repeat(kFFFD, 3), 3, 1},               // an encoded surrogate
        {"UTF8", "\xF4\x90\x80\x80", repeat(kFFFD, 4), 4, 0},                  // above U+10FFFF
        {"UTF8", "\xE2\x82" "A", std::string(kFFFD) + "A", 1, 0},              // cut short by ASCII
        {"UTF8", "\xF0\x9F\x98" "A", std::string(kFFFD) + "A", 1, 0},          // three of four bytes
        {"SystemDefault", "\x80", kFFFD, 1, 0},
        {"ASCII", "a\x80\xFF", std::string("a") + kFFFD + kFFFD, 2, 1},
        {"DOSJapanese", "A\x82", std::string("A") + kFFFD, 1, 1},              // lead byte at the end
        {"ShiftJIS", "\x93\xFA\x82", std::string("日") + kFFFD, 1, 2},
        {"ShiftJIS", "\x82\x20" "b", std::string(kFFFD) + " b", 1, 0},         // not a trail byte
        {"DOSKorean", "\xC7\xD1\xC7", std::string("한") + kFFFD, 1, 2},
        {"UTF16", std::string("\xD8\x3D\xDE\x00", 4), "😀", 0, 0},
        {"UTF16", std::string("\xD8\x3D\x00\x41", 4), std::string(kFFFD) + "A", 1, 0},  // lone high surrogate
        {"UTF16", std::string("\x00\x41\xDE\x00", 4), std::string("A") + kFFFD, 1, 2},  // lone low surrogate
        {"UTF16", std::string("\x00\x41\x00", 3), std::string("A") + kFFFD, 1, 2},      // odd length
        {"UCS4", std::string("\x00\x11\x00\x00", 4), kFFFD, 1, 0},                      // above U+10FFFF
        {"MacRomanLatin1", "\x80\x9F\xA0", std::string(kFFFD) + kFFFD + "\xC2\xA0", 2, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " case with " + std::to_string(c.invalid) + " invalid");
        ConversionReport r;
        EXPECT_EQ(DecodeToUTF8(c.bytes, enc(c.encoding), &r), c.text);
        EXPECT_EQ(DecodeToUTF8(c.bytes, enc(c.encoding)), c.text);  // the quicker path without a report
        EXPECT_EQ(r.invalidInput, c.invalid);
        EXPECT_EQ(r.unmappable, 0u);
        if (c.invalid) {
            EXPECT_EQ(r.firstOffset, c.firstOffset);
        }
    }
}

TEST(EncodingLoss, UnmappableCharactersBecomeQuestionMarks) {
    const struct {
        const char* encoding;
        const char* text;
        std::string bytes;
        size_t unmappable;
        size_t firstOffset;
    } cases[] = {
        {"ASCII", "aé日b", "a??b", 2, 1},
        {"WindowsLatin1", "aé日b", "a\xE9?b", 1, 3},
        {"WindowsLatin1", "😀", "?", 1, 0},  // one character, one mark, not two
        {"DOSLatinUS", "x日", "x?", 1, 1},  // not the table's own 0x1A or 0x7F
        {"ShiftJIS", "日€", "\x93\xFA?", 1, 3},
        {"DOSKorean", "한😀", "\xC7\xD1?", 1, 3},
        {"DOSChineseSimplif", "中😀", "\xD6\xD0?", 1, 3},
        {"MacJapanese", "日😀", "\x93\xFA?", 1, 3},
        {"KOI8_R", "Мир ω", "\xED\xC9\xD2 ?", 1, 7},
        {"ISOLatin1", "\xE2\x80\x94", "?", 1, 0},      // no best-fit "-" for an em dash
        {"WindowsLatin1", "\xEF\xBC\xA1", "?", 1, 0},  // nor "A" for a fullwidth A
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + c.text);
        ConversionReport r;
        EXPECT_EQ(EncodeFromUTF8(c.text, enc(c.encoding), &r), c.bytes);
        EXPECT_EQ(EncodeFromUTF8(c.text, enc(c.encoding)), c.bytes);
        EXPECT_EQ(r.unmappable, c.unmappable);
        EXPECT_EQ(r.invalidInput, 0u);
        EXPECT_EQ(r.firstOffset, c.firstOffset);
    }
}

TEST(EncodingLoss, InvalidUTF8IsCountedWhenEncoding) {
    ConversionReport r;
    EXPECT_EQ(EncodeFromUTF8("ab\xFF", Encodings::WindowsLatin1, &r), "ab?");
    EXPECT_EQ(EncodeFromUTF8("x\xED\xA0\x80", Encodings::WindowsLatin1), "x???");
    EXPECT_EQ(r.invalidInput, 1u);
    EXPECT_EQ(r.unmappable, 1u);  // the U+FFFD it became has no place in cp1252 either
    EXPECT_EQ(r.firstOffset, 2u);
}

TEST(EncodingLoss, NamesWithoutATableKeepASCIIAndReportTheRest) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b) high += char(b);
    std::string ascii;
    for (int b = 0; b < 0x80; ++b) ascii += char(b);
    int without = 0;
    for (int i = 0; i < Encodings::Count(); ++i) {
        const TextEncoding* e = Encodings::At(i);
        if (Encodings::HasTable(e)) continue;
        ++without;
        SCOPED_TRACE(e->name);
        EXPECT_TRUE(e->IsSingleByte());
        ConversionReport r;
        EXPECT_EQ(DecodeToUTF8(ascii, e, &r), ascii);
        EXPECT_FALSE(r.lossy());
        EXPECT_EQ(DecodeToUTF8("<p>" + high, e, &r), "<p>" + repeat(kFFFD, 128));
        EXPECT_EQ(r.invalidInput, 128u);
        EXPECT_EQ(r.firstOffset, 3u);
        for (int b = 0x80; b <= 0xFF; ++b) {
            EXPECT_EQ(DecodeToUTF8(std::string(1, char(b)), e, &r), kFFFD);
            EXPECT_EQ(r.invalidInput, 1u);
        }
        EXPECT_EQ(EncodeFromUTF8("<b>é日</b>", e, &r),
                  "<b>?"
                  "?</b>");
        EXPECT_EQ(r.unmappable, 2u);
        EXPECT_EQ(r.firstOffset, 3u);
    }
    EXPECT_EQ(without, 17);
}

TEST(EncodingLoss, ReportIsOverwrittenNotAccumulated) {
    ConversionReport r;
    r.invalidInput = 5;
    r.unmappable = 7;
    r.firstOffset = 9;
    DecodeToUTF8("clean", Encodings::UTF8, &r);
    EXPECT_FALSE(r.lossy());
    EXPECT_EQ(r.firstOffset, 0u);
}

TEST(ConvertEncodingTest, SameEncodingKeepsBytesEvenInvalidOnes) {
    const std::string bad = "a\xFF\xFE\x80z";
    ConversionReport r;
    String s = String::FromBytes(bad, Encodings::UTF8);
    String same = ConvertEncoding(s, Encodings::UTF8, &r);
    EXPECT_EQ(same.bytes(), bad);
    EXPECT_EQ(same.encoding(), Encodings::UTF8);
    EXPECT_FALSE(r.lossy());

    // Equal tables under two names count as the same encoding.
    String viaSystem = ConvertEncoding(s, Encodings::SystemDefault, &r);
    EXPECT_EQ(viaSystem.bytes(), bad);
    EXPECT_EQ(viaSystem.encoding(), Encodings::SystemDefault);
    String ansi = String::FromBytes("\x81\x93", Encodings::WindowsANSI);
    String latin1 = ConvertEncoding(ansi, Encodings::WindowsLatin1, &r);
    EXPECT_EQ(latin1.bytes(), "\x81\x93");
    EXPECT_EQ(latin1.encoding(), Encodings::WindowsLatin1);

    String sjis = String::FromBytes("\x93\xFA\x82", Encodings::ShiftJIS);
    EXPECT_EQ(ConvertEncoding(sjis, Encodings::ShiftJIS, &r).bytes(), "\x93\xFA\x82");
    EXPECT_FALSE(r.lossy());
}

TEST(ConvertEncodingTest, ConvertsBetweenEncodingsAndReportsInInputOffsets) {
    ConversionReport r;
    String sjis = String::FromBytes("ab\x93\xFA\x96\x7B", Encodings::ShiftJIS);
    String koi = ConvertEncoding(sjis, Encodings::ByName("KOI8_R"), &r);
    EXPECT_EQ(koi.bytes(), "ab??");
    EXPECT_EQ(koi.encoding(), Encodings::ByName("KOI8_R"));
    EXPECT_EQ(r.unmappable, 2u);
    EXPECT_EQ(r.firstOffset, 2u);  // where 日 starts in the Shift_JIS bytes

    // An invalid byte after the first unmappable character.
    String mixed = String::FromBytes("\x93\xFAx\xFF", Encodings::ShiftJIS);
    String latin = ConvertEncoding(mixed, Encodings::WindowsLatin1, &r);
    EXPECT_EQ(latin.bytes(), "?x?");
    EXPECT_EQ(r.unmappable, 2u);  // 日 and the U+FFFD of the bad byte
    EXPECT_EQ(r.invalidInput, 1u);
    EXPECT_EQ(r.firstOffset, 0u);

    // An invalid byte before it.
    String early = String::FromBytes("\xFFx\x93\xFA", Encodings::ShiftJIS);
    ConvertEncoding(early, Encodings::WindowsLatin1, &r);
    EXPECT_EQ(r.firstOffset, 0u);
    String late = String::FromBytes("xy\x93\xFA\xFF", Encodings::ShiftJIS);
    ConvertEncoding(late, Encodings::WindowsLatin1, &r);
    EXPECT_EQ(r.firstOffset, 2u);

    String utf16 = ConvertEncoding(String("Grüße"), Encodings::UTF16, &r);
    EXPECT_EQ(utf16.bytes(), std::string("\x00G\x00r\x00\xFC\x00\xDF\x00\x65", 10));
    EXPECT_EQ(ConvertEncoding(utf16, Encodings::UTF8, &r).bytes(), "Grüße");
    EXPECT_FALSE(r.lossy());
}

TEST(ConvertEncodingTest, TextWithoutEncodingIsReadAsUTF8) {
    ConversionReport r;
    String raw = String::FromBytes("é", nullptr);
    EXPECT_EQ(ConvertEncoding(raw, Encodings::WindowsLatin1, &r).bytes(), "\xE9");
    String bad = String::FromBytes("a\xFF", nullptr);
    EXPECT_EQ(ConvertEncoding(bad, Encodings::UTF8, &r).bytes(), std::string("a") + kFFFD);
    EXPECT_EQ(r.invalidInput, 1u);
}

TEST(ConvertEncodingTest, NoTargetEncodingKeepsBytesAndDropsTheEncoding) {
    String s = String::FromBytes("\x93\xFA", Encodings::ShiftJIS);
    String out = ConvertEncoding(s, nullptr);
    EXPECT_EQ(out.bytes(), "\x93\xFA");
    EXPECT_EQ(out.encoding(), nullptr);
}

TEST(ConvertEncodingTest, DefineEncodingRelabelsTheSameBytes) {
    String s = String::FromBytes("\xE9t\xE9", Encodings::UTF8);
    String defined = DefineEncoding(s, Encodings::ISOLatin1);
    EXPECT_EQ(defined.bytes(), "\xE9t\xE9");
    EXPECT_EQ(defined.encoding(), Encodings::ISOLatin1);
    EXPECT_EQ(ConvertEncoding(defined, Encodings::UTF8).bytes(), "été");
}

TEST(ConvertEncodingTest, CheckEncodingCountsInvalidBytesInTheTextsOwnEncoding) {
    const struct {
        std::string bytes;
        const TextEncoding* encoding;
        size_t invalid;
        size_t firstOffset;
        // clang-format off
    } cases[] = {
        {"fine é", Encodings::UTF8, 0, 0},
        {"a\xFF" "b\xFE", Encodings::UTF8, 2, 1},
        {"a\xFF", nullptr, 1, 1},
        {"\x93\xFA\x96\x7B", Encodings::ShiftJIS, 0, 0},
        {"\x93\xFA\x96", Encodings::ShiftJIS, 1, 2},
        {"\xE9\xFF", Encodings::ISOLatin1, 0, 0},
        {"ab\x80\x81\x82", Encodings::ByName("MacArmenian"), 3, 2},
    };
    // clang-format on
    for (const auto& c : cases) {
        ConversionReport r = CheckEncoding(String::FromBytes(c.bytes, c.encoding));
        EXPECT_EQ(r.invalidInput, c.invalid) << c.bytes;
        EXPECT_EQ(r.unmappable, 0u);
        if (c.invalid) {
            EXPECT_EQ(r.firstOffset, c.firstOffset) << c.bytes;
        }
    }
}

// Random bytes through every decoder and back through every encoder.
TEST(EncodingLoss, GarbageNeverCrashes) {
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return char(seed >> 16);
    };
    for (int i = 0; i < Encodings::Count(); ++i) {
        const TextEncoding* e = Encodings::At(i);
        for (int round = 0; round < 20; ++round) {
            std::string bytes;
            for (int n = 0; n < 1 + round * 13; ++n) bytes += next();
            ConversionReport r;
            std::string text = DecodeToUTF8(bytes, e, &r);
            EXPECT_LE(r.firstOffset, bytes.size()) << e->name;
            EncodeFromUTF8(bytes, e, &r);
            EncodeFromUTF8(text, e, &r);
            std::vector<uint32_t> starts = e->CharStarts(bytes);
            ASSERT_FALSE(starts.empty());
            EXPECT_EQ(starts.back(), bytes.size()) << e->name;
        }
    }
}

// Converters are kept per thread; threads must not share their state.
TEST(EncodingThreads, ConcurrentConversionsAgree) {
    const std::string text = repeat("日本語のテキスト、カタカナ。", 2000);
    const std::string expected = EncodeFromUTF8(text, Encodings::ShiftJIS);
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < results.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 20; ++i) {
                std::string bytes = EncodeFromUTF8(text, Encodings::ShiftJIS);
                results[t] = DecodeToUTF8(bytes, Encodings::ShiftJIS) == text ? bytes : "mismatch";
            }
        });
    }
    for (auto& th : threads) th.join();
    for (const std::string& r : results) EXPECT_EQ(r, expected);
}

// A thread-local object destroyed after the thread's converters still converts.
TEST(EncodingThreads, ConvertingAfterTheThreadsConvertersAreGone) {
    struct ConvertsOnExit {
        std::string* out;
        ~ConvertsOnExit() { *out = EncodeFromUTF8("é", Encodings::WindowsLatin1); }
    };
    std::string result;
    std::thread([&result] {
        thread_local ConvertsOnExit late{&result};  // made before the converters, so gone after them
        (void)late;
        EncodeFromUTF8("x", Encodings::WindowsLatin1);
    }).join();
    EXPECT_EQ(result, "\xE9");
}

}  // namespace
