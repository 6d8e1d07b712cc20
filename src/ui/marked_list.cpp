#include "ui/marked_list.h"

#include <QTreeView>
#include <algorithm>

#include "platform/message_service.h"
#include "platform/text.h"
#include "ui/list_columns.h"

namespace bb {

void MarkedList::Setup(QTreeView* list, RelationManager& file, int key, std::string_view format) {
    LISTCONTROL = list;
    LOADED = false;
    DISPLAYFIELDS.clear();
    format_ = format.empty() ? std::nullopt : ListFormat::parse(format);
    model_ = new QStandardItemModel(list);
    list->setModel(model_);
    ViewManager::Setup({file.Me->File(), {}}, file);
    DefineSortOrder(key);
}

void MarkedList::DefineColumn(FieldRef field) {
    DISPLAYFIELDS.push_back(field);
}

void MarkedList::Teardown() {
    names_.clear();
    if (model_) model_->clear();
    LOADED = false;
    ViewManager::Teardown();
}

void MarkedList::ReloadRows(bool force) {
    if (LOADED && !force) return;
    LOADED = true;
    const WaitCursor busy;
    std::vector<std::string> marked;
    for (int row = 0; row < RowCount(); ++row) {
        if (Marked(row)) marked.push_back(Name(row));
    }
    // The rows are read through the file's one buffer; the window may be
    // showing a record of the same file.
    Record& record = PRIMARY->Me->Buffer();
    const Record kept = record;
    names_.clear();
    model_->clear();
    if (format_) shapeColumns(*LISTCONTROL, *model_, *format_);
    if (Reset(0) == SeverityNone) {
        while (Next() == SeverityNone) FillRow();
    }
    LISTCONTROL->setMinimumWidth(fitColumns(*LISTCONTROL) + 40);
    record = kept;
    for (int row = 0; row < RowCount(); ++row) {
        if (std::find(marked.begin(), marked.end(), Name(row)) != marked.end()) Mark(row, true);
    }
}

void MarkedList::FillRow() {
    QList<QStandardItem*> cells = rowCells(format_, DISPLAYFIELDS);
    if (cells.isEmpty()) return;
    // The check shows the mark; the list, not the check box, changes it.
    cells.front()->setData(Qt::Unchecked, Qt::CheckStateRole);
    model_->appendRow(cells);
    names_.push_back(std::string(text::clip(DISPLAYFIELDS.front().value().toText())));
}

bool MarkedList::Marked(int row) const {
    const QStandardItem* cell = model_ ? model_->item(row) : nullptr;
    return cell && cell->checkState() == Qt::Checked;
}

void MarkedList::Mark(int row, bool marked) {
    if (QStandardItem* cell = model_ ? model_->item(row) : nullptr)
        cell->setCheckState(marked ? Qt::Checked : Qt::Unchecked);
}

void MarkedList::Toggle(int row) {
    Mark(row, !Marked(row));
}

bool MarkedList::AllMarked() const {
    for (int row = 0; row < RowCount(); ++row) {
        if (!Marked(row)) return false;
    }
    return true;
}

}  // namespace bb
