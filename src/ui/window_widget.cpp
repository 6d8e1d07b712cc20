#include "ui/window_widget.h"

#include <QCloseEvent>

namespace bb {

WindowWidget::WindowWidget(Owner& owner) : owner_(owner) {
    // A window is ours to delete; the frame only shows it.
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void WindowWidget::closeForGood() {
    closing_ = true;
    // Inside the frame, the sub-window holding it closes (and deletes it).
    QWidget* holder = isWindow() ? nullptr : parentWidget();
    if (holder) {
        holder->close();
    } else {
        close();
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    if (closing_ || owner_.closeRequested()) {
        closing_ = true;
        event->accept();
    } else {
        event->ignore();
    }
}

void WindowWidget::reject() {
    // Escape asks as the close button does.
    close();
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    owner_.resized();
}

void WindowWidget::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow() && isActiveWindow())
        owner_.activated();
}

}  // namespace bb
