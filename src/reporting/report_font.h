// The fonts of a report: what a report declares (family, size in points,
// weight, slant) and the Qt fonts that measure and draw it.
//
// Reports are laid out and drawn in thousandths of an inch, so a font's size
// becomes a pixel size in that unit; every device (screen, printer, PDF)
// then scales the drawing as a whole, and text measured while the report was
// written keeps its width wherever it is drawn.
//
// A FontSet needs the QGuiApplication (Qt's font database) and is used from
// the GUI thread.
#pragma once

#include <QFont>
#include <QFontMetricsF>

#include <string>
#include <vector>

#include "reporting/report_units.h"

namespace bb {

struct ReportFont {
    // Shipped with the program's dependencies, so every station draws alike.
    std::string family = "DejaVu Sans";
    double points = 9;
    bool bold = false;
    bool italic = false;

    friend bool operator==(const ReportFont&, const ReportFont&) = default;
};

class FontSet {
public:
    explicit FontSet(const std::vector<ReportFont>& fonts);

    int size() const { return static_cast<int>(fonts_.size()); }
    const QFont& font(int index) const { return fonts_.at(static_cast<std::size_t>(index)); }
    const QFontMetricsF& metrics(int index) const {
        return metrics_.at(static_cast<std::size_t>(index));
    }
    // Distance from one line's top to the next line's top.
    Mils lineHeight(int index) const;
    // The width of `text` in font `index`.
    Mils width(int index, const QString& text) const;

private:
    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
};

QFont toQFont(const ReportFont& font);

}  // namespace bb
