// Posting events to a started window by its window id, as windows that
// cooperate do: each keeps the other's id in a process-wide value (the
// customer list and the customer groups window) and asks it to re-apply its
// settings (a GainFocus event) or to carry out one of its own commands (an
// Accepted event whose `command` is the number the window gives it).
//
// Used from the GUI thread only.
#pragma once

#include "ui/window_events.h"

namespace bb {

// Posts `event` to the started window open under `id`; false when there is
// none (0 names no window).
bool postToWindow(int id, const WindowEvent& event);
// Posts an Accepted event for the window's command `command`.
bool postCommand(int id, int command);

}  // namespace bb
