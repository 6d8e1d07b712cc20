// The rows a browse list shows: one page of records, never the whole file.
// Each row keeps what its columns show (the row fields), the records of the
// view's files as they were read (so that choosing the row puts them back
// into the record buffers without reading again), the colours of its cells
// and the position of its record, by which the browse finds it again.
//
// The model lays the rows out by the list's format: a column's heading,
// width, justification and picture. A format whose columns go on new lines
// ("/") shows each row on several lines: the columns of each line stack in
// the list's columns, their texts and headings one above the other.
//
// The browse owns its model and changes the rows; the list view shows them.
// Used from the GUI thread only.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <deque>
#include <string>
#include <vector>

#include "platform/list_format.h"
#include "platform/record.h"
#include "ui/window_decl.h"

namespace bb {

struct BrowseRow {
    std::vector<Value> cells;         // the row fields
    std::vector<Record> records;      // the view's files, as read for this row
    std::vector<RowColours> colours;  // per format column; empty: the list's own
    std::string position;             // VIEWPOSITION: the record's place in the view
    std::string recordPosition;       // the primary record's, as its file knows it
};

class BrowseModel final : public QAbstractTableModel {
public:
    // Roles of the colours a selected cell is drawn in.
    static constexpr int kSelectedForegroundRole = Qt::UserRole + 1;
    static constexpr int kSelectedBackgroundRole = Qt::UserRole + 2;

    BrowseModel(ListFormat format, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows, 0-based.
    int Count() const { return static_cast<int>(rows_.size()); }
    const BrowseRow& Row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    BrowseRow& Row(int i) { return rows_[static_cast<std::size_t>(i)]; }
    void Prepend(BrowseRow row);
    void Append(BrowseRow row);
    void Insert(int at, BrowseRow row);
    void Remove(int i);
    void Clear();
    // The row's cells were changed in place.
    void Changed(int i);

    const ListFormat& Format() const { return format_; }
    // Lines of text each row takes.
    int Lines() const { return static_cast<int>(lines_.size()); }
    // A list column's width in pixels in `view`: the widest of its lines'
    // format widths and what their pictures show.
    int ColumnWidth(int column, const QWidget& view) const;
    // The format's column shown on `line` of list column `column`, or -1.
    int FormatColumn(int line, int column) const;
    // The list column that shows format column `format`.
    int ListColumnOf(int format) const;
    // The format column that shows row field `field` (0-based), or -1.
    int FormatColumnOfField(int field) const;
    // The text a cell shows of `value`, through its format column's picture.
    QString CellText(int formatColumn, const Value& value) const;

private:
    QString text(int row, int column) const;
    QString heading(int column) const;
    // The colours of list column `column` of row `row`, or null.
    const RowColours* colours(int row, int column) const;

    ListFormat format_;
    std::vector<std::vector<int>> lines_;  // the format's columns on each line
    int columns_ = 0;
    std::deque<BrowseRow> rows_;
};

// Draws a selected cell in its row's selected colours, when it has them.
class BrowseDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace bb
