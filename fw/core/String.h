#pragma once
// Strings: a byte sequence plus the text encoding that it carries
// (nullptr: none, as for decoded Base64). Literals are UTF-8.
//
// Character functions (Len, Mid, InStr, Asc, ...) count characters of the
// string's encoding; byte functions (LenB, MidB, InStrB, ...) count bytes.
// In UTF-8 a character is a code point, and a byte that starts no valid
// sequence is a character of its own; without an encoding, and in
// single-byte encodings, a byte is a character.
// Positions are 1-based. Out-of-range arguments never fail: they give the
// empty text or 0. A start below 1 reads as 1
// (Mid("abc", 0) is "abc"); a length or count of 0 or less gives "";
// a start past the end gives "" (Mid) or 0 (InStr). InStr of "" gives the
// start, or 0 when s is empty or the start is past its end. Results of
// Mid, Left, Right and the byte functions keep the source's encoding.
//
// Equality (==), InStr and ReplaceAll ignore letter case (Unicode simple case
// folding); StrComp(a, b, 0) and the byte functions are exact.
//
// Threads. Everything below the GUI (fw/core, the stores, the engine) keeps
// one rule:
// - Values (String, Variant, Dictionary, FolderItem, the stores) are used
//   by one thread at a time, even through const functions: a String fills
//   its character index on first use. A copy is a value of its own and may
//   go to another thread; copies of a String share its index, which never
//   changes once built except for an atomic lookup hint.
// - Free functions (these, the encodings, the encoders, file access, the
//   converters) may run on any thread. The caches that threads share (byte
//   case tables, per-encoding facts, the encoding data) are guarded;
//   converters are kept per thread.
// - Process-wide settings (the executable override, the engine's module
//   variables, the cooperative yield's hook, budget and clock) are set on
//   the main thread before the work that reads them, and hold still while
//   it runs. Work that yields runs on the main thread: see BackgroundTask.h.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/CaseFold.h"

namespace fw {

class TextEncoding;

class String {
public:
    String();                         // empty, UTF-8
    String(const char* utf8);         // NOLINT: literals convert implicitly
    String(std::string_view utf8);    // NOLINT
    String(const std::string& utf8);  // NOLINT
    String(std::string&& utf8);       // NOLINT

    // Bytes as they stand, carrying `enc` (nullptr for none).
    static String FromBytes(std::string bytes, const TextEncoding* enc);

    const std::string& bytes() const { return bytes_; }
    const TextEncoding* encoding() const { return enc_; }
    bool empty() const { return bytes_.empty(); }

    // The text as UTF-8 (converted when it carries another encoding;
    // bytes without an encoding are read as UTF-8).
    std::string utf8() const;

    String& operator+=(const String& other);

private:
    friend struct StringAccess;
    std::string bytes_;
    const TextEncoding* enc_;
    // Lazily built index of character starts; see String.cpp.
    mutable std::shared_ptr<const struct CharIndex> index_;
};

// Joining: equal encodings join bytes; an empty side or a side without an
// encoding takes the other's encoding; otherwise both are converted to UTF-8.
String operator+(const String& a, const String& b);

bool operator==(const String& a, const String& b);  // ignores case
inline bool operator!=(const String& a, const String& b) { return !(a == b); }

// Character functions.
int64_t Len(const String& s);
String Mid(const String& s, int64_t start);
String Mid(const String& s, int64_t start, int64_t length);
String Left(const String& s, int64_t count);
String Right(const String& s, int64_t count);
int64_t InStr(const String& s, const String& find);
int64_t InStr(int64_t start, const String& s, const String& find);
int64_t Asc(const String& s);   // code point of the first character, 0 for ""; an invalid byte gives its value
String Chr(int64_t codePoint);  // UTF-8; "" for invalid code points

// Byte functions (exact).
int64_t LenB(const String& s);
String MidB(const String& s, int64_t start);
String MidB(const String& s, int64_t start, int64_t length);
String LeftB(const String& s, int64_t count);
String RightB(const String& s, int64_t count);
int64_t InStrB(const String& s, const String& find);
int64_t InStrB(int64_t start, const String& s, const String& find);
int64_t AscB(const String& s);  // first byte, 0 for ""
String ChrB(int64_t byte);      // one byte, no encoding; "" outside 0 to 255

// Comparison: mode 0 is exact (bytes), mode 1 ignores case. -1, 0 or 1.
int StrComp(const String& a, const String& b, int mode);

// Replace every non-overlapping occurrence, left to right, ignoring case.
String ReplaceAll(const String& s, const String& find, const String& repl);
String ReplaceAllB(const String& s, const String& find, const String& repl);
String Replace(const String& s, const String& find, const String& repl);  // first only
// Every CR LF, CR and LF becomes lineEnd.
String ReplaceLineEndings(const String& s, const String& lineEnd);

String Trim(const String& s);  // blanks, tabs, line ends and other white space (not no-break spaces)
String LTrim(const String& s);
String RTrim(const String& s);
String Lowercase(const String& s);
String Uppercase(const String& s);

// Separators match without regard to case; "" has one empty field; an
// empty separator splits between characters.
String NthField(const String& s, const String& sep, int64_t n);  // 1-based; "" past the end
int64_t CountFields(const String& s, const String& sep);
std::vector<String> Split(const String& s, const String& sep);
String Join(const std::vector<String>& parts, const String& sep);

String Str(int64_t n);
String Str(int n);
String Str(double d);         // shortest text that reads back, "3" for 3.0
double Val(const String& s);  // leading number as a real (after blanks; "&h" hex), 0 when none
String Hex(int64_t n);        // upper-case digits, no leading zeros; two's complement for n < 0

// Line ends: EndOfLine is the platform's (LF here); EndOfLine.Windows() is CR LF.
struct EndOfLineType {
    operator String() const { return String("\n"); }  // NOLINT
    String Windows() const { return String("\r\n"); }
    String Unix() const { return String("\n"); }
    String Macintosh() const { return String("\r"); }
};
inline constexpr EndOfLineType EndOfLine{};
inline String operator+(const String& a, EndOfLineType e) { return a + String(e); }
inline String operator+(EndOfLineType e, const String& b) { return String(e) + b; }

}  // namespace fw
