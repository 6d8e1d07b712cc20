// Sending a report's pages out of the program: onto any paged device (a
// printer the user chose, a PDF writer), always at the paper size the
// report was written for and at the device's full resolution, text as text.
//
// Expected failures (a page that cannot be read back, a file that cannot be
// written) answer false with a sentence for the user in *error. Used from
// the GUI thread only.
#pragma once

#include <QPagedPaintDevice>
#include <QPrinter>

#include <string>
#include <string_view>

#include "platform/date.h"
#include "reporting/page_store.h"

namespace bb {

// Paints pages `from` to `to` (counted from 1; 0 for the last) of `pages`
// on `device`, one device page each.
bool paintPages(const PageStore& pages, QPagedPaintDevice& device, std::string* error, int from = 1,
                int to = 0);

// Prints the pages on `printer`, within the page range chosen in its dialog.
bool printPages(const PageStore& pages, QPrinter& printer, std::string* error);

// Writes every page into a PDF file at `path`. An existing file there is
// replaced only once the whole new one is written.
bool writePdf(const PageStore& pages, const std::string& path, std::string* error);

// The file name offered for a report's PDF: its title and the date, as in
// "Customer Directory 2024-03-05.pdf"; characters no file name may hold
// become "-".
std::string pdfFileName(std::string_view title, DayNumber date);

}  // namespace bb
