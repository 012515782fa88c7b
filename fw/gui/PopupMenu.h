#pragma once
// A pop-up menu of text rows; an empty row shows as a separator.
// Event: "Change" whenever ListIndex changes, by the user or by code.
#include <vector>

#include "fw/gui/RectControl.h"

namespace fw {

class PopupMenu : public RectControl {
public:
    PopupMenu();
    void AddRow(const String& text);
    void AddRows(const std::vector<String>& rows);
    void RemoveRow(int index);
    void DeleteAllRows();
    // Design-time rows: one text, rows separated by CR (LF and CR LF too).
    void InitialValue(const String& rows);
    int ListCount() const;
    String List(int index) const;  // "" out of range
    int ListIndex() const;         // -1: no row chosen
    void ListIndex(int index);     // out of range: -1
    virtual String Text() const;   // the chosen row's text, "" for none
    const std::type_info* EventSignature(std::string_view event) const override;

protected:
    explicit PopupMenu(std::unique_ptr<Impl> impl);
};

}  // namespace fw
