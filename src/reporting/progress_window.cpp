#include "reporting/progress_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace bb {

ProgressWindow::ProgressWindow(const std::string& caption, QWidget* parent) : QWidget(parent) {
    setObjectName("ProgressWindow");
    setWindowTitle(QString::fromStdString(caption));
    progressText = new QLabel;
    progressText->setAccessibleName("Progress");
    progressText->setMinimumWidth(fontMetrics().horizontalAdvance("100% Complete") * 2);
    bar = new QProgressBar;
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setAccessibleName("Progress");
    cancel = new QPushButton("&Cancel");
    cancel->setToolTip("Stop the report; nothing is printed");
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (cancelled) cancelled();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(progressText);
    layout->addWidget(bar);
    layout->addLayout(buttons);
}

void ProgressWindow::setProgress(const std::string& text, int percent) {
    progressText->setText(QString::fromStdString(text));
    bar->setValue(percent);
}

// Inside the frame the window sits in a sub-window, which must follow it.
QWidget& ProgressWindow::outermost() {
    if (auto* holder = qobject_cast<QMdiSubWindow*>(parentWidget())) return *holder;
    return *this;
}

void ProgressWindow::conceal() {
    outermost().hide();
}

void ProgressWindow::finish() {
    cancelled = nullptr;
    finished_ = true;
    setAttribute(Qt::WA_DeleteOnClose);
    outermost().close();
}

// Until the report is over, closing the window is cancelling the report.
void ProgressWindow::closeEvent(QCloseEvent* event) {
    if (finished_) {
        event->accept();
        return;
    }
    event->ignore();
    if (cancelled) cancelled();
}

}  // namespace bb
