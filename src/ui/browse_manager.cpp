// The browse manager's page: set-up, reading rows at either edge of the
// page, reloading a page around the highlighted row, choosing the sort
// order, and the row's records going to and from the record buffers.
#include "ui/browse_manager.h"

#include <QAbstractButton>
#include <algorithm>
#include <cassert>

#include "platform/message_service.h"
#include "ui/window_manager.h"

namespace bb {

BrowseManager::BrowseManager() = default;

BrowseManager::~BrowseManager() {
    if (list_) list_->setListener(nullptr);
}

// ------------------------------------------------------------------ set-up

void BrowseManager::Setup(BrowseList& list, WindowManager& window, RelationManager& primary,
                          const ViewSpec& view, std::string_view format) {
    WINDOW = &window;
    LISTCONTROL = &list;
    list_ = &list;
    std::string why;
    auto parsed = ListFormat::parse(format, &why);
    assert(parsed && "a list declares a format this program cannot read");
    model_ = std::make_unique<BrowseModel>(parsed ? std::move(*parsed) : ListFormat{}, nullptr);
    list.SetModel(model_.get());
    list.setListener(this);
    RETAINROW = true;
    POPUP.Setup();
    ViewManager::Setup(view, primary, &SORT);
    window.Attach(*this);
}

int BrowseManager::DefineSortOrder(StepManager* step, int key) {
    const int number = ViewManager::DefineSortOrder(key);
    sorts_.emplace_back();
    sorts_.back().THUMB = step;
    return number;
}

void BrowseManager::DefineLocator(Locator* locator) {
    CurrentSort().LOCATOR = locator;
}

void BrowseManager::DefineResetField(FieldPairList::Getter value, FieldPairList::Setter set) {
    CurrentSort().RESETS.AddPair(std::move(value), std::move(set));
}

void BrowseManager::DefineResetField(FieldRef field) {
    DefineResetField([field] { return field.value(); },
                     [field](const Value& v) { (void)buffer(field.file()).set(field.index(), v); });
}

void BrowseManager::DefineColumn(FieldRef field) {
    FIELDS.push_back(field);
}

void BrowseManager::AttachToolbar(ToolbarManager& toolbar) {
    TOOLBAR = &toolbar;
    TOOLBARITEM = std::make_unique<ListToolbarTarget>();
    TOOLBARITEM->BROWSE = this;
    TOOLBARITEM->INSERTBUTTON = INSERTCONTROL;
    TOOLBARITEM->CHANGEBUTTON = CHANGECONTROL;
    TOOLBARITEM->DELETEBUTTON = DELETECONTROL;
    TOOLBARITEM->SELECTBUTTON = SELECTCONTROL;
    TOOLBARITEM->HELPBUTTON = WINDOW->ButtonOf(ButtonRole::Help);
    toolbar.RegisterTarget(*TOOLBARITEM, LISTCONTROL);
    // A window's first list is its main one: a list beside it (the
    // highlighted record's details) does not take the toolbar from it.
    if (!toolbar.Current()) toolbar.MakeCurrent(LISTCONTROL);
}

BrowseSort& BrowseManager::CurrentSort() {
    assert(!sorts_.empty() && "a browse has at least one sort order");
    return sorts_[static_cast<std::size_t>(&Current() - SORT.data())];
}

void BrowseManager::SetSelecting(bool selecting) {
    SELECTING = selecting;
}

void BrowseManager::Teardown() {
    for (BrowseSort& sort : sorts_) {
        if (sort.THUMB) sort.THUMB->Teardown();
        if (sort.LOCATOR) sort.LOCATOR->Teardown();
    }
    sorts_.clear();
    if (list_) list_->setListener(nullptr);
    if (model_) model_->Clear();
    rowBuffer_.reset();
    POPUP.Teardown();
    if (TOOLBAR) TOOLBAR = nullptr;
    FIELDS.clear();
    EDITLIST.clear();
    ViewManager::Teardown();
}

// ------------------------------------------------------------------- reads

Severity BrowseManager::Next() {
    const Severity result = ViewManager::Next();
    if (result == SeverityNotify && !sorts_.empty()) CurrentSort().RESETS.AssignRightToLeft();
    if (result == SeverityFatal) WINDOW->Post(EventKind::CloseWindow);
    return result;
}

Severity BrowseManager::Previous() {
    const Severity result = ViewManager::Previous();
    if (result == SeverityNotify && !sorts_.empty()) CurrentSort().RESETS.AssignRightToLeft();
    if (result == SeverityFatal) WINDOW->Post(EventKind::CloseWindow);
    return result;
}

std::vector<FileId> BrowseManager::viewFiles() const {
    std::vector<FileId> files = {Spec().primary};
    for (const ViewJoin& join : Spec().joins) files.push_back(join.file);
    return files;
}

void BrowseManager::FillRow() {
    filling_.cells.clear();
    for (const FieldRef& field : FIELDS) filling_.cells.push_back(field.value());
    filling_.records.clear();
    for (FileId file : viewFiles()) filling_.records.push_back(buffer(file));
    filling_.colours.clear();
    if (colours_) {
        for (int c = 0; c < static_cast<int>(model_->Format().columns.size()); ++c)
            filling_.colours.push_back(colours_(c));
    }
    filling_.position = Position();
    filling_.recordPosition = RecordPosition(0);
}

int BrowseManager::rowIndexOf(const std::string& position) const {
    for (int i = 0; i < model_->Count(); ++i) {
        if (model_->Row(i).position == position) return i;
    }
    return -1;
}

void BrowseManager::positionAtRow(const BrowseRow& row) {
    if (ResetToPositionQuietly(row.position)) return;
    // Another station removed the row's record: the reads start at its key
    // values instead, where it stood.
    const std::vector<FileId> files = viewFiles();
    for (std::size_t i = 0; i < files.size() && i < row.records.size(); ++i)
        buffer(files[i]) = row.records[i];
    const int key = Current().MAINKEY;
    Reset(key >= 0 ? PRIMARY->Me->KeyComponents(key) : 0);
}

void BrowseManager::readAhead(bool on) {
    PRIMARY->SetReadAhead(on, RelationManager::ThisFileOnly);
}

void BrowseManager::Fetch(int direction) {
    const bool backward = direction == FillBackward;
    const bool quick = QUICKSCAN && ITEMSTOFILL > 1;
    if (quick) readAhead(true);
    if (model_->Count() > 0) positionAtRow(model_->Row(backward ? 0 : model_->Count() - 1));
    while (ITEMSTOFILL > 0) {
        if ((backward ? Previous() : Next()) != SeverityNone) break;
        // The edge row is read again first; a record the page shows already
        // (one another station moved past the edge) is not shown twice.
        if (rowIndexOf(Position()) >= 0) continue;
        if (model_->Count() > 0 && model_->Count() >= LASTITEMS)
            model_->Remove(backward ? model_->Count() - 1 : 0);
        FillRow();
        if (backward) {
            model_->Prepend(filling_);
        } else {
            model_->Append(filling_);
        }
        --ITEMSTOFILL;
    }
    if (quick) readAhead(false);
    reachedEnd_ = ITEMSTOFILL > 0;
}

// ------------------------------------------------------------------ reload

void BrowseManager::findRememberedRow(const std::string& target, int oldChoice, int& above) {
    CURRENTCHOICE = target.empty() ? 1 : rowIndexOf(target) + 1;
    if (RETAINROW) above = oldChoice - CURRENTCHOICE;
}

bool BrowseManager::listVisible() const {
    return LISTCONTROL && LISTCONTROL->isVisible();
}

void BrowseManager::ReloadRows(int mode) {
    if (!ACTIVEINVISIBLE && !listVisible()) {
        LOADPENDING = true;
        return;
    }
    LOADED = true;
    LOADPENDING = false;
    // Before the reads: a change made while they run shows at the next look.
    loadedAt_ = VIEW->changeMark();
    const WaitCursor busy;
    CURRENTCHOICE = std::max(CURRENTCHOICE, 1);
    std::string target;
    int above = 0;
    bool fromStart = false;
    if (mode == AroundShownRows) {
        if (model_->Count() > 0) {
            target = model_->Row(std::min(CURRENTCHOICE, model_->Count()) - 1).position;
            positionAtRow(model_->Row(0));
        } else {
            Reset(0);
            fromStart = true;
        }
    } else if (RETAINROW) {
        above = CURRENTCHOICE - 1;
    }
    const int oldChoice = CURRENTCHOICE;
    model_->Clear();
    ITEMSTOFILL = LASTITEMS - above;
    Fetch(FillForward);
    const bool hitEnd = ITEMSTOFILL > 0;
    const int read = model_->Count();
    if (target.empty() && read > 0) target = model_->Row(0).position;
    findRememberedRow(target, oldChoice, above);
    if (read == 0) Reset(0);
    fillBackward(fromStart, read, target, oldChoice, above);
    if (RETAINROW && (above < 0 || (model_->Count() < LASTITEMS && !hitEnd))) {
        ITEMSTOFILL = std::max(-above, LASTITEMS - model_->Count());
        Fetch(FillForward);
        findRememberedRow(target, oldChoice, above);
    }
    while (model_->Count() > LASTITEMS) {
        if (above < 0) {
            model_->Remove(0);
            ++above;
            --CURRENTCHOICE;
        } else {
            model_->Remove(model_->Count() - 1);
        }
    }
    CURRENTCHOICE = std::max(CURRENTCHOICE, 1);
    if (model_->Count() > 0) {
        LoadSelectedRecord();
    } else {
        // No row: what the window shows of the joined files is blank too,
        // not the record another window read last.
        for (FileId file : viewFiles()) buffer(file).clear();
    }
}

// The page is filled from above when the records after the start ran out
// (unless it may stay unfilled), and by the rows to keep above the
// remembered one.
void BrowseManager::fillBackward(bool fromStart, int read, std::string& target, int oldChoice,
                                 int& above) {
    ITEMSTOFILL = ALLOWUNFILLED ? 0 : LASTITEMS - read;
    if (fromStart || (ITEMSTOFILL <= 0 && above <= 0)) return;
    ITEMSTOFILL = std::max(ITEMSTOFILL, above);
    Fetch(FillBackward);
    if (target.empty() && model_->Count() > 0) target = model_->Row(model_->Count() - 1).position;
    findRememberedRow(target, oldChoice, above);
}

// ------------------------------------------------------------- sort order

int BrowseManager::ChooseSortOrder(int order, bool force) {
    const bool changed = ViewManager::ChooseSortOrder(order);
    if (changed && CurrentSort().LOCATOR) CurrentSort().LOCATOR->Clear();
    int result = 0;
    const bool needed = ResetNeeded();
    if (needed || changed || force || !LOADED || LOADPENDING) {
        CurrentSort().RESETS.AssignLeftToRight();
        ApplyFilterText();
        ApplyRangeLimit();
        // The rows of another range (the parent record changed) are not
        // this list's any more: it starts again from its first record.
        if (std::exchange(rangeChanged_, false)) model_->Clear();
        if ((!SELECTING && !STARTATCURRENT) || LOADED) {
            if (model_->Count() > 0 && rowBuffer_) {
                positionAtRow(*rowBuffer_);
                ReloadRows(FromViewPosition);
            } else {
                ReloadRows(AroundShownRows);
            }
        } else {
            // A list opened to select, or at the current record, opens on
            // the record in the caller's buffer.
            const int free = FreeElementPosition();
            const int key = Current().MAINKEY;
            Reset(free > 0 ? free : (key >= 0 ? PRIMARY->Me->KeyComponents(key) : 0));
            ReloadRows(FromViewPosition);
        }
        if (!LOADPENDING) {
            AnnounceSelection();
            LoadThumbLimits();
            result = 1;
        }
    }
    LoadSelectedRecord();
    return result;
}

void BrowseManager::ApplySortOrder(bool force) {
    // Not under a row being edited in place: a reload would take it away.
    if (sorts_.empty() || calling_ || editing_) return;
    ChooseSortOrder(chosenOrder(), force);
}

bool BrowseManager::ResetNeeded() {
    if (sorts_.empty() || !LISTCONTROL || calling_) return false;
    bool needed = false;
    const int visible = LISTCONTROL->Table()->VisibleRows();
    if (visible != LASTITEMS) {
        LASTITEMS = visible;
        needed = true;
    }
    if (ViewManager::ApplyRangeLimit()) {
        rangeChanged_ = true;
        needed = true;
    }
    if (!CurrentSort().RESETS.Equal()) needed = true;
    if (needed) LOADPENDING = true;
    return needed;
}

void BrowseManager::NoteOutsideChanges() {
    if (!LOADED || calling_) return;
    const std::optional<ChangeMark> now = VIEW->changeMark();
    if (!now || now != loadedAt_) LOADPENDING = true;
}

// ------------------------------------------------------ the selected row

void BrowseManager::LoadSelectedRecord() {
    if (model_->Count() == 0) {
        for (const FieldRef& field : FIELDS) field.clear();
        rowBuffer_.reset();
        return;
    }
    // A row that has gone from the page leaves the last one selected.
    const int row = std::clamp(CURRENTCHOICE, 1, model_->Count()) - 1;
    rowBuffer_ = model_->Row(row);
    const std::vector<FileId> files = viewFiles();
    for (std::size_t i = 0; i < files.size() && i < rowBuffer_->records.size(); ++i)
        buffer(files[i]) = rowBuffer_->records[i];
}

void BrowseManager::RereadSelected() {
    if (model_->Count() == 0) return;
    const int shown = LISTCONTROL->Table()->currentIndex().row();
    if (shown >= 0) CURRENTCHOICE = shown + 1;
    LoadSelectedRecord();
    // Read again as it is now: a later write then notices another
    // station's change made since.
    if (!rowBuffer_->recordPosition.empty())
        (void)PRIMARY->Me->RegetQuietly(rowBuffer_->recordPosition);
}

int BrowseManager::RowCount() const {
    return model_ ? model_->Count() : 0;
}

void BrowseManager::SelectNextRow() {
    ScrollRow(EventKind::ScrollDown);
    LoadSelectedRecord();
}

int BrowseManager::Records() {
    const int rows = model_->Count();
    if (rows == 0) CURRENTCHOICE = 0;
    if (!sorts_.empty() && CurrentSort().LOCATOR) CurrentSort().LOCATOR->UpdateEnabled(rows);
    return rows;
}

void BrowseManager::AnnounceSelection() {
    LISTCONTROL->Table()->ShowSelected(CURRENTCHOICE - 1);
    WINDOW->Post(EventKind::NewSelection, LISTCONTROL);
}

}  // namespace bb
