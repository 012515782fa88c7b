#pragma once
// A radio button; the buttons of one parent exclude each other. Event:
// "Action" when it becomes chosen.
#include "fw/gui/ToggleButton.h"

namespace fw {

class RadioButton : public ToggleButton {
public:
    RadioButton();
};

}  // namespace fw
