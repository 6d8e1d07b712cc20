// Breaking a text into lines that fit a width, as a letter's body is
// printed: at word boundaries, inside a word only when the word alone is
// wider than the line. A line break in the text ("\n", "\r\n" or "\r")
// starts a new line; an empty line stays an empty line.
#pragma once

#include <QFont>
#include <QString>

#include <vector>

#include "reporting/report_units.h"

namespace bb {

std::vector<QString> wrapText(const QString& text, const QFont& font, Mils width);

}  // namespace bb
