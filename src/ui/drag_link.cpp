#include "ui/drag_link.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

namespace bb {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A list or tree takes the mouse and the drops in its viewport.
QWidget& surfaceOf(QWidget& control) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(&control)) return *area->viewport();
    return control;
}

}  // namespace

QString dragMimeType(std::string_view id) {
    // The process id keeps the kind private to this run: a number dragged
    // from another run may belong to another data folder.
    return QStringLiteral("application/x-brokerbook-%1.%2")
        .arg(QCoreApplication::applicationPid())
        .arg(fromView(id).toLower());
}

std::unique_ptr<QMimeData> dragData(std::string_view id, std::string_view value) {
    auto data = std::make_unique<QMimeData>();
    data->setData(dragMimeType(id), QByteArray(value.data(), static_cast<qsizetype>(value.size())));
    return data;
}

std::optional<std::string> draggedValue(const QMimeData* data, std::string_view id) {
    const QString type = dragMimeType(id);
    if (!data || !data->hasFormat(type)) return std::nullopt;
    return data->data(type).toStdString();
}

DragLink::DragLink(QWidget& control)
    : QObject(&control), control_(control), surface_(surfaceOf(control)) {
    surface_.installEventFilter(this);
}

DragLink& DragLink::of(QWidget& control) {
    // The link is the control's child, and goes with it.
    static constexpr char kLink[] = "bbDragLink";
    if (auto* link = control.property(kLink).value<QObject*>())
        return *static_cast<DragLink*>(link);
    auto* link = new DragLink(control);
    control.setProperty(kLink, QVariant::fromValue<QObject*>(link));
    return *link;
}

void DragLink::setSource(std::string_view id, std::string_view tip, ValueSource value) {
    sourceId_ = id;
    value_ = id.empty() ? ValueSource() : std::move(value);
    control_.setToolTip(id.empty() ? QString() : fromView(tip));
}

std::unique_ptr<QMimeData> DragLink::dragData() const {
    if (sourceId_.empty() || !value_) return nullptr;
    const std::string value = value_();
    if (value.empty()) return nullptr;
    return bb::dragData(sourceId_, value);
}

void DragLink::setTarget(std::string_view id, DropHandler handler) {
    targetId_ = id;
    dropped_ = id.empty() ? DropHandler() : std::move(handler);
    surface_.setAcceptDrops(!id.empty());
}

bool DragLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &surface_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return mouseEvent(event);
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return dropEvent(event);
        default:
            return false;
    }
}

bool DragLink::mouseEvent(QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (event->type() == QEvent::MouseButtonPress) {
        if (mouse->button() == Qt::LeftButton) pressedAt_ = at;
        return false;
    }
    if (event->type() == QEvent::MouseButtonRelease || !(mouse->buttons() & Qt::LeftButton)) {
        pressedAt_.reset();
        return false;
    }
    if (!pressedAt_ || sourceId_.empty() ||
        (at - *pressedAt_).manhattanLength() < QApplication::startDragDistance())
        return false;
    pressedAt_.reset();
    startDrag();
    // The control does not also sweep its selection along with the drag.
    return true;
}

bool DragLink::dropEvent(QEvent* event) {
    if (targetId_.empty()) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<std::string> value = draggedValue(drop->mimeData(), targetId_);
    if (!value) {
        drop->ignore();
        return true;
    }
    // The dragged thing stays where it came from: the windows decide what
    // a drop adds or removes.
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop && dropped_) dropped_(*value, drop->position().toPoint());
    return true;
}

void DragLink::startDrag() {
    std::unique_ptr<QMimeData> data = dragData();
    if (!data) return;
    // Qt deletes the drag when it has ended; the drag owns its data.
    auto* drag = new QDrag(&control_);
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction);
}

}  // namespace bb
