#pragma once
// The base of every control.
//
// Bounds are logical: Left, Top, Width and Height are in window coordinates
// whatever the parent, and read back exactly as written, 0 and negative
// sizes included; only what is shown on screen is clamped. A lock anchors an
// edge to the same edge of the parent (the window for top-level controls);
// locks are applied whenever the parent's size changes, by the user or by
// code, from the size change itself, so repeated resizes never creep.
//
// Events (bind with On, see EventTarget.h): "Open" and "Close" (once each,
// Open in creation order before the window's Open), "MouseEnter",
// "MouseExit", "MouseMove"(x, y) and "DropObject"(DragItem&). Subclasses add
// theirs.
#include <memory>
#include <string_view>
#include <typeinfo>

#include "fw/core/String.h"
#include "fw/gui/Cursor.h"
#include "fw/gui/EventTarget.h"

namespace fw {

class Window;
class DragItem;

// Edge locks, combined with |.
enum Lock : unsigned {
    LockNone = 0,
    LockL = 1,
    LockT = 2,
    LockR = 4,
    LockB = 8,
    LockAll = 15,
};

class RectControl : public EventTarget {
public:
    ~RectControl() override;

    String Name() const;
    fw::Window* Window() const;   // nullptr until added to a window
    RectControl* Parent() const;  // nullptr when the window holds it directly

    int Left() const;
    void Left(int v);
    int Top() const;
    void Top(int v);
    int Width() const;
    void Width(int v);
    int Height() const;
    void Height(int v);
    void SetBounds(int left, int top, int width, int height);

    bool LockLeft() const;
    void LockLeft(bool b);
    bool LockTop() const;
    void LockTop(bool b);
    bool LockRight() const;
    void LockRight(bool b);
    bool LockBottom() const;
    void LockBottom(bool b);
    void Locks(unsigned lockBits);

    // The control's own flag; it shows when its containers show too.
    bool Visible() const;
    void Visible(bool b);
    bool Enabled() const;
    void Enabled(bool b);
    // Whether the control's window is the active (front) window.
    bool Active() const;

    String HelpTag() const;
    void HelpTag(const String& tip);
    const Cursor* MouseCursor() const;
    void MouseCursor(const Cursor* c);  // nullptr: the default cursor

    String TextFont() const;
    void TextFont(const String& f);  // "System": the system font
    double TextSize() const;
    void TextSize(double points);  // 0: the default size
    bool Bold() const;
    void Bold(bool b);
    bool Italic() const;
    void Italic(bool b);

    // Page of the parent tab or page panel that carries the control.
    int TabPanelIndex() const;
    void TabPanelIndex(int page);

    void Refresh(bool eraseBackground = true);
    bool HasFocus() const;

    // Files of this type name (a FileType's Name) may be dropped here and
    // raise DropObject. Repeated calls add types.
    void AcceptFileDrop(const String& fileTypeName);

    const std::type_info* EventSignature(std::string_view event) const override;

    struct Impl;
    Impl& impl() const { return *impl_; }

protected:
    explicit RectControl(std::unique_ptr<Impl> impl);

private:
    friend class Window;
    std::unique_ptr<Impl> impl_;
};

// The class-membership test: true for T and its subclasses, false for nil.
template <class T, class U>
bool IsA(const U* obj) {
    return dynamic_cast<const T*>(obj) != nullptr;
}

}  // namespace fw
