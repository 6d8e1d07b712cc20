// The declaration of a whole report: paper and margins, fonts, the page's
// header and footer, the report's own header and footer, its groups and
// its detail bands; or, for mailing labels, the sheet its detail fills.
//
// Bands of the page and of the report lie between the margins; items in a
// label lie from the label's top left corner. Plain data, filled in by the
// report procedure and handed to a BandReport.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reporting/band.h"
#include "reporting/label_sheet.h"
#include "reporting/report_font.h"
#include "reporting/report_units.h"

namespace bb {

struct Margins {
    Mils left = 500;
    Mils top = 500;
    Mils right = 500;
    Mils bottom = 500;
};

struct ReportLayout {
    // The width between the margins, for items that span the page.
    Mils bodyWidth() const { return pageWidth - margins.left - margins.right; }

    std::string title;  // names the preview, the printer's job and the PDF
    Mils pageWidth = kLetterWidth;
    Mils pageHeight = kLetterHeight;
    Margins margins;
    std::vector<ReportFont> fonts{ReportFont{}};
    Band pageHeader;
    Band pageFooter;
    Band reportHeader;          // once, before the first record
    Band reportFooter;          // once, after the last record: the grand totals
    std::vector<Group> groups;  // the outermost first
    std::vector<Band> details;  // printed by number
    // When set, the details fill this sheet of labels, one label each, and
    // the page bands, groups and report bands are not used.
    std::optional<LabelSheet> labels;
};

}  // namespace bb
