#pragma once
// A square button with an icon and/or a caption. Event: "Action".
#include "fw/gui/Picture.h"
#include "fw/gui/RectControl.h"

namespace fw {

class BevelButton : public RectControl {
public:
    BevelButton();
    String Caption() const;
    void Caption(const String& c);
    PicturePtr Icon() const;
    void Icon(PicturePtr pic);  // nullptr: no icon
    bool AcceptFocus() const;
    void AcceptFocus(bool b);
    void Push();
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
