#pragma once
// The shared part of check boxes and radio buttons: a caption and an on/off
// value. Event: "Action" (when the subclass says it changed).
#include "fw/gui/RectControl.h"

namespace fw {

class ToggleButton : public RectControl {
public:
    String Caption() const;
    void Caption(const String& c);
    bool Value() const;
    void Value(bool b);
    const std::type_info* EventSignature(std::string_view event) const override;

protected:
    using RectControl::RectControl;
};

}  // namespace fw
