#include "applib/VellGlobal.h"

fw::String EOL;

namespace VellGlobal {
fw::String Hex2(int32_t n) {
    fw::String h = fw::Hex(n);
    if (n >= 0 && n <= 15) return fw::String("0") + h;
    return h;
}
}  // namespace VellGlobal
