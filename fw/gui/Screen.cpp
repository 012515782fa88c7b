#include <QGuiApplication>
#include <QScreen>

#include "fw/gui/GuiPrivate.h"
#include "fw/gui/Screen.h"

namespace fw {

int ScreenCount() {
    if (const auto* fake = gui_detail::fakedScreens()) return int(fake->size());
    return qGuiApp ? int(QGuiApplication::screens().size()) : 0;
}

ScreenInfo Screen(int index) {
    if (const auto* fake = gui_detail::fakedScreens())
        return (*fake)[index >= 0 && size_t(index) < fake->size() ? size_t(index) : 0];
    ScreenInfo s;
    if (!qGuiApp || QGuiApplication::screens().isEmpty()) return s;
    auto screens = QGuiApplication::screens();
    QScreen* q = index >= 0 && index < screens.size() ? screens[index] : QGuiApplication::primaryScreen();
    const QRect g = q->geometry(), a = q->availableGeometry();
    s.left = g.x();
    s.top = g.y();
    s.width = g.width();
    s.height = g.height();
    s.depth = q->depth();
    s.availableLeft = a.x();
    s.availableTop = a.y();
    s.availableWidth = a.width();
    s.availableHeight = a.height();
    return s;
}

}  // namespace fw
