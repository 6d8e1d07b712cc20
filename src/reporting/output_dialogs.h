// What the report framework asks the user through the platform's own
// dialogs: the printer to print on (the print dialog, with the pages to
// print) and the file to save a report's PDF as (the file dialog).
//
// The program uses the platform's dialogs; a test installs scripted answers.
// The installed service is not owned here and is used from the GUI thread.
#pragma once

#include <QPrinter>

#include <string>

class QWidget;

namespace bb {

class OutputDialogs {
public:
    virtual ~OutputDialogs() = default;
    // Lets the user set up `printer` for a report of `pages` pages; false
    // when the user cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer, int pages) = 0;
    // The path to save a PDF at, starting from `offered`; empty when the
    // user cancelled.
    virtual std::string choosePdfFile(QWidget* parent, const std::string& offered) = 0;
};

OutputDialogs& outputDialogs();
// Installs `dialogs` (null restores the platform's) and returns the one it
// replaces.
OutputDialogs* installOutputDialogs(OutputDialogs* dialogs);

}  // namespace bb
