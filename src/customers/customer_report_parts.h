// The parts the customer printouts share: the customer's block of name and
// address lines, the status line, a report's fonts and its page footer
// (the date printed and the page number), and the window of a report's
// progress. Each reads the record buffers as the report's process left
// them. Used from the GUI thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/files.h"
#include "reporting/band_report.h"
#include "reporting/process_manager.h"
#include "reporting/report_layout.h"
#include "ui/window_decl.h"

namespace bb {

// The customer printouts' fonts, by number.
enum CustomerReportFont : int { kBodyFont = 0, kTitleFont = 1, kHeavyFont = 2 };

// One line of body text, in thousandths of an inch.
inline constexpr Mils kReportLine = 190;

// "Active / " or "Inactive / ", and the customer's classification.
std::string customerStatusLine();

// The source of a computed line.
ValueSource lineSource(std::string (*line)());
// The source of address line `index` (0 to 2) of the customer's block.
ValueSource addressLineSource(int index);

// Puts the customer's name (in `nameFont`) and the three address lines
// one under the other at (x, y), each `width` wide.
void addCustomerBlock(Band& band, Mils x, Mils y, Mils width, int nameFont);

// A report of the three customer fonts titled `title`, with `title`
// centred at the top of every page and the footer every customer printout
// ends its pages with: a rule, the page number, `footerNote` (none when
// empty) and the date printed.
ReportLayout customerReportLayout(std::string_view title, const std::string& footerNote = {});

// The progress window of report `procedure`: "Progress... " and `name`.
WindowDecl customerReportDecl(std::string_view procedure, std::string_view caption,
                              std::vector<FileId> files);

// A process that prints each record it reads with the report's first
// detail band.
template <class Process>
class PrintEachRecord : public Process {
public:
    RecordResult ProcessOneRecord() override {
        return REPORT->Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport* REPORT = nullptr;
};

}  // namespace bb
