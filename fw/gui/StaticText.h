#pragma once
// A label. Events: "MouseDown"(x, y) -> bool, "MouseUp"(x, y), and the
// RectControl events. CR, LF and CR LF each show one line break.
#include "fw/gui/Color.h"
#include "fw/gui/RectControl.h"

namespace fw {

class StaticText : public RectControl {
public:
    StaticText();
    String Caption() const;  // Text and Caption are the same text
    void Caption(const String& c);
    String Text() const;
    void Text(const String& t);
    bool MultiLine() const;
    void MultiLine(bool b);
    bool Underline() const;
    void Underline(bool b);
    Color TextColor() const;
    void TextColor(Color c);
    int TextAlign() const;  // 0 default, 1 left, 2 centre, 3 right
    void TextAlign(int a);
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
