// The window manager's actions on its record: preparing the request, the
// insert, change and delete that OK completes, the ditto of a field, and
// what closing a form with unsaved changes asks.
#include <QAbstractButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "ui/scoped_value.h"
#include "ui/window_manager.h"

namespace bb {

namespace {

bool deletesAtOnce(DeleteAction action) {
    return action == DeleteAction::Confirm || action == DeleteAction::WithoutAsking;
}

bool isTabPage(const QWidget& widget) {
    const QWidget* stack = widget.parentWidget();
    return qobject_cast<const QStackedWidget*>(stack) != nullptr &&
           qobject_cast<const QTabWidget*>(stack->parentWidget()) != nullptr;
}

// Hidden by the window's own code (Show), itself or a box around it; a
// control on a tab that is not showing is only covered by the other tabs.
bool hiddenOnPurpose(const QWidget& control, const QWidget& window) {
    for (const QWidget* widget = &control; widget && widget != &window;
         widget = widget->parentWidget()) {
        if (widget->isHidden() && !isTabPage(*widget)) return true;
    }
    return false;
}

}  // namespace

int WindowManager::PrepareRequest() {
    if (!PRIMARY) return LevelCarryOn;
    // The links as read, so that the change can tell which ones it changes.
    PRIMARY->SaveLinks();
    for (auto& [file, saved] : FILES) saved = file->SaveCopy();
    if (REQUEST == InsertRequest) {
        RESPONSE = ResponseCompleted;
        SeedNewRecord();
        // A seed that cancels keeps the window from opening.
        if (RESPONSE == ResponseCancelled) return LevelHandled;
        RESPONSE = ResponseCancelled;
    } else if (REQUEST == DeleteRequest && deletesAtOnce(DELETEACTION)) {
        RESPONSE = deleteRecord(DELETEACTION == DeleteAction::Confirm) ? ResponseCompleted
                                                                       : ResponseCancelled;
        return LevelHandled;
    }
    SAVED = PRIMARY->Me->SaveCopy();
    return LevelCarryOn;
}

bool WindowManager::acceptAll() {
    {
        const ScopedFlag accepting(acceptingAll_);
        for (const auto& control : built_.controls) {
            QWidget* widget = control->widget();
            if (!control->editable() || !widget->isEnabled() || hiddenOnPurpose(*widget, *widget_))
                continue;
            if (!commit(*control)) return false;
            handle({EventKind::Accepted, widget});
            if (DEAD || loopEnded_) return false;
        }
    }
    if (!CheckFields()) return false;
    Post(EventKind::Completed);
    return true;
}

int WindowManager::OnCompleted() {
    // The record as completed is what ditto puts back next time.
    std::vector<const Record*> copied;
    for (const HistoryEntry& entry : history_) {
        if (std::find(copied.begin(), copied.end(), entry.source) != copied.end()) continue;
        *entry.copy = *entry.source;
        copied.push_back(entry.source);
    }
    if (!PRIMARY) {
        EndWith(ResponseCompleted);
        return LevelCarryOn;
    }
    switch (REQUEST) {
        case InsertRequest:
            return insertAction();
        case ChangeRequest:
            return changeAction();
        case DeleteRequest:
            return deleteAction();
        default:
            EndWith(ResponseCompleted);
            return LevelCarryOn;
    }
}

int WindowManager::insertAction() {
    FileManager& file = *PRIMARY->Me;
    if (file.Insert() != SeverityNone) {
        Select(FIRSTFIELD);
        return LevelHandled;
    }
    // Whatever the action, the caller gets the record added last.
    LASTINSERTEDPOSITION = file.Position();
    InsertAction action = INSERTACTION;
    if (action == InsertAction::Ask)
        action = ERRORS->Throw(ErrRecordAdded) == SeverityNone ? InsertAction::Another
                                                               : InsertAction::End;
    if (action == InsertAction::End) {
        EndWith(ResponseCompleted);
        return LevelCarryOn;
    }
    if (action != InsertAction::Another) {
        keepShowingInserted();
        return LevelCarryOn;
    }
    // Another record: the form starts again from what it was primed with.
    for (auto& [other, saved] : FILES) {
        other->RestoreCopy(saved, true);
        saved = other->SaveCopy();
    }
    file.RestoreCopy(SAVED, true);
    if (file.PrimeNewRecord(true) != SeverityNone) Post(EventKind::CloseWindow);
    SeedNewRecord();
    RESPONSE = ResponseCancelled;
    SAVED = file.SaveCopy();
    Display(true);
    Select(FIRSTFIELD);
    return LevelHandled;
}

void WindowManager::keepShowingInserted() {
    // The record shown is on file now: a further OK saves changes to it
    // instead of adding it a second time, and closing asks nothing unless
    // it was changed since.
    REQUEST = ChangeRequest;
    PRIMARY->SaveLinks();
    PRIMARY->Me->RestoreCopy(SAVED, false);
    SAVED = PRIMARY->Me->SaveCopy();
    formTarget_.REQUEST = REQUEST;
    showToolbar();
    SetCaption(decl_.changingCaption);
}

int WindowManager::changeAction() {
    while (true) {
        RESPONSE = ResponseCancelled;
        const bool changed = !PRIMARY->Me->BufferUnchanged(SAVED);
        Severity result = SeverityNone;
        if (changed) {
            const WaitCursor busy;
            result = PRIMARY->Update(HISTORYKEY != QKeyCombination());
        }
        if (result == SeverityAsk) {
            const Button answer =
                ERRORS->Message(ErrRecordUpdate, ButtonYes | ButtonNo | ButtonCancel, ButtonCancel);
            if (answer == ButtonYes) continue;
            if (answer == ButtonNo) {
                Post(EventKind::CloseWindow);
                return LevelCarryOn;
            }
        }
        if (result != SeverityNone) {
            Display(true);
            Select(FIRSTFIELD);
            return LevelHandled;
        }
        // Unchanged counts as done, unless the toolbar is moving on to
        // another record: then nothing was done to this one.
        if (changed || (TOOLBAR && *VCRREQUEST == 0)) RESPONSE = ResponseCompleted;
        Post(EventKind::CloseWindow);
        return LevelCarryOn;
    }
}

int WindowManager::deleteAction() {
    RESPONSE = ResponseCancelled;
    if (deleteRecord(true)) {
        EndWith(ResponseCompleted);
        return LevelCarryOn;
    }
    // Declined, or failed (and said why): the form stays, showing the
    // record as it now is.
    Display();
    Select(FIRSTFIELD);
    return LevelHandled;
}

bool WindowManager::deleteRecord(bool ask) {
    const std::string position = PRIMARY->Me->Position();
    if (PRIMARY->Delete(ask) == SeverityNone) return true;
    // Gone all the same: the caller reloads its list without it.
    return !position.empty() && PRIMARY->Me->RegetQuietly(position) == SeverityNotify;
}

void WindowManager::EndWith(int response) {
    RESPONSE = response;
    Post(EventKind::CloseWindow);
    // Ending a form ends any move the toolbar was making through records.
    if (response == ResponseCancelled && TOOLBAR) *VCRREQUEST = 0;
}

int WindowManager::OnCloseRequest() {
    if (RESPONSE == ResponseCompleted || !PRIMARY) return LevelCarryOn;
    const bool editing = REQUEST == InsertRequest || REQUEST == ChangeRequest;
    // What the user is still typing counts: leaving for Cancel reads nothing.
    const bool changed = !PRIMARY->Me->BufferUnchanged(SAVED) || typingPending();
    if (CANCELACTION != CancelAction::Close && editing && changed) {
        if (const int kept = askToSaveOnClose(); kept != LevelCarryOn) return kept;
    }
    if (ORIGINALREQUEST == InsertRequest && RESPONSE != ResponseCompleted &&
        PRIMARY->CancelNumber() != SeverityNone) {
        Select(FIRSTFIELD);
        return LevelHandled;
    }
    if (!LASTINSERTEDPOSITION.empty()) {
        RESPONSE = ResponseCompleted;
        (void)PRIMARY->Me->RegetQuietly(LASTINSERTEDPOSITION);
    }
    return LevelCarryOn;
}

bool WindowManager::typingPending() const {
    return std::any_of(built_.controls.begin(), built_.controls.end(), [](const auto& control) {
        return control->editable() && control->modified();
    });
}

int WindowManager::askToSaveOnClose() {
    // The action's bits: 1 offers to save, 2 asks before saving.
    constexpr int kOffersSave = 1;
    constexpr int kAsksFirst = 2;
    const auto action = static_cast<int>(CANCELACTION);
    if (!(action & kOffersSave)) {
        if (ERRORS->Throw(ErrConfirmCancel) == SeverityNone) return LevelCarryOn;
        Select(FIRSTFIELD);
        return LevelHandled;
    }
    Button answer = ButtonYes;
    if (action & kAsksFirst) {
        answer = ERRORS->Message(ErrSaveRecord, ButtonYes | ButtonNo | ButtonCancel, ButtonCancel);
    }
    if (answer == ButtonNo) return LevelCarryOn;
    if (answer == ButtonYes) {
        if (OKCONTROL) Post(EventKind::Accepted, OKCONTROL);
    } else {
        Select(FIRSTFIELD);
    }
    return LevelHandled;
}

void WindowManager::DittoField(QWidget* control) {
    if (!control) return;
    for (const HistoryEntry& entry : history_) {
        if (!entry.control->owns(control)) continue;
        (void)entry.source->set(entry.field, entry.copy->get(entry.field));
        entry.control->display(true);
        return;
    }
}

}  // namespace bb
