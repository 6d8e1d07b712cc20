// Editing a row in place, for lists without an update procedure: an entry
// over each edited cell in turn, read back through the cell's picture, and
// the keys that end the row (Tab past the last column, Enter, Escape, the
// arrows, leaving the list) deciding whether it is saved.
#include <QApplication>
#include <QEventLoop>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "ui/browse_manager.h"
#include "ui/frame_services.h"
#include "ui/scoped_value.h"
#include "ui/window_manager.h"

namespace bb {

// The entry over one cell of the row being edited, and the nested event
// loop that waits for a key to end the cell.
class RowEditor final : public QObject {
public:
    enum class End { Next, Previous, Complete, Abandon, Up, Down, FocusLost };

    RowEditor(BrowseManager& browse, int row) : browse_(browse), row_(row) {}
    ~RowEditor() override { delete entry_.data(); }
    RowEditor(const RowEditor&) = delete;
    RowEditor& operator=(const RowEditor&) = delete;

    // Edits the cell of EDITLIST entry `index` until a key ends it; the
    // typed text goes into the row only when its picture takes it.
    End editCell(std::size_t index) {
        BrowseModel& rows = browse_.Rows();
        const int field = browse_.EDITLIST[index].column - 1;
        const int format = rows.FormatColumnOfField(field);
        BrowseTable& table = *browse_.List()->Table();
        delete entry_.data();
        entry_ = new QLineEdit(table.viewport());
        entry_->setGeometry(table.visualRect(rows.index(row_, rows.ListColumnOf(format))));
        entry_->setText(rows.CellText(format, rows.Row(row_).cells[field]));
        entry_->selectAll();
        entry_->installEventFilter(this);
        entry_->show();
        entry_->setFocus(Qt::OtherFocusReason);
        QEventLoop loop;
        loop_ = &loop;
        QObject::connect(entry_, &QObject::destroyed, &loop, [this] { finish(End::Abandon); });
        loop.exec();
        loop_ = nullptr;
        if (entry_ && end_ != End::Abandon && !take(format, field)) return editCell(index);
        return end_;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            const QWidget* to = QApplication::focusWidget();
            const bool inList = to && browse_.List()->isAncestorOf(to);
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && !inList)
                finish(End::FocusLost);
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto end = endOf(*key);
        if (!end) return false;
        finish(*end);
        return true;
    }

private:
    static std::optional<End> endOf(const QKeyEvent& key) {
        switch (key.key()) {
            case Qt::Key_Tab:
                return End::Next;
            case Qt::Key_Backtab:
                return End::Previous;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                return End::Complete;
            case Qt::Key_Escape:
                return End::Abandon;
            case Qt::Key_Up:
                return End::Up;
            case Qt::Key_Down:
                return End::Down;
            default:
                return std::nullopt;
        }
    }

    void finish(End end) {
        end_ = end;
        if (loop_) loop_->quit();
    }

    // The entry's text into the row through the cell's picture; false, after
    // saying why, when the picture refuses it.
    bool take(int format, int field) {
        BrowseModel& rows = browse_.Rows();
        const ListColumn& column = rows.Format().columns[static_cast<std::size_t>(format)];
        const std::string typed = entry_->text().toStdString();
        Value value = Value::text(typed);
        if (column.picture) {
            Picture::Result read = column.picture->deformat(typed);
            if (!read.ok()) {
                messages().beep(Beep::Default);
                messages().show(
                    {"Invalid Entry", read.error, MessageIcon::Exclamation, ButtonOk, ButtonOk});
                return false;
            }
            value = std::move(*read.value);
        }
        rows.Row(row_).cells[static_cast<std::size_t>(field)] = std::move(value);
        rows.Changed(row_);
        return true;
    }

    BrowseManager& browse_;
    int row_;
    QPointer<QLineEdit> entry_;
    QEventLoop* loop_ = nullptr;
    End end_ = End::Abandon;
};

int BrowseManager::EditInPlace(int request) {
    int response = ResponseCancelled;
    if (request == DeleteRequest) {
        response = PRIMARY->Delete(true) == SeverityNone ? ResponseCompleted : ResponseCancelled;
    } else if (!EDITLIST.empty()) {
        if (request == InsertRequest) insertBlankRow();
        if (model_->Count() > 0) response = editRow(request);
    }
    RefreshAfterUpdate(request, response);
    return response;
}

// A row for the new record below the highlighted one, highlighted.
void BrowseManager::insertBlankRow() {
    FillRow();
    filling_.position.clear();
    filling_.recordPosition.clear();
    const int at = std::min(CURRENTCHOICE, model_->Count());
    model_->Insert(at, filling_);
    CURRENTCHOICE = at + 1;
    if (model_->Count() > std::max(LASTITEMS, 1)) {
        model_->Remove(0);
        --CURRENTCHOICE;
    }
    LISTCONTROL->Table()->ShowSelected(CURRENTCHOICE - 1);
}

int BrowseManager::editRow(int request) {
    const ScopedFlag editing(editing_);
    const int row = std::clamp(CURRENTCHOICE, 1, model_->Count()) - 1;
    const std::vector<Value> original = model_->Row(row).cells;
    std::size_t column = keptColumn_ < EDITLIST.size() ? keptColumn_ : 0;
    keptColumn_ = 0;
    RowEditor editor(*this, row);
    while (true) {
        const RowEditor::End end = editor.editCell(column);
        std::uint8_t action = EditAbandon;
        if (end == RowEditor::End::Next && column + 1 < EDITLIST.size()) {
            ++column;
            continue;
        }
        if (end == RowEditor::End::Previous) {
            column = column > 0 ? column - 1 : 0;
            continue;
        }
        const bool arrow = end == RowEditor::End::Up || end == RowEditor::End::Down;
        if (end == RowEditor::End::Next) action = TABACTION;
        if (end == RowEditor::End::Complete) action = ENTERACTION;
        if (arrow) action = ARROWACTION;
        if (end == RowEditor::End::FocusLost) action = FOCUSLOSSACTION;
        const std::optional<int> response = completeRow(request, row, original, action);
        if (!response) continue;
        if ((action & EditMoves) && *response == ResponseCompleted)
            *WINDOW->VCRREQUEST = end == RowEditor::End::Up ? ToolbarPrevious : ToolbarNext;
        if ((action & EditKeepColumn) && arrow) keptColumn_ = column;
        return *response;
    }
}

// The row saved or abandoned as `action` says; nothing when the row stays
// in edit (the user cancelled, or the save failed).
std::optional<int> BrowseManager::completeRow(int request, int row,
                                              const std::vector<Value>& original,
                                              std::uint8_t action) {
    const std::vector<Value>& cells = model_->Row(row).cells;
    bool changed = false;
    for (std::size_t i = 0; i < cells.size() && !changed; ++i)
        changed = !sameValue(cells[i], original[i]);
    int what = changed ? action & EditActionBits : EditAbandon;
    if (what == EditAsk) {
        const Button answer =
            WINDOW->ERRORS->Message(ErrSaveRecord, ButtonYes | ButtonNo | ButtonCancel, ButtonYes);
        if (answer == ButtonCancel) return std::nullopt;
        what = answer == ButtonYes ? EditSave : EditAbandon;
    }
    if (what != EditSave) {
        if (request == InsertRequest) {
            model_->Remove(row);
            // The number the new record had reserved goes back.
            (void)PRIMARY->CancelNumber();
        }
        return ResponseCancelled;
    }
    for (std::size_t i = 0; i < FIELDS.size() && i < cells.size(); ++i)
        (void)buffer(FIELDS[i].file()).set(FIELDS[i].index(), cells[i]);
    const Severity saved = request == InsertRequest ? PRIMARY->Me->Insert() : PRIMARY->Update();
    if (saved != SeverityNone) return std::nullopt;
    return ResponseCompleted;
}

}  // namespace bb
