// Driving the report framework's windows in tests. The preview and the
// report window run their own event loops, so a test schedules what it will
// do in them before it starts them: `whenShown` waits (in the event loop)
// for a top-level window or modal dialog, runs the step, and closes what
// the step left open so that a failed step cannot hang the test.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "reporting/output_dialogs.h"

class QAction;
class QSpinBox;
class QTimer;

namespace bb::test {

// Runs `step` on the first visible top-level widget named `name` (or, for
// an empty name, the active modal dialog; for "popup", the open popup menu)
// once it shows.
void whenShown(const std::string& name, std::function<void(QWidget&)> step);

// Whether a top-level window named `name` showed while the watch lived;
// one that does is closed at once.
class ShownWatch {
public:
    explicit ShownWatch(std::string name);
    ~ShownWatch();
    ShownWatch(const ShownWatch&) = delete;
    ShownWatch& operator=(const ShownWatch&) = delete;
    bool seen() const { return seen_; }

private:
    std::unique_ptr<QTimer> poll_;
    bool seen_ = false;
};

// Sets a spin box as typing a number and pressing Enter does.
void enter(QSpinBox& box, int value);
// Types `text` into a widget that takes text and presses Enter.
void typeAndEnter(QWidget& widget, const QString& text);

// Scripted answers to the print and file dialogs, installed while alive.
class ScriptedOutput final : public OutputDialogs {
public:
    ScriptedOutput();
    ~ScriptedOutput() override;

    bool choosePrinter(QWidget* parent, QPrinter& printer, int pages) override;
    std::string choosePdfFile(QWidget* parent, const std::string& offered) override;

    // The printer prints into this PDF; empty: the print dialog is cancelled.
    std::string printTo;
    // The file name given in the file dialog; empty: cancelled.
    std::string saveAs;
    int printersAsked = 0;
    std::string offered;

private:
    OutputDialogs* previous_;
};

}  // namespace bb::test
