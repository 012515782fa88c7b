// The self-extracting page: its exact text, and what its decoder gives back.
#include <gtest/gtest.h>

#include "PageModel.h"
#include "PakkleCorpus.h"
#include "applib/VellGlobal.h"
#include "engine/HTML2Pakkle.h"
#include "engine/TPakkle.h"
#include "engine/quillet.h"
#include "fw/core/TextEncoding.h"

namespace {

const char* const kDecoder =
    "var x=new Array(),a=new Array(),h=0,f=1,l=0,g=0,t='';function e(){if(t.length>99){while(t.length>99){a[h++]="
    "t.substr(0,99);t=t.substr(99,t.length-99);}}a[h]=t;}for(k=0;k<c.length;k++){x[c.charAt(k)]=k;}for(i=0;i<b."
    "length;i++,f=!f){p=x[b.substr(i,1)];while((p%91)==0){i++;p+=91+x[b.substr(i,1)];}if(f){t+=s.substr(l,p);g+=p;"
    "l+=p;e();}else{for(j=0;j<p;j++){w=s.substr(l,3);l+=3;q=x[w.substr(0,1)]*91+x[w.substr(1,1)]+1;y=x[w.substr(2,"
    "1)]+2;z=g-q;k=Math.floor(z/99);m=z%99;if(m+y>99){z=99-m;t+=a[k].substr(m,z);e();t+=a[k+1].substr(0,y-z);}"
    "else{if(a[k]){t+=a[k].substr(m,y);}}g+=y;e();}}e();}";

class Page : public ::testing::Test {
protected:
    void SetUp() override {
        EOL = fw::String("\r\n");
        quillet::SourceEncoding = fw::Encodings::UTF8;
    }
    void TearDown() override { quillet::SourceEncoding = nullptr; }
};

TEST_F(Page, ExactText) {
    const std::string page = quillet::HTML2Pakkle("aaaaaaaaa", false).bytes();
    EXPECT_EQ(quillet::Varnel("aaaaaaaaa", "pakkle").bytes(), page);
    EXPECT_EQ(quillet::Varnel("aaaaaaaaa", "Pakkle (Unicode)").bytes(),
              quillet::HTML2Pakkle("aaaaaaaaa", true).bytes());
    const std::string dataLine = std::string("s='aaaa $#a';b='%!!';c='") + TPakkle::Alphabet() + "';" + kDecoder +
                                 "document.write(a.join(''));";
    const std::string header = "<!-- USE SAVE AS BUTTON TO STORE Pakkleped DOCUMENT -->\r\n<html><head><script>\n";
    ASSERT_EQ(page.substr(0, header.size()), header);
    const size_t commentEnd = page.find('\n', header.size());
    const std::string comment = page.substr(header.size(), commentEnd - header.size());
    EXPECT_EQ(comment.substr(0, 2), "//");
    EXPECT_EQ(page.substr(commentEnd + 1), dataLine + "\n" + comment + "\n</script></head><body></body></html>");
    // Empty text: nothing to write, one run symbol.
    const std::string empty = quillet::HTML2Pakkle("", true).bytes();
    EXPECT_NE(empty.find("\ns='';b=' ';c='"), std::string::npos);
    EXPECT_EQ(PageText(empty, true), u"");
}

TEST_F(Page, ScriptFormAndPrefix) {
    TPakkle p;
    const std::string js = p.CompressJS("aaaaaaaaa", "", false).bytes();
    ASSERT_EQ(js.substr(0, 2), "//");
    EXPECT_NE(js.find("\ns='aaaa $#a';b='%!!';c='"), std::string::npos);
    EXPECT_NE(js.find(std::string(kDecoder) + "eval(a.join(''));\n//"), std::string::npos);
    EXPECT_EQ(js.find("<html>"), std::string::npos);

    // The prefix goes before the twenty names and nowhere else.
    const std::string prefixed = p.CompressJS("aaaaaaaaa", "P_", false).bytes();
    EXPECT_NE(prefixed.find("P_s='aaaa $#a';P_b='%!!';P_c='"), std::string::npos);
    EXPECT_NE(prefixed.find("eval(P_a.join(''))"), std::string::npos);
    std::string undone = TPakkle::Decoder("P_", true);
    for (size_t at; (at = undone.find("P_")) != std::string::npos;) undone.erase(at, 2);
    EXPECT_EQ(undone, kDecoder);
    const std::string d = TPakkle::Decoder("P_", true);
    for (const char* piece : {"P_t.length", "P_w.substr(0,1)", "Math.floor(P_z/99)", "function P_e()",
                              "P_x[P_c.charAt(P_k)]=P_k", "new Array()"})
        EXPECT_NE(d.find(piece), std::string::npos) << piece;
}

TEST_F(Page, OldFormHasNoGuardAndCrLf) {
    TPakkle p;
    const std::string page = p.OldCompress("aaaaaaaaa", "", false).bytes();
    EXPECT_EQ(page.substr(0, 22), "<html><body><script>\r\n");
    EXPECT_EQ(page.substr(page.size() - 25), "\r\n</script></body></html>");
    EXPECT_EQ(page.find("if(a[k])"), std::string::npos);
    EXPECT_EQ(PageText(page, false), u"aaaaaaaaa");
}

struct RoundTrip {
    const char* name;
    std::string text;  // UTF-8
    bool unicode;
};

std::vector<RoundTrip> RoundTrips() {
    std::string distinct;
    for (int i = 0; i < 94; ++i) distinct += static_cast<char>(0x21 + i);
    std::vector<RoundTrip> r = {
        {"nine a", "aaaaaaaaa", false},
        {"case", "ABCD1abcd2abcd3", true},
        {"script and comment", "<p>x</script><!-- c --></SCRIPT >", false},
        {"quotes and line ends", "it's\r\n\t\"a\\b\"\n", true},
        {"html bytes", RealHtml(), false},
        {"html characters", RealHtml(), true},
        {"long small alphabet", RandomText(Letters("ab"), 60000, 11), false},
        {"long one letter", std::string(50000, 'z'), true},
        {"91 literals", distinct.substr(0, 91), false},
        {"182 literals",
         [] {
             std::string cjk;
             for (char32_t c = 0x4E00; c < 0x4E00 + 182; ++c)
                 cjk += std::string{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                                    static_cast<char>(0x80 | (c & 0x3F))};
             return cjk;
             // clang-format off
         }(),
         true},
        {"91 literals then a match", distinct.substr(0, 91) + distinct.substr(0, 30) + "!", false},
        {"91 literals then a short match", distinct.substr(0, 91) + distinct.substr(0, 4) + "~x", false},
        {"emoji", "a\xF0\x9F\x98\x80 b \xF0\x9F\x98\x80 b \xF0\x9F\x98\x80 b \xF0\xA0\x80\x8B", true},
        {"emoji repeated", RandomText({"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x81", "x", "\xE4\xB8\xAD"}, 30000, 12),
         true},
        {"latin and cjk", RandomText({"\xC3\xA9", "\xC3\x89", "\xE4\xB8\xAD", "a", " ", "'", "<!", "</script>"},
                                     30000, 13),
         true},
    };
    // clang-format on
    // Runs of exactly 91 and 182 matches and literals, at random.
    for (unsigned seed = 20; seed < 60; ++seed) {
        std::mt19937 rng(seed);
        std::string s;
        while (s.size() < 3000) {
            const size_t n = 88 + rng() % 8;
            s += rng() % 2 ? std::string(n * 4, static_cast<char>('a' + rng() % 3))
                           : RandomText(Letters("0123456789ABCDEFGHIJ"), n, seed * 100 + s.size());
        }
        r.push_back({"runs", s, seed % 2 == 0});
    }
    return r;
}

TEST_F(Page, DecoderGivesTheTextBack) {
    for (const RoundTrip& c : RoundTrips()) {
        SCOPED_TRACE(c.name);
        const std::string page = quillet::HTML2Pakkle(fw::String(c.text), c.unicode).bytes();
        const auto text = PageText(page, c.unicode);
        ASSERT_TRUE(text.has_value());
        const std::u16string expected = c.unicode ? Utf16(c.text) : Latin1(c.text);
        ASSERT_EQ(text->size(), expected.size());
        EXPECT_TRUE(*text == expected);
    }
}

TEST_F(Page, CorpusHasRunsOfNinetyOne) {
    // The round trips above only prove the run fix if the plain tokens of
    // the corpus hold runs of 91 and 182 flags, in the middle and at the end.
    int middle = 0, last = 0;
    for (const RoundTrip& c : RoundTrips()) {
        const auto tokens = TPakkle::Tokenize(fw::String(c.text), c.unicode);
        size_t run = 0;
        for (size_t i = 0; i < tokens.size(); ++i) {
            ++run;
            const bool ends = i + 1 == tokens.size() || (tokens[i + 1].dist != 0) != (tokens[i].dist != 0);
            if (!ends) continue;
            if (run % 91 == 0) ++(i + 1 == tokens.size() ? last : middle);
            run = 0;
        }
    }
    EXPECT_GT(middle, 3);
    EXPECT_GT(last, 0);
}

TEST_F(Page, PartialChunkIsRecorded) {
    // Y, filler, Y at 8207 (so its copy completes a 99-character chunk ten
    // characters in), then Y without its first ten: its source lies wholly in
    // the chunk just begun, and its older copy has left the window.
    const std::string y = RandomText(Letters("klmnopqrstuvwxyz"), 91, 30);
    const std::string filler = RandomText(Letters("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"), 8207 - 91, 31);
    const std::string text = y + filler + y + y.substr(10) + "!END";
    const std::string page = quillet::HTML2Pakkle(fw::String(text), false).bytes();
    const auto fixed = PageText(page, false);
    ASSERT_TRUE(fixed.has_value());
    EXPECT_TRUE(*fixed == Latin1(text));
    // The decoder that records the partial chunk only without a completed
    // one drops the copy.
    const auto old = PageText(page, false, false);
    ASSERT_TRUE(old.has_value());
    EXPECT_LT(old->size(), text.size());
}

TEST_F(Page, EncodingsOfThePage) {
    // Byte units keep the bytes of the source encoding; character units
    // of a one-byte encoding too.
    quillet::SourceEncoding = fw::Encodings::WindowsLatin1;
    const fw::String latin = quillet::HTML2Pakkle(fw::String("caf\xC3\xA9 caf\xC3\xA9 caf\xC3\xA9!"), false);
    EXPECT_TRUE(latin.encoding()->Equals(fw::Encodings::WindowsLatin1));
    const auto text = PageText(latin.bytes(), false);
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(*text == Latin1("caf\xE9 caf\xE9 caf\xE9!"));
    const fw::String uni = quillet::HTML2Pakkle(fw::String("caf\xC3\xA9 caf\xC3\xA9 caf\xC3\xA9!"), true);
    EXPECT_TRUE(uni.encoding()->Equals(fw::Encodings::WindowsLatin1));
    EXPECT_NE(uni.bytes().find("caf\xE9"), std::string::npos);
    // UTF-16 text in character units is carried as UTF-8.
    quillet::SourceEncoding = fw::Encodings::UTF16;
    const fw::String wide = quillet::HTML2Pakkle(fw::String("\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"), true);
    const auto back = PageText(wide.utf8(), true);
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(*back == Utf16("\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80"));
}

TEST_F(Page, BytesThatReadAsQuoteOrBackslash) {
    // These encodings read a byte above 0x7F as a quote or a backslash (with
    // a variant tag in MacChineseTrad); the page must not write it raw into
    // its literal.
    struct Case {
        const char* encoding;
        std::string bytes;
    };
    // clang-format off
    const Case cases[] = {
        {"MacArabic", "a\xA7" "b\xDC\xA7\xDC\xA7\xDC\xA7\xDC"},
        {"MacHebrew", "\xA7it\xA7s"},
        {"MacJapanese", "\x80n\x80"},
        {"MacChineseTrad", "\x80x\x80\x80\x80\x80\x80\x80\x80"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const fw::TextEncoding* enc = fw::Encodings::ByName(c.encoding);
        ASSERT_NE(enc, nullptr);
        // Byte units are characters only in the single-byte tables.
        for (bool unicode : {true, false}) {
            if (!unicode && !enc->IsSingleByte()) continue;
            SCOPED_TRACE(std::string(c.encoding) + (unicode ? " characters" : " bytes"));
            TPakkle p;
            const fw::String page = p.CompressHtml(fw::String::FromBytes(c.bytes, enc), "", unicode);
            const auto text = PageText(page.utf8(), true);
            ASSERT_TRUE(text.has_value());
            EXPECT_TRUE(*text == Utf16(fw::DecodeToUTF8(c.bytes, enc)));
        }
    }
}

TEST_F(Page, GarbageInEveryEncoding) {
    // Random bytes never break the compressor; in byte units the page gives
    // back every byte whatever the encoding.
    std::mt19937 rng(40);
    for (const fw::TextEncoding* enc : {fw::Encodings::UTF8, fw::Encodings::ShiftJIS, fw::Encodings::UTF16,
                                        fw::Encodings::UCS4, fw::Encodings::WindowsLatin1, fw::Encodings::ASCII}) {
        SCOPED_TRACE(enc->name);
        std::string bytes;
        for (int i = 0; i < 20000; ++i) bytes += static_cast<char>(rng() % (i % 3 ? 256 : 8) + (i % 3 ? 0 : 'a'));
        const fw::String text = fw::String::FromBytes(bytes, enc);
        TPakkle p;
        const auto back = PageText(p.CompressHtml(text, "", false).bytes(), false);
        ASSERT_TRUE(back.has_value());
        EXPECT_TRUE(*back == Latin1(bytes));
        // In character units each stray byte comes back as one replacement
        // character, and every other character as itself.
        std::u16string shown;
        for (int64_t i = 1; i <= fw::Len(text); ++i) {
            const fw::String ch = fw::Mid(text, i, 1);
            shown += fw::CheckEncoding(ch).lossy() ? std::u16string(u"\uFFFD") : Utf16(ch.utf8());
        }
        const auto chars = PageText(p.CompressHtml(text, "", true).utf8(), true);
        ASSERT_TRUE(chars.has_value());
        EXPECT_TRUE(*chars == shown);
    }
}

}  // namespace
