#include "SampleHtml.h"

#include <cstdint>
#include <iterator>

namespace {

// clang-format off
const char* const kWords[] = {
    "the", "conversion", "of", "text", "into", "script", "page", "browser", "window", "and", "with",
    "document", "encoding", "caf\xC3\xA9", "na\xC3\xAFve", "\xE2\x80\x94", "stra\xC3\x9F" "e", "Stra\xC3\x9F" "e",
    "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9", "it's",
    "\"quoted\"", "a\\b", "&amp;", "&nbsp;", "fast", "order", "line", "user", "\xF0\x9F\x98\x80",
};
// clang-format on

struct Rng {
    uint32_t s = 12345;
    uint32_t next(uint32_t n) {
        s = s * 1664525u + 1013904223u;
        return (s >> 8) % n;
    }
};

void Sentence(std::string& out, Rng& rng) {
    int words = 6 + rng.next(14);
    for (int i = 0; i < words; ++i) {
        if (i) out += ' ';
        switch (rng.next(12)) {
        case 0:
            out += "<b>";
            out += kWords[rng.next(std::size(kWords))];
            out += "</b>";
            break;
        case 1:
            out += "<a href=\"https://example.org/p?id=";
            out += std::to_string(rng.next(9999));
            out += "&amp;x=1\">";
            out += kWords[rng.next(std::size(kWords))];
            out += "</a>";
            break;
        default: out += kWords[rng.next(std::size(kWords))]; break;
        }
    }
    out += ". ";
}

}  // namespace

std::string SampleHtml(size_t bytes) {
    Rng rng;
    std::string out = "<!DOCTYPE html>\n<html>\n<head>\n<title>Sample</title>\n</head>\n<body>\n";
    while (out.size() < bytes) {
        switch (rng.next(8)) {
        case 0:
            out += "<ul>\n";
            for (int i = 0, n = 2 + rng.next(5); i < n; ++i) {
                out += "  <li>";
                Sentence(out, rng);
                out += "</li>\n";
            }
            out += "</ul>\n";
            break;
        case 1:
            out += "<table>\n<tr><td>1</td><td>";
            Sentence(out, rng);
            out += "</td></tr>\n</table>\n";
            break;
        case 2:
            out +=
                "<script type=\"text/javascript\">\nvar n = 'x'; if (n < 2) { document.write(\"</SCRIPT>\"); }\n</script>\n";
            break;
        case 3: out += "<!-- a comment -->\r\n<br>\r\n"; break;
        default:
            out += "<p class=\"text\">";
            for (int i = 0, n = 1 + rng.next(4); i < n; ++i) Sentence(out, rng);
            out += "</p>\n\n";
            break;
        }
    }
    out.resize(bytes);
    // Never end inside a multi-byte character.
    while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0x80)) out.pop_back();
    return out;
}
