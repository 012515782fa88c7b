#include "engine/HTML2Pakkle.h"

#include "applib/VellGlobal.h"
#include "engine/TPakkle.h"
#include "engine/quillet.h"

namespace quillet {

fw::String HTML2Pakkle(const fw::String& text, bool unicode) {
    TPakkle pakkle;
    // Without a chosen encoding the text is taken as it stands; a text
    // already in it is not copied.
    const bool convert = SourceEncoding && !(text.encoding() && text.encoding()->Equals(SourceEncoding));
    const fw::String converted = convert ? fw::ConvertEncoding(text, SourceEncoding) : fw::String();
    const fw::String& source = convert ? converted : text;
    const fw::String header = fw::String("<!-- USE SAVE AS BUTTON TO STORE Pakkleped DOCUMENT -->") + EOL;
    // The page keeps the encoding its bytes are in (the source's), so that
    // byte units reach the file unchanged.
    return pakkle.Compress(source, fw::String(), false, unicode, header.bytes());
}

}  // namespace quillet
