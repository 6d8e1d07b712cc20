// The small window a running report shows: its caption ("Progress..." and
// the report's name), the progress text ("45% Complete") over a progress
// bar, and Cancel. It only shows and reports; the ReportManager runs it.
// Once handed to the frame it belongs to the frame's sub-window, and it is
// hidden and closed together with it. Used from the GUI thread.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace bb {

class ProgressWindow : public QWidget {
public:
    explicit ProgressWindow(const std::string& caption, QWidget* parent = nullptr);

    // The progress text and how far the bar is filled (0 to 100).
    void setProgress(const std::string& text, int percent);
    // Hides the window, with the frame's sub-window that holds it.
    void conceal();
    // Closes the window for good (and the frame's sub-window with it); it
    // deletes itself. Nothing is reported to `cancelled` any more.
    void finish();

    QLabel* progressText;
    QProgressBar* bar;
    QPushButton* cancel;

    // The user asked the window to close (its Cancel or its close box).
    std::function<void()> cancelled;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget& outermost();

    bool finished_ = false;
};

}  // namespace bb
