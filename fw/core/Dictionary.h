#pragma once
// String keys (compared exactly, byte for byte) to variants, in insertion order.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "fw/core/String.h"
#include "fw/core/Variant.h"

namespace fw {

class Dictionary {
public:
    Variant Value(const String& key) const;  // nil when absent
    void Value(const String& key, const Variant& v);
    bool HasKey(const String& key) const;
    String Key(int64_t i) const;  // 0-based, insertion order; "" out of range
    int64_t Count() const;
    void Remove(const String& key);
    void Clear();

private:
    std::vector<std::pair<String, Variant>> entries_;
    std::unordered_map<std::string, size_t> index_;
};

}  // namespace fw
