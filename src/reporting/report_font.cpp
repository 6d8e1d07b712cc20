#include "reporting/report_font.h"

#include <cmath>

namespace bb {

QFont toQFont(const ReportFont& font) {
    QFont f(QString::fromStdString(font.family));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(static_cast<int>(std::lround(font.points * kInch / kPointsPerInch)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    // Widths measured while the report is written must hold on every device.
    f.setHintingPreference(QFont::PreferNoHinting);
    // No ligatures: a PDF's "fi" would read back as one sign, and a search
    // for "profile" would miss it.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

FontSet::FontSet(const std::vector<ReportFont>& fonts) {
    for (const ReportFont& f : fonts) {
        fonts_.push_back(toQFont(f));
        metrics_.emplace_back(fonts_.back());
    }
}

Mils FontSet::lineHeight(int index) const {
    return static_cast<Mils>(std::ceil(metrics(index).lineSpacing()));
}

Mils FontSet::width(int index, const QString& text) const {
    return static_cast<Mils>(std::ceil(metrics(index).horizontalAdvance(text)));
}

}  // namespace bb
