// How the frame's toolbar commands reach a window. The frame does not act on
// its buttons 2000 to 2012 itself: it hands each press to the window that is
// active, which performs it through its own toolbar manager; and whenever
// another window becomes active, that window sets the buttons.
//
// Used from the GUI thread only.
#pragma once

#include <QKeyCombination>
#include <span>
#include <string_view>

class QWidget;

namespace bb {

// The toolbar's commands as the frame shows them, left to right: the
// button's name, its status-bar message and icon, and the key that gives it
// inside a form (none for most). The frame adds its own button 2013.
struct ToolbarCommandInfo {
    int number;
    std::string_view name;
    std::string_view message;
    std::string_view icon;
    QKeyCombination key;
};
std::span<const ToolbarCommandInfo> toolbarCommandTable();

class ToolbarCommandTarget {
public:
    virtual ~ToolbarCommandTarget() = default;
    virtual void toolbarCommand(int number) = 0;
    // The window has become the one that command presses reach: it shows
    // its buttons on the frame's toolbar.
    virtual void toolbarWindowActivated() = 0;
};

// While it is registered, `window`'s toolbar commands go to `target`.
void registerToolbarTarget(QWidget& window, ToolbarCommandTarget& target);
void unregisterToolbarTarget(QWidget& window);

// Hands `number` to the active window: the topmost modal window when one is
// open (a form works inside its caller), otherwise the frame's active child
// window. With no such window, or one that takes no commands, nothing happens.
void deliverToolbarCommand(int number);
// The window that command presses reach now, or null.
QWidget* toolbarCommandWindow();
// The frame tells that another window has become active (or that none is
// left): the window that command presses now reach shows its buttons; with
// none that takes commands, buttons 2000 to 2012 are disabled.
void toolbarWindowChanged();

}  // namespace bb
