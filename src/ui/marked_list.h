// A marked list: every record of a small file, in one key's order, as the
// rows of a list with a check per row, which a click on the row or Space on
// the current row turns on and off. A window offers one where the user
// picks any number of records (the representatives, customer groups and
// classifications a report includes); it reads which rows are marked, by
// each row's name (its first column's value), and marks rows itself, as
// when it shows again what was chosen before.
//
// Reading the rows leaves the file's record buffer as it was, so a window
// may show a record of the same file elsewhere. A marked list belongs to
// its window, which opens its file before Setup and fills the list when it
// opens. Used from the GUI thread only.
#pragma once

#include <QPointer>
#include <QStandardItemModel>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/view_manager.h"
#include "dictionary/files.h"
#include "platform/list_format.h"

class QTreeView;

namespace bb {

class MarkedList : public ViewManager {
public:
    // `format` lays out the rows' columns (empty: one column of plain values).
    void Setup(QTreeView* list, RelationManager& file, int key, std::string_view format);
    // The next column of a row shows this field of the file's record; the
    // first one names the row.
    void DefineColumn(FieldRef field);

    void Teardown() override;

    // The overridable operations of the marked list, in dispatch order.
    // Fills the list when it was never filled or `force` is set; a row keeps
    // its mark when a row of the same name was marked before.
    virtual void ReloadRows(bool force);
    // Appends an unmarked row for the record just read.
    virtual void FillRow();

    int RowCount() const { return static_cast<int>(names_.size()); }
    // Row `row` (from 0): its name without trailing blanks, and its mark.
    const std::string& Name(int row) const { return names_[static_cast<std::size_t>(row)]; }
    bool Marked(int row) const;
    void Mark(int row, bool marked);
    void Toggle(int row);
    // Whether every row is marked; also true when there are none.
    bool AllMarked() const;

    std::vector<FieldRef> DISPLAYFIELDS;
    QTreeView* LISTCONTROL = nullptr;
    bool LOADED = false;

private:
    std::vector<std::string> names_;
    QPointer<QStandardItemModel> model_;  // owned by the list
    std::optional<ListFormat> format_;
};

}  // namespace bb
