// What the reference forms share: the OK, Cancel and Help buttons every
// update form ends with, and the body of a form's procedure. Declarations
// only; used from the GUI thread.
#pragma once

#include <vector>

#include "dictionary/process_values.h"
#include "ui/window_decl.h"

namespace bb {

// `before` (a list's buttons on a tab, say), then OK, Cancel and Help.
inline std::vector<ButtonDecl> formButtons(std::vector<ButtonDecl> before = {}) {
    before.push_back({.text = "&OK", .role = ButtonRole::Ok, .message = "Save changes and exit"});
    before.push_back(
        {.text = "&Cancel", .role = ButtonRole::Cancel, .message = "Do not save changes and exit"});
    before.push_back({.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"});
    return before;
}

// Runs a called window of class `Window` and hands its response to the caller.
template <class Window>
void runCalled() {
    Window window;
    processValues().LastResponse = window.Run();
}

}  // namespace bb
