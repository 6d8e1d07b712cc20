// The printer that reports, letters and labels print on: the one Print Setup
// chose last, with its paper and orientation. It lasts for the run.
//
// Made on first use, after the application object. Used from the GUI
// thread only.
#pragma once

class QPrinter;
class QWidget;

namespace bb {

QPrinter& programPrinter();

// The platform's printer set-up dialog over the program's printer: the
// printer, its paper and orientation. True when the user accepted it.
bool showPrintSetup(QWidget* parent);

}  // namespace bb
