#include "reporting/text_wrap.h"

#include <QRegularExpression>
#include <QTextLayout>

namespace bb {

namespace {

void wrapParagraph(const QString& paragraph, const QFont& font, Mils width,
                   std::vector<QString>& lines) {
    if (paragraph.trimmed().isEmpty()) {
        lines.emplace_back();
        return;
    }
    QTextLayout layout(paragraph, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString text = paragraph.mid(line.textStart(), line.textLength());
        while (text.endsWith(' ')) text.chop(1);
        lines.push_back(std::move(text));
    }
    layout.endLayout();
}

}  // namespace

std::vector<QString> wrapText(const QString& text, const QFont& font, Mils width) {
    static const QRegularExpression lineBreak("\r\n|\r|\n");
    std::vector<QString> lines;
    for (const QString& paragraph : text.split(lineBreak))
        wrapParagraph(paragraph, font, width, lines);
    while (!lines.empty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

}  // namespace bb
