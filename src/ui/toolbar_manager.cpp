#include "ui/toolbar_manager.h"

#include <QAbstractButton>
#include <QWidget>
#include <algorithm>
#include <cassert>
#include <span>

#include "dictionary/process_values.h"
#include "ui/frame_services.h"
#include "ui/toolbar_commands.h"
#include "ui/window_manager.h"

namespace bb {

namespace {

// The tips of a form opened for a change: every move saves first.
constexpr ToolbarTip kChangeTips[] = {
    {ToolbarLast, "Save changes and go to last record"},
    {ToolbarFirst, "Save changes and go to first record"},
    {ToolbarPageDown, "Save changes and page down to record"},
    {ToolbarPageUp, "Save changes and page up to record"},
    {ToolbarNext, "Save changes and go to next record"},
    {ToolbarPrevious, "Save changes and go to previous record"},
    {ToolbarInsert, "Save this record and add a new one"},
};

// The tips of a form opened for an insert.
constexpr ToolbarTip kInsertTips[] = {
    {ToolbarInsert, "Save record and add another"},
    {ToolbarNext, "Save record and add another"},
};

// The tips of a list. 2008 is listed twice; the later text stands.
constexpr ToolbarTip kListTips[] = {
    {ToolbarNext, "Go to the Next Record"},      {ToolbarLast, "Go to the Last Page"},
    {ToolbarFirst, "Go to the First Page"},      {ToolbarPageDown, "Go to the Next Page"},
    {ToolbarPageUp, "Go to the Prior Page"},     {ToolbarNext, "Go to the Next Record"},
    {ToolbarPrevious, "Go to the Prior Record"}, {ToolbarInsert, "Insert a new Record"},
};

void applyTips(ToolbarManager& toolbar, std::span<const ToolbarTip> tips) {
    for (const ToolbarTip& tip : tips) toolbar.SetTip(tip.number, tip.text);
}

bool usable(const QAbstractButton* button) {
    return button && button->isEnabled();
}

void press(WindowManager& window, QAbstractButton* button) {
    if (button) window.Post(EventKind::Accepted, button);
}

// The list's scroll event for each move, 2004 to 2010 in order.
constexpr EventKind kListMoves[] = {
    EventKind::ScrollBottom, EventKind::ScrollTop, EventKind::PageDown, EventKind::PageUp,
    EventKind::ScrollDown,   EventKind::ScrollUp,  EventKind::Locate,
};

}  // namespace

void FrameToolbarDisplay::showToolbarButton(int number, const ToolbarButtonState& state) {
    // Another window's buttons are on the frame's toolbar while that window is active.
    if (toolbarCommandWindow() != window_) return;
    frameServices().setToolbarButton(number, state.enabled, state.tip);
}

// -------------------------------------------------------------- ToolbarTarget

void ToolbarTarget::showCommonButtons(ToolbarManager& toolbar) const {
    toolbar.SetEnabled(ToolbarSelect, usable(SELECTBUTTON));
    toolbar.SetEnabled(ToolbarDelete, usable(DELETEBUTTON));
    toolbar.SetEnabled(ToolbarChange, usable(CHANGEBUTTON));
    toolbar.SetEnabled(ToolbarInsert, usable(INSERTBUTTON));
    toolbar.SetEnabled(ToolbarHelp, usable(HELPBUTTON));
}

bool ToolbarTarget::HasOwnButtons() const {
    return INSERTBUTTON || CHANGEBUTTON || DELETEBUTTON || SELECTBUTTON;
}

bool ToolbarTarget::Holds(const QWidget* widget) const {
    if (!CONTROL || !widget) return false;
    if (widget == CONTROL || CONTROL->isAncestorOf(widget)) return true;
    const QAbstractButton* own[] = {INSERTBUTTON, CHANGEBUTTON, DELETEBUTTON, SELECTBUTTON};
    return std::find(std::begin(own), std::end(own), widget) != std::end(own);
}

void ToolbarTarget::handleCommon(int number, WindowManager& window) const {
    switch (number) {
        case ToolbarHelp:
            window.ShowHelp();
            break;
        case ToolbarInsert:
            press(window, INSERTBUTTON);
            break;
        case ToolbarChange:
            press(window, CHANGEBUTTON);
            break;
        case ToolbarDelete:
            press(window, DELETEBUTTON);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------- FormToolbarTarget

void FormToolbarTarget::ShowButtons(ToolbarManager& toolbar) {
    if (REQUEST == InsertRequest) {
        toolbar.SetEnabled(ToolbarChange, ToolbarPrevious, false);
        toolbar.SetEnabled(ToolbarLocate, false);
        toolbar.SetEnabled(ToolbarNext, true);
        toolbar.SetEnabled(ToolbarInsert, true);
    } else if (REQUEST == ChangeRequest) {
        toolbar.SetEnabled(ToolbarLast, ToolbarPrevious, true);
        toolbar.SetEnabled(ToolbarInsert, true);
        toolbar.SetEnabled(ToolbarChange, ToolbarSelect, false);
    } else {
        toolbar.SetEnabled(ToolbarInsert, ToolbarDitto, false);
        return;
    }
    toolbar.SetEnabled(ToolbarHelp, usable(HELPBUTTON));
    toolbar.SetEnabled(ToolbarDitto, HISTORY);
}

void FormToolbarTarget::SetTooltips(ToolbarManager& toolbar) {
    if (REQUEST == ChangeRequest) applyTips(toolbar, kChangeTips);
    if (REQUEST == InsertRequest) applyTips(toolbar, kInsertTips);
    ShowButtons(toolbar);
}

bool FormToolbarTarget::CanTakeToolbar(ToolbarManager& toolbar) {
    SetTooltips(toolbar);
    return true;
}

void FormToolbarTarget::HandleToolbar(int number, int& vcrRequest, WindowManager& window) {
    const bool move =
        number == ToolbarInsert || (number >= ToolbarLast && number <= ToolbarPrevious);
    if (!move) {
        handleCommon(number, window);
        return;
    }
    vcrRequest = number;
    if (window.OKCONTROL) window.Post(EventKind::Accepted, window.OKCONTROL);
}

// ---------------------------------------------------------- ListToolbarTarget

void ListToolbarTarget::ShowButtons(ToolbarManager& toolbar) {
    toolbar.SetEnabled(ToolbarDitto, false);
    toolbar.SetEnabled(ToolbarLast, ToolbarLocate, true);
    showCommonButtons(toolbar);
}

void ListToolbarTarget::SetTooltips(ToolbarManager& toolbar) {
    applyTips(toolbar, kListTips);
    ShowButtons(toolbar);
}

bool ListToolbarTarget::CanTakeToolbar(ToolbarManager& toolbar) {
    if (!CONTROL || !CONTROL->isVisible()) return false;
    SetTooltips(toolbar);
    return true;
}

void ListToolbarTarget::HandleToolbar(int number, int&, WindowManager& window) {
    if (number == ToolbarSelect) {
        window.Update();
        window.RESPONSE = ResponseCompleted;
        window.Post(EventKind::CloseWindow);
    } else if (number >= ToolbarLast && number <= ToolbarLocate) {
        window.Post({kListMoves[number - ToolbarLast], CONTROL});
    } else {
        handleCommon(number, window);
    }
}

// ------------------------------------------------------------- ToolbarManager

void ToolbarManager::Setup() {
    list_.clear();
    current_ = nullptr;
}

void ToolbarManager::RegisterTarget(ToolbarTarget& target, QWidget* control) {
    target.CONTROL = control;
    list_.emplace_back(control, &target);
}

void ToolbarManager::MakeCurrent(QWidget* control) {
    for (const auto& [registered, target] : list_) {
        if (registered != control) continue;
        makeCurrent(*target);
        return;
    }
}

void ToolbarManager::MakeCurrent() {
    ToolbarTarget* taker = nullptr;
    for (const auto& entry : list_) {
        if (entry.second->CanTakeToolbar(*this)) taker = entry.second;
    }
    if (taker) {
        makeCurrent(*taker);
    } else {
        redisplay();
    }
}

void ToolbarManager::Aim() {
    if (current_ && current_->CanTakeToolbar(*this)) {
        redisplay();
    } else {
        MakeCurrent();
    }
}

void ToolbarManager::FollowFocus(const QWidget* focused) {
    const auto held = std::find_if(list_.begin(), list_.end(), [focused](const auto& entry) {
        return entry.second->Holds(focused);
    });
    if (held != list_.end() && !held->second->HasOwnButtons()) return;
    ToolbarTarget* wanted = held != list_.end() ? held->second : home();
    if (wanted && wanted != current_) makeCurrent(*wanted);
}

void ToolbarManager::makeCurrent(ToolbarTarget& target) {
    current_ = &target;
    // No tip stays from a target that was current before (a list's "Go to
    // the Last Page" on a new record's form).
    for (ToolbarButtonState& button : buttons_) button.tip.clear();
    target.SetTooltips(*this);
    redisplay();
}

ToolbarTarget* ToolbarManager::home() {
    const auto form =
        std::find_if(list_.begin(), list_.end(), [](const auto& entry) { return !entry.first; });
    if (form != list_.end()) return form->second;
    for (const auto& entry : list_) {
        ToolbarTarget& list = *entry.second;
        if (list.HasOwnButtons() && list.CanTakeToolbar(*this)) return &list;
    }
    return nullptr;
}

void ToolbarManager::ShowButtons() {
    if (current_) current_->ShowButtons(*this);
    redisplay();
}

void ToolbarManager::Teardown() {
    list_.clear();
    current_ = nullptr;
    displays_.clear();
}

void ToolbarManager::OnEvent(int number, int& vcrRequest, WindowManager& window) {
    if (current_) current_->HandleToolbar(number, vcrRequest, window);
}

void ToolbarManager::AddDisplay(ToolbarDisplay& display) {
    displays_.push_back(&display);
}

const ToolbarButtonState& ToolbarManager::Button(int number) const {
    assert(number >= kFirstToolbarCommand && number <= kLastToolbarCommand);
    return buttons_[static_cast<std::size_t>(number - kFirstToolbarCommand)];
}

void ToolbarManager::SetEnabled(int number, bool enabled) {
    buttons_[static_cast<std::size_t>(number - kFirstToolbarCommand)].enabled = enabled;
}

void ToolbarManager::SetEnabled(int first, int last, bool enabled) {
    for (int number = first; number <= last; ++number) SetEnabled(number, enabled);
}

void ToolbarManager::SetTip(int number, std::string_view tip) {
    buttons_[static_cast<std::size_t>(number - kFirstToolbarCommand)].tip = tip;
}

void ToolbarManager::redisplay() {
    for (ToolbarDisplay* display : displays_) {
        for (int number = kFirstToolbarCommand; number <= kLastToolbarCommand; ++number)
            display->showToolbarButton(number, Button(number));
    }
}

}  // namespace bb
