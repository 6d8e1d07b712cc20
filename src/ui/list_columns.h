// The columns of a list of records as a list format lays them out: the
// headers and widths of a tree view's columns, and the cells of one row,
// each value shown through its column's picture. File drops and marked
// lists fill their lists through these, so that a format reads the same in
// both.
//
// Used from the GUI thread only.
#pragma once

#include <QList>
#include <optional>
#include <vector>

#include "dictionary/files.h"
#include "platform/list_format.h"

class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace bb {

// Gives `model` the format's headers and `view` its column widths (shown
// headers only when a column has one); the width of all the columns, in pixels.
int shapeColumns(QTreeView& view, QStandardItemModel& model, const ListFormat& format);

// Widens each column of `view` to what its header and its rows need (the
// format's widths were chosen for another font, and a row may show more
// than its value, such as a check); the width of all the columns, in pixels.
int fitColumns(QTreeView& view);

// The cells of a row showing the current values of `fields`, each through
// its column's picture when the format gives one. The caller owns them
// until it hands them to a model.
QList<QStandardItem*> rowCells(const std::optional<ListFormat>& format,
                               const std::vector<FieldRef>& fields);

}  // namespace bb
