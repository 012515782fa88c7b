#pragma once
// Windows.
//
// How a window class is written. Its constructor is the window's layout: the
// designed values first, then the controls in creation order in one table,
// then event bindings and menu handlers. All of it runs before any Open.
//
//     class MainWindow : public VellWindow {        // VellWindow derives from fw::Window
//     public:
//         MainWindow() {
//             MenuBar(TheMenuBar1());                 // a window that sets none has none
//             Title("Varnel - ...");
//             Width(614); Height(552); MinWidth(546); MinHeight(450);
//             Resizeable(true);
//             AddControls({
//                 // name, parent ("" = the window), left, top, width, height, locks, set-up
//                 fw::Row<fw::GroupBox>("GBSource", "", 20, 14, 574, 218, fw::LockL | fw::LockT | fw::LockR,
//                                       [](fw::GroupBox& c) { c.Caption("Source"); }),
//                 fw::Row<fw::PushButton>("PBConvert", "GBSource", 39, 201, 90, 22, fw::LockL | fw::LockB,
//                                         [](fw::PushButton& c) { c.Caption("Convert to"); c.Bold(true); }),
//             });
//             Bind("PBConvert", "Action", &MainWindow::PBConvert_Action);
//             On("Resized", this, &MainWindow::Event_Resized);      // the window's own events
//             AddMenuHandler("FileOpen", &MainWindow::FileOpen_Action);
//         }
//         void PBConvert_Action() { auto& pm = Control<fw::PopupMenu>("PMTypeOfConversion"); ... }
//         bool FileOpen_Action() { ...; return false; }
//     };
//
// Controls are reached by name: Control<fw::PushButton>("PBConvert") gives a
// reference and throws NilObjectException when no control of that name and
// class exists; FindControl gives nullptr instead. Control(i) walks the flat
// list of every control, embedded ones included, in creation order.
//
// Menu handlers are bound by item name on the window; when the user chooses
// an item, the handler of the active window runs and its bool goes back to
// the menu dispatch (see MenuItem.h).
//
// One implicit instance per window class: fw::Implicit<MainWindow>() makes
// it on first use and returns it; after the window has closed the next call
// makes a new one (a closed window is never handed out). A closed window is
// deleted from the event loop once no handler runs (one may still hold it)
// and no ShowModal of it waits. So a reference from Implicit serves the
// handler or the statement that asked for it; keep none across a close.
//
// Window events (bind with On): "Open", "Close", "Restore", "Minimize",
// "Maximize", "Resized" (after the locks have been applied), "Activate",
// "Deactivate", "DropObject"(DragItem&). A library base class handles them
// and raises the same event for its subclass (EventTarget.h): for Open it
// does its part and then RaiseEvent("Open"); for Close it raises first.
//
// Order when a window opens: each control's Open in creation order, then
// the window's Open, then it shows when Visible. A window made before the
// application's start is opened right after the application's Open.
// Order when it closes: the window's Close, then each control's Close.
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <typeindex>
#include <typeinfo>
#include <vector>

#include "fw/core/String.h"
#include "fw/gui/Color.h"
#include "fw/gui/EventTarget.h"
#include "fw/gui/MenuItem.h"
#include "fw/gui/NilObjectException.h"
#include "fw/gui/RectControl.h"

namespace fw {

class Window;

// One row of a window's control table.
struct ControlRow {
    String name;
    String parent;  // "" for the window
    int left = 0, top = 0, width = 0, height = 0;
    unsigned locks = LockNone;
    std::function<std::unique_ptr<RectControl>()> make;
    std::function<void(RectControl&)> setUp;
};

template <class T>
ControlRow Row(const String& name, const String& parent, int left, int top, int width, int height, unsigned locks,
               std::function<void(T&)> setUp = {}) {
    ControlRow s{name,  parent, left,  top,
                 width, height, locks, [] { return std::unique_ptr<RectControl>(std::make_unique<T>()); },
                 {}};
    if (setUp) s.setUp = [setUp](RectControl& c) { setUp(static_cast<T&>(c)); };
    return s;
}

class Window : public EventTarget {
public:
    Window();
    ~Window() override;

    // Frame kinds.
    enum FrameKind : int {
        DocumentWindow = 0,
        MovableModal = 1,
        ModalDialog = 2,
        FloatingWindow = 3,
        PlainBox = 4,
        MetalWindow = 9,
    };
    // Size states.
    enum SizeStateKind : int { StateNormal = 0, StateMinimized = 1, StateMaximized = 2 };

    String Title() const;
    void Title(const String& t);
    String BalloonHelp() const;
    void BalloonHelp(const String& h);

    // The client area, in screen coordinates; a restore of saved values gives
    // back the same numbers. Sizes are kept within Min/Max.
    int Left() const;
    void Left(int v);
    int Top() const;
    void Top(int v);
    int Width() const;
    void Width(int v);
    int Height() const;
    void Height(int v);
    void SetBounds(int left, int top, int width, int height);
    // How far the window reaches beyond its client area on each side: its
    // menu bar and the frame the system draws. The system's frame is known
    // once a window has shown; until then a usual title bar is assumed.
    struct Margins {
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    Margins FrameMargins() const;
    int MinWidth() const;
    void MinWidth(int v);
    int MinHeight() const;
    void MinHeight(int v);
    int MaxWidth() const;
    void MaxWidth(int v);
    int MaxHeight() const;
    void MaxHeight(int v);
    bool Resizeable() const;
    void Resizeable(bool b);
    int Frame() const;
    void Frame(int kind);
    bool HasBackColor() const;
    void HasBackColor(bool b);
    Color BackColor() const;
    void BackColor(Color c);

    bool Visible() const;
    void Visible(bool b);
    void Show();
    // Shows the window modally and returns when it has closed or hidden;
    // the object lives until then. Under test (TestSupport.h) the queued
    // action plays the user inside the loop.
    void ShowModal();
    void Close();
    bool IsClosed() const;  // Close has run (the object may linger briefly)
    bool IsOpen() const;    // Open has run and Close not yet
    void Maximize();
    void Minimize();
    void Restore();
    int SizeState() const;  // a SizeStateKind

    MenuBarPtr MenuBar() const;
    void MenuBar(MenuBarPtr bar);

    int ControlCount() const;
    RectControl* Control(int index) const;  // nullptr out of range
    template <class T = RectControl>
    T& Control(const String& name) const {
        RectControl* c = FindControl(name);
        T* t = dynamic_cast<T*>(c);
        if (!t) throw NilObjectException("no control " + name.utf8() + " of that class");
        return *t;
    }
    RectControl* FindControl(const String& name) const;  // nullptr when absent

    // Adds controls in table order: construct, add under its name (and
    // parent), apply bounds and locks, run the set-up. A parent must come
    // before its children.
    void AddControls(std::initializer_list<ControlRow> table);
    RectControl& AddControl(const ControlRow& row);
    template <class T>
    T& AddControl(const String& name, const String& parent, int left, int top, int width, int height,
                  unsigned locks = LockNone) {
        return static_cast<T&>(AddControl(Row<T>(name, parent, left, top, width, height, locks)));
    }

    // Binds a control's event to a method of this window.
    template <class W, class R, class... A>
    void Bind(const String& control, std::string_view event, R (W::*method)(A...)) {
        Control(control).On(event, static_cast<W*>(this), method);
    }
    void AddMenuHandler(const String& itemName, std::function<bool()> handler);
    template <class W>
    void AddMenuHandler(const String& itemName, bool (W::*method)()) {
        W* w = static_cast<W*>(this);
        AddMenuHandler(itemName, std::function<bool()>([w, method] { return (w->*method)(); }));
    }
    bool HasMenuHandler(const String& itemName) const;
    // Runs the handler bound to the name; false when none.
    bool HandleMenu(const String& itemName);

    void Refresh(bool eraseBackground = true);
    void AcceptFileDrop(const String& fileTypeName);
    // Whether this is the active (front) window.
    bool Active() const;
    void Activate();  // brings it to the front

    const std::type_info* EventSignature(std::string_view event) const override;

    struct Impl;
    Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// Every window not yet closed, front to back.
std::vector<Window*> OpenWindows();
// The active window, nullptr when none.
Window* FrontWindow();

namespace detail {
Window* FindImplicit(std::type_index type);
void AdoptWindow(std::unique_ptr<Window> w, std::type_index type);
}  // namespace detail

// The single implicit instance of W, made (and opened, once the application
// has started) on first use and after it has closed.
template <class W>
W& Implicit() {
    if (Window* w = detail::FindImplicit(typeid(W))) return static_cast<W&>(*w);
    auto made = std::make_unique<W>();
    W& ref = *made;
    detail::AdoptWindow(std::move(made), typeid(W));
    return ref;
}

}  // namespace fw
