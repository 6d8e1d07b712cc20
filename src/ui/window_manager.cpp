// The window manager's event handling: how Qt's events and the controls'
// changes become the window's events, and how each is handled.
#include "ui/window_manager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <map>

#include "dictionary/process_values.h"
#include "platform/message_service.h"
#include "platform/runtime.h"
#include "platform/text.h"
#include "ui/browse_manager.h"
#include "ui/field_columns.h"
#include "ui/file_drop.h"
#include "ui/frame_services.h"
#include "ui/marked_list.h"
#include "ui/procedures.h"
#include "ui/scoped_value.h"
#include "ui/toolbar_strip.h"
#include "ui/tree_list.h"
#include "ui/window_ids.h"
#include "ui/window_placement.h"
#include "ui/window_registry.h"

namespace bb {

namespace {

int posted = 0;

std::map<const QWidget*, WindowManager*>& windows() {
    static std::map<const QWidget*, WindowManager*> open;
    return open;
}

WindowObserver*& observer() {
    static WindowObserver* installed = nullptr;
    return installed;
}

// The window that gained the focus last and has not lost it.
WindowManager*& focusHolder() {
    static WindowManager* holder = nullptr;
    return holder;
}

}  // namespace

int postedWindowEvents() {
    return posted;
}

namespace detail {
void countPosted(int delta) {
    posted += delta;
}
}  // namespace detail

WindowObserver* installWindowObserver(WindowObserver* installed) {
    WindowObserver* previous = observer();
    observer() = installed;
    return previous;
}

// ------------------------------------------------------------- construction

WindowManager::WindowManager(WindowDecl decl) : decl_(flattened(std::move(decl))) {
    QObject::connect(&timer_, &QTimer::timeout, &poster_, [this] { deliver({EventKind::Timer}); });
}

WindowManager::~WindowManager() {
    // Events posted to this window and not handled will never be.
    detail::countPosted(-pending_);
    if (focusHolder() == this) focusHolder() = nullptr;
    if (widget_) {
        windows().erase(widget_.data());
        unregisterToolbarTarget(*widget_);
        QObject::disconnect(widget_.data(), nullptr, &poster_, nullptr);
    }
    // The controls stop watching their widgets before the widgets go.
    built_.controls.clear();
    ownedWidget_.reset();
}

void WindowManager::registerWidget() {
    windows()[widget_.data()] = this;
    registerToolbarTarget(*widget_, *this);
}

WindowManager* WindowManager::Owning(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const auto found = windows().find(w);
        if (found != windows().end()) return found->second;
    }
    return nullptr;
}

// ----------------------------------------------------------------- running

int WindowManager::Run() {
    called_ = true;
    thread_ = currentThread();
    const ThreadScope scope(thread_);
    // Where the user was: the caller gets it back when this window closes.
    const QPointer<QWidget> callerWindow = QApplication::activeWindow();
    const QPointer<QWidget> callerFocus = QApplication::focusWidget();
    if (Setup() == 0) Interact();
    Teardown();
    if (callerWindow && callerWindow->isVisible()) {
        callerWindow->activateWindow();
        if (callerFocus) callerFocus->setFocus(Qt::ActiveWindowFocusReason);
    }
    return RESPONSE != 0 ? RESPONSE : ResponseCancelled;
}

void WindowManager::Interact() {
    if (DEAD) return;
    LASTINSERTEDPOSITION.clear();
    loopEnded_ = false;
    // An update form says what it is doing in its caption.
    if (isUpdateForm() && REQUEST == InsertRequest) SetCaption(decl_.addingCaption);
    if (isUpdateForm() && REQUEST == ChangeRequest) SetCaption(decl_.changingCaption);
    if (called_) widget_->setWindowModality(Qt::ApplicationModal);
    if (!deferShow_) ShowWindow();
    Post(EventKind::OpenWindow);
    if (observer()) observer()->windowOpened(*this);
    if (!called_) return;
    QEventLoop loop;
    loop_ = &loop;
    if (!loopEnded_) loop.exec();
    loop_ = nullptr;
}

void WindowManager::ShowWindow() {
    deferShow_ = false;
    if (!widget_ || widget_->isVisible()) return;
    lineUpFields(*widget_);
    if (called_) {
        placeCalledWindow();
        widget_->show();
        // Its frame is known now.
        keepOnScreen();
        widget_->activateWindow();
    } else {
        frameServices().addChildWindow(*widget_);
    }
}

void WindowManager::placeCalledWindow() {
    // A place or state the window's own code gave it (the preview's kept
    // place, or maximised) stands.
    if (!widget_->isWindow() || widget_->testAttribute(Qt::WA_Moved) || widget_->isMaximized())
        return;
    if (!widget_->testAttribute(Qt::WA_Resized)) widget_->adjustSize();
    // Its frame is not known before its first showing: room is kept for a
    // title bar as the style draws one.
    const int titleBar = widget_->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, widget_);
    widget_->move(calledWindowPlace(decl_.procedure, widget_->size() + QSize(0, titleBar),
                                    widget_->parentWidget()));
    shownSize_ = widget_->size();
}

void WindowManager::keepOnScreen() {
    if (!widget_->isWindow() || !widget_->isVisible() || widget_->isMaximized()) return;
    const QRect frame = widget_->frameGeometry();
    if (const QScreen* screen = widget_->screen()) {
        const QPoint kept = keptInside(frame.topLeft(), frame.size(), screen->availableGeometry());
        if (kept != frame.topLeft()) widget_->move(kept);
    }
}

void WindowManager::endLoop() {
    if (loopEnded_) return;
    loopEnded_ = true;
    if (called_ && widget_ && widget_->isWindow() && widget_->isVisible())
        rememberCalledPlace(decl_.procedure, widget_->pos());
    if (observer()) observer()->windowClosing(*this);
    timer_.stop();
    if (widget_) widget_->closeForGood();
    if (loop_) loop_->quit();
    if (!called_) finishStarted();
}

// ------------------------------------------------------------------ events

void WindowManager::Post(WindowEvent event) {
    detail::countPosted(1);
    ++pending_;
    QMetaObject::invokeMethod(
        &poster_,
        [this, event] {
            detail::countPosted(-1);
            --pending_;
            handle(event);
        },
        Qt::QueuedConnection);
}

void WindowManager::deliver(const WindowEvent& event) {
    // One event at a time: one that arrives while another is handled (the
    // focus moving while a message shows) waits its turn.
    if (dispatching_) {
        Post(event);
    } else {
        handle(event);
    }
}

int WindowManager::handle(const WindowEvent& event) {
    if (DEAD || loopEnded_ || !setUp_) return LevelHandled;
    const ThreadScope thread(thread_);
    const ScopedFlag dispatching(dispatching_);
    const ScopedValue<WindowEvent> current(event_, event);
    const int level = OnEvent();
    const bool closes =
        (event.kind == EventKind::CloseWindow || event.kind == EventKind::CloseDown) &&
        level == LevelCarryOn;
    if (level == LevelEndLoop || closes) {
        endLoop();
    } else if (!DEAD) {
        AfterEvent();
        // What the window derived shows at once.
        if (!DEAD && !loopEnded_) Display();
    }
    return level;
}

int WindowManager::OnEvent() {
    const WindowEvent& event = CurrentEvent();
    int level = LevelCarryOn;
    if (event.isWindowEvent()) {
        level = OnWindowEvent();
        if (level != LevelCarryOn) return level;
    } else {
        switch (event.kind) {
            case EventKind::Accepted:
                level = OnAccepted();
                break;
            case EventKind::NewSelection:
                level = OnNewSelection();
                break;
            case EventKind::AlertKey:
                if (HISTORYKEY != QKeyCombination() && event.key == HISTORYKEY)
                    DittoField(event.control);
                break;
            case EventKind::Rejected:
                level = OnRejected();
                break;
            case EventKind::Selected:
                level = OnSelected();
                break;
            default:
                break;
        }
        if (const int control = OnControlEvent(); level == LevelCarryOn) level = control;
    }
    for (WindowBrowse* browse : BROWSES) browse->OnEvent(event);
    for (FileDrop* drop : FILEDROPS) drop->OnEvent(event);
    if (AUTOREFRESH) {
        for (WindowBrowse* browse : BROWSES) {
            if (browse->ResetNeeded()) Reset(false);
        }
    }
    return level;
}

int WindowManager::OnWindowEvent() {
    switch (CurrentEvent().kind) {
        case EventKind::CloseWindow:
        case EventKind::CloseDown:
            return OnCloseRequest();
        case EventKind::OpenWindow:
            if (!(INITED & 1)) Open();
            Select(FIRSTFIELD);
            showToolbar();
            break;
        case EventKind::LoseFocus:
            if (RESETONGAINFOCUS) FORCEDRESET = true;
            break;
        case EventKind::GainFocus:
            if (!(INITED & 1)) {
                Open();
            } else {
                // The user comes back to the window: what others changed
                // meanwhile shows now.
                for (WindowBrowse* browse : BROWSES) browse->NoteOutsideChanges();
                Reset(false);
            }
            showToolbar();
            break;
        case EventKind::Completed:
            return OnCompleted();
        case EventKind::Sized:
            // The first resize after opening is the window's own showing.
            if (!(INITED & 1)) break;
            if (!(INITED & 2)) {
                INITED |= 2;
            } else {
                Reset(false);
            }
            break;
        default:
            break;
    }
    return LevelCarryOn;
}

int WindowManager::OnAccepted() {
    const WindowEvent& event = CurrentEvent();
    // A window's own command numbers are its own code's to handle.
    const bool fromToolbar =
        event.command >= kFirstToolbarCommand && event.command <= kLastToolbarCommand;
    if (TOOLBAR && fromToolbar) {
        if (event.command == ToolbarDitto) {
            DittoField(focusedControl());
        } else {
            TOOLBAR->OnEvent(event.command, *VCRREQUEST, *this);
        }
        return LevelCarryOn;
    }
    for (const auto& [control, response] : BUTTONS) {
        if (control == event.control) {
            EndWith(response);
            return LevelHandled;
        }
    }
    for (const auto& [button, widget] : built_.buttons) {
        if (widget == event.control && !button->calls.empty())
            return callFor(*button) ? LevelHandled : LevelCarryOn;
    }
    if (event.control && event.control == OKCONTROL) {
        // Every control's typing is read and checked before anything is
        // saved; a delete has nothing to read.
        if (ORIGINALREQUEST == DeleteRequest) {
            Post(EventKind::Completed);
        } else {
            acceptAll();
        }
    } else if (event.control && event.control == ButtonOf(ButtonRole::Help)) {
        ShowHelp();
    }
    return LevelCarryOn;
}

int WindowManager::OnNewSelection() {
    const WindowEvent& event = CurrentEvent();
    if (event.control && built_.tabs && event.control == built_.tabs) {
        Reset(false);
        if (AUTOTOOLBAR && TOOLBAR) TOOLBAR->MakeCurrent();
        // The page's focus may have moved before the tab's change came.
        aimToolbarAtFocus();
    }
    return LevelCarryOn;
}

int WindowManager::OnRejected() {
    messages().beep(Beep::Default);
    const FormControl* control = BoundControl(CurrentEvent().control);
    messages().show({control ? control->label() : std::string(decl_.caption), rejection_,
                     MessageIcon::Exclamation, ButtonOk, ButtonOk});
    // The typed text stays, selected, for the user to mend.
    Select(CurrentEvent().control);
    return LevelCarryOn;
}

int WindowManager::OnControlEvent() {
    return LevelCarryOn;
}

int WindowManager::OnSelected() {
    return LevelCarryOn;
}

void WindowManager::AfterEvent() {}

bool WindowManager::MayCall(const ButtonDecl&) {
    return true;
}

bool WindowManager::callFor(const ButtonDecl& button) {
    BrowseManager* list = Browse(button.list);
    if (button.needsRecord && (!list || list->Records() == 0)) {
        if (!button.empty.title.empty()) Announce(button.empty.title, button.empty.text);
        return true;
    }
    // The procedure reads the highlighted record as the list shows it.
    Update();
    if (!MayCall(button)) return true;
    CallProcedure(button.calls, button.request);
    if (button.refresh) Reset(true);
    return true;
}

bool WindowManager::CheckFields() {
    return true;
}

// ------------------------------------------------- from controls and Qt

void WindowManager::controlCommitted(FormControl& control) {
    // Leaving for Cancel (or help) reads nothing: typing the user is about
    // to abandon must not hold them back with its complaints.
    if (acceptingAll_ || leavingWithoutSaving() || !commit(control)) return;
    deliver({EventKind::Accepted, control.widget()});
}

bool WindowManager::leavingWithoutSaving() const {
    const QWidget* to = QApplication::focusWidget();
    if (!to) return false;
    if (to == ButtonOf(ButtonRole::Help)) return true;
    for (const auto& [control, response] : BUTTONS) {
        if (control == to && response == ResponseCancelled) return true;
    }
    return false;
}

bool WindowManager::commit(FormControl& control) {
    if (!control.modified()) return true;
    if (const auto refused = control.accept()) {
        rejection_ = *refused;
        deliver({EventKind::Rejected, control.widget()});
        return false;
    }
    return true;
}

void WindowManager::controlNewSelection(FormControl& control) {
    deliver({EventKind::NewSelection, control.widget()});
}

void WindowManager::controlSelected(FormControl& control) {
    deliver({EventKind::Selected, control.widget()});
}

bool WindowManager::closeRequested() {
    if (loopEnded_) return true;
    if (!setUp_ || DEAD) return true;
    handle({EventKind::CloseWindow});
    return loopEnded_;
}

void WindowManager::resized() {
    // A called window that grows (once its lists are filled) stays on the
    // screen; where the user moves it is the user's affair.
    const QSize size = widget_ ? widget_->size() : QSize();
    const bool grew = size.width() > shownSize_.width() || size.height() > shownSize_.height();
    if (grew) shownSize_ = size;
    if (called_ && grew) keepOnScreen();
    if (setUp_ && !loopEnded_) deliver({EventKind::Sized});
}

void WindowManager::toolbarCommand(int number) {
    deliver({EventKind::Accepted, nullptr, number});
}

void WindowManager::toolbarWindowActivated() {
    if (!setUp_ || DEAD || loopEnded_) return;
    handFocusTo(this);
    // Also when it had the focus already: its buttons were not on the
    // frame's toolbar while another window was active.
    showToolbar();
}

void WindowManager::handFocusTo(WindowManager* gained) {
    WindowManager* lost = std::exchange(focusHolder(), gained);
    if (lost == gained) return;
    if (lost && !lost->DEAD) lost->deliver({EventKind::LoseFocus});
    if (gained && !gained->DEAD) gained->deliver({EventKind::GainFocus});
}

// ------------------------------------------------------------------- reset

void WindowManager::Reset(bool force) {
    // Not while OK's pass over the controls runs.
    if (acceptingAll_) return;
    const bool forced = force || FORCEDRESET;
    FORCEDRESET = false;
    for (WindowBrowse* browse : BROWSES) browse->ApplySortOrder(forced);
    for (WindowBrowse* browse : BROWSES) browse->RefreshControls();
    for (FileDrop* drop : FILEDROPS) drop->ReloadRows(forced);
    for (const auto& entry : ownMarks_) entry.second->ReloadRows(forced);
    for (const auto& entry : ownTrees_) entry.second->ReloadRows(forced);
    Display();
}

void WindowManager::Display(bool force) {
    for (const auto& control : built_.controls) control->display(force);
}

void WindowManager::Open() {
    Reset(false);
    INITED |= 1;
}

// ------------------------------------------------------------------ helpers

void WindowManager::Select(QWidget* control) {
    if (!control) return;
    if (FormControl* bound = BoundControl(control)) control = bound->focusTarget();
    // Show the tab the control is on.
    if (built_.tabs) {
        for (int i = 0; i < built_.tabs->count(); ++i) {
            if (built_.tabs->widget(i)->isAncestorOf(control)) built_.tabs->setCurrentIndex(i);
        }
    }
    control->setFocus(Qt::OtherFocusReason);
    // Entries show their text selected, ready to be typed over.
    if (control->metaObject()->indexOfMethod("selectAll()") >= 0)
        QMetaObject::invokeMethod(control, "selectAll", Qt::DirectConnection);
}

bool WindowManager::Refuse(FieldRef field, std::string_view title, std::string_view text) {
    return Refuse(Control(field), title, text);
}

void WindowManager::Announce(std::string_view title, std::string_view text) {
    messages().beep(Beep::Asterisk);
    messages().show(
        {std::string(title), std::string(text), MessageIcon::Information, ButtonOk, ButtonOk});
}

bool WindowManager::Refuse(QWidget* control, std::string_view title, std::string_view text) {
    Announce(title, text);
    Select(control);
    return false;
}

QWidget* WindowManager::Control(FieldRef field) const {
    for (const auto& control : built_.controls) {
        const Binding& b = control->binding();
        if (b.record == &buffer(field.file()) && b.field == field.index()) return control->widget();
    }
    return nullptr;
}

QWidget* WindowManager::Control(std::string_view name) const {
    for (const auto& control : built_.controls) {
        if (control->decl().name == name || control->label() == name) return control->widget();
    }
    for (const auto& [decl, button] : built_.buttons) {
        if (!decl->name.empty() && decl->name == name) return button;
    }
    declarationFault(decl_, "no control or button is named \"" + std::string(name) + "\"");
}

const ButtonDecl* WindowManager::PressedButton() const {
    for (const auto& [decl, button] : built_.buttons) {
        if (CurrentEvent().control && button == CurrentEvent().control) return decl;
    }
    return nullptr;
}

bool WindowManager::Pressed(std::string_view name) const {
    return CurrentEvent().control && CurrentEvent().control == Control(name);
}

QAbstractButton* WindowManager::ButtonOf(ButtonRole role) const {
    for (const auto& [decl, button] : built_.buttons) {
        if (decl->role == role) return button;
    }
    return nullptr;
}

QAbstractButton* WindowManager::ButtonOf(ButtonRole role, std::string_view list) const {
    for (const auto& [decl, button] : built_.buttons) {
        if (decl->role == role && decl->list == list) return button;
    }
    return nullptr;
}

std::string WindowManager::ShownTab() const {
    if (!built_.tabs || built_.tabs->currentIndex() < 0) return {};
    return built_.tabs->tabText(built_.tabs->currentIndex()).toStdString();
}

BrowseManager* WindowManager::Browse(std::string_view name) const {
    for (const auto& browse : ownBrowses_) {
        if (name.empty() || browse->Name() == name) return browse.get();
    }
    return nullptr;
}

FormControl* WindowManager::BoundControl(const QWidget* widget) const {
    if (!widget) return nullptr;
    for (const auto& control : built_.controls) {
        if (control->owns(widget)) return control.get();
    }
    return nullptr;
}

bool WindowManager::Unchosen(FieldRef field) const {
    const Value value = field.value();
    if (value.isNumber() ? value.asNumber().isZero() : text::isBlank(value.asText())) return true;
    const FormControl* control = BoundControl(Control(field));
    const QComboBox* list = control ? dropList(*control) : nullptr;
    for (const FileDrop* drop : FILEDROPS) {
        if (list && drop->LISTCONTROL == list) return drop->NamesNoRow();
    }
    return false;
}

void WindowManager::Enable(FieldRef field, bool enabled) {
    withPrompt(Control(field), [enabled](QWidget* part) { part->setEnabled(enabled); });
}

void WindowManager::Enable(std::string_view name, bool enabled) {
    withPrompt(Control(name), [enabled](QWidget* part) { part->setEnabled(enabled); });
}

void WindowManager::EnableRadio(FieldRef field, std::string_view value, bool enabled) {
    const FormControl* control = BoundControl(Control(field));
    if (QWidget* radio = control ? control->radio(value) : nullptr) radio->setEnabled(enabled);
}

void WindowManager::Show(FieldRef field, bool shown) {
    withPrompt(Control(field), [shown](QWidget* part) { part->setVisible(shown); });
}

void WindowManager::withPrompt(QWidget* widget, const std::function<void(QWidget*)>& apply) {
    const FormControl* control = BoundControl(widget);
    if (!control) return;
    for (QWidget* part : control->parts()) apply(part);
    for (QLabel* prompt : widget_->findChildren<QLabel*>()) {
        if (prompt->buddy() == control->focusTarget()) apply(prompt);
    }
}

void WindowManager::SetStatusText(int zone, std::string_view text) {
    if (zone < 1 || zone > static_cast<int>(built_.statusZones.size())) return;
    built_.statusZones[static_cast<std::size_t>(zone - 1)]->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string WindowManager::StatusText(int zone) const {
    if (zone < 1 || zone > static_cast<int>(built_.statusZones.size())) return {};
    return built_.statusZones[static_cast<std::size_t>(zone - 1)]->text().toStdString();
}

QWidget* WindowManager::focusedControl() const {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || Owning(focus) != this) return nullptr;
    const FormControl* control = BoundControl(focus);
    return control ? control->widget() : focus;
}

void WindowManager::SetTimer(int hundredths) {
    if (hundredths <= 0) {
        timer_.stop();
    } else {
        timer_.start(hundredths * 10);
    }
}

void WindowManager::ShowHelp() {
    frameServices().showHelp(HelpTopic());
}

void WindowManager::SetCaption(std::string_view caption) {
    if (widget_)
        widget_->setWindowTitle(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
}

int WindowManager::CallProcedure(std::string_view procedure, int request) {
    return procedures().call(procedure, request);
}

void WindowManager::Update() {
    for (WindowBrowse* browse : BROWSES) browse->RereadSelected();
}

void WindowManager::aimToolbarAtFocus() {
    if (DEAD || !AUTOTOOLBAR || !TOOLBAR) return;
    // The toolbar's commands act on the list the user is in, where that
    // list has buttons of its own to act with.
    QWidget* focus = QApplication::focusWidget();
    if (focus && Owning(focus) == this) TOOLBAR->FollowFocus(focus);
}

void WindowManager::showToolbar() {
    if (TOOLBAR) TOOLBAR->Aim();
}

// ------------------------------------------------------- started windows

namespace {
std::vector<std::unique_ptr<WindowManager>>& started() {
    static std::vector<std::unique_ptr<WindowManager>> windows;
    return windows;
}
}  // namespace

void startWindow(std::unique_ptr<WindowManager> window) {
    WindowManager& w = *window;
    w.called_ = false;
    w.thread_ = newWindowId();
    const ThreadScope scope(w.thread_);
    if (w.Setup() != 0) {
        w.Teardown();
        return;
    }
    started().push_back(std::move(window));
    w.Interact();
}

void WindowManager::finishStarted() {
    {
        const ThreadScope scope(thread_);
        Teardown();
    }
    // Gone once the event being handled is done with it.
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            auto& list = started();
            std::erase_if(list, [this](const auto& w) { return w.get() == this; });
        },
        Qt::QueuedConnection);
}

std::vector<WindowManager*> startedWindows() {
    std::vector<WindowManager*> out;
    for (const auto& w : started()) {
        if (!w->Closed()) out.push_back(w.get());
    }
    return out;
}

WindowManager* startedWindow(int id) {
    if (id == 0) return nullptr;
    for (const auto& w : started()) {
        if (!w->Closed() && w->WindowId() == id) return w.get();
    }
    return nullptr;
}

}  // namespace bb
