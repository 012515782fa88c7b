#pragma once
// Inside the GUI layer only: windows, menus and the application's state.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <typeindex>
#include <vector>

#include "fw/gui/GuiPrivate.h"

class QEventLoop;

namespace fw {

namespace gui_detail {
class FrameWidget;
class ClientWidget;

struct GuiState {
    std::unique_ptr<Application> app;
    bool started = false;
    bool quitting = false;
    bool quitDone = false;
    bool loopRunning = false;
    std::vector<std::unique_ptr<Window>> windows;    // alive, in creation order
    std::vector<std::unique_ptr<Window>> graveyard;  // closed, deleted when idle
    std::map<std::type_index, Window*> implicit;
    int handlerDepth = 0;
    int modalBase = 0;  // handlerDepth when the innermost modal loop began
    int closeHandlerDepth = 0;
    long activationSeq = 0;
};
GuiState& state();
void openWindow(Window& w);
void freeClosedWindowsLater();
}  // namespace gui_detail

struct Window::Impl {
    Window* self = nullptr;
    QPointer<gui_detail::FrameWidget> frame;
    gui_detail::ClientWidget* client = nullptr;
    QPointer<QMenuBar> qbar;
    MenuBarPtr menuBar;
    std::vector<std::unique_ptr<RectControl>> controls;  // creation order
    gui_detail::MenuHandlers menuHandlers;
    std::vector<String> dropTypes;
    String title, balloonHelp;
    int left = 100, top = 100, width = 300, height = 300;
    int minWidth = 64, minHeight = 64, maxWidth = 32000, maxHeight = 32000;
    bool resizeable = true;
    int frameKind = 0;
    bool hasBackColor = false;
    Color backColor = Color::FromHex(0xFFFFFF);
    bool visible = true;
    int sizeState = Window::StateNormal;
    int normal[4] = {0, 0, 0, 0};  // bounds before maximizing or minimizing
    bool opened = false, closing = false, closed = false;
    int modalDepth = 0;               // ShowModal calls waiting on it
    QEventLoop* modalLoop = nullptr;  // the innermost of them, on its stack
    bool syncing = false;             // our own geometry pushes to Qt
    long activation = 0;

    int menuHeight() const;
    QWidget* frameWidget() const;
    QWidget* clientWidget() const;
    void layoutFrame();  // pushes the logical geometry to Qt
    void applySizeLimits();
    // The client area got a new size (by code or by the user).
    void clientResized(int w, int h, bool raise);
    void setSizeState(int s, bool raise);
    // Enters size state s, raising its event, and shows the frame that way
    // when it is visible; false when already in it.
    bool changeSizeState(int s, void (QWidget::*show)());
    void showFrame();
    void userClosed();
    void endModal();  // the window closed or hid: its ShowModal returns
};

struct MenuItem::Impl {
    MenuItem* self = nullptr;
    String name, text, shortcut, tag;
    bool autoEnable = true, enabled = true, checked = false;
    PicturePtr icon;
    std::vector<MenuItemPtr> children;
    MenuItem* parent = nullptr;
    // The item's own; see ~MenuItem for when they go.
    std::unique_ptr<QAction> action;
    std::unique_ptr<QMenu> menu;
    std::vector<QPointer<QMenuBar>> bars;  // for a menu bar: where it shows
    bool quitItem = false;

    void syncAction();
    void rebuild();  // children's actions into the menu or the bars
    void attach(QMenuBar* bar);
    void detach(QMenuBar* bar);
};

}  // namespace fw
