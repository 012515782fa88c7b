#include "applib/VellHistory.h"

#include "fw/core/BackgroundTask.h"

using fw::String;
using fw::Variant;

VellHistory::VellHistory(int32_t size, bool unique) : _size(size < 1 ? 1 : size), _unique(unique) {}

void VellHistory::Add(const Variant& value) {
    String text = value.StringValue();
    if (_unique) {
        int32_t i = IndexOf(text);
        if (i >= 0) Delete(i);
    }
    // Room is made before the newest-entry test, so a full history given its
    // newest text again loses its oldest entry and gains nothing.
    if (Count() >= _size) _history.erase(_history.begin());
    if (_history.empty() || _history.back() != text) _history.push_back(text);
}

void VellHistory::Delete(int32_t index) {
    if (index < 0 || index >= Count()) return;
    _history.erase(_history.begin() + index);
}

String VellHistory::AsString(const String& separator) const { return fw::Join(_history, separator); }

void VellHistory::AddFromString(const String& text, const String& separator) {
    // No stored history yet is the empty text: that is no entry, not one
    // empty entry.
    if (text.empty()) return;
    for (const String& field : fw::Split(text, separator)) {
        Add(field);
        fw::RuntimeBackgroundTask();
    }
}

int32_t VellHistory::Count() const { return static_cast<int32_t>(_history.size()); }

Variant VellHistory::Get(int32_t index) const {
    if (index < 0 || index >= Count()) return Variant();
    return _history[static_cast<size_t>(index)];
}

int32_t VellHistory::IndexOf(const Variant& value) const {
    String text = value.StringValue();
    for (size_t i = 0; i < _history.size(); ++i) {
        if (_history[i] == text) return static_cast<int32_t>(i);
    }
    return -1;
}

void VellHistory::DeleteValue(const Variant& value) { Delete(IndexOf(value)); }

void VellHistory::Clear() { _history.clear(); }

void VellHistory::Set(int32_t index, const Variant& value) {
    if (index < 0 || index >= Count()) return;
    _history[static_cast<size_t>(index)] = value.StringValue();
}
