#pragma once
// A control that draws itself.
//
// Events: "Open", "Close", "Paint"(Graphics&), "MouseDown"(x, y) -> bool
// (true takes the drag: "MouseDrag"(x, y) and "MouseUp"(x, y) follow while
// the button is held, also beyond the canvas), "MouseMove"(x, y),
// "MouseEnter", "MouseExit". Coordinates are relative to the canvas at the
// moment of each event.
#include "fw/gui/Graphics.h"
#include "fw/gui/RectControl.h"

namespace fw {

class Canvas : public RectControl {
public:
    Canvas();
    // The canvas's own drawing context: inside Paint the context being
    // painted; outside it, drawing that shows until the next Refresh.
    fw::Graphics& Graphics();
    bool UseFocusRing() const;
    void UseFocusRing(bool b);
    bool AcceptFocus() const;
    void AcceptFocus(bool b);
    bool EraseBackground() const;
    void EraseBackground(bool b);
    PicturePtr Backdrop() const;
    void Backdrop(PicturePtr pic);
    // The pixels shown now (painting first when a refresh is pending).
    PicturePtr Snapshot();
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
