#pragma once
// The conversion engine's front: one entry point that maps a conversion-type
// label to its converter, the module variables the shell sets before each
// conversion, and the converters themselves.
#include <cstdint>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

namespace quillet {

// Characters per output piece or line; 0 or less: one unbroken string.
extern int32_t stringlength;
// Not read by any converter; the shell keeps it for the panes.
extern bool WordWrap;
extern const fw::TextEncoding* SourceEncoding;
extern const fw::TextEncoding* DestEncoding;
extern fw::String CurrentDocument;
extern fw::String SaveDocument;

// Runs the converter of `label` (compared ignoring case, whole text only);
// an unknown label gives "".
fw::String Varnel(const fw::String& text, const fw::String& label);

// Script blocks.
fw::String QuilletInt(const fw::String& text);
fw::String Quillet(const fw::String& text);
fw::String QuilletVar(const fw::String& text);
fw::String QuilletEncode(const fw::String& text);
fw::String HTML2UrlEncodeAllChars(const fw::String& text);

// HTML and plain text.
fw::String HTML2HTML(const fw::String& text);
fw::String HTML2HTMLPage(const fw::String& text);
fw::String HTML2Text(const fw::String& text);
fw::String ASCII2Code(const fw::String& text);

// The fw/core encoders under the converters' names.
fw::String HTML2AsIs(const fw::String& text);
fw::String HTML2Base64Encode(const fw::String& text);
fw::String HTML2Base64Decode(const fw::String& text);
fw::String HTML2QuotedPrintableEncode(const fw::String& text);
fw::String HTML2QuotedPrintableDecode(const fw::String& text);
fw::String HTML2UrlEncode(const fw::String& text);
fw::String HTML2UrlDecode(const fw::String& text);

}  // namespace quillet
