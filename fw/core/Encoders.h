#pragma once
// Base64 and quoted-printable (RFC 2045, RFC 4648) and percent-encoding
// (RFC 3986) of a string's bytes.
#include "fw/core/String.h"

namespace fw {

class TextEncoding;

// Lines of `width` characters joined by CR LF; width <= 0 gives one line.
String EncodeBase64(const String& s, int64_t width = 76);
// Skips characters outside the alphabet; the result carries `enc` (nullptr: none).
String DecodeBase64(const String& s, const TextEncoding* enc = nullptr);
String EncodeQuotedPrintable(const String& s);
// A "=" that starts no valid escape stays as it stands.
String DecodeQuotedPrintable(const String& s, const TextEncoding* enc = nullptr);
// Leaves A-Z a-z 0-9 - . _ ~ and escapes every other byte as %XX.
String EncodeURLComponent(const String& s);
// A "%" that starts no valid escape stays as it stands.
String DecodeURLComponent(const String& s, const TextEncoding* enc = nullptr);

}  // namespace fw
