#pragma once
// Menus: a tree of items shared by every window that shows it.
//
// An item's Text of "-" makes it a separator; "&" marks the access key.
// KeyboardShortcut reads "Cmd+O", "Cmd+Shift+S" ("Cmd" is Ctrl here).
// Choosing an item raises its own "Action" -> bool first; when none is bound
// or it gives false, the handler bound to the item's name on the active
// window (Window::AddMenuHandler), then on the application. The quit item
// quits when nothing handles it; EditUndo, EditCut, EditCopy, EditPaste,
// EditClear and EditSelectAll act on the focused text field.
// An item may be removed (Close) inside its own Action.
#include <memory>
#include <vector>

#include "fw/core/String.h"
#include "fw/gui/EventTarget.h"
#include "fw/gui/Picture.h"

namespace fw {

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;  // nullptr plays nil

class MenuItem : public EventTarget, public std::enable_shared_from_this<MenuItem> {
public:
    MenuItem();
    explicit MenuItem(const String& text);
    ~MenuItem() override;

    String Name() const;
    void Name(const String& n);
    String Text() const;
    void Text(const String& t);
    String KeyboardShortcut() const;
    void KeyboardShortcut(const String& s);
    bool AutoEnable() const;
    void AutoEnable(bool b);
    bool Enabled() const;
    void Enabled(bool b);
    bool Checked() const;
    void Checked(bool b);
    PicturePtr Icon() const;
    void Icon(PicturePtr pic);
    // Any value the program keeps with the item.
    String Tag() const;
    void Tag(const String& t);

    int Count() const;
    MenuItemPtr Item(int index) const;             // nullptr out of range
    MenuItemPtr Child(const String& name) const;   // direct child by name
    MenuItemPtr Lookup(const String& name) const;  // anywhere below, depth first
    MenuItem* Parent() const;
    void Append(MenuItemPtr item);
    void Insert(int index, MenuItemPtr item);  // clamped to 0..Count
    void Remove(int index);
    void Close();  // removes the item from its parent

    // Chooses the item as the user would (see above). False when disabled.
    bool Choose();

    const std::type_info* EventSignature(std::string_view event) const override;

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// The item whose choice quits the application.
class QuitMenuItem : public MenuItem {
public:
    QuitMenuItem();
};

// The top of a window's or the application's menus.
class MenuBar : public MenuItem {
public:
    MenuBar();
};
using MenuBarPtr = std::shared_ptr<MenuBar>;

}  // namespace fw
