#pragma once
// System mouse cursors. A control's MouseCursor of nullptr is the default.

namespace fw {

class Cursor {
public:
    enum class Shape { Arrow, SplitterNorthSouth, SplitterEastWest, FingerPointer, IBeam, Wait };
    explicit constexpr Cursor(Shape s) : shape(s) {}
    Shape shape;
};

namespace System::Cursors {
const Cursor* StandardPointer();
const Cursor* SplitterNorthSouth();  // up-down resize
const Cursor* SplitterEastWest();    // left-right resize
const Cursor* FingerPointer();       // the pointing hand of links
const Cursor* IBeam();
const Cursor* Wait();
}  // namespace System::Cursors

}  // namespace fw
