// The browse manager's events: what the list, its keys, its buttons and
// its popup do; the controls kept in step with the rows; and the update
// cycle with the window's update procedure and the toolbar's moves.
#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dictionary/process_values.h"
#include "ui/browse_manager.h"
#include "ui/frame_services.h"
#include "ui/scoped_value.h"
#include "ui/window_manager.h"

namespace bb {

namespace {

constexpr QKeyCombination kInsertKey{Qt::Key_Insert};
constexpr QKeyCombination kDeleteKey{Qt::Key_Delete};
constexpr QKeyCombination kCtrlReturn{Qt::ControlModifier, Qt::Key_Return};
constexpr QKeyCombination kCtrlEnter{Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter};

// The scroll event of each toolbar move, 2004 to 2009.
std::optional<EventKind> scrollOf(int request) {
    switch (request) {
        case ToolbarLast:
            return EventKind::ScrollBottom;
        case ToolbarFirst:
            return EventKind::ScrollTop;
        case ToolbarPageDown:
            return EventKind::PageDown;
        case ToolbarPageUp:
            return EventKind::PageUp;
        case ToolbarNext:
            return EventKind::ScrollDown;
        case ToolbarPrevious:
            return EventKind::ScrollUp;
        default:
            return std::nullopt;
    }
}

void enable(QAbstractButton* button, bool on) {
    if (button) button->setEnabled(on);
}

}  // namespace

// ----------------------------------------------------------- from the list

void BrowseManager::listScrolled(EventKind kind) {
    WINDOW->Post(kind, LISTCONTROL);
}

void BrowseManager::listTyped(QKeyCombination key, const QString& text) {
    WINDOW->Post({EventKind::AlertKey, LISTCONTROL, 0, key, text});
}

void BrowseManager::listRowChosen(int row, bool context) {
    contextPending_ = context;
    LISTCONTROL->Table()->ShowSelected(row);
    WINDOW->Post(EventKind::NewSelection, LISTCONTROL);
}

void BrowseManager::listDoubleClicked() {
    WINDOW->Post({EventKind::AlertKey, LISTCONTROL, 0, kDoubleClickKey});
}

// ------------------------------------------------------------------ events

bool BrowseManager::mine(const QWidget* control) const {
    return control && LISTCONTROL && (control == LISTCONTROL || LISTCONTROL->isAncestorOf(control));
}

void BrowseManager::OnEvent(const WindowEvent& event) {
    // A row edited in place takes the keys itself until it is done.
    if (editing_ || calling_ || sorts_.empty()) return;
    if (mine(event.control)) {
        switch (event.kind) {
            case EventKind::NewSelection:
                OnNewSelection();
                break;
            case EventKind::ScrollDrag:
                dragThumb();
                break;
            case EventKind::Locate:
                locateControl()->setFocus(Qt::ShortcutFocusReason);
                break;
            case EventKind::AlertKey:
                OnKey(event);
                break;
            default:
                if (event.kind >= EventKind::ScrollUp && event.kind <= EventKind::ScrollBottom)
                    OnScroll(event.kind);
                break;
        }
    }
    if (event.kind == EventKind::Accepted && event.control) onAccepted(event.control);
    // The caller of a list opened to select finds the record chosen in the buffer.
    if (event.kind == EventKind::CloseWindow && WINDOW->RESPONSE == ResponseCompleted && SELECTING)
        LoadSelectedRecord();
}

void BrowseManager::onAccepted(const QWidget* control) {
    if (control == DELETECONTROL || control == CHANGECONTROL || control == INSERTCONTROL) {
        WINDOW->Update();
        Interact(control == DELETECONTROL   ? DeleteRequest
                 : control == CHANGECONTROL ? ChangeRequest
                                            : InsertRequest);
    } else if (control == SELECTCONTROL) {
        WINDOW->RESPONSE = ResponseCompleted;
        WINDOW->Post(EventKind::CloseWindow);
    } else if (control == PRINTCONTROL) {
        RereadSelected();
        callProcedure(PRINTPROCEDURE, ProcessRequest);
    } else if (Locator* locator = CurrentSort().LOCATOR; locator && locator->OnAccepted(control)) {
        locate();
    }
}

QWidget* BrowseManager::locateControl() {
    const Locator* locator = CurrentSort().LOCATOR;
    if (locator && locator->CONTROL && locator->CONTROL->isEnabled()) return locator->CONTROL;
    return LISTCONTROL;
}

void BrowseManager::press(QAbstractButton* button) {
    if (button && button->isEnabled()) WINDOW->Post(EventKind::Accepted, button);
}

bool BrowseManager::OnKey(const WindowEvent& event) {
    const QKeyCombination key = event.key;
    const bool rows = model_->Count() > 0;
    bool handled = true;
    if (key == kInsertKey) {
        press(INSERTCONTROL);
    } else if (rows && key == kDeleteKey) {
        press(DELETECONTROL);
    } else if (rows && (key == kCtrlReturn || key == kCtrlEnter)) {
        LoadSelectedRecord();
        press(CHANGECONTROL);
    } else if (rows && key == kDoubleClickKey) {
        press(SELECTING ? SELECTCONTROL : CHANGECONTROL);
    } else {
        handled = locatorKey(event);
    }
    if (!handled) return false;
    RefreshControls();
    AnnounceSelection();
    return true;
}

// A key for the locator. The step locator positions at once; an entry
// locator only takes the typing, and positions when its entry is accepted.
bool BrowseManager::locatorKey(const WindowEvent& event) {
    Locator* locator = CurrentSort().LOCATOR;
    if (!locator) return false;
    const QKeyEvent typed(QEvent::KeyPress, event.key.key(), event.key.keyboardModifiers(),
                          event.text);
    if (!locator->OnKey(typed)) return false;
    if (!locator->CONTROL) locate();
    return true;
}

void BrowseManager::OnNewSelection() {
    if (model_->Count() == 0) return;
    const int shown = LISTCONTROL->Table()->currentIndex().row();
    if (shown >= 0) {
        CURRENTCHOICE = shown + 1;
        LASTCHOICE = CURRENTCHOICE;
    }
    LoadSelectedRecord();
    if (std::exchange(contextPending_, false)) {
        POPUP.Interact();
    } else {
        // Lists and fields that follow this record follow it now.
        WINDOW->Reset(false);
    }
}

// ------------------------------------------------------------ set-up keys

void BrowseManager::ArmKeys() {
    if (INSERTCONTROL) WINDOW->ArmKey(LISTCONTROL, kInsertKey);
    if (CHANGECONTROL) {
        WINDOW->ArmKey(LISTCONTROL, kCtrlReturn);
        WINDOW->ArmKey(LISTCONTROL, kCtrlEnter);
    }
    if (DELETECONTROL) WINDOW->ArmKey(LISTCONTROL, kDeleteKey);
    // The bar shows once the first page tells whether there is more.
    LISTCONTROL->ScrollBar()->setVisible(false);
    const std::pair<QAbstractButton*, std::string_view> items[] = {
        {INSERTCONTROL, "!&Insert"},
        {CHANGECONTROL, "!&Change"},
        {DELETECONTROL, "!&Delete"},
        {PRINTCONTROL, "!&Print"},
        {SELECTING ? SELECTCONTROL : nullptr, "!&Select"},
    };
    for (const auto& [button, text] : items) {
        if (button) POPUP.AddMimicItem("", button, text);
    }
    for (const BrowseSort& sort : sorts_) {
        if (sort.LOCATOR) sort.LOCATOR->ArmKeys(LISTCONTROL);
    }
}

// --------------------------------------------------------------- controls

void BrowseManager::RefreshControls() {
    if (sorts_.empty()) return;
    if (CurrentSort().LOCATOR) CurrentSort().LOCATOR->RefreshControls();
    const bool rows = Records() > 0;
    enable(CHANGECONTROL, rows);
    enable(DELETECONTROL, rows);
    enable(PRINTCONTROL, rows);
    if (SELECTCONTROL && SELECTING && WINDOW->REQUEST == SelectRequest) {
        SELECTCONTROL->setEnabled(rows);
        if (auto* push = qobject_cast<QPushButton*>(SELECTCONTROL); push && rows)
            push->setDefault(true);
    } else if (SELECTCONTROL && !SELECTING && HIDESELECT) {
        SELECTCONTROL->setEnabled(false);
        SELECTCONTROL->hide();
    }
    PlaceThumb();
    if (TOOLBAR) TOOLBAR->ShowButtons();
    LISTCONTROL->Table()->ShowSelected(CURRENTCHOICE - 1);
}

// ----------------------------------------------------------- update cycle

int BrowseManager::Interact(int request) {
    int response = ResponseCancelled;
    int& moving = *WINDOW->VCRREQUEST;
    do {
        moving = 0;
        // A new record gets the range's values, so that it lands in this list.
        if (request == InsertRequest && PrimeNewRecord() != SeverityNone) return ResponseCancelled;
        contextPending_ = false;
        if (!ASKPROCEDURE.empty()) {
            response = callProcedure(ASKPROCEDURE, request);
            RefreshAfterUpdate(request, response);
        } else {
            response = EditInPlace(request);
        }
    } while (moving != 0);
    return response;
}

int BrowseManager::callProcedure(std::string_view procedure, int request) {
    const ScopedFlag calling(calling_);
    return WINDOW->CallProcedure(procedure, request);
}

void BrowseManager::RefreshAfterUpdate(int& request, int response) {
    int& moving = *WINDOW->VCRREQUEST;
    if (response == ResponseCompleted && request == DeleteRequest) {
        if (model_->Count() > 0) model_->Remove(std::clamp(CURRENTCHOICE, 1, model_->Count()) - 1);
        ReloadRows(AroundShownRows);
    } else if (response == ResponseCompleted) {
        // The list stands on the record just written, on the same screen row.
        RepositionAtFile();
    } else {
        ReloadRows(AroundShownRows);
    }
    if (moving == ToolbarInsert || (moving == ToolbarNext && request == InsertRequest)) {
        // Saved, and another new record.
        request = InsertRequest;
        PRIMARY->Me->Buffer().clear();
    } else {
        OnNavigationRequest(moving);
    }
    if (moving != 0) return;
    LoadThumbLimits();
    RefreshControls();
    AnnounceSelection();
    WINDOW->Select(LISTCONTROL);
}

void BrowseManager::OnNavigationRequest(int request) {
    const auto scroll = scrollOf(request);
    if (!scroll) return;
    OnScroll(*scroll);
    // The next turn of the update cycle works on the record moved to.
    WINDOW->Reset(false);
    WINDOW->Update();
}

}  // namespace bb
