#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace bb {

namespace {
bool onSomeScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(place)) return true;
    return false;
}

bool whollyOnAScreen(const QRect& place) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(place)) return true;
    return false;
}

std::map<std::string, QPoint, std::less<>>& calledPlaces() {
    static std::map<std::string, QPoint, std::less<>> places;
    return places;
}
}  // namespace

QPoint keptInside(QPoint place, QSize frame, const QRect& room) {
    // The right and bottom edges first, so that the top left wins when the
    // frame is larger than the room.
    place.setX(std::max(std::min(place.x(), room.right() + 1 - frame.width()), room.left()));
    place.setY(std::max(std::min(place.y(), room.bottom() + 1 - frame.height()), room.top()));
    return place;
}

QPoint calledWindowPlace(std::string_view procedure, QSize frame, const QWidget* caller) {
    const auto last = calledPlaces().find(procedure);
    if (last != calledPlaces().end() && whollyOnAScreen(QRect(last->second, frame)))
        return last->second;
    const QRect over = caller ? caller->window()->frameGeometry() : QRect();
    QScreen* screen = caller ? caller->screen() : QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QRect room = screen->availableGeometry();
    const QPoint centre = over.isValid() ? over.center() : room.center();
    return keptInside(centre - QPoint(frame.width() / 2, frame.height() / 2), frame, room);
}

void rememberCalledPlace(std::string_view procedure, QPoint place) {
    calledPlaces()[std::string(procedure)] = place;
}

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
