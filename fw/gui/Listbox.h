#pragma once
// A list of rows with columns and optional headings. Event: "Change" when
// the chosen row changes.
#include "fw/gui/RectControl.h"

namespace fw {

class Listbox : public RectControl {
public:
    Listbox();
    bool HasHeading() const;
    void HasHeading(bool b);
    int ColumnCount() const;
    void ColumnCount(int n);  // at least 1
    String Heading(int column) const;
    void Heading(int column, const String& text);
    void AddRow(const String& firstCell);
    void RemoveRow(int row);
    void DeleteAllRows();
    int ListCount() const;
    String Cell(int row, int column) const;
    void Cell(int row, int column, const String& text);
    int ListIndex() const;
    void ListIndex(int row);
    bool ScrollBarHorizontal() const;
    void ScrollBarHorizontal(bool b);
    const std::type_info* EventSignature(std::string_view event) const override;
};

}  // namespace fw
