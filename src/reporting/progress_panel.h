// What a report window shows of its progress: the progress text ("45%
// Complete") over a bar filled as far. A report's declaration places it in
// a slot named "Progress". Used from the GUI thread.
#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QProgressBar;

namespace bb {

class ProgressPanel : public QWidget {
public:
    explicit ProgressPanel(QWidget* parent = nullptr);

    // The progress text and how far the bar is filled (0 to 100).
    void setProgress(const std::string& text, int percent);

    QLabel* progressText;
    QProgressBar* bar;
};

}  // namespace bb
