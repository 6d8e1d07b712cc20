// List columns never cut what their picture shows: in a browse list and in a
// list shaped by shapeColumns (file drops, marked lists), a column whose
// format width is smaller than its picture's characters in the list's font
// still holds each value's text within the cell's margins, where the view
// would otherwise elide it.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QStandardItemModel>
#include <QStyle>
#include <QTreeView>

#include "qt_application.h"
#include "ui/browse_list.h"
#include "ui/browse_model.h"
#include "ui/list_columns.h"

namespace bb {
namespace {

struct ColumnCase {
    const char* format;
    const char* typed;  // the value, as a user types it into the picture
};

// Each format's width is what its picture's characters take at the average
// character's width, or less, as in the customer phone list's extension.
const ColumnCase kCases[] = {
    {"24L(2)@s6@", "12345"},
    {"8L@s2@", "WW"},
    {"56L@p(###) ###-####p@", "2125550199"},
    {"32L@d1@", "12/28/08"},
};

ListFormat formatOf(const ColumnCase& c) {
    std::optional<ListFormat> format = ListFormat::parse(c.format);
    EXPECT_TRUE(format && format->columns.size() == 1 && format->columns[0].picture) << c.format;
    return format.value_or(ListFormat{});
}

Value valueOf(const ListFormat& format, const ColumnCase& c) {
    const Picture::Result read = format.columns.at(0).picture->deformat(c.typed);
    EXPECT_TRUE(read.ok()) << read.error;
    return read.value.value_or(Value());
}

// The view draws a cell's text inside the style's focus-frame margin and a
// pixel more on each side, and elides text wider than what remains.
void expectWhole(const QAbstractItemView& view, const QString& shown, int width) {
    const int margin = view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1;
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_LE(view.fontMetrics().horizontalAdvance(shown) + 2 * margin, width)
        << shown.toStdString();
}

TEST(ListColumns, ABrowseListsColumnHoldsWhatItsPictureShows) {
    test::ensureApplication();
    for (const ColumnCase& c : kCases) {
        SCOPED_TRACE(c.format);
        BrowseList list(nullptr);
        const ListFormat format = formatOf(c);
        BrowseModel model(format, nullptr);
        BrowseRow row;
        row.cells = {valueOf(format, c)};
        model.Append(std::move(row));
        list.SetModel(&model);
        const QTableView& table = *list.Table();
        expectWhole(table, model.data(model.index(0, 0), Qt::DisplayRole).toString(),
                    table.columnWidth(0));
    }
}

TEST(ListColumns, AShapedListsColumnHoldsWhatItsPictureShows) {
    test::ensureApplication();
    for (const ColumnCase& c : kCases) {
        SCOPED_TRACE(c.format);
        QTreeView view;
        QStandardItemModel model;
        view.setModel(&model);
        // The last column would take the view's width; the list's own is wanted.
        view.header()->setStretchLastSection(false);
        const ListFormat format = formatOf(c);
        const int total = shapeColumns(view, model, format);
        const QString shown =
            QString::fromStdString(format.columns[0].picture->format(valueOf(format, c))).trimmed();
        expectWhole(view, shown, view.columnWidth(0));
        EXPECT_EQ(total, view.columnWidth(0));
    }
}

}  // namespace
}  // namespace bb
