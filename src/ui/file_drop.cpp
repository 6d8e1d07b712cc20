#include "ui/file_drop.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTreeView>

#include "platform/filter.h"
#include "platform/message_service.h"
#include "platform/text.h"
#include "ui/list_columns.h"
#include "ui/window_events.h"
#include "ui/window_manager.h"

namespace bb {

namespace {
// No value at all: a blank text, or zero for a number (no record's number).
bool isBlank(const Value& value) {
    return value.isNumber() ? value.asNumber().isZero() : text::isBlank(value.asText());
}
}  // namespace

void FileDrop::Setup(QComboBox* list, WindowManager& window, RelationManager& file, int key,
                     std::string_view format, std::string_view picture) {
    LISTCONTROL = list;
    WINDOW = &window;
    DEFAULTFILL = true;
    INITSYNCPAIR = true;
    LOADED = false;
    DISPLAYFIELDS.clear();
    UPDATEFIELDS.clear();
    // Without a format of its own the list shows one column, as the form
    // field shows its value.
    const std::string columns =
        format.empty() ? "0L@" + std::string(picture) + "@" : std::string(format);
    format_ = ListFormat::parse(columns);
    model_ = new QStandardItemModel(list);
    auto* view = new QTreeView(list);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    list->setModel(model_);
    list->setView(view);
    ViewManager::Setup({file.Me->File(), {}}, file);
    DefineSortOrder(key);
}

void FileDrop::DefineColumn(FieldRef field) {
    DISPLAYFIELDS.push_back(field);
}

void FileDrop::DefineUpdateField(FieldRef from, FieldRef to) {
    UPDATEFIELDS.emplace_back(from, to);
}

void FileDrop::Teardown() {
    rows_.clear();
    if (model_) model_->clear();
    LOADED = false;
    ViewManager::Teardown();
}

void FileDrop::OnEvent(const WindowEvent& event) {
    if (event.kind == EventKind::NewSelection && event.control == LISTCONTROL)
        OnNewSelection(event.control);
}

int FileDrop::ReloadRows(bool force) {
    const bool rangeChanged = ApplyRangeLimit();
    if (!rangeChanged && !force && LOADED) return LISTCONTROL->currentIndex() + 1;
    LOADED = true;
    const WaitCursor busy;
    rows_.clear();
    model_->clear();
    shapeList();
    int chosen = 0;
    if (Reset(0) == SeverityNone) {
        while (Next() == SeverityNone) {
            FillRow();
            if (INITSYNCPAIR && chosen == 0 && MatchesForm()) chosen = RowCount();
        }
    }
    fitList();
    if (chosen == 0 && DEFAULTFILL && !rows_.empty()) chosen = 1;
    choose(chosen);
    if (chosen > 0) {
        OnNewSelection(LISTCONTROL);
    } else {
        // Nothing chosen: what the form shows of the file's record is blank,
        // not the last record read.
        PRIMARY->Me->Buffer().clear();
    }
    return chosen;
}

void FileDrop::FillRow() {
    model_->appendRow(rowCells(format_, DISPLAYFIELDS));
    rows_.push_back(
        {UPDATEFIELDS.empty() ? Value() : UPDATEFIELDS.front().first.value(), Position()});
}

bool FileDrop::MatchesForm() {
    if (UPDATEFIELDS.empty()) return false;
    return compareValues(UPDATEFIELDS.front().first.value(), UPDATEFIELDS.front().second.value()) ==
           0;
}

void FileDrop::OnNewSelection(QWidget* control) {
    if (control != LISTCONTROL) return;
    const int row = LISTCONTROL->currentIndex();
    if (row < 0 || row >= RowCount()) {
        copyToForm(true);
    } else {
        const bool read =
            ResetToPosition(rows_[static_cast<std::size_t>(row)].position) == SeverityNone &&
            Next() == SeverityNone;
        copyToForm(!read);
    }
    WINDOW->Reset(false);
}

void FileDrop::SyncSelection() {
    if (!LOADED || UPDATEFIELDS.empty()) return;
    const Value wanted = UPDATEFIELDS.front().second.value();
    const int current = LISTCONTROL->currentIndex();
    if (current >= 0 && current < RowCount() &&
        compareValues(rows_[static_cast<std::size_t>(current)].match, wanted) == 0)
        return;
    for (int i = 0; i < RowCount(); ++i) {
        if (compareValues(rows_[static_cast<std::size_t>(i)].match, wanted) == 0) {
            choose(i + 1);
            return;
        }
    }
    choose(0);
}

bool FileDrop::NamesNoRow() const {
    return LOADED && LISTCONTROL->currentIndex() < 0 && !isBlank(formValue());
}

Value FileDrop::formValue() const {
    return UPDATEFIELDS.empty() ? Value() : UPDATEFIELDS.front().second.value();
}

void FileDrop::choose(int row) {
    const QSignalBlocker quiet(LISTCONTROL);
    LISTCONTROL->setCurrentIndex(row - 1);
    // A value that names no row shows as missing, never as a blank list.
    const Value wanted = formValue();
    const bool missing = row == 0 && !isBlank(wanted);
    LISTCONTROL->setPlaceholderText(
        missing ? QString::fromStdString(std::string(text::clip(wanted.toText())) + " (missing)")
                : QString());
}

void FileDrop::copyToForm(bool clear) {
    for (const auto& [from, to] : UPDATEFIELDS) {
        Record& form = buffer(to.file());
        if (clear) {
            form.clearField(to.index());
        } else {
            (void)form.set(to.index(), from.value());
        }
    }
}

void FileDrop::shapeList() {
    if (!format_ || format_->columns.empty()) return;
    auto* view = qobject_cast<QTreeView*>(LISTCONTROL->view());
    if (!view) return;
    view->setMinimumWidth(shapeColumns(*view, *model_, *format_) + 24);
    // Closed, the list shows its first column.
    const auto& first = format_->columns.front().picture;
    if (first) LISTCONTROL->setMinimumContentsLength(first->width());
    LISTCONTROL->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
}

// The format's widths were chosen for another font: once the rows are in, no
// column of the open list cuts its heading or its rows.
void FileDrop::fitList() {
    auto* view = qobject_cast<QTreeView*>(LISTCONTROL->view());
    if (!view || !format_ || format_->columns.empty()) return;
    view->setMinimumWidth(fitColumns(*view) + 24);
}

}  // namespace bb
