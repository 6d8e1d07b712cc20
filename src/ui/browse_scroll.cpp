// The browse manager's moves through the records: by row, by page, to
// either end, to a place of the thumb, to a typed value and back to a
// record; and the thumb that shows where the highlighted record lies.
#include <QScrollBar>
#include <algorithm>

#include "ui/browse_manager.h"
#include "ui/window_manager.h"

namespace bb {

namespace {

// The thumb's places: the top, the middle, the bottom of the bar.
constexpr int kThumbTop = 0;
constexpr int kThumbMiddle = 50;
constexpr int kThumbBottom = 100;

bool downward(const std::optional<EventKind>& event) {
    return event == EventKind::ScrollDown || event == EventKind::PageDown ||
           event == EventKind::ScrollBottom;
}

bool upward(const std::optional<EventKind>& event) {
    return event == EventKind::ScrollUp || event == EventKind::PageUp ||
           event == EventKind::ScrollTop;
}

}  // namespace

void BrowseManager::OnScroll(EventKind event) {
    CURRENTEVENT = event;
    if (model_->Count() == 0) return;
    switch (event) {
        case EventKind::ScrollUp:
        case EventKind::ScrollDown:
            ScrollRow(event);
            break;
        case EventKind::PageUp:
        case EventKind::PageDown:
            ScrollByPage(event);
            break;
        case EventKind::ScrollTop:
        case EventKind::ScrollBottom:
            ScrollToEnd(event);
            break;
        default:
            return;
    }
    // The reads left the buffers on the last record read.
    LoadSelectedRecord();
    AnnounceSelection();
    if (CurrentSort().LOCATOR) CurrentSort().LOCATOR->Clear();
    if (!CurrentSort().THUMB) PlaceThumb();
}

void BrowseManager::ScrollRow(EventKind event) {
    const bool up = event == EventKind::ScrollUp;
    if (up && CURRENTCHOICE > 1) {
        --CURRENTCHOICE;
    } else if (!up && CURRENTCHOICE < model_->Count()) {
        ++CURRENTCHOICE;
    } else {
        // At the edge of the page the page moves by one row under the
        // selection.
        ITEMSTOFILL = 1;
        Fetch(up ? FillBackward : FillForward);
    }
}

void BrowseManager::ScrollByPage(EventKind event) {
    const bool up = event == EventKind::PageUp;
    ITEMSTOFILL = LASTITEMS;
    Fetch(up ? FillBackward : FillForward);
    // The rows the data could not move make the selection move instead.
    const int missing = ITEMSTOFILL;
    CURRENTCHOICE = up ? std::max(1, CURRENTCHOICE - missing)
                       : std::min(model_->Count(), CURRENTCHOICE + missing);
}

void BrowseManager::ScrollToEnd(EventKind event) {
    const bool top = event == EventKind::ScrollTop;
    model_->Clear();
    Reset(0);
    ITEMSTOFILL = LASTITEMS;
    Fetch(top ? FillForward : FillBackward);
    CURRENTCHOICE = top ? 1 : model_->Count();
    // The list shows an end of the data now, full page or not.
    reachedEnd_ = true;
}

// ------------------------------------------------------------------- thumb

Value BrowseManager::freeElementOf(const BrowseRow& row) {
    const SortOrder& order = Current();
    if (order.MAINKEY < 0 || order.FREEELEMENT == 0 || row.records.empty()) return {};
    return row.records.front().get(
        PRIMARY->Me->KeyComponentField(order.MAINKEY, order.FREEELEMENT));
}

int BrowseManager::fixedThumb() const {
    if (reachedEnd_) {
        if (downward(CURRENTEVENT) && CURRENTCHOICE == model_->Count()) return kThumbBottom;
        if (upward(CURRENTEVENT) && CURRENTCHOICE == 1) return kThumbTop;
    }
    return kThumbMiddle;
}

void BrowseManager::PlaceThumb() {
    const int rows = model_->Count();
    // A bar is shown only while there may be more records than the page.
    if (HASTHUMB) LISTCONTROL->ScrollBar()->setVisible(rows > 0 && rows >= LASTITEMS);
    StepManager* step = CurrentSort().THUMB;
    if (step && Current().FREEELEMENT > 0 && LOADED && !LOADPENDING && rows > 0) {
        const int row = std::clamp(CURRENTCHOICE, 1, rows) - 1;
        LISTCONTROL->PlaceThumb(step->PercentOf(freeElementOf(model_->Row(row))));
    } else {
        LISTCONTROL->PlaceThumb(fixedThumb());
    }
}

void BrowseManager::LoadThumbLimits() {
    StepManager* step = CurrentSort().THUMB;
    const SortOrder& order = Current();
    if (!step || !step->NeedsBounds() || order.MAINKEY < 0 || order.FREEELEMENT == 0) return;
    // With every record on the page there is nowhere to scroll to.
    if (!ALLOWUNFILLED && model_->Count() < LASTITEMS) return;
    const FieldRef free(Spec().primary,
                        PRIMARY->Me->KeyComponentField(order.MAINKEY, order.FREEELEMENT));
    Reset(0);
    const bool lastRead = Previous() == SeverityNone;
    const Value last = free.value();
    Reset(0);
    const bool firstRead = lastRead && Next() == SeverityNone;
    if (firstRead) step->SetBounds(free.value(), last);
    LoadSelectedRecord();
}

// The thumb let go at a place: the record near that place of the order.
void BrowseManager::dragThumb() {
    const int percent = LISTCONTROL->Thumb();
    StepManager* step = CurrentSort().THUMB;
    const SortOrder& order = Current();
    if (percent <= 1) {
        WINDOW->Post(EventKind::ScrollTop, LISTCONTROL);
    } else if (percent >= kThumbBottom) {
        WINDOW->Post(EventKind::ScrollBottom, LISTCONTROL);
    } else if (step && order.MAINKEY >= 0 && order.FREEELEMENT > 0) {
        FileManager& file = *PRIMARY->Me;
        (void)file.Buffer().set(file.KeyComponentField(order.MAINKEY, order.FREEELEMENT),
                                step->ValueAt(percent));
        // The components after the free element start from their lowest
        // values, so that the list opens at the first record of that value.
        const int components = file.KeyComponents(order.MAINKEY);
        if (order.FREEELEMENT < components)
            file.ClearKey(order.MAINKEY, order.FREEELEMENT + 1, components);
        RepositionAtBuffer();
    } else if (percent < kThumbMiddle) {
        WINDOW->Post(EventKind::PageUp, LISTCONTROL);
    } else if (percent > kThumbMiddle) {
        WINDOW->Post(EventKind::PageDown, LISTCONTROL);
    }
}

// ------------------------------------------------------------- positioning

void BrowseManager::RepositionAtBuffer() {
    const int key = Current().MAINKEY;
    Reset(key >= 0 ? PRIMARY->Me->KeyComponents(key) : 1);
    ReloadRows(FromViewPosition);
    RefreshControls();
}

void BrowseManager::RepositionAtFile() {
    const std::string record = PRIMARY->Me->Position();
    const Record written = PRIMARY->Me->Buffer();
    const int key = Current().MAINKEY;
    const int components = key >= 0 ? PRIMARY->Me->KeyComponents(key) : 0;
    Reset(components);
    // The record is among those with its key values; the view's rows are
    // found by their own positions.
    bool found = false;
    for (int read = 0; !found && read <= LASTITEMS && !record.empty(); ++read) {
        if (ViewManager::Next() != SeverityNone) break;
        found = RecordPosition(0) == record;
    }
    // One the list does not show (outside its range or filter) leaves the
    // list where it would stand.
    if (!found || !ResetToPositionQuietly(Position())) {
        PRIMARY->Me->Buffer() = written;
        Reset(components);
    }
    ReloadRows(FromViewPosition);
}

void BrowseManager::locate() {
    const int free = FreeElementPosition();
    const int key = Current().MAINKEY;
    Reset(free > 0 ? free : (key >= 0 ? PRIMARY->Me->KeyComponents(key) : 0));
    LISTCONTROL->setFocus(Qt::OtherFocusReason);
    ReloadRows(FromViewPosition);
    if (CurrentSort().LOCATOR) CurrentSort().LOCATOR->Clear();
    RefreshControls();
}

}  // namespace bb
