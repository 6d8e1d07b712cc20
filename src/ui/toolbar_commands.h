// How the frame's toolbar commands reach a window. The frame does not act on
// its buttons 2000 to 2012 itself: it hands each press to the window that is
// active, which performs it through its own toolbar manager.
//
// Used from the GUI thread only.
#pragma once

class QWidget;

namespace bb {

class ToolbarCommandTarget {
public:
    virtual ~ToolbarCommandTarget() = default;
    virtual void toolbarCommand(int number) = 0;
};

// While it is registered, `window`'s toolbar commands go to `target`.
void registerToolbarTarget(QWidget& window, ToolbarCommandTarget& target);
void unregisterToolbarTarget(QWidget& window);

// Hands `number` to the active window: the topmost modal window when one is
// open (a form works inside its caller), otherwise the frame's active child
// window. With no such window, or one that takes no commands, nothing happens.
void deliverToolbarCommand(int number);

}  // namespace bb
