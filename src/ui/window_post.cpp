#include "ui/window_post.h"

#include "ui/window_manager.h"

namespace bb {

bool postToWindow(int id, const WindowEvent& event) {
    WindowManager* window = startedWindow(id);
    if (!window) return false;
    window->Post(event);
    return true;
}

bool postCommand(int id, int command) {
    return postToWindow(id, {EventKind::Accepted, nullptr, command});
}

}  // namespace bb
