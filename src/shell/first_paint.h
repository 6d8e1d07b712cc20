// What runs once a window is first on the screen.
#pragma once

#include <functional>

class QWidget;

namespace bb {

// Runs `then` once, just after `window` is first painted.
void whenFirstPainted(QWidget& window, std::function<void()> then);

}  // namespace bb
