#pragma once
// Library text globals: the fixed CR LF line end and two-digit hex.
#include "fw/core/String.h"

// CR LF on every platform once the services object exists; empty before.
extern fw::String EOL;

namespace VellGlobal {
// Hex digits of n, with a leading "0" for 0 to 15.
fw::String Hex2(int32_t n);
}
