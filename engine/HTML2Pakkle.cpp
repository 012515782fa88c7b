#include "engine/HTML2Pakkle.h"

#include "applib/VellGlobal.h"
#include "engine/TPakkle.h"
#include "engine/quillet.h"

namespace quillet {

fw::String HTML2Pakkle(const fw::String& text, bool unicode) {
    TPakkle pakkle;
    // Without a chosen encoding the text is taken as it stands.
    const fw::String source = SourceEncoding ? fw::ConvertEncoding(text, SourceEncoding) : text;
    const fw::String page = pakkle.CompressHtml(source, fw::String(), unicode);
    const fw::String header = fw::String("<!-- USE SAVE AS BUTTON TO STORE Pakkleped DOCUMENT -->") + EOL;
    // The page keeps the encoding its bytes are in (the source's), so that
    // byte units reach the file unchanged.
    return fw::String::FromBytes(header.bytes() + page.bytes(), page.encoding());
}

}  // namespace quillet
