#include <QGuiApplication>
#include <QScreen>

#include "fw/gui/Screen.h"

namespace fw {

int ScreenCount() { return qGuiApp ? int(QGuiApplication::screens().size()) : 0; }

ScreenInfo Screen(int index) {
    ScreenInfo s;
    if (!qGuiApp || QGuiApplication::screens().isEmpty()) return s;
    auto screens = QGuiApplication::screens();
    QScreen* q = index >= 0 && index < screens.size() ? screens[index] : QGuiApplication::primaryScreen();
    QRect g = q->geometry();
    s.left = g.x();
    s.top = g.y();
    s.width = g.width();
    s.height = g.height();
    s.depth = q->depth();
    return s;
}

}  // namespace fw
