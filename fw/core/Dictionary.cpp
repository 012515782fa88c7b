#include "fw/core/Dictionary.h"

namespace fw {

Variant Dictionary::Value(const String& key) const {
    auto it = index_.find(key.bytes());
    if (it == index_.end()) return Variant();
    return entries_[it->second].second;
}

void Dictionary::Value(const String& key, const Variant& v) {
    auto it = index_.find(key.bytes());
    if (it != index_.end()) {
        entries_[it->second].second = v;
        return;
    }
    index_.emplace(key.bytes(), entries_.size());
    entries_.emplace_back(key, v);
}

bool Dictionary::HasKey(const String& key) const { return index_.find(key.bytes()) != index_.end(); }

String Dictionary::Key(int64_t i) const {
    if (i < 0 || i >= static_cast<int64_t>(entries_.size())) return String();
    return entries_[static_cast<size_t>(i)].first;
}

int64_t Dictionary::Count() const { return static_cast<int64_t>(entries_.size()); }

void Dictionary::Remove(const String& key) {
    auto it = index_.find(key.bytes());
    if (it == index_.end()) return;
    size_t pos = it->second;
    index_.erase(it);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(pos));
    // Keeping insertion order means the later entries shift down by one.
    for (size_t i = pos; i < entries_.size(); ++i) index_[entries_[i].first.bytes()] = i;
}

void Dictionary::Clear() {
    entries_.clear();
    index_.clear();
}

}  // namespace fw
