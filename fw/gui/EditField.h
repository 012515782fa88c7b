#pragma once
// A text field, one line or many.
//
// Events: "TextChange" on every change of the text (typing, editing
// commands, and code setting Text); "SelChange"; "GotFocus"; "LostFocus";
// "DropObject"(DragItem&) for accepted files (a dropped file is never
// inserted as text); "ConstructContextualMenu"(MenuItem& base, x, y) -> bool
// (true shows the items appended to base) and "ContextualMenuAction"
// (MenuItem& chosen) -> bool.
// CR, LF and CR LF each show one line break; Text reads back with LF.
// Selection positions count characters from 0.
#include "fw/gui/Color.h"
#include "fw/gui/RectControl.h"

namespace fw {

class EditField : public RectControl {
public:
    EditField();
    String Text() const;
    void Text(const String& t);
    bool ReadOnly() const;
    void ReadOnly(bool b);
    bool MultiLine() const;
    void MultiLine(bool b);
    bool ScrollBarVertical() const;
    void ScrollBarVertical(bool b);
    // true: lines don't wrap and a horizontal scroll bar shows; false: wrap.
    bool ScrollBarHorizontal() const;
    void ScrollBarHorizontal(bool b);
    bool AcceptTabs() const;
    void AcceptTabs(bool b);
    bool Password() const;
    void Password(bool b);
    Color TextColor() const;
    void TextColor(Color c);
    enum : int { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };
    int Alignment() const;
    void Alignment(int a);
    int LimitText() const;  // 0: no limit
    void LimitText(int n);
    // Characters that may be typed: "" any, "#" digits only (repeated "#"
    // limits the length).
    String Mask() const;
    void Mask(const String& m);

    int SelStart() const;
    void SelStart(int pos);
    int SelLength() const;
    void SelLength(int n);
    String SelText() const;
    void SelText(const String& t);  // replaces the selection

    void Undo();
    void Cut();
    void Copy();
    void Paste();
    void Clear();  // deletes the selection
    void SelectAll();

    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
