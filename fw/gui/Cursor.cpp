#include "fw/gui/Cursor.h"

namespace fw::System::Cursors {

#define FW_CURSOR(name)                             \
    const Cursor* name() {                          \
        static const Cursor c(Cursor::Shape::name); \
        return &c;                                  \
    }
const Cursor* StandardPointer() {
    static const Cursor c(Cursor::Shape::Arrow);
    return &c;
}
FW_CURSOR(SplitterNorthSouth)
FW_CURSOR(SplitterEastWest)
FW_CURSOR(FingerPointer)
FW_CURSOR(IBeam)
FW_CURSOR(Wait)
#undef FW_CURSOR

}  // namespace fw::System::Cursors
