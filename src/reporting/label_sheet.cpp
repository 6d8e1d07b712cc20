#include "reporting/label_sheet.h"

#include <limits>

namespace bb {

namespace {

// Inches to thousandths, exactly; nullopt for a length no page can have.
std::optional<Mils> mils(const Decimal& inches) {
    const Decimal m = (inches * Decimal(kInch)).rescaled(0);
    if (!m.ok() || m.isNegative() || m > Decimal(std::numeric_limits<Mils>::max()))
        return std::nullopt;
    return static_cast<Mils>(m.toInt64());
}

}  // namespace

std::optional<LabelSheet> labelSheetFor(const LabelStock& stock, std::string* error) {
    const auto fail = [error](std::string text) -> std::optional<LabelSheet> {
        if (error) *error = std::move(text);
        return std::nullopt;
    };
    const auto pw = mils(stock.pageWidth), ph = mils(stock.pageHeight);
    const auto lw = mils(stock.labelWidth), lh = mils(stock.labelHeight);
    const auto top = mils(stock.topMargin), left = mils(stock.leftMargin);
    if (!pw || !ph || !lw || !lh || !top || !left)
        return fail("The sizes of this label stock cannot be negative.");
    if (*pw == 0 || *ph == 0) return fail("The page of this label stock has no size.");
    if (*lw == 0 || *lh == 0) return fail("The labels of this label stock have no size.");
    if (*left + *lw > *pw || *top + *lh > *ph)
        return fail("Not one label of this label stock fits on its page within the margins.");
    LabelSheet sheet;
    sheet.pageWidth = *pw;
    sheet.pageHeight = *ph;
    sheet.left = *left;
    sheet.top = *top;
    sheet.labelWidth = sheet.pitchAcross = *lw;
    sheet.labelHeight = sheet.pitchDown = *lh;
    sheet.across = (*pw - *left) / *lw;
    sheet.down = (*ph - *top) / *lh;
    return sheet;
}

}  // namespace bb
