#pragma once
// The document file types and the filter text of the file dialogs.
#include "fw/core/String.h"
#include "fw/gui/FileType.h"

namespace HtmlFiles {

// Creates the three types; they live until Release.
void Initialize();
void Release();

// The HTML type, which the main window accepts as drops; nullptr before
// Initialize.
const fw::FileType* HTMLFiles();
// "HTML files;All files;Text files;": the dialogs' filter, by type names.
fw::String All();

}  // namespace HtmlFiles
