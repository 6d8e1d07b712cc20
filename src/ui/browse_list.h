// The widget of a browse list: a table of the rows of one page and, beside
// it, the list's own vertical scroll bar. The table never scrolls: it holds
// exactly the rows it shows, and every key, wheel turn and scroll-bar press
// that would move through the records is handed to the browse as the
// list's event (row up and down, page up and down, top, bottom, and the
// thumb let go at a place), for the browse to read the records it needs.
//
// The table is the list control that windows, the toolbar and tests name;
// the container is what a window's layout places. The widget tells its
// listener (the browse) what the user did; it belongs to its window's
// widget tree. Used from the GUI thread only.
#pragma once

#include <QTableView>
#include <QWidget>

#include "ui/window_events.h"

class QScrollBar;

namespace bb {

class BrowseModel;

class BrowseListener {
public:
    virtual ~BrowseListener() = default;
    // A key or scroll-bar press that moves through the records.
    virtual void listScrolled(EventKind kind) = 0;
    // A character typed on the list (for its locator).
    virtual void listTyped(QKeyCombination key, const QString& text) = 0;
    // The user chose row `row` (0-based) with the mouse; `context` when
    // with the right button, for the list's popup.
    virtual void listRowChosen(int row, bool context) = 0;
    virtual void listDoubleClicked() = 0;
};

// The table of one page of rows.
class BrowseTable final : public QTableView {
public:
    explicit BrowseTable(QWidget* parent);

    void setListener(BrowseListener* listener) { listener_ = listener; }
    // Rows that fit wholly in the table as it is now (at least 1).
    int VisibleRows() const;
    // Shows `row` (0-based; -1 none) selected, telling nobody.
    void ShowSelected(int row);
    // The height of one row, by the font and the lines each row takes.
    void SetLines(int lines);
    void SetDesignedRows(int rows) { designedRows_ = rows; }
    // Takes the columns' present widths as designed: the last one widens
    // into whatever width the list has beyond them, and never narrows below.
    void KeepDesignedWidths();
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillWidth();

    BrowseListener* listener_ = nullptr;
    int designedRows_ = 10;
    int lastDesigned_ = 0;  // the last column's width before it widened
    int wheelDelta_ = 0;  // eighths of a degree turned and not yet scrolled
};

// The table and its scroll bar, side by side.
class BrowseList final : public QWidget {
public:
    explicit BrowseList(QWidget* parent);

    BrowseTable* Table() const { return table_; }
    QScrollBar* ScrollBar() const { return bar_; }
    void setListener(BrowseListener* listener);
    // Shows `model` with its columns' widths for the table's font.
    void SetModel(BrowseModel* model);
    // The thumb at `percent` (0 to 100), telling nobody.
    void PlaceThumb(int percent);
    int Thumb() const;
    // Room for the table's columns and the bar, whether the bar shows or not.
    QSize sizeHint() const override;

private:
    void barAction(int action);
    int headingWidth(int column) const;

    BrowseTable* table_;
    QScrollBar* bar_;
    BrowseListener* listener_ = nullptr;
};

}  // namespace bb
