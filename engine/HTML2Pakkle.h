#pragma once
// The self-extracting page of the "Pakkle" conversion types.
#include "fw/core/String.h"

namespace quillet {

// The page that rebuilds `text` (converted to SourceEncoding) in a browser;
// `unicode` compresses characters, otherwise bytes.
fw::String HTML2Pakkle(const fw::String& text, bool unicode);

}  // namespace quillet
