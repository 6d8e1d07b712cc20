// How wide the things a window shows are, in pixels of a given font: a
// list format's width units, the characters of a picture, and a list column,
// which is never narrower than what its picture shows. Entries and list
// columns measure through these, so that a value that fits one fits the
// other.
//
// Plain functions of a font and a style; used from the GUI thread only.
#pragma once

#include "platform/list_format.h"

class QFontMetrics;
class QWidget;

namespace bb {

// List format widths are in quarters of the font's average character.
int listUnits(int units, const QFontMetrics& metrics);

// Width of `chars` characters: digits by the width of "0", a short text
// (five characters or fewer) by "W", a longer one by the average character
// but never narrower than a short one.
int charsWide(int chars, bool digits, const QFontMetrics& metrics);

// Width of what `picture` shows at its widest.
int pictureWide(const Picture& picture, const QFontMetrics& metrics);

// The room an item view leaves between a cell's edges and its text.
int cellMargins(const QWidget& view);

// Width of a list column showing `column` in `view`'s font: the format's
// width, or what its picture shows with the cell's margins when that is wider.
int listColumnWidth(const ListColumn& column, const QWidget& view);

}  // namespace bb
