#include "engine/quillet.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>
#include <vector>

#include "engine/HTML2Pakkle.h"
#include "engine/TextWalk.h"
#include "fw/core/BackgroundTask.h"
#include "fw/core/Encoders.h"
#include "fw/core/Numbers.h"
#include "fw/core/Utf8.h"

namespace quillet {

int32_t stringlength = 0;
bool WordWrap = false;
const fw::TextEncoding* SourceEncoding = nullptr;
const fw::TextEncoding* DestEncoding = nullptr;
fw::String CurrentDocument;
fw::String SaveDocument;

namespace {

constexpr char kScriptOpen[] = "<script language=\"Javascript\">";

std::string LineEnd() { return fw::String(fw::EndOfLine).bytes(); }

// Closes the current single-quoted literal and opens the next on a new line.
std::string PieceJoiner() { return "'+" + LineEnd() + "'"; }

bool StartsWithNoCase(const std::string& s, size_t at, const char* lowerAscii) {
    const size_t n = std::strlen(lowerAscii);
    if (at + n > s.size()) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = s[at + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerAscii[i]) return false;
    }
    return true;
}

// Length in bytes of the character at i of an editable text.
size_t CharLen(const walk::Text& t, size_t i) {
    if (t.singleByte) return 1;
    return fw::Utf8Length(reinterpret_cast<const unsigned char*>(t.bytes.data()) + i, t.bytes.size() - i);
}

// Gathers output units (a character or a whole escape) into pieces of at
// most `limit` characters. An escape that would overrun a piece starts the
// next one instead; only a piece holding nothing else may exceed the limit.
// The pieces follow `head` in one string, so that nothing copies them again.
class PieceCutter {
public:
    PieceCutter(int32_t limit, size_t expectedBytes, std::string head = std::string())
        : limit_(limit), out_(std::move(head)), headSize_(out_.size()) {
        // Room for a closing tail too; capacity never touched costs no memory.
        out_.reserve(headSize_ + expectedBytes + (limit_ > 0 ? expectedBytes / 4 : 0) + 256);
    }

    void Add(const char* bytes, size_t len, int64_t chars) {
        if (limit_ <= 0) {
            out_.append(bytes, len);
            return;
        }
        if (count_ > 0 && count_ + chars > limit_) Flush();
        piece_.append(bytes, len);
        count_ += chars;
    }

    // The head and the pieces joined; no quote before the first or after the last.
    std::string Finish() {
        if (limit_ > 0 && count_ > 0) Flush();
        return std::move(out_);
    }

private:
    void Flush() {
        if (out_.size() > headSize_) out_ += joiner_;
        out_ += piece_;
        piece_.clear();
        count_ = 0;
        fw::RuntimeBackgroundTask();
    }

    int32_t limit_;
    int64_t count_ = 0;
    std::string piece_;
    std::string out_;
    size_t headSize_;
    std::string joiner_ = PieceJoiner();
};

// A script block is written head first and its body after it in place.
std::string ScriptHead(const char* before) { return kScriptOpen + LineEnd() + before; }

fw::String ScriptBlock(std::string out, const fw::TextEncoding* enc, const char* after) {
    out += after + LineEnd() + "</script>";
    return fw::String::FromBytes(std::move(out), enc ? enc : fw::Encodings::UTF8);
}

enum class PercentMode { Bytes, Unescape };

// Percent escapes of every character, cut by characters. Bytes: each byte
// of the text in its own encoding. Unescape: each character as JavaScript's
// unescape reads it back, "%XX" below 256 and "%uXXXX" per UTF-16 unit above.
std::string PercentEncode(const fw::String& text, PercentMode mode, std::string head = std::string()) {
    PieceCutter cutter(stringlength, text.bytes().size() * 3, std::move(head));
    char esc[32];  // the escapes of one character: at most 4 bytes or 2 units
    size_t len = 0;
    auto addByte = [&esc, &len](unsigned char b) {
        esc[len] = '%';
        esc[len + 1] = fw::HexDigit(b >> 4);
        esc[len + 2] = fw::HexDigit(b);
        len += 3;
        fw::RuntimeBackgroundTask();
    };
    auto addUnit = [&esc, &len](uint32_t u) {
        esc[len] = '%';
        esc[len + 1] = 'u';
        for (int k = 0; k < 4; ++k) esc[len + 2 + k] = fw::HexDigit(u >> (12 - 4 * k));
        len += 6;
    };

    if (mode == PercentMode::Unescape) {
        walk::Text t = walk::AsUtf8(text);
        const auto* p = reinterpret_cast<const unsigned char*>(t.bytes.data());
        for (size_t i = 0, n = t.bytes.size(); i < n;) {
            size_t charLen = 0;
            uint32_t cp = fw::Utf8Char(p + i, n - i, charLen);
            if (cp >= fw::kInvalidBase) cp -= fw::kInvalidBase;  // a stray byte, as it stands
            len = 0;
            if (cp < 256) {
                addByte(static_cast<unsigned char>(cp));
            } else if (cp < 0x10000) {
                addUnit(cp);
            } else {
                addUnit(0xD800 + ((cp - 0x10000) >> 10));
                addUnit(0xDC00 + ((cp - 0x10000) & 0x3FF));
            }
            cutter.Add(esc, len, 1);
            i += charLen;
        }
        return cutter.Finish();
    }

    const std::string& b = text.bytes();
    const fw::TextEncoding* enc = text.encoding();
    auto addChar = [&](size_t from, size_t to) {
        int64_t count = 1;  // the whole run of escapes is one character
        for (size_t k = from; k < to; count = 0) {
            len = 0;
            for (; k < to && len + 3 <= sizeof esc; ++k) addByte(static_cast<unsigned char>(b[k]));
            cutter.Add(esc, len, count);
        }
    };
    if (enc == nullptr || enc->IsUTF8() || enc->IsSingleByte() || stringlength <= 0) {
        // Without cutting, character bounds don't matter.
        const bool utf8 = enc == nullptr || enc->IsUTF8();
        const auto* p = reinterpret_cast<const unsigned char*>(b.data());
        for (size_t i = 0, n = b.size(); i < n;) {
            size_t charLen = 1;
            if (utf8 && stringlength > 0) charLen = fw::Utf8Length(p + i, n - i);
            addChar(i, i + charLen);
            i += charLen;
        }
    } else {
        const std::vector<uint32_t> starts = enc->CharStarts(b);
        for (size_t k = 0; k + 1 < starts.size(); ++k) addChar(starts[k], starts[k + 1]);
    }
    return cutter.Finish();
}

}  // namespace

// --- Script blocks -------------------------------------------------------

namespace {

// The two-character escape of a byte that can't stand as itself inside a
// single-quoted script string, or null.
const char* EscapeInQuotes(char c) {
    switch (c) {
    case '\\': return "\\\\";
    case '\'': return "\\'";
    case '\n': return "\\n";
    case '\r': return "\\r";
    default: return nullptr;
    }
}

std::string QuilletText(const walk::Text& t, std::string head) {
    const std::string& s = t.bytes;
    PieceCutter cutter(stringlength, s.size() + s.size() / 16, std::move(head));
    for (size_t i = 0, n = s.size(); i < n;) {
        const char c = s[i];
        if (const char* escaped = EscapeInQuotes(c)) {
            cutter.Add(escaped, 2, 2);
            ++i;
            continue;
        }
        // A browser ends the script element at "</script" followed by a
        // blank, "/" or ">", so every "</script" is broken, not only
        // "</script>". The break is one unit together with a following ">".
        // "</script>" itself always becomes the lower-case break; the other
        // forms keep the text's own letters.
        if (c == '<' && StartsWithNoCase(s, i, "</script")) {
            if (i + 8 < n && s[i + 8] == '>') {
                cutter.Add("</s'+'cript>", 12, 12);
                i += 9;
            } else {
                std::string broken = s.substr(i, 3) + "'+'" + s.substr(i + 3, 5);
                cutter.Add(broken.data(), broken.size(), 11);
                i += 8;
            }
            continue;
        }
        // "<!--" followed later by "<script" would switch the HTML parser
        // into a state where the block's own "</script>" no longer ends it.
        if (c == '<' && StartsWithNoCase(s, i, "<!--")) {
            cutter.Add("<", 1, 1);
            cutter.Add("\\!", 2, 2);
            i += 2;
            continue;
        }
        size_t len = CharLen(t, i);
        cutter.Add(s.data() + i, len, 1);
        i += len;
    }
    return cutter.Finish();
}

}  // namespace

fw::String QuilletInt(const fw::String& text) {
    walk::Text t = walk::Editable(text);
    return fw::String::FromBytes(QuilletText(t, std::string()), t.enc);
}

fw::String Quillet(const fw::String& text) {
    walk::Text t = walk::Editable(text);
    return ScriptBlock(QuilletText(t, ScriptHead("document.write('")), t.enc, "')");
}

fw::String QuilletVar(const fw::String& text) {
    walk::Text t = walk::Editable(text);
    return ScriptBlock(QuilletText(t, ScriptHead("var tempvar='")), t.enc, "';");
}

fw::String QuilletEncode(const fw::String& text) {
    // unescape reads "%XX" as one character of that code, so writing the
    // bytes of a multi-byte character would show several wrong characters.
    return ScriptBlock(PercentEncode(text, PercentMode::Unescape, ScriptHead("document.write(unescape('")),
                       fw::Encodings::UTF8, "'))");
}

fw::String HTML2UrlEncodeAllChars(const fw::String& text) {
    return fw::String(PercentEncode(text, PercentMode::Bytes));
}

// --- HTML and plain text -------------------------------------------------

namespace {

// Counts what would be appended, so that a result is sized once: growing
// it would hold the old and the new copy at once.
struct Measure {
    size_t size = 0;
    void operator+=(const char* c) { size += std::strlen(c); }
    void push_back(char) { ++size; }
    void append(const char*, size_t n) { size += n; }
};

// Bytes that HtmlText does not copy as they stand.
constexpr std::array<bool, 256> kHtmlSpecial = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {'\n', '\r', '&', '<', '>', '"'}) t[c] = true;
    return t;
}();

template <class Out>
void HtmlText(const std::string& s, Out& out) {
    // Two LF or two CR in a row make a paragraph, one a line break; a CR LF
    // pair counts as one line end, where reading it as CR then LF would
    // give two breaks.
    auto at = [&s](size_t i) { return i < s.size() ? s[i] : '\0'; };
    const size_t n = s.size();
    for (size_t i = 0; i < n;) {
        // Plain bytes go a run at a time.
        const size_t run = i;
        while (i < n && !kHtmlSpecial[static_cast<unsigned char>(s[i])]) ++i;
        out.append(s.data() + run, i - run);
        if (i >= n) break;
        const char c = s[i];
        if (c == '\n' || c == '\r') {
            size_t len = 1;
            bool paragraph = at(i + 1) == c;
            if (c == '\r' && at(i + 1) == '\n') {
                len = 2;
                paragraph = at(i + 2) == '\r' && at(i + 3) == '\n';
            }
            out += paragraph ? "<p>" : "<br>";
            i += paragraph ? 2 * len : len;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += "&quot;"; break;
        }
        ++i;
    }
}

fw::String HtmlPage(const fw::String& text, const char* head, const char* tail) {
    walk::Text t = walk::Editable(text);
    Measure size;
    HtmlText(t.bytes, size);
    std::string out;
    out.reserve(std::strlen(head) + size.size + std::strlen(tail));
    out += head;
    HtmlText(t.bytes, out);
    out += tail;
    return fw::String::FromBytes(std::move(out), t.enc);
}

}  // namespace

fw::String HTML2HTML(const fw::String& text) { return HtmlPage(text, "", ""); }

fw::String HTML2HTMLPage(const fw::String& text) { return HtmlPage(text, "<html><body>", "</body></html>"); }

namespace {

// Replaces every ASCII `find` (lower case, matched ignoring case) by `repl`.
std::string ReplaceAllAscii(const std::string& s, const char* find, const char* repl) {
    const size_t fn = std::strlen(find);
    std::string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        size_t amp = s.find(find[0], i);
        if (amp == std::string::npos) break;
        out.append(s, i, amp - i);
        if (StartsWithNoCase(s, amp, find)) {
            out += repl;
            i = amp + fn;
        } else {
            out.push_back(s[amp]);
            i = amp + 1;
        }
    }
    out.append(s, std::min(i, s.size()), std::string::npos);
    return out;
}

}  // namespace

fw::String HTML2Text(const fw::String& text) {
    walk::Text t = walk::Editable(text);
    const std::string& s = t.bytes;
    const std::string le = LineEnd();
    std::string out;
    out.reserve(s.size());
    bool outside = true;
    for (size_t i = 0, n = s.size(); i < n; ++i) {
        const char c = s[i];
        fw::RuntimeBackgroundTask();
        if (c == '<') {
            // Tags whose names begin with br or p start a new line or paragraph.
            if (outside) {
                if (StartsWithNoCase(s, i, "<br")) out += le;
                else if (StartsWithNoCase(s, i, "<p")) out += le + le;
            }
            outside = false;
        } else if (c == '>') {
            outside = true;
        } else if (outside) {
            out.push_back(c);
        }
    }
    fw::String trimmed = fw::Trim(fw::String::FromBytes(std::move(out), t.enc));
    std::string r = ReplaceAllAscii(trimmed.bytes(), "&amp;", "&");
    r = ReplaceAllAscii(r, "&quot;", "\"");
    r = ReplaceAllAscii(r, "&nbsp;", " ");
    return fw::String::FromBytes(std::move(r), t.enc);
}

namespace {

template <class Out>
void CodeText(const walk::Text& t, Out& out) {
    const auto* p = reinterpret_cast<const unsigned char*>(t.bytes.data());
    char num[16];
    for (size_t i = 0, n = t.bytes.size(); i < n;) {
        // ASCII stands as itself: copied a run at a time.
        const size_t run = i;
        for (; i < n && p[i] < 0x80; ++i)
            if constexpr (!std::is_same_v<Out, Measure>) fw::RuntimeBackgroundTask();
        out.append(t.bytes.data() + run, i - run);
        if (i >= n) break;
        size_t len = 0;
        uint32_t cp = fw::Utf8Char(p + i, n - i, len);
        if constexpr (!std::is_same_v<Out, Measure>) fw::RuntimeBackgroundTask();
        if (!fw::IsUnicode(cp)) cp = 0xFFFD;  // a byte that is no character: shown, not dropped
        int k = sizeof num;
        do {
            num[--k] = static_cast<char>('0' + cp % 10);
            cp /= 10;
        } while (cp);
        out += "&#";
        out.append(num + k, sizeof num - k);
        out.push_back(';');
        i += len;
    }
}

}  // namespace

fw::String ASCII2Code(const fw::String& text) {
    walk::Text t = walk::AsUtf8(text);
    Measure size;
    CodeText(t, size);
    std::string out;
    out.reserve(size.size);
    CodeText(t, out);
    return fw::String::FromBytes(std::move(out), t.enc ? t.enc : fw::Encodings::UTF8);
}

// --- fw/core encoders -----------------------------------------------------

fw::String HTML2AsIs(const fw::String& text) { return text; }
fw::String HTML2Base64Encode(const fw::String& text) { return fw::EncodeBase64(text, stringlength); }
fw::String HTML2Base64Decode(const fw::String& text) { return fw::DecodeBase64(text, nullptr); }
fw::String HTML2QuotedPrintableEncode(const fw::String& text) { return fw::EncodeQuotedPrintable(text); }
fw::String HTML2QuotedPrintableDecode(const fw::String& text) {
    return fw::DecodeQuotedPrintable(text, DestEncoding);
}
fw::String HTML2UrlEncode(const fw::String& text) { return fw::EncodeURLComponent(text); }
fw::String HTML2UrlDecode(const fw::String& text) { return fw::DecodeURLComponent(text, DestEncoding); }

// --- Dispatch ------------------------------------------------------------

fw::String Varnel(const fw::String& text, const fw::String& label) {
    using Converter = fw::String (*)(const fw::String&);
    struct Row {
        const char* label;
        Converter convert;
    };
    static const Row rows[] = {
        {"Javascript", Quillet},
        {"Javascript variable", QuilletVar},
        {"Javascript encode", QuilletEncode},
        {"HTML", HTML2HTML},
        {"HTML page", HTML2HTMLPage},
        {"Pakkle", [](const fw::String& t) { return HTML2Pakkle(t, false); }},
        {"Pakkle (Unicode)", [](const fw::String& t) { return HTML2Pakkle(t, true); }},
        {"Plain text", HTML2Text},
        {"Copy as is", HTML2AsIs},
        {"Base64 Encode", HTML2Base64Encode},
        {"Base64 Decode", HTML2Base64Decode},
        {"Quoted Printable Encode", HTML2QuotedPrintableEncode},
        {"Quoted Printable Decode", HTML2QuotedPrintableDecode},
        {"Url Encode (all chars)", HTML2UrlEncodeAllChars},
        {"Url Encode", HTML2UrlEncode},
        {"Url Decode", HTML2UrlDecode},
        {"ASCII to code", ASCII2Code},
    };
    for (const Row& row : rows) {
        if (label == fw::String(row.label)) return row.convert(text);
    }
    return fw::String();
}

}  // namespace quillet
