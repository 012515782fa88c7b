#include "shell/MenuBar1.h"

#include <span>

#include "shell/refresh.h"

namespace {

// shortcut nullptr: never assigned (separators, "Open Recent"); "": set empty.
struct ItemRow {
    const char* name;
    const char* text;
    const char* shortcut;
};

constexpr ItemRow kFileItems[] = {
    {"FileOpen", "Open...", "Cmd+O"},
    {"FileReOpen", "Re-open", "Cmd+R"},
    {"FileOpenRecent", "Open Recent", nullptr},
    {"FileSave", "Save", "Cmd+S"},
    {"FileSaveas", "Save as...", "Cmd+Shift+S"},
    {"FileOptions", "Options...", ""},
    {"UntitledSeparator", "-", nullptr},
    {"FileLanguage", "Language...", ""},
    {"UntitledSeparator0", "-", nullptr},
    {"FileQuit", "Quit", ""},
};

// clang-format off
constexpr ItemRow kEditItems[] = {
    {"EditUndo", "&Undo", "Cmd+Z"},
    {"UntitledMenu1", "-", nullptr},
    {"EditCut", "Cu&t", "Cmd+X"},
    {"EditCopy", "&Copy", "Cmd+C"},
    {"EditPaste", "&Paste", "Cmd+V"},
    {"EditClear", "Clear", ""},
    {"UntitledMenu0", "-", nullptr},
    {"EditSelectAll", "Select &All", "Cmd+A"},
};
// clang-format on

constexpr ItemRow kHelpItems[] = {
    {"HelpAbout", "About", ""},
};

void buildMenu(fw::MenuBar& bar, const char* menuName, const char* menuText, std::span<const ItemRow> items) {
    auto menu = std::make_shared<fw::MenuItem>();
    menu->Name(menuName);
    menu->AutoEnable(true);
    menu->Text(menuText);
    menu->KeyboardShortcut("");
    bar.Append(menu);

    for (const ItemRow& row : items) {
        fw::String name = row.name;
        fw::MenuItemPtr item = name == "FileQuit" ? std::make_shared<fw::QuitMenuItem>()
                                                  : std::make_shared<fw::MenuItem>();
        item->Name(row.name);
        item->AutoEnable(true);
        item->Text(row.text);
        if (row.shortcut) item->KeyboardShortcut(row.shortcut);
        if (name == "FileReOpen") item->Icon(refresh());
        menu->Append(item);
    }
}

std::shared_ptr<MenuBar1> instance;

}  // namespace

MenuBar1::MenuBar1() {
    Untitled0();
    Untitled1();
    Untitled2();
}

void MenuBar1::Untitled0() { buildMenu(*this, "FileMenu", "&File", kFileItems); }
void MenuBar1::Untitled1() { buildMenu(*this, "EditMenu", "&Edit", kEditItems); }
void MenuBar1::Untitled2() { buildMenu(*this, "HelpMenu", "Help", kHelpItems); }

std::shared_ptr<MenuBar1> TheMenuBar1() {
    if (!instance) instance = std::make_shared<MenuBar1>();
    return instance;
}

void releaseMenuBar1() { instance.reset(); }
