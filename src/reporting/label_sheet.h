// A sheet of mailing labels: where each label lies on the paper. Labels
// fill the sheet across, then down; a report in label mode prints one
// detail band into each label in turn and starts a new sheet when one is
// full.
#pragma once

#include <optional>
#include <string>

#include "platform/decimal.h"
#include "reporting/report_units.h"

namespace bb {

struct LabelSheet {
    Mils pageWidth = kLetterWidth;
    Mils pageHeight = kLetterHeight;
    Mils left = 0;  // the first label's top left corner
    Mils top = 0;
    Mils labelWidth = 0;
    Mils labelHeight = 0;
    Mils pitchAcross = 0;  // from one label's left edge to the next one's
    Mils pitchDown = 0;    // from one label's top edge to the next one's
    int across = 1;
    int down = 1;

    int perSheet() const { return across * down; }
    // The top left corner of label `index` (from 0) of a sheet.
    Mils labelX(int index) const { return left + (index % across) * pitchAcross; }
    Mils labelY(int index) const { return top + (index / across) * pitchDown; }
};

// A label stock as the Labels file describes it, in inches.
struct LabelStock {
    Decimal pageWidth;
    Decimal pageHeight;
    Decimal labelWidth;
    Decimal labelHeight;
    Decimal topMargin;
    Decimal leftMargin;
};

// The sheet of a stock: the first label at the margins, labels side by side
// with no gap, as many across and down as fit on the paper. nullopt, with a
// sentence for the user in *error, for a stock no label fits on.
std::optional<LabelSheet> labelSheetFor(const LabelStock& stock, std::string* error);

}  // namespace bb
