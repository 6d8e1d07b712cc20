// A widget as the settings file sees it: lets IniManager save and restore a
// top-level window's or a child window's place, size and maximised state.
//
// The adapter refers to the widget and does not own it. A place that would
// put a top-level window off every screen (a screen that has since been
// taken away) is not used, so the window stays where it was designed to
// open. Where a called window opens is decided here too. Used from the GUI
// thread only.
#pragma once

#include <QPoint>
#include <QSize>
#include <string_view>

#include "platform/ini_manager.h"

class QRect;
class QWidget;

namespace bb {

class WidgetPlacement final : public PlacedWindow {
public:
    explicit WidgetPlacement(QWidget& window) : window_(window) {}

    bool minimized() const override;
    bool maximized() const override;
    WindowRect rect() const override;
    void setRect(const WindowRect& rect) override;
    void setMaximized(bool maximized) override;

private:
    QWidget& window_;
};

// Where a called window of `procedure` whose frame is `frame` big opens (its
// frame's top left): where it was last placed this run when that place lies
// wholly on a screen, else centred on `caller` (on the screen when there is
// none), moved into the screen's free area so that its title bar is always
// on it (a window taller than the screen runs off the bottom only).
QPoint calledWindowPlace(std::string_view procedure, QSize frame, const QWidget* caller);
// The called window of `procedure` was last at `place` (its frame's top left).
void rememberCalledPlace(std::string_view procedure, QPoint place);
// `frame` at `place` moved into `room` as far as it fits, its top left first.
QPoint keptInside(QPoint place, QSize frame, const QRect& room);

}  // namespace bb
