#include "shell/EncodingSelect.h"

#include "applib/VellClass.h"

// The order of fw::Encodings: rows 0 to 2 first, then the rest
// alphabetically ignoring case. The stored setting is the row index, so this
// order is part of the settings format.
const std::vector<fw::String>& EncodingNames() {
    static const std::vector<fw::String> names = [] {
        std::vector<fw::String> v;
        for (int i = 0; i < fw::Encodings::Count(); ++i) v.emplace_back(fw::Encodings::At(i)->name);
        return v;
    }();
    return names;
}

EncodingSelect::EncodingSelect() {
    EncodingsList = EncodingNames();
    On("Open", this, &EncodingSelect::Event_Open);
    On("Close", this, &EncodingSelect::Event_Close);
}

void EncodingSelect::Event_Open() {
    AddRows(EncodingsList);
    // Garbage text reads as its leading number (0 when none); the range test
    // below then catches whatever comes out.
    int32_t n = Vell->UserSettings->Get(Name(), 0).Int32Value();
    if (n < 0 || n >= ListCount()) n = 0;
    ListIndex(n);
}

void EncodingSelect::Event_Close() { Vell->UserSettings->Set(Name(), ListIndex()); }

const fw::TextEncoding* EncodingSelect::GetEncoding() const {
    fw::String t = Text();
    for (const fw::String& name : EncodingsList) {
        if (t == name) {
            if (const fw::TextEncoding* enc = fw::Encodings::ByName(name.utf8())) return enc;
            break;
        }
    }
    return fw::Encodings::SystemDefault;
}
