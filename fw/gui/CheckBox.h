#pragma once
// A check box. Event: "Action" when its value changes.
#include "fw/gui/RectControl.h"

namespace fw {

class CheckBox : public RectControl {
public:
    CheckBox();
    String Caption() const;
    void Caption(const String& c);
    bool Value() const;
    void Value(bool b);
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
