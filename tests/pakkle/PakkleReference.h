#pragma once
// The compressor's main pass as plainly as it can be written: the window is
// cut out again for every token and every tried length is a fresh search of
// it. Slow; it is the yardstick for the indexed tokenizer.
#include <vector>

#include "engine/TPakkle.h"

std::vector<TPakkle::Token> ReferenceTokens(const fw::String& source, bool unicode);
