#include "ui/text_width.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace bb {

namespace {

// Texts this long or shorter are measured as capitals.
constexpr int kShortText = 5;

}  // namespace

int listUnits(int units, const QFontMetrics& metrics) {
    return units * metrics.averageCharWidth() / 4;
}

int charsWide(int chars, bool digits, const QFontMetrics& metrics) {
    const int n = std::max(chars, 1);
    if (digits) return n * metrics.horizontalAdvance(QChar('0'));
    // Short codes are often capitals ("WY"), which the average underrates.
    const int shortText = metrics.horizontalAdvance(QChar('W'));
    if (n <= kShortText) return n * shortText;
    // A longer text is never narrower than the widest short one: a text of
    // six may hold five digits or capitals.
    return std::max(n * metrics.averageCharWidth(), kShortText * shortText);
}

int pictureWide(const Picture& picture, const QFontMetrics& metrics) {
    return charsWide(picture.width(), picture.kind() != Picture::Kind::String, metrics);
}

int cellMargins(const QWidget& view) {
    // Item views draw a cell's text inside the focus frame's margin and one
    // pixel more, on both sides; text wider than what is left is cut.
    return 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
}

int listColumnWidth(const ListColumn& column, const QWidget& view) {
    const QFontMetrics metrics = view.fontMetrics();
    const int units = listUnits(column.width, metrics);
    if (!column.picture) return units;
    return std::max(units, pictureWide(*column.picture, metrics) + cellMargins(view));
}

}  // namespace bb
