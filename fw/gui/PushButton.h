#pragma once
// A push button. Event: "Action".
#include "fw/gui/RectControl.h"

namespace fw {

class PushButton : public RectControl {
public:
    PushButton();
    String Caption() const;
    void Caption(const String& c);  // "&" marks the access key
    bool Default() const;
    void Default(bool b);  // Return presses it
    bool Cancel() const;
    void Cancel(bool b);  // Escape presses it
    void Push();          // as a click: raises Action when enabled
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
