#pragma once
// A document file type. Dialog filters and file drops name types by Name;
// every FileType alive is known by its name.
#include "fw/core/String.h"

namespace fw {

class FileType {
public:
    FileType();
    ~FileType();
    FileType(const FileType&) = delete;
    FileType& operator=(const FileType&) = delete;

    String Name() const { return name_; }
    void Name(const String& n) { name_ = n; }
    // File-name endings with their dot, separated by ";" (".htm;.html");
    // ".*" stands for any ending.
    String Extensions() const { return extensions_; }
    void Extensions(const String& e) { extensions_ = e; }
    // Mac OS four-character codes; kept, but files here carry none.
    String MacType() const { return macType_; }
    void MacType(const String& t) { macType_ = t; }
    String MacCreator() const { return macCreator_; }
    void MacCreator(const String& c) { macCreator_ = c; }

    bool Matches(const String& fileName) const;
    // The live type of that name, nullptr for none.
    static const FileType* Find(const String& name);

private:
    String name_, extensions_, macType_, macCreator_;
};

}  // namespace fw
