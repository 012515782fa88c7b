#include "shell/HtmlFiles.h"

#include <memory>

namespace HtmlFiles {
namespace {

std::unique_ptr<fw::FileType> pHTMLFiles;
std::unique_ptr<fw::FileType> pAllFiles;
std::unique_ptr<fw::FileType> pTEXTFiles;

// The Mac type and creator are kept with each type although files here carry
// none: dialogs and drops match by the extensions alone.
std::unique_ptr<fw::FileType> makeType(const char* name, const char* extensions, const char* macType) {
    auto t = std::make_unique<fw::FileType>();
    t->Name(name);
    t->Extensions(extensions);
    t->MacType(macType);
    t->MacCreator("");
    return t;
}

}  // namespace

void Initialize() {
    pHTMLFiles = makeType("HTML files", ".htm;.html", "HTML");
    pAllFiles = makeType("All files", ".*", "????");
    pTEXTFiles = makeType("Text files", ".txt", "TEXT");
}

void Release() {
    pHTMLFiles.reset();
    pAllFiles.reset();
    pTEXTFiles.reset();
}

const fw::FileType* HTMLFiles() { return pHTMLFiles.get(); }

fw::String All() { return "HTML files;All files;Text files;"; }

}  // namespace HtmlFiles
