// What forms share: the OK, Cancel and Help buttons every update form ends
// with, and the body of a called window's procedure. Used from the GUI
// thread only.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/process_values.h"
#include "ui/window_decl.h"

namespace bb {

// `before` (a list's buttons on a tab, say), then OK, Cancel (with
// `cancelMessage` in the status bar) and Help.
inline std::vector<ButtonDecl> formButtons(
    std::vector<ButtonDecl> before = {},
    std::string_view cancelMessage = "Do not save changes and exit") {
    before.push_back({.text = "&OK", .role = ButtonRole::Ok, .message = "Save changes and exit"});
    before.push_back({.text = "&Cancel", .role = ButtonRole::Cancel, .message = cancelMessage});
    before.push_back({.text = "&Help", .role = ButtonRole::Help, .message = "Windows Help"});
    return before;
}

// Runs a called window of class `Window`, made from `args`, and hands its
// response to the caller.
template <class Window, class... Args>
void runCalled(Args&&... args) {
    Window window(std::forward<Args>(args)...);
    processValues().LastResponse = window.Run();
}

}  // namespace bb
