// The events a window handles, as the window manager sees them. Qt's signals
// and events are turned into these in one place (the window's event filter
// and its controls' bindings), so that every window handles the same kinds
// in the same order of hooks.
//
// Control events name the control they concern (a toolbar command accepted
// names the command instead); window events concern the window as a whole.
#pragma once

#include <QKeyCombination>
#include <QString>
#include <cstdint>

class QWidget;

namespace bb {

enum class EventKind : std::uint8_t {
    // Control events.
    Accepted,      // a button pressed, a control's value committed, a toolbar command
    NewSelection,  // another row or tab chosen
    AlertKey,      // an armed key pressed on a control
    Rejected,      // input the control's picture refused
    Selected,      // the control got the focus
    ScrollUp,      // the list scroll events a browse handles
    ScrollDown,
    PageUp,
    PageDown,
    ScrollTop,
    ScrollBottom,
    ScrollDrag,
    Locate,
    // Window events.
    OpenWindow,
    CloseWindow,
    CloseDown,  // the program is ending
    GainFocus,
    LoseFocus,
    Sized,
    Timer,
    Completed,  // OK's pass over every control succeeded
};

struct WindowEvent {
    EventKind kind = EventKind::Accepted;
    QWidget* control = nullptr;  // the control of a control event
    // Accepted instead of a control: a toolbar command (2000-2012), or a
    // command of the window's own that another window posted.
    int command = 0;
    QKeyCombination key{};  // the key of an AlertKey event
    QString text{};         // and the character it types, if any

    bool isWindowEvent() const { return kind >= EventKind::OpenWindow; }
};

// What an event handler tells the loop.
enum Level : int {
    LevelCarryOn = 0,  // go on with the default handling (a close request: close)
    LevelEndLoop = 3,  // end the window's event loop
    LevelHandled = 5,  // handled; skip the default handling (a close request: stay open)
};

// The key that puts back a field's previous value (Ctrl+').
inline constexpr QKeyCombination kDittoKey{Qt::ControlModifier, Qt::Key_Apostrophe};
// A double click on a list, which a list handles as one of its keys. No
// keyboard sends an unknown key with the keypad modifier alone.
inline constexpr QKeyCombination kDoubleClickKey{Qt::KeypadModifier, Qt::Key_unknown};

// Window events posted and not yet handled, across all windows: a test
// drives the event loop until none is left.
int postedWindowEvents();

namespace detail {
void countPosted(int delta);
}  // namespace detail

}  // namespace bb
