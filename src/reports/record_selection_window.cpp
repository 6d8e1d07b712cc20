#include "reports/record_selection_window.h"

#include <algorithm>

#include "platform/message_service.h"
#include "platform/text.h"
#include "ui/marked_list.h"

namespace bb {

namespace {}  // namespace

DropDecl selectionMarks(SelectionListIndex list, std::string_view format) {
    switch (list) {
        case GroupsList:
            return {.file = FileId::Committees,
                    .key = COM::key::COMMITTEEKEY,
                    .format = format,
                    .columns = {COM::COMMITTEE}};
        case ClassificationsList:
            return {.file = FileId::MembershipTypes,
                    .key = TYP::key::MEMBERTYPEKEY,
                    .format = format,
                    .columns = {TYP::MEMBERTYPE}};
        case RepresentativesList:
            break;
    }
    return {.file = FileId::Representatives,
            .key = REP::key::REPRESENTATIVENAMEKEY,
            .format = format,
            .columns = {REP::REP_NUM, REP::REP_NAME}};
}

RecordSelectionWindow::RecordSelectionWindow(const WindowDecl& decl,
                                             std::array<std::string_view, 3> lists,
                                             TextField filter)
    : WindowManager(decl), lists_(lists), filter_(filter) {}

void RecordSelectionWindow::Open() {
    Set(kStatusChoice, statusChoiceOf(filter_.get()));
    WindowManager::Open();
    MarkSavedSelection();
}

void RecordSelectionWindow::MarkSavedSelection() {
    for (std::size_t list = 0; list < lists_.size(); ++list) {
        MarkedList* marks = Marks(lists_[list]);
        if (!marks) continue;
        const SelectionList& selection = selectionLists()[list];
        // Only a name that was itself chosen: "Golf" is not chosen because
        // "Golf Club" was, or the next OK would widen the selection.
        const std::vector<std::string> chosen =
            selectedNames(selection.part.get(), selection.field);
        for (int row = 0; row < marks->RowCount(); ++row) {
            marks->Mark(row,
                        std::find(chosen.begin(), chosen.end(), marks->Name(row)) != chosen.end());
        }
    }
}

std::vector<SelectionRow> RecordSelectionWindow::rowsOf(std::size_t list) const {
    std::vector<SelectionRow> rows;
    if (const MarkedList* marks = Marks(lists_[list])) {
        for (int row = 0; row < marks->RowCount(); ++row)
            rows.push_back({marks->Name(row), marks->Marked(row)});
    }
    return rows;
}

bool RecordSelectionWindow::CheckFields() {
    if (!WindowManager::CheckFields()) return false;
    for (std::size_t list = 0; list < lists_.size(); ++list) {
        const SelectionList& selection = selectionLists()[list];
        const std::string part = selectionPart(selection.field, rowsOf(list));
        if (text::length(part) <= selection.part.def().spec.width) continue;
        const std::string names(selection.names);
        return Refuse(Control(lists_[list]), selection.tooManyTitle,
                      "     The marked " + names + " do not fit in the selection.|Mark fewer " +
                          names + ", or mark all of them to include every one.");
    }
    return true;
}

void RecordSelectionWindow::BuildSelection() {
    for (std::size_t list = 0; list < lists_.size(); ++list) {
        const SelectionList& selection = selectionLists()[list];
        const std::vector<SelectionRow> rows = rowsOf(list);
        selection.part.set(selectionPart(selection.field, rows));
        // An empty list has nothing marked, so nothing to tell.
        const bool allMarked =
            !rows.empty() &&
            std::all_of(rows.begin(), rows.end(), [](const SelectionRow& r) { return r.marked; });
        if (allMarked)
            messages().show({std::string(selection.allMarkedTitle), std::string(kAllMarkedText),
                             MessageIcon::Information, ButtonOk, ButtonOk});
    }
    const auto& lists = selectionLists();
    filter_.set(combineSelection(Get(kStatusChoice), lists[RepresentativesList].part.get(),
                                 lists[ClassificationsList].part.get(),
                                 lists[GroupsList].part.get()));
}

}  // namespace bb
