#pragma once
// A bounded most-recently-used list of texts, oldest first, with optional
// uniqueness and a separator-joined text form.
#include <cstdint>
#include <vector>

#include "fw/core/String.h"
#include "fw/core/Variant.h"

class VellHistory {
public:
    // A capacity below 1 is taken as 1.
    VellHistory(int32_t size, bool unique);

    void Add(const fw::Variant& value);
    void Delete(int32_t index);  // out of range: nothing
    fw::String AsString(const fw::String& separator) const;
    void AddFromString(const fw::String& text, const fw::String& separator);
    int32_t Count() const;
    fw::Variant Get(int32_t index) const;             // out of range: nil
    int32_t IndexOf(const fw::Variant& value) const;  // ignores case; -1 when absent
    void DeleteValue(const fw::Variant& value);
    void Clear();
    void Set(int32_t index, const fw::Variant& value);  // out of range: nothing

private:
    std::vector<fw::String> _history;
    int32_t _size;
    bool _unique;
};
