#include "fw/gui/FileType.h"

#include <algorithm>
#include <vector>

namespace fw {

static std::vector<FileType*>& liveTypes() {
    static std::vector<FileType*> types;
    return types;
}

FileType::FileType() { liveTypes().push_back(this); }
FileType::~FileType() { std::erase(liveTypes(), this); }

const FileType* FileType::Find(const String& name) {
    // The newest type of a name wins, as a later definition replaces one.
    auto& all = liveTypes();
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if ((*it)->Name() == name) return *it;
    return nullptr;
}

bool FileType::Matches(const String& fileName) const {
    for (const String& ext : Split(extensions_, ";")) {
        String e = Trim(ext);
        if (e.empty()) continue;
        if (e == ".*" || e == "*") return true;
        if (Len(fileName) > Len(e) && Right(fileName, Len(e)) == e) return true;
    }
    return false;
}

}  // namespace fw
