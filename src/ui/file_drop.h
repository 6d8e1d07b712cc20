// A file drop: a drop-down list filled with every record of a file (in one
// key's order), whose chosen row copies fields of its record into the form.
// When the list is filled, the row whose first copied field already equals
// the form's value is chosen (INITSYNCPAIR); with no such row the first row
// is chosen (DEFAULTFILL); without it the list shows a value that names no
// row as missing. Each row keeps its record's position, so that
// choosing it reads that record again.
//
// A file drop belongs to its window, which opens its file before Setup and
// forwards every event to it. Used from the GUI thread only.
#pragma once

#include <QPointer>
#include <QStandardItemModel>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/view_manager.h"
#include "dictionary/files.h"
#include "platform/list_format.h"

class QComboBox;
class QWidget;

namespace bb {

class WindowManager;
struct WindowEvent;

class FileDrop : public ViewManager {
public:
    // `format` lays out the rows (empty: one column shown through `picture`).
    void Setup(QComboBox* list, WindowManager& window, RelationManager& file, int key,
               std::string_view format, std::string_view picture);
    // The next column of a row shows this field of the file's record.
    void DefineColumn(FieldRef field);
    // Choosing a row copies the record's `from` into the form's `to`.
    void DefineUpdateField(FieldRef from, FieldRef to);

    void Teardown() override;

    // The overridable operations of the file drop, in dispatch order.
    virtual void OnEvent(const WindowEvent& event);
    // Fills the list when it was never filled, its range changed or `force`
    // is set; the chosen row (from 1), 0 for none.
    virtual int ReloadRows(bool force);
    virtual void OnNewSelection(QWidget* control);
    // Appends a row for the record just read.
    virtual void FillRow();
    // Whether the record just read holds the form's value.
    virtual bool MatchesForm();

    // Shows the row of the form's current value chosen, copying nothing:
    // for when the form's value changed by other means.
    void SyncSelection();
    // The form holds a value that names none of the rows: no choice.
    bool NamesNoRow() const;
    int RowCount() const { return static_cast<int>(rows_.size()); }

    std::vector<FieldRef> DISPLAYFIELDS;
    std::vector<std::pair<FieldRef, FieldRef>> UPDATEFIELDS;
    WindowManager* WINDOW = nullptr;
    bool DEFAULTFILL = true;
    bool INITSYNCPAIR = true;
    QComboBox* LISTCONTROL = nullptr;
    bool LOADED = false;

private:
    struct Row {
        Value match;  // the first update pair's record value
        std::string position;
    };

    void choose(int row);
    // The form's value for the first update pair, blank when it has none.
    Value formValue() const;
    void copyToForm(bool clear);
    void shapeList();
    void fitList();

    std::vector<Row> rows_;
    QPointer<QStandardItemModel> model_;  // owned by the list
    std::optional<ListFormat> format_;
};

}  // namespace bb
