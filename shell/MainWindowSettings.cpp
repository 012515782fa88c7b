// The main window's settings: read when it opens, written back when it
// closes; the splitter bar is kept in place on every resize; the "Open
// Recent" submenu.
#include <vector>

#include "applib/VellClass.h"
#include "applib/VellEdit.h"
#include "applib/VellSettings.h"
#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/PopupMenu.h"
#include "shell/HtmlFiles.h"
#include "shell/MainWindow.h"
#include "shell/OpenRecents.h"
#include "splitter/SmartSplitter.h"

namespace {

constexpr const char* kRecentSeparator = "|";
constexpr int32_t kRecentCapacity = 10;
constexpr int32_t kDesignedBarTop = 235;

// The stored recent list, oldest first. The separator may also occur inside
// a path; every entry is absolute, so a field that does not start a path
// continues the one before it, with any empty fields between as separators.
// A path that exists keeps its meaning unless the joined one exists too, and
// empty fields left over (a hand-edited file) are no entries.
std::vector<fw::String> recentPaths(const fw::String& stored) {
    std::vector<fw::String> paths;
    const fw::String sep(kRecentSeparator);
    fw::String gap = sep;
    auto exists = [](const fw::String& p) {
        fw::FolderItemPtr f = fw::GetFolderItem(p);
        return f && f->Exists();
    };
    for (const fw::String& field : fw::Split(stored, sep)) {
        if (field.empty()) {
            gap += sep;
            continue;
        }
        const bool continues = !paths.empty() && !field.bytes().starts_with("/") &&
                               (!exists(paths.back()) || exists(paths.back() + gap + field));
        if (continues) paths.back() += gap + field;
        else paths.push_back(field);
        gap = sep;
    }
    return paths;
}

}  // namespace

void MainWindow::Event_Open() {
    CloseAppOnExit = true;
    VellSettings& settings = *Vell->UserSettings;
    quillet::stringlength = settings.Get("StringLength", 0).Int32Value();
    quillet::CurrentDocument = settings.Get("CurrentDocument", "").StringValue();
    quillet::WordWrap = settings.Get("WordWrap", false).BooleanValue();

    // A row the pop-up does not have (a hand-edited file) would leave no type
    // chosen at all; the first row is the designed choice.
    auto& types = Control<fw::PopupMenu>("PMTypeOfConversion");
    int32_t row = settings.Get("SelectLang", 0).Int32Value();
    types.ListIndex(row >= 0 && row < types.ListCount() ? row : 0);

    // The older key only gives the starting point. Moving the bar by itself
    // would leave it lying across the groups it divides, and a far-off value
    // would then drag those groups by the whole distance back into range.
    auto& bar = Control<SmartSplitter>("SSHor");
    int32_t top = settings.Get("SSHorTop", kDesignedBarTop).Int32Value();
    bar.setPosition(settings.Get("MainWindow.SSHor.Top", top).Int32Value());

    Control<VellEdit>("EFSource").ScrollBarHorizontal(!quillet::WordWrap);
    Control<VellEdit>("EFDest").ScrollBarHorizontal(!quillet::WordWrap);

    // Only the HTML type is declared: a drop of any other file is refused.
    AcceptFileDrop(HtmlFiles::HTMLFiles()->Name());
    Control("EFSource").AcceptFileDrop(HtmlFiles::HTMLFiles()->Name());

    OpenRecentItems = std::make_unique<VellHistory>(kRecentCapacity, true);
    for (const fw::String& path : recentPaths(settings.Get("OpenRecent", "").StringValue()))
        OpenRecentItems->Add(path);
    RefreshOpenRecent();
}

void MainWindow::Event_Close() {
    VellSettings& settings = *Vell->UserSettings;
    settings.Set("StringLength", quillet::stringlength);
    settings.Set("CurrentDocument", quillet::CurrentDocument);
    settings.Set("SelectLang", Control<fw::PopupMenu>("PMTypeOfConversion").ListIndex());
    settings.Set("WordWrap", quillet::WordWrap);
    settings.Set("MainWindow.SSHor.Top", Control("SSHor").Top());
    if (OpenRecentItems) settings.Set("OpenRecent", OpenRecentItems->AsString(kRecentSeparator));
}

void MainWindow::Event_Resized() { Control<SmartSplitter>("SSHor").behave(); }

void MainWindow::RefreshOpenRecent() {
    fw::MenuItemPtr menu = FileOpenRecent();
    if (!menu) throw fw::NilObjectException("the menu bar has no FileOpenRecent item");
    while (menu->Count() > 0) menu->Item(menu->Count() - 1)->Close();
    if (!OpenRecentItems) return;
    // Each entry goes on top: the submenu reads newest first.
    for (int32_t i = 0; i < OpenRecentItems->Count(); ++i)
        menu->Insert(0, std::make_shared<OpenRecents>(OpenRecentItems->Get(i).StringValue()));
}
