#include "reporting/progress_panel.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace bb {

ProgressPanel::ProgressPanel(QWidget* parent) : QWidget(parent) {
    progressText = new QLabel;
    progressText->setAccessibleName("Progress");
    // Room for the longest text, and a bar long enough to read.
    progressText->setMinimumWidth(fontMetrics().horizontalAdvance("100% Complete") * 2);
    bar = new QProgressBar;
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setTextVisible(false);
    bar->setAccessibleName("Progress bar");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(progressText);
    layout->addWidget(bar);
}

void ProgressPanel::setProgress(const std::string& text, int percent) {
    progressText->setText(QString::fromStdString(text));
    bar->setValue(percent);
}

}  // namespace bb
