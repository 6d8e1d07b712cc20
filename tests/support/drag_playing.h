// Playing a drag and drop as Qt's drag loop delivers it: the drag enters
// the control, then is dropped on it. The loop itself needs a real pointer,
// which the offscreen platform has not, so tests play its events instead.
#pragma once

#include <QPoint>

class QMimeData;
class QWidget;

namespace bb::test {

// How the control took the drag.
struct DragTaken {
    bool entered = false;  // accepted as it entered (else the cursor refuses)
    bool dropped = false;  // the drop accepted
};

// Drags `data` onto `control` at `at` (for a list or tree, in its viewport,
// where the platform delivers it) and drops it there.
DragTaken dragOnto(QWidget& control, const QMimeData& data, QPoint at = {4, 4});

}  // namespace bb::test
