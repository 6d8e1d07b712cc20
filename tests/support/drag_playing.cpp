#include "drag_playing.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>

namespace bb::test {

DragTaken dragOnto(QWidget& control, const QMimeData& data, QPoint at) {
    auto* area = qobject_cast<QAbstractScrollArea*>(&control);
    QWidget* surface = area ? area->viewport() : &control;
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
}

}  // namespace bb::test
