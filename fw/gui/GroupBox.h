#pragma once
// A captioned frame that contains other controls.
#include "fw/gui/RectControl.h"

namespace fw {

class GroupBox : public RectControl {
public:
    GroupBox();
    String Caption() const;
    void Caption(const String& c);
};

}  // namespace fw
