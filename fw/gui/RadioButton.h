#pragma once
// A radio button; the buttons of one parent exclude each other. Event:
// "Action" when it becomes chosen.
#include "fw/gui/RectControl.h"

namespace fw {

class RadioButton : public RectControl {
public:
    RadioButton();
    String Caption() const;
    void Caption(const String& c);
    bool Value() const;
    void Value(bool b);
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
