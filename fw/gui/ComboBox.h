#pragma once
// A pop-up menu whose text can also be typed. Events: "Change" and
// "TextChange".
#include "fw/gui/PopupMenu.h"

namespace fw {

class ComboBox : public PopupMenu {
public:
    ComboBox();
    String Text() const override;
    void Text(const String& t);
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
