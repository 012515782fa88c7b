#pragma once
// A check box. Event: "Action" when its value changes.
#include "fw/gui/ToggleButton.h"

namespace fw {

class CheckBox : public ToggleButton {
public:
    CheckBox();
};

}  // namespace fw
