#pragma once
// A pop-up of the 85 text-encoding names. Each instance keeps its chosen row
// across runs in the user settings, under its control name.
#include <vector>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"
#include "fw/gui/PopupMenu.h"

class EncodingSelect : public fw::PopupMenu {
public:
    EncodingSelect();

    std::vector<fw::String> EncodingsList;

    void Event_Open();
    void Event_Close();
    // The encoding of the row shown now; SystemDefault when the text is none
    // of the names (no row yet, for instance).
    const fw::TextEncoding* GetEncoding() const;
};

// The pop-up's rows, in menu order.
const std::vector<fw::String>& EncodingNames();
