#include "ui/list_columns.h"

#include <algorithm>

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTreeView>

#include "platform/text.h"
#include "ui/text_width.h"

namespace bb {

int shapeColumns(QTreeView& view, QStandardItemModel& model, const ListFormat& format) {
    QStringList headers;
    bool anyHeader = false;
    for (const ListColumn& column : format.columns) {
        headers.push_back(QString::fromStdString(column.header.text));
        anyHeader = anyHeader || column.header.present;
    }
    model.setHorizontalHeaderLabels(headers);
    view.setHeaderHidden(!anyHeader);
    int total = 0;
    for (int i = 0; i < static_cast<int>(format.columns.size()); ++i) {
        const int width = listColumnWidth(format.columns[static_cast<std::size_t>(i)], view);
        if (width > 0) view.setColumnWidth(i, width);
        total += width;
    }
    return total;
}

int fitColumns(QTreeView& view) {
    int total = 0;
    for (int column = 0; column < view.model()->columnCount(); ++column) {
        const int header = view.isHeaderHidden() ? 0 : view.header()->sectionSizeHint(column);
        // The tree view keeps its rows' measure protected; every item view offers it.
        const int rows = static_cast<const QAbstractItemView&>(view).sizeHintForColumn(column);
        const int width = std::max({view.columnWidth(column), header, rows});
        view.setColumnWidth(column, width);
        total += width;
    }
    return total;
}

QList<QStandardItem*> rowCells(const std::optional<ListFormat>& format,
                               const std::vector<FieldRef>& fields) {
    QList<QStandardItem*> cells;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const Value value = fields[i].value();
        std::string shown = value.toText();
        if (format && i < format->columns.size() && format->columns[i].picture)
            shown = std::string(text::trim(format->columns[i].picture->format(value)));
        auto* cell = new QStandardItem(QString::fromStdString(shown));
        cell->setEditable(false);
        cells.push_back(cell);
    }
    return cells;
}

}  // namespace bb
