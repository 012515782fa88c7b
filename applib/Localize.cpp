// Localisation of windows and menus: every text goes through Lng under a key
// made of the window's name, a word for the kind of element and its name.
#include "applib/VellClass.h"
#include "fw/core/BackgroundTask.h"
#include "fw/gui/BevelButton.h"
#include "fw/gui/CheckBox.h"
#include "fw/gui/ComboBox.h"
#include "fw/gui/EditField.h"
#include "fw/gui/GroupBox.h"
#include "fw/gui/Listbox.h"
#include "fw/gui/MenuItem.h"
#include "fw/gui/PopupMenu.h"
#include "fw/gui/PushButton.h"
#include "fw/gui/RadioButton.h"
#include "fw/gui/StaticText.h"
#include "fw/gui/TabPanel.h"
#include "fw/gui/Window.h"

namespace {

void localizeHelp(VellClass& vell, fw::RectControl& c, const fw::String& key) {
    c.HelpTag(vell.Lng(c.HelpTag(), key + ".Help"));
}

// Caption first, then the help tag, each under its own key.
template <class T>
bool localizeCaptioned(VellClass& vell, fw::RectControl& c, const fw::String& prefix, const char* word) {
    auto* t = dynamic_cast<T*>(&c);
    if (!t) return false;
    const fw::String key = prefix + word + "." + c.Name();
    t->Caption(vell.Lng(t->Caption(), key));
    localizeHelp(vell, c, key);
    return true;
}

template <class T>
bool localizeHelpOnly(VellClass& vell, fw::RectControl& c, const fw::String& prefix, const char* word) {
    if (!fw::IsA<T>(&c)) return false;
    localizeHelp(vell, c, prefix + word + "." + c.Name());
    return true;
}

// Texts numbered from 0, each under key + its number; `each(j, lng)`
// replaces text j with lng(text j).
template <class Each>
void localizeNumbered(VellClass& vell, const fw::String& key, int count, Each each) {
    for (int j = 0; j < count; ++j) {
        each(j, [&](const fw::String& text) { return vell.Lng(text, key + fw::Str(j)); });
        fw::RuntimeBackgroundTask();
    }
}

bool localizeListbox(VellClass& vell, fw::RectControl& c, const fw::String& prefix) {
    auto* lb = dynamic_cast<fw::Listbox*>(&c);
    if (!lb) return false;
    if (!lb->HasHeading()) return true;
    localizeNumbered(vell, prefix + "ListBox." + c.Name() + ".", lb->ColumnCount(),
                     [lb](int j, auto lng) { lb->Heading(j, lng(lb->Heading(j))); });
    return true;
}

bool localizeTabPanel(VellClass& vell, fw::RectControl& c, const fw::String& prefix) {
    auto* tp = dynamic_cast<fw::TabPanel*>(&c);
    if (!tp) return false;
    localizeNumbered(vell, prefix + "TabPanel." + c.Name() + ".", tp->PanelCount(),
                     [tp](int j, auto lng) { tp->Caption(j, lng(tp->Caption(j))); });
    return true;
}

// The first row whose class the control belongs to wins: subclasses take
// their base's row, and a combo box is tested before the pop-up menu it is.
void localizeControl(VellClass& vell, fw::RectControl& c, const fw::String& p) {
    // clang-format off
    localizeCaptioned<fw::StaticText>(vell, c, p, "StaticText") ||
        localizeCaptioned<fw::PushButton>(vell, c, p, "PushButton") ||
        localizeHelpOnly<fw::EditField>(vell, c, p, "EditField") ||
        localizeCaptioned<fw::BevelButton>(vell, c, p, "BevelButton") ||
        localizeCaptioned<fw::CheckBox>(vell, c, p, "CheckBox") ||
        localizeCaptioned<fw::GroupBox>(vell, c, p, "GroupBox") ||
        localizeListbox(vell, c, p) ||
        localizeTabPanel(vell, c, p) ||
        localizeCaptioned<fw::RadioButton>(vell, c, p, "RadioButton") ||
        localizeHelpOnly<fw::ComboBox>(vell, c, p, "ComboBox") ||
        localizeHelpOnly<fw::PopupMenu>(vell, c, p, "PopupMenu");
    // clang-format on
}

}  // namespace

void VellClass::Localize(fw::Window& window, const fw::String& name) {
    const fw::String p = name.empty() ? fw::String() : name + ".";
    window.Title(Lng(window.Title(), p + "Title"));
    window.BalloonHelp(Lng(window.BalloonHelp(), p + "Help"));

    if (fw::MenuBarPtr bar = window.MenuBar()) {
        const int n = bar->Count();
        for (int i = 0; i < n; ++i) {
            // Top-level menus are looked up whatever their text.
            if (fw::MenuItemPtr item = bar->Item(i)) LocalizeMenu(*item, p + "Menu." + item->Name());
            fw::RuntimeBackgroundTask();
        }
    }

    const int n = window.ControlCount();
    for (int i = 0; i < n; ++i) {
        if (fw::RectControl* c = window.Control(i)) localizeControl(*this, *c, p);
        fw::RuntimeBackgroundTask();
    }
}

void VellClass::LocalizeMenu(fw::MenuItem& item, const fw::String& key) {
    item.Text(Lng(input(item.Text()), key));
    const int n = item.Count();
    for (int i = 0; i < n; ++i) {
        fw::MenuItemPtr child = item.Item(i);
        // A separator is skipped with everything below it.
        if (child && fw::StrComp(child->Text(), "-", 0) != 0) LocalizeMenu(*child, key + "." + child->Name());
        fw::RuntimeBackgroundTask();
    }
}
