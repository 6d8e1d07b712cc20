// What report tests need beside the window driver: a step for a popup menu
// (which runs its own event loop, so a test schedules the step before the
// click that opens it; the popup is closed after the step, so that a failed
// step cannot hang the test), typing into the preview's own controls, and
// scripted print and file dialogs.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "reporting/output_dialogs.h"

class QAction;
class QSpinBox;

namespace bb::test {

// Runs `step` on the first visible top-level widget named `name` (or, for
// "popup", the open popup menu) once it shows.
void whenShown(const std::string& name, std::function<void(QWidget&)> step);

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
