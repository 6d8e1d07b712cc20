// A widget as the settings file sees it: lets IniManager save and restore a
// top-level window's or a child window's place, size and maximised state.
//
// The adapter refers to the widget and does not own it. A place that would
// put a top-level window off every screen (a screen that has since been
// taken away) is not used, so the window stays where it was designed to
// open. Used from the GUI thread only.
#pragma once

#include "platform/ini_manager.h"

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

}  // namespace bb
