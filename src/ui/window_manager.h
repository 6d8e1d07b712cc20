// The window manager: drives one window from set-up to tear-down. Every
// window of the program (lists, update forms, selection lists, dialogs,
// report windows) is a procedure that makes one object of a class derived
// from WindowManager, runs it and hands its response to its caller.
//
// A window runs in one of two ways. A called window (a form, a selection
// list, a dialog) runs modally: Run returns its response before the caller
// goes on, and the window runs under its caller's window id. A started
// window (a list, a report) is an independent child of the frame:
// startWindow sets it up under a new window id, shows it and returns at
// once; its events are handled as they arrive, and it tears itself down
// when it closes.
//
// The lifecycle, for both:
//
//   Setup          the request from PendingRequest, defaults, the files opened,
//                  PrepareRequest (which may end the window here), the widgets
//                  built from the declaration, SetupControls, the declared
//                  file drops and marked lists, ArmKeys
//   Interact       the event loop: every event goes to OnEvent, which hands it
//                  to OnWindowEvent or to OnAccepted, OnNewSelection,
//                  DittoField, OnRejected, OnSelected and OnControlEvent, then
//                  to every browse and file drop; then AfterEvent
//   Teardown       browses and file drops torn down, saved buffers dropped,
//                  files closed
//
// A window's own class overrides only what its procedure adds: usually
// SeedNewRecord (initial values), CheckFields (the checks on OK, in order),
// AfterEvent (what is derived after every event; the framework shows it),
// MayCall (what a button's procedure needs besides a highlighted record)
// and SetupControls (its browses), calling the base operation where it
// replaces one. window.h lists, for a window's author, all that a window's
// code uses; the rest of this class is the framework's.
//
// Posted events are handled after the current one, one at a time. Every
// piece of a window's code runs with its window id current. Used from the
// GUI thread only.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/error_manager.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "platform/name_bindings.h"
#include "ui/form_builder.h"
#include "ui/toolbar_commands.h"
#include "ui/toolbar_manager.h"
#include "ui/window_browse.h"
#include "ui/window_decl.h"
#include "ui/window_events.h"
#include "ui/window_widget.h"

class QEventLoop;

namespace bb {

class BrowseManager;
class FileDrop;
class MarkedList;
class ToolbarStrip;
class TreeList;

class WindowManager : public ToolbarCommandTarget,
                      private ControlListener,
                      private WindowWidget::Owner {
public:
    // The window keeps its own copy of `decl`.
    explicit WindowManager(WindowDecl decl);
    ~WindowManager() override;
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // The overridable operations, in dispatch order.
    // The event loop: modal for a called window; a started one only shows.
    virtual void Interact();
    // 0 when the window opens; 5 when it must not (Run goes to Teardown).
    virtual int Setup();
    // 0, or 5 when the window was torn down already or never set up.
    virtual int Teardown();
    virtual void Open();
    // Initial values of a new record (after the file's own).
    virtual void SeedNewRecord();
    // Non-zero when the window must not open.
    virtual int PrepareRequest();
    virtual void Reset(bool force = false);
    virtual void DittoField(QWidget* control);
    // Runs the window modally under the caller's window id; its response.
    virtual int Run();
    // Runs the procedure named `procedure` with `request`; its response.
    virtual int CallProcedure(std::string_view procedure, int request);
    virtual void ArmKeys();
    virtual void EndWith(int response);
    virtual int OnAccepted();
    virtual int OnCompleted();
    virtual int OnCloseRequest();
    virtual int OnEvent();
    virtual int OnControlEvent();
    virtual int OnNewSelection();
    virtual int OnRejected();
    virtual int OnSelected();
    virtual int OnWindowEvent();
    // Makes every browse re-read its highlighted record, watched.
    virtual void Update();

    // Hooks of the framework.
    // After the window opened and its declared controls exist: attach the
    // browses, fill in what the declaration cannot say.
    virtual void SetupControls();
    // The checks OK makes before saving, in their order; false after the
    // first failure was reported (see Refuse).
    virtual bool CheckFields();
    // After every event the window handled, unless the window is closing;
    // the framework shows every control's value after it.
    virtual void AfterEvent();
    // Before a button's declared procedure runs for the highlighted record:
    // false refuses the call (the window has said why). Also the place to
    // set what the procedure reads besides the highlighted record.
    virtual bool MayCall(const ButtonDecl& button);
    // The widget for a declared slot; null gives an empty place.
    virtual QWidget* CreateSlot(const FieldDecl& slot, QWidget* parent);
    // The browse of a declared list: a BrowseManager, or a window's own
    // kind of it when its rows need more than the declaration says.
    virtual std::unique_ptr<BrowseManager> CreateBrowse(const FieldDecl& list);
    // The help page's topic (help_topics.h): the declared one, else the
    // procedure's name.
    virtual std::string HelpTopic() const {
        return std::string(decl_.helpTopic.empty() ? decl_.procedure : decl_.helpTopic);
    }

    // Set-up operations.
    void Attach(WindowBrowse& browse);
    void Attach(FileDrop& drop);
    // Pressing `control` ends the window with `response`.
    void AddButton(QWidget* control, int response);
    void AttachUpdateFile(FileManager& file);
    // Pressing `key` on `control` makes an AlertKey event.
    void ArmKey(QWidget* control, QKeyCombination key);

    // Events.
    // Handles `event` after the events before it.
    void Post(WindowEvent event);
    void Post(EventKind kind, QWidget* control = nullptr) { Post(WindowEvent{kind, control}); }
    const WindowEvent& CurrentEvent() const { return event_; }
    // The window that `widget` belongs to, or null.
    static WindowManager* Owning(const QWidget* widget);

    // For the window's own code.
    // Beeps and shows `text` with the information icon under `title`: a
    // notice the user reads before the window goes on.
    void Announce(std::string_view title, std::string_view text);
    // Beeps, shows `text` with the information icon under `title`, and puts
    // the focus on the control of `field`: a check on OK that fails. False.
    bool Refuse(FieldRef field, std::string_view title, std::string_view text);
    bool Refuse(QWidget* control, std::string_view title, std::string_view text);
    // Shows every control's value again (`force`: also over unfinished typing).
    void Display(bool force = false);
    void Select(QWidget* control);
    // The control bound to `field`, or null.
    QWidget* Control(FieldRef field) const;
    // The control or button named `name` (its declared name, or its
    // prompt as the user reads it). REQUIRES: there is one; a name that
    // finds nothing stops the program.
    QWidget* Control(std::string_view name) const;
    // The event being handled is the press of the button declared with the
    // name `name`. REQUIRES: the window declares such a button.
    bool Pressed(std::string_view name) const;
    // The declaration of the button the event being handled pressed, or null.
    const ButtonDecl* PressedButton() const;
    QAbstractButton* ButtonOf(ButtonRole role) const;
    // The button of `role` declared for the list named `list` (empty: for
    // no list in particular).
    QAbstractButton* ButtonOf(ButtonRole role, std::string_view list) const;
    // The browse of the declared list named `name` (empty: the first one).
    BrowseManager* Browse(std::string_view name = {}) const;
    // The text of the tab shown; empty for a window without tabs.
    std::string ShownTab() const;
    FormControl* BoundControl(const QWidget* widget) const;
    // The marked list declared with the prompt `label`, or null.
    MarkedList* Marks(std::string_view label) const;
    // The tree list declared with the name `name`, or null.
    TreeList* Tree(std::string_view name) const;
    // A required field's check: `field` is blank, or its drop list holds a
    // value that names none of its rows (a record renamed or deleted since).
    bool Unchosen(FieldRef field) const;
    // Lets the user use the control of `field` (or of a window variable,
    // named as Control finds it), with its prompt, or not.
    void Enable(FieldRef field, bool enabled);
    void Enable(std::string_view name, bool enabled);
    // Lets the user choose the radio button that stores `value` in the
    // option of `field`, or not; the option's other radios stay as they are.
    void EnableRadio(FieldRef field, std::string_view value, bool enabled);
    // Shows the control of `field`, with its prompt, or hides both.
    void Show(FieldRef field, bool shown);
    // Zone `zone` (from 1) of the window's own status bar.
    void SetStatusText(int zone, std::string_view text);
    std::string StatusText(int zone) const;
    // A window variable of the declaration, by its handle.
    template <class T>
    T Get(const WindowVariable<T>& variable) const {
        return WindowVariable<T>::fromValue(Local(variable.name()));
    }
    template <class T>
    void Set(const WindowVariable<T>& variable, const T& value) {
        SetLocal(variable.name(), WindowVariable<T>::toValue(value));
    }
    void Set(const WindowVariable<std::string>& variable, std::string_view value) {
        SetLocal(variable.name(), Value::text(std::string(value)));
    }
    // A window variable by its name. REQUIRES: the declaration declares it;
    // a name it does not stops the program.
    Value Local(std::string_view name) const;
    void SetLocal(std::string_view name, const Value& value);
    // Timer events every `hundredths` of a second; 0 stops them.
    void SetTimer(int hundredths);
    // Keeps the window hidden when it opens, until ShowWindow.
    void DeferShow() { deferShow_ = true; }
    void ShowWindow();
    void ShowHelp();
    void SetCaption(std::string_view caption);
    WindowWidget* Widget() const { return widget_; }
    ToolbarManager& Toolbar() { return toolbar_; }
    const WindowDecl& Decl() const { return decl_; }
    int WindowId() const { return thread_; }
    bool Called() const { return called_; }
    // The window has closed (its loop has ended).
    bool Closed() const { return loopEnded_; }

    // Fields as the window keeps them.
    bool AUTOREFRESH = true;  // after every event, reset when a browse needs it
    // Re-aim the toolbar when another tab is chosen or the focus moves.
    bool AUTOTOOLBAR = true;
    std::vector<WindowBrowse*> BROWSES;
    std::vector<std::pair<QWidget*, int>> BUTTONS;
    std::vector<FileDrop*> FILEDROPS;
    // Closing an insert or change form with unsaved changes.
    CancelAction CANCELACTION = CancelAction::AskToSave;
    bool DEAD = false;
    DeleteAction DELETEACTION = DeleteAction::Confirm;
    ErrorManager* ERRORS = nullptr;
    std::vector<std::pair<FileManager*, int>> FILES;  // (file, saved buffer)
    QWidget* FIRSTFIELD = nullptr;
    bool FORCEDRESET = false;
    bool RESETONGAINFOCUS = false;
    QKeyCombination HISTORYKEY{};  // the ditto key; none when empty
    int INITED = 0;                // 1 opened, 2 first resize after opening seen
    InsertAction INSERTACTION = InsertAction::End;
    std::string LASTINSERTEDPOSITION;
    QAbstractButton* OKCONTROL = nullptr;
    bool OPENED = false;
    int ORIGINALREQUEST = 0;
    RelationManager* PRIMARY = nullptr;
    int REQUEST = 0;
    int RESPONSE = 0;
    int SAVED = 0;  // the saved copy of the primary buffer the form compares with
    ToolbarManager* TOOLBAR = nullptr;
    int* VCRREQUEST = nullptr;

private:
    struct HistoryEntry {
        Record* source;
        Record* copy;
        FormControl* control;
        int field;
    };
    friend void startWindow(std::unique_ptr<WindowManager> window);

    // ControlListener
    void controlCommitted(FormControl& control) override;
    void controlNewSelection(FormControl& control) override;
    void controlSelected(FormControl& control) override;
    // WindowWidget::Owner
    bool closeRequested() override;
    void resized() override;
    void activated() override { toolbarWindowActivated(); }
    // ToolbarCommandTarget
    void toolbarCommand(int number) override;
    // Coming back to a window is gaining the focus, even where no control
    // of it takes the keyboard focus (a click on its panel).
    void toolbarWindowActivated() override;

    // Handles one event now; its level.
    int handle(const WindowEvent& event);
    // Handles it now, or after the event being handled.
    void deliver(const WindowEvent& event);
    void endLoop();
    // A called window opens centred on its caller, or where it was last,
    // never with its title bar off the screen.
    void placeCalledWindow();
    // Moves the window's whole frame onto its screen as far as it fits.
    void keepOnScreen();
    void finishStarted();
    bool refuseRequest();
    void openFiles();
    void closeFiles();
    void openWindow();
    void attachDeclaredDrops();
    void attachDeclaredMarks();
    void attachDeclaredTrees();
    void attachDeclaredBrowses();
    void attachFormToolbar();
    void buildHistory();
    bool acceptAll();
    bool commit(FormControl& control);
    bool leavingWithoutSaving() const;
    // A control shows something the user typed or chose and not yet read.
    bool typingPending() const;
    int insertAction();
    void keepShowingInserted();
    int changeAction();
    int deleteAction();
    // Deletes the window's record (asking first with `ask`); true when it is
    // gone, also when another station deleted it first. A record that stays
    // is read again, so the window shows it as it now is.
    bool deleteRecord(bool ask);
    int askToSaveOnClose();
    Binding bind(const FieldDecl& field);
    QWidget* focusedControl() const;
    bool isUpdateForm() const { return decl_.primary.has_value(); }
    void showToolbar();
    // With AUTOTOOLBAR, the toolbar follows the focus within the window
    // (ToolbarManager::FollowFocus).
    void aimToolbarAtFocus();
    void makeLocals();
    void registerWidget();
    void takeBackReservation();
    bool filterEvent(QObject* watched, QEvent* event);
    // `apply` to every part of the control of `field` and to its prompt.
    void withPrompt(QWidget* control, const std::function<void(QWidget*)>& apply);
    static void focusMoved(QWidget* from, QWidget* to);
    // `gained` (null: none) is the window the user works in now: the one
    // that had it loses the focus and `gained` gains it.
    static void handFocusTo(WindowManager* gained);

    // A declared button was pressed: runs what it calls.
    bool callFor(const ButtonDecl& button);
    void checkOwnNames() const;

    const WindowDecl decl_;
    int thread_ = 0;
    bool called_ = false;
    bool setUp_ = false;
    bool deferShow_ = false;
    bool dispatching_ = false;
    bool acceptingAll_ = false;
    bool loopEnded_ = false;
    WindowEvent event_;
    std::string rejection_;  // why the control of a Rejected event refused its input
    std::unique_ptr<FileDef> localsDef_;
    std::unique_ptr<Record> locals_;
    std::optional<BindingScope> bindingScope_;  // the names the window binds
    std::vector<std::unique_ptr<RelatedFilesOpen>> openedFiles_;
    std::vector<HistoryEntry> history_;  // the controls ditto serves
    std::vector<std::pair<QWidget*, QKeyCombination>> armedKeys_;
    std::vector<std::unique_ptr<FileDrop>> ownDrops_;
    std::vector<std::pair<const FormControl*, std::unique_ptr<MarkedList>>> ownMarks_;
    std::vector<std::pair<const FormControl*, std::unique_ptr<TreeList>>> ownTrees_;
    std::vector<std::unique_ptr<BrowseManager>> ownBrowses_;  // the declared lists
    ToolbarManager toolbar_;
    FormToolbarTarget formTarget_;
    std::unique_ptr<FrameToolbarDisplay> frameDisplay_;
    ToolbarStrip* strip_ = nullptr;  // a called window's, owned by its widget
    std::unique_ptr<WindowWidget> ownedWidget_;
    QPointer<WindowWidget> widget_;       // null once the frame has deleted it
    std::unique_ptr<QObject> keyFilter_;  // armed keys; buttons getting the focus
    BuiltWindow built_;
    QObject poster_;  // posted events die with the window
    QTimer timer_;
    QSize shownSize_;  // the window's size when it was last seen resized
    QEventLoop* loop_ = nullptr;
    int pending_ = 0;  // events posted and not yet handled
};

// Starts `window` as an independent child window of the frame, under a new
// window id: sets it up and, when it opens, shows it and returns at once.
// The window is kept until it closes.
void startWindow(std::unique_ptr<WindowManager> window);
// The started windows open now, oldest first.
std::vector<WindowManager*> startedWindows();
// The started window open under window id `id`, or null (0 names none).
WindowManager* startedWindow(int id);

// Every form forgets the record it completed last, as at the start of a
// run; a test is a run of its own. REQUIRES: no form is open.
void forgetDittoHistory();

// Told when windows open and close; a test's window driver listens. One
// listener at a time (install null to stop).
class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    // The window has opened and is shown (or kept hidden, see DeferShow).
    virtual void windowOpened(WindowManager& window) = 0;
    virtual void windowClosing(WindowManager& window) = 0;
};
WindowObserver* installWindowObserver(WindowObserver* observer);

}  // namespace bb
