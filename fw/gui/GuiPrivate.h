#pragma once
// Inside the GUI layer only: the Qt side of the public classes.
#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "fw/gui/Gui.h"
#include "fw/gui/TestSupport.h"

class QAction;
class QDropEvent;
class QObject;
class QMenu;
class QMenuBar;
class QMainWindow;
class QMimeData;

namespace fw::gui_detail {

inline QString toQ(const String& s) { return QString::fromStdString(s.utf8()); }
inline String fromQ(const QString& q) { return String(q.toStdString()); }
// CR LF and CR become LF, so each break shows once.
QString normalizeBreaks(const QString& s);
inline QColor toQColor(Color c) { return QColor(c.Red, c.Green, c.Blue); }

// Runs an event handler: counts it as running (user input and close requests
// wait, windows are not deleted), and sends escapes to UnhandledException.
void Dispatch(const std::function<void()>& f);
// Menu handlers by item name, in the order they were added.
using MenuHandlers = std::vector<std::pair<String, std::function<bool()>>>;
// Runs the first handler of the item through Dispatch; false when none.
bool runMenuHandler(const MenuHandlers& handlers, const String& itemName);
// A handler of any window or control is running now (above the innermost
// modal loop).
bool HandlerRunning();
// While > 0, the cooperative yield keeps user input and closes waiting.
int& InputBlockDepth();
int& PaintDepth();
// For the life of a modal loop (a dialog's, a menu's, ShowModal's): the
// user acts inside it although handlers wait below it.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    int blocked_, base_;
    QPointer<QWidget> active_;  // active again afterwards, as window managers do
};
// Runs f once no handler runs (now, when none does).
void WhenIdle(std::function<void()> f);
// Runs f later from the event loop.
void Post(std::function<void()> f);

// Test mode (TestSupport.cpp). Product code runs the same paths under
// test; only the user's answer inside a modal loop comes from the queues.
// Runs `answer` inside the modal loop about to start (dropped with
// `context`); nothing outside test mode.
void answerInLoop(QObject* context, std::function<void()> answer);
// ShowModal's answer: the queued action, else a close.
void answerModal(Window& w);
// A contextual menu's answer: the queued item name among `named`, else dismissed.
void answerMenu(QMenu& menu, const std::vector<std::pair<QAction*, String>>& named);
// The screens a test put in place of the machine's, nullptr when none.
const std::vector<ScreenInfo>* fakedScreens();
bool takeDialogAnswer(String* path);  // false: none queued
bool takeMsgBoxAnswer(int* button);
// What was shown, recorded in test mode only.
void recordModal(const String& title);
void recordMessage(const String& text);
void recordDialog(const testing::DialogRecord& r);
void recordURL(const String& url);

QFont fontFor(const String& face, double size, bool bold, bool italic, const QFont& base);
void applyCursor(QWidget* w, const Cursor* c);

// Files from a drop that match any of the type names ("" or an unknown
// name accepts everything).
std::vector<FolderItemPtr> acceptedFiles(const std::vector<String>& types, const QList<QUrl>& urls);
// Whether a drag carries a file of the declared types (none declared: no).
bool acceptsFiles(const std::vector<String>& types, const QMimeData* mime);
// Raises DropObject on `target` with the dropped files of the declared
// types; ignores the drop when there are none.
void deliverDrop(EventTarget& target, const std::vector<String>& types, QDropEvent* e);

}  // namespace fw::gui_detail

namespace fw {

struct RectControl::Impl {
    virtual ~Impl();
    RectControl* self = nullptr;
    fw::Window* window = nullptr;
    RectControl* parent = nullptr;
    std::vector<RectControl*> children;
    String name;
    int left = 0, top = 0, width = 0, height = 0;
    unsigned locks = LockL | LockT;
    bool visible = true, enabled = true;
    int panelIndex = 0;
    String helpTag;
    const Cursor* cursor = nullptr;
    String font = "System";
    double textSize = 0;
    bool bold = false, italic = false;
    std::vector<String> dropTypes;
    bool opened = false, closed = false;
    bool dragging = false;  // MouseDown took the drag; the button is held
    // Raises an event without arguments as a handler run (see Dispatch).
    void fire(const char* event);
    // Routes mouse, hover and file-drop events of `w` to the control.
    void watch(QWidget* w);
    QPointer<QWidget> widget;

    // The widget of the control's class, made by the control's constructor;
    // a child of the window's client once added; deleted with the control.
    virtual QWidget* makeWidget() = 0;
    // Called after font, enabled or bounds changed, to let a class refresh.
    virtual void styleChanged() {}
    // Marks the control for a redraw.
    virtual void invalidate() {
        if (widget) widget->update();
    }
    void applyGeometry();
    // Cuts this control and what it holds to the rectangles of the
    // containers around them: nothing shows or takes a click outside.
    void applyClip();
    // The part of the control inside every container around it, in window
    // coordinates.
    QRect shownRect() const;
    // The control has a size but lies wholly outside a container around it.
    bool outsideParents() const;
    void applyVisibility();
    void applyEnabled();
    void applyFont();
    bool shownByParents() const;
    bool enabledByParents() const;
    // Shifts this control and everything inside it.
    void shift(int dx, int dy);
    // Moves and sizes this control and, by their locks, what it holds;
    // clipping and visibility are left to the caller.
    void place(int l, int t, int w, int h);
    // place, then clipping and visibility for everything inside.
    void setBounds(int l, int t, int w, int h);
    // Lays out children after this control's size changed by (dw, dh).
    void childrenResized(int dw, int dh);
};

// Applies lock-based layout to one child when its parent grew by (dw, dh).
void applyLocks(RectControl& c, int dw, int dh);

// Stores a value the control's class draws from, then lets the class redraw.
template <class T, class V>
void restyle(RectControl::Impl& d, T& field, V&& value) {
    field = std::forward<V>(value);
    d.styleChanged();
}

}  // namespace fw
