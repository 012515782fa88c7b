#pragma once
// The files of one drop, delivered with "DropObject".
#include <vector>

#include "fw/core/FolderItem.h"

namespace fw {

class DragItem {
public:
    explicit DragItem(std::vector<FolderItemPtr> files) : files_(std::move(files)) {}
    bool FolderItemAvailable() const { return pos_ < files_.size() && files_[pos_] != nullptr; }
    FolderItemPtr FolderItem() const { return pos_ < files_.size() ? files_[pos_] : nullptr; }
    // Moves to the next file; false when there is none.
    bool NextItem() {
        if (pos_ + 1 >= files_.size()) return false;
        ++pos_;
        return true;
    }
    int Count() const { return int(files_.size()); }

private:
    std::vector<FolderItemPtr> files_;
    size_t pos_ = 0;
};

}  // namespace fw
