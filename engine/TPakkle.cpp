#include "engine/TPakkle.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "fw/core/BackgroundTask.h"
#include "fw/core/CaseFold.h"
#include "fw/core/Numbers.h"
#include "fw/core/TextEncoding.h"
#include "fw/core/Utf8.h"

namespace {

using Token = TPakkle::Token;

// Printable ASCII without & ' > \, the double quote after % and "<" last.
const std::string kAlphabet =
    " !#$%\"()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~<";

const char* const kPageComment = "// Pakkle page made with Varnel - https://varnel.example.org/";
const char* const kScriptComment = "// Pakkle script made with Varnel - https://pakkle.example.org/";

// The decoder of the page. Its e() records the partial chunk after every
// call: a match copying from a chunk that the previous match had just begun
// would otherwise find a[h] unset and drop its text.
const char* const kDecoderHead =
    "var x=new Array(),a=new Array(),h=0,f=1,l=0,g=0,t='';function e(){if(t.length>99){while(t.length>99){a[h++]="
    "t.substr(0,99);t=t.substr(99,t.length-99);}}a[h]=t;}for(k=0;k<c.length;k++){x[c.charAt(k)]=k;}for(i=0;i<b."
    "length;i++,f=!f){p=x[b.substr(i,1)];while((p%91)==0){i++;p+=91+x[b.substr(i,1)];}if(f){t+=s.substr(l,p);g+=p;"
    "l+=p;e();}else{for(j=0;j<p;j++){w=s.substr(l,3);l+=3;q=x[w.substr(0,1)]*91+x[w.substr(1,1)]+1;y=x[w.substr(2,"
    "1)]+2;z=g-q;k=Math.floor(z/99);m=z%99;if(m+y>99){z=99-m;t+=a[k].substr(m,z);e();t+=a[k+1].substr(0,y-z);}"
    "else{";
const char* const kDecoderGuarded = "if(a[k]){t+=a[k].substr(m,y);}";
const char* const kDecoderUnguarded = "t+=a[k].substr(m,y);";
const char* const kDecoderTail = "}g+=y;e();}}e();}";

constexpr std::string_view kScriptNames = "sbcxahflgtekipjwqyzm";

// ---------------------------------------------------------------------------
// Units. Bytes are their own keys. Characters carry two keys: the exact one
// (same bytes) and the folded one, fw/core/CaseFold.h's key, so that the
// compressor matches text as the case-insensitive InStr does.

using fw::kInvalidBase;                       // + byte
constexpr uint32_t kSplitBase = 0x110100;     // + UTF-16 code unit
constexpr uint32_t kInternBase = 0x200000;    // + index of a multi-byte character

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Where a character unit comes from, for writing it as a literal.
struct UnitSource {
    uint32_t off;     // byte offset of its character
    uint16_t size;    // byte length of its character
    uint8_t index;    // which script character of it
    uint8_t count;    // how many script characters it makes
    char16_t code;    // that script character, when count > 1
    bool invalid;     // bytes that are no character of the encoding
};

struct CharUnits {
    std::vector<uint32_t> exact;
    std::vector<uint32_t> fold;
    std::vector<UnitSource> source;

    void Add(uint32_t ex, uint32_t fo, UnitSource src) {
        exact.push_back(ex);
        fold.push_back(fo);
        source.push_back(src);
    }
};

// How one character of a non-UTF-8 encoding reads: its keys, or its script
// characters when it makes more than one (or none).
struct CharReading {
    uint32_t exact = 0;
    uint32_t fold = 0;
    bool split = false;
    bool invalid = false;
    std::u16string codes;
};

CharReading ReadChar(std::string_view bytes, const fw::TextEncoding* enc, uint32_t exactKey) {
    CharReading r;
    r.exact = exactKey;
    fw::ConversionReport rep;
    const std::string u = fw::DecodeToUTF8(bytes, enc, &rep);
    if (rep.invalidInput > 0) {
        // The browser shows one replacement character.
        r.fold = kInvalidBase + static_cast<unsigned char>(bytes[0]);
        r.invalid = true;
        return r;
    }
    r.fold = fw::CaseKeyOfUtf8(u);
    fw::Utf8Walker walk(u);
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    while (walk.Next(cp, off, len)) AppendUtf16(r.codes, cp < kInvalidBase ? cp : 0xFFFD);
    r.split = r.codes.size() != 1;
    return r;
}

void AddReading(CharUnits& out, const CharReading& r, uint32_t off, size_t size) {
    if (!r.split) {
        out.Add(r.exact, r.fold, {off, static_cast<uint16_t>(size), 0, 1, 0, r.invalid});
        return;
    }
    const auto count = static_cast<uint8_t>(std::min<size_t>(r.codes.size(), 255));
    for (uint8_t k = 0; k < count; ++k) {
        const uint32_t key = kSplitBase + r.codes[k];
        out.Add(key, key, {off, static_cast<uint16_t>(size), k, count, r.codes[k], false});
    }
}

// Character units of `b` in `enc` (UTF-8 when null). A character that the
// browser holds as several script characters (outside the BMP, or mapped to
// several code points) becomes that many units, so that every count the
// decoder reads is a count of script characters.
CharUnits BuildCharUnits(const std::string& b, const fw::TextEncoding* enc) {
    CharUnits out;
    out.exact.reserve(b.size());
    out.fold.reserve(b.size());
    out.source.reserve(b.size());
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    const size_t n = b.size();
    if (enc == nullptr || enc->IsUTF8()) {
        for (size_t off = 0; off < n;) {
            size_t len = 1;
            const uint32_t cp = fw::Utf8Char(p + off, n - off, len);
            const auto o = static_cast<uint32_t>(off);
            if (cp >= 0x10000 && cp < kInvalidBase) {
                std::u16string codes;
                AppendUtf16(codes, cp);
                for (uint8_t k = 0; k < 2; ++k)
                    out.Add(kSplitBase + codes[k], kSplitBase + codes[k],
                            {o, static_cast<uint16_t>(len), k, 2, codes[k], false});
            } else {
                out.Add(cp, fw::FoldCase(cp), {o, static_cast<uint16_t>(len), 0, 1, 0, cp >= kInvalidBase});
            }
            off += len;
        }
        return out;
    }
    if (enc->IsSingleByte()) {
        CharReading table[256];
        bool known[256] = {};
        for (size_t off = 0; off < n; ++off) {
            const unsigned char c = p[off];
            if (!known[c]) {
                table[c] = ReadChar(std::string_view(b).substr(off, 1), enc, c);
                known[c] = true;
            }
            AddReading(out, table[c], static_cast<uint32_t>(off), 1);
        }
        return out;
    }
    std::vector<uint32_t> starts = enc->CharStarts(b);
    if (starts.empty() || starts.back() != n) starts.push_back(static_cast<uint32_t>(n));
    std::unordered_map<std::string_view, CharReading> seen;
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        const std::string_view ch = std::string_view(b).substr(starts[k], starts[k + 1] - starts[k]);
        auto it = seen.find(ch);
        if (it == seen.end())
            it = seen.emplace(ch, ReadChar(ch, enc, kInternBase + static_cast<uint32_t>(seen.size()))).first;
        AddReading(out, it->second, starts[k], ch.size());
    }
    return out;
}

// ---------------------------------------------------------------------------
// The main pass. For each position it finds what the plain search would:
// the longest length whose pattern has its first (case-insensitive)
// occurrence wholly inside the window, stopping at the first length that is
// absent or, for characters, whose first occurrence differs in letter case.
// Candidates come from hash chains over 4-unit prefixes, oldest first, so
// the first candidate that reaches a length is that length's first
// occurrence.

template <class K>
uint32_t Hash4(const K* u, size_t q, int bits) {
    if constexpr (sizeof(K) == 1) {
        uint32_t v;
        std::memcpy(&v, u + q, 4);
        return (v * 2654435761u) >> (32 - bits);
    } else {
        uint32_t h = u[q] * 0x9E3779B1u;
        h = (h ^ (h >> 15)) + u[q + 1] * 0x85EBCA77u;
        h = (h ^ (h >> 13)) + u[q + 2] * 0xC2B2AE3Du;
        h = (h ^ (h >> 16)) + u[q + 3] * 0x27D4EB2Fu;
        h ^= h >> 15;
        return (h * 2654435761u) >> (32 - bits);
    }
}

template <class K, bool kCaseRule>
std::vector<Token> Scan(const K* exact, const K* fold, size_t n) {
    constexpr uint32_t kNil = UINT32_MAX;
    constexpr int kBits = 16;
    const size_t window = TPakkle::kWindow;
    std::vector<Token> out;
    out.reserve(n / 8 + 16);
    std::vector<uint32_t> head(size_t(1) << kBits, kNil), tail(size_t(1) << kBits, kNil);
    std::vector<uint32_t> next(n, kNil);
    size_t inserted = 0;
    size_t pos = 0;
    while (pos < n) {
        fw::RuntimeBackgroundTask();
        // A start q can serve once a pattern of 4 from it ends before pos.
        for (; inserted + 4 <= pos; ++inserted) {
            const uint32_t h = Hash4(fold, inserted, kBits);
            const auto q = static_cast<uint32_t>(inserted);
            if (head[h] == kNil) {
                head[h] = q;
            } else {
                next[tail[h]] = q;
            }
            tail[h] = q;
        }
        // The last unit is always a literal: pos + len stays below n.
        const size_t maxLen = std::min<size_t>(TPakkle::kMaxMatch, n - 1 - pos);
        size_t bestLen = 0, bestQ = 0;
        if (maxLen >= TPakkle::kMinMatch && pos >= TPakkle::kMinMatch) {
            const size_t ws = pos > window ? pos - window : 0;
            const uint32_t h = Hash4(fold, pos, kBits);
            uint32_t q = head[h];
            while (q != kNil && q < ws) q = next[q];
            head[h] = q;
            if (q == kNil) tail[h] = kNil;
            size_t need = TPakkle::kMinMatch;
            for (; q != kNil; q = next[q]) {
                if (pos - q < need) break;  // later starts lie closer still
                if (fold[q + need - 1] != fold[pos + need - 1]) continue;
                const size_t cap = std::min(maxLen, pos - q);
                size_t f = 0;
                while (f < cap && fold[q + f] == fold[pos + f]) ++f;
                if (f < need) continue;
                size_t e = f;
                if constexpr (kCaseRule) {
                    e = 0;
                    while (e < f && exact[q + e] == exact[pos + e]) ++e;
                }
                if (e >= f) {
                    bestLen = f;
                    bestQ = q;
                    need = f + 1;
                    if (need > maxLen) break;
                    continue;
                }
                // The first occurrence of length e + 1 differs in case.
                if (e >= need) {
                    bestLen = e;
                    bestQ = q;
                }
                break;
            }
        }
        if (bestLen > 0) {
            out.push_back({static_cast<uint32_t>(pos + 1), static_cast<uint32_t>(pos - bestQ),
                           static_cast<uint32_t>(bestLen)});
            pos += bestLen;
        } else {
            out.push_back({static_cast<uint32_t>(pos + 1), 0, 1});
            pos += 1;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Runs. The decoder reads every run total that is a multiple of 91 as "read
// on", so a run of 91·m flags has no form it can read. Before such a run
// closes, the token that closes it is changed: a literal run takes the first
// unit of the next match (or all four of a shortest match), a match run gives
// back its last match as literals. A final run of literals is written one
// longer instead: the decoder's substr stops at the end of the stream.
std::vector<Token> MakeRunsReadable(const std::vector<Token>& in) {
    std::vector<Token> out;
    out.reserve(in.size() + 8);
    size_t runStart = 0;
    bool runIsMatch = false;
    auto literal = [](uint32_t pos) { return Token{pos, 0, 1}; };
    for (Token t : in) {
        for (;;) {
            const bool isMatch = t.dist != 0;
            if (isMatch == runIsMatch) {
                out.push_back(t);
                break;
            }
            const size_t count = out.size() - runStart;
            if (count == 0 || count % 91 != 0) {
                runIsMatch = isMatch;
                runStart = out.size();
                out.push_back(t);
                break;
            }
            if (!runIsMatch) {
                out.push_back(literal(t.pos));
                if (t.len > TPakkle::kMinMatch) {
                    t = Token{t.pos + 1, t.dist, t.len - 1};
                    continue;
                }
                for (uint32_t k = 1; k < t.len; ++k) out.push_back(literal(t.pos + k));
                break;
            }
            const Token last = out.back();
            out.pop_back();
            runIsMatch = false;
            runStart = out.size();
            for (uint32_t k = 0; k < last.len; ++k) out.push_back(literal(last.pos + k));
            out.push_back(t);
            break;
        }
    }
    return out;
}

std::string RunString(const std::vector<Token>& tokens) {
    std::string runs;
    bool current = false;
    int count = 0;
    for (const Token& t : tokens) {
        fw::RuntimeBackgroundTask();
        const bool flag = t.dist != 0;
        if (flag == current) {
            if (++count > TPakkle::kRunLimit) {
                runs += kAlphabet[0];
                count = 0;
            }
        } else {
            runs += kAlphabet[count];
            current = flag;
            count = 1;
        }
    }
    // Only a final run of literals can end on a multiple of 91 here.
    runs += kAlphabet[(count == 0 && !tokens.empty()) ? 1 : count];
    return runs;
}

// ---------------------------------------------------------------------------
// Code stream.

void AppendLiteralByte(std::string& out, char c) {
    switch (c) {
    case '\'': out += "\\'"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\\': out += "\\\\"; break;
    case '\t': out += "\\t"; break;
    default: out += c;
    }
}

void AppendMatch(std::string& out, const Token& t) {
    out += kAlphabet[(t.dist - 1) / 91];
    out += kAlphabet[(t.dist - 1) % 91];
    out += kAlphabet[t.len - 2];
}

std::string ByteCodeStream(const std::string& b, const fw::TextEncoding* enc, const std::vector<Token>& tokens) {
    // What each byte reads as in a single-byte page: a few tables have a
    // quote or backslash above 0x7F, which must not stand raw in the literal.
    char reads[256];
    for (int i = 0; i < 256; ++i) {
        reads[i] = static_cast<char>(i);
        if (i < 0x80 || enc == nullptr || !enc->IsSingleByte()) continue;
        const std::string u = fw::DecodeToUTF8(std::string(1, static_cast<char>(i)), enc);
        if (u == "'" || u == "\\" || u == "\n" || u == "\r") reads[i] = u[0];
    }
    std::string out;
    out.reserve(b.size() / 2 + 16);
    for (const Token& t : tokens) {
        if (t.dist == 0) {
            AppendLiteralByte(out, reads[static_cast<unsigned char>(b[t.pos - 1])]);
        } else {
            AppendMatch(out, t);
        }
    }
    return out;
}

std::string CharCodeStream(const std::string& b, const CharUnits& units, const std::vector<Token>& tokens) {
    std::string out;
    out.reserve(b.size() / 2 + 16);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.dist != 0) {
            AppendMatch(out, t);
            continue;
        }
        const UnitSource& src = units.source[t.pos - 1];
        if (src.invalid) {
            // A browser would read a stray byte together with its
            // neighbours (a lead byte takes the "\\" of an escape), so the
            // page carries what it shows for it: one replacement character.
            out += "\\uFFFD";
            continue;
        }
        if (src.count == 1) {
            // Some encodings read a byte above 0x7F as a quote or backslash
            // (MacArabic, MacHebrew, MacJapanese); written as it stands, it
            // would end the literal or start an escape.
            const uint32_t cp = units.fold[t.pos - 1];
            if (cp == '\'' || cp == '\\' || cp == '\n' || cp == '\r') {
                AppendLiteralByte(out, static_cast<char>(cp));
            } else if (src.size == 1) {
                AppendLiteralByte(out, b[src.off]);
            } else {
                out.append(b, src.off, src.size);
            }
            continue;
        }
        // A character of several script characters is written whole when
        // all of them are literals; otherwise each one as a \u escape.
        bool whole = src.index == 0 && i + src.count <= tokens.size();
        for (size_t k = 1; whole && k < src.count; ++k) whole = tokens[i + k].dist == 0;
        // ... and none of them is ASCII, which its bytes could hide (MacChineseTrad
        // reads 0x80 as a backslash and a variant tag).
        for (size_t k = 0; whole && k < src.count; ++k) whole = units.source[t.pos - 1 + k].code >= 0x80;
        if (whole) {
            out.append(b, src.off, src.size);
            i += src.count - 1;
            continue;
        }
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += fw::HexDigit(src.code >> shift);
    }
    return out;
}

// Keeps "</script" and "<!" out of the script text without changing the
// string's value: "<" '+' "/script", and "<\!".
std::string EscapeStream(const std::string& code, const fw::TextEncoding* enc) {
    std::string out;
    out.reserve(code.size() + code.size() / 32 + 8);
    const size_t n = code.size();
    for (size_t i = 0; i < n; ++i) {
        fw::RuntimeBackgroundTask();
        const char c = code[i];
        if (c == '<' && i + 8 <= n && code[i + 1] == '/' &&
            fw::Uppercase(fw::String::FromBytes(code.substr(i, 8), enc)) == fw::String("</SCRIPT")) {
            out += "<'+'";
        } else if (c == '!' && i > 0 && code[i - 1] == '<') {
            out += "\\!";
        } else {
            out += c;
        }
    }
    return out;
}

// The text the units are counted in, and the encoding of the page.
struct Prepared {
    fw::String text;
    const fw::TextEncoding* pageEncoding;
};

bool IsAsciiCompatible(const fw::TextEncoding* enc) {
    return enc == nullptr || !(enc->Equals(fw::Encodings::UTF16) || enc->Equals(fw::Encodings::UCS4));
}

Prepared Prepare(const fw::String& source, bool unicode) {
    const fw::TextEncoding* enc = source.encoding();
    if (IsAsciiCompatible(enc)) return {source, enc};
    // The page's own text is ASCII; in character units the text is carried
    // as UTF-8 so that the page stays one text.
    if (unicode) return {fw::ConvertEncoding(source, fw::Encodings::UTF8), fw::Encodings::UTF8};
    return {source, nullptr};
}

std::vector<Token> TokensOf(const fw::String& text, bool unicode, const CharUnits* units) {
    const std::string& b = text.bytes();
    if (!unicode) {
        const auto* p = reinterpret_cast<const unsigned char*>(b.data());
        return Scan<unsigned char, false>(p, p, b.size());
    }
    return Scan<uint32_t, true>(units->exact.data(), units->fold.data(), units->exact.size());
}

TPakkle::Streams EncodeText(const fw::String& text, const fw::TextEncoding* pageEncoding, bool unicode) {
    const std::string& b = text.bytes();
    TPakkle::Streams s;
    std::vector<Token> tokens;
    std::string code;
    if (unicode) {
        const CharUnits units = BuildCharUnits(b, text.encoding());
        tokens = MakeRunsReadable(TokensOf(text, true, &units));
        code = CharCodeStream(b, units, tokens);
    } else {
        tokens = MakeRunsReadable(TokensOf(text, false, nullptr));
        code = ByteCodeStream(b, text.encoding(), tokens);
    }
    s.code = EscapeStream(code, pageEncoding);
    s.runs = RunString(tokens);
    return s;
}

std::string DataLine(const TPakkle::Streams& s, const std::string& prefix, bool guarded) {
    std::string line;
    line.reserve(s.code.size() + s.runs.size() + 1200);
    line += prefix + "s='" + s.code + "';";
    line += prefix + "b='" + s.runs + "';";
    line += prefix + "c='" + kAlphabet + "';";
    line += TPakkle::Decoder(prefix, guarded);
    return line;
}

}  // namespace

const std::string& TPakkle::Alphabet() { return kAlphabet; }

std::string TPakkle::Decoder(const std::string& prefix, bool guarded) {
    const std::string text =
        std::string(kDecoderHead) + (guarded ? kDecoderGuarded : kDecoderUnguarded) + kDecoderTail;
    if (prefix.empty()) return text;
    // Every one-letter identifier is one of the script's names; names after
    // a dot are properties and the only string literal is ''.
    std::string out;
    out.reserve(text.size() + 200 * prefix.size());
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\'') {
            const size_t end = text.find('\'', i + 1);
            out.append(text, i, end + 1 - i);
            i = end + 1;
            continue;
        }
        if (!isWord(c)) {
            out += c;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && isWord(text[j])) ++j;
        const bool property = i > 0 && text[i - 1] == '.';
        if (j - i == 1 && !property && kScriptNames.find(c) != std::string_view::npos) out += prefix;
        out.append(text, i, j - i);
        i = j;
    }
    return out;
}

std::vector<TPakkle::Token> TPakkle::Tokenize(const fw::String& source, bool unicode) {
    const Prepared prep = Prepare(source, unicode);
    if (!unicode) return TokensOf(prep.text, false, nullptr);
    const CharUnits units = BuildCharUnits(prep.text.bytes(), prep.text.encoding());
    return TokensOf(prep.text, true, &units);
}

TPakkle::Streams TPakkle::Encode(const fw::String& source, bool unicode) {
    const Prepared prep = Prepare(source, unicode);
    return EncodeText(prep.text, prep.pageEncoding, unicode);
}

fw::String TPakkle::Compress(const fw::String& source, const fw::String& prefix, bool isScript, bool unicode) {
    const Prepared prep = Prepare(source, unicode);
    const Streams s = EncodeText(prep.text, prep.pageEncoding, unicode);
    const std::string p = prefix.bytes();
    const std::string eol = fw::String(fw::EndOfLine).bytes();
    std::string page;
    if (isScript) {
        page = std::string(kScriptComment) + eol + DataLine(s, p, true) + "eval(" + p + "a.join(''));" + eol +
               kScriptComment;
    } else {
        page = "<html><head><script>" + eol + kPageComment + eol + DataLine(s, p, true) + "document.write(" + p +
               "a.join(''));" + eol + kPageComment + eol + "</script></head><body></body></html>";
    }
    return fw::String::FromBytes(std::move(page), prep.pageEncoding);
}

fw::String TPakkle::CompressJS(const fw::String& source, const fw::String& prefix, bool unicode) {
    return Compress(source, prefix, true, unicode);
}

fw::String TPakkle::CompressHtml(const fw::String& source, const fw::String& prefix, bool unicode) {
    return Compress(source, prefix, false, unicode);
}

fw::String TPakkle::CompressAnsi(const fw::String& source, const fw::String& prefix, bool isScript) {
    return Compress(source, prefix, isScript, false);
}

fw::String TPakkle::CompressUni(const fw::String& source, const fw::String& prefix, bool isScript) {
    return Compress(source, prefix, isScript, true);
}

fw::String TPakkle::OldCompress(const fw::String& source, const fw::String& prefix, bool isScript) {
    const Prepared prep = Prepare(source, false);
    const Streams s = EncodeText(prep.text, prep.pageEncoding, false);
    const std::string p = prefix.bytes();
    const std::string crlf = "\r\n";
    std::string page;
    if (isScript) {
        page = std::string(kScriptComment) + crlf + DataLine(s, p, false) + "eval(" + p + "a.join(''));" + crlf +
               kScriptComment;
    } else {
        page = "<html><body><script>" + crlf + kPageComment + crlf + DataLine(s, p, false) + "document.write(" + p +
               "a.join(''));" + crlf + kPageComment + crlf + "</script></body></html>";
    }
    return fw::String::FromBytes(std::move(page), prep.pageEncoding);
}

int32_t TPakkle::MyInStr(const fw::String& source, const fw::String& pattern) {
    const int64_t p = fw::InStr(source, pattern);
    if (p > 0 && fw::StrComp(fw::Mid(source, p, fw::Len(pattern)), pattern, 0) == 0) return static_cast<int32_t>(p);
    return 0;
}

fw::String TPakkle::ExtraChar(const fw::String& unit) {
    if (unit == fw::String("'")) return fw::String("\\'");
    if (unit == fw::String("\n")) return fw::String("\\n");
    if (unit == fw::String("\r")) return fw::String("\\r");
    if (unit == fw::String("\\")) return fw::String("\\\\");
    if (unit == fw::String("\t")) return fw::String("\\t");
    return unit;
}

fw::String TPakkle::proc1c(int32_t n) {
    if (n < 0 || n > 90) return fw::String();
    return fw::String(kAlphabet.substr(static_cast<size_t>(n), 1));
}

fw::String TPakkle::proc2c(int32_t n) { return proc1c(n / 91) + proc1c(n % 91); }
