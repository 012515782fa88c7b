#pragma once
// The open and save dialogs. Filter names file types by Name, separated by
// ";" ("HTML files;All files;Text files;"). A file given as
// InitialDirectory starts the dialog in its folder. The save dialog asks
// before replacing a file.
// Under test (TestSupport.h) the queued answer is typed into the dialog.
#include "fw/core/FolderItem.h"

namespace fw {

class OpenDialog {
public:
    FolderItemPtr InitialDirectory;
    String Title;
    String Filter;
    // The chosen file, nullptr when the user cancels.
    FolderItemPtr ShowModal();
};

class SaveAsDialog {
public:
    FolderItemPtr InitialDirectory;
    String Title;
    String Filter;
    String SuggestedFileName;
    FolderItemPtr ShowModal();
};

}  // namespace fw
