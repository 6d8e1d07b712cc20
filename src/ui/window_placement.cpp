#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace bb {

namespace {
bool onSomeScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(place)) return true;
    return false;
}
}  // namespace

bool WidgetPlacement::minimized() const {
    return window_.isMinimized();
}

bool WidgetPlacement::maximized() const {
    return window_.isMaximized();
}

WindowRect WidgetPlacement::rect() const {
    const QRect place = window_.geometry();
    return {place.x(), place.y(), place.width(), place.height()};
}

void WidgetPlacement::setRect(const WindowRect& rect) {
    const QRect place(rect.x, rect.y, rect.width, rect.height);
    if (window_.isWindow() && !onSomeScreen(place)) return;
    window_.setGeometry(place);
}

void WidgetPlacement::setMaximized(bool maximized) {
    const Qt::WindowStates state = window_.windowState();
    window_.setWindowState(maximized ? state | Qt::WindowMaximized : state & ~Qt::WindowMaximized);
}

}  // namespace bb
