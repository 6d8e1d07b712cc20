// The browse manager: drives one list of a window over a view of a file. It
// holds exactly the rows the list shows (one page, never the file), scrolls
// by reading the view again from the edge of the page, keeps the
// highlighted row on its screen row across reloads, switches sort orders,
// follows range limits and reset fields, runs the update procedure (or edits
// the row in place) for insert, change and delete, and serves a list opened
// to select a record for its caller.
//
// The list's scroll bar is the browse's own: its thumb is placed by the sort
// order's step estimator, from the highlighted record's key value, so that
// it shows where the record lies in the whole order without counting
// records; dragging the thumb jumps to a record near that place.
//
// A window sets a browse up from its declaration (ListDecl) or in its own
// code: Setup, then per sort order DefineSortOrder, DefineLocator,
// DefineResetField and the view manager's ranges and filters, then
// DefineColumn per row field, the buttons and AttachToolbar. The window
// owns the browse and forwards its events (window_browse.h); the locators
// and estimators a window defines are the window's, except those made from
// a declaration, which the browse owns.
//
// Used from the GUI thread only.
#pragma once

#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/step_estimators.h"
#include "data/view_manager.h"
#include "ui/browse_list.h"
#include "ui/browse_model.h"
#include "ui/field_pair_list.h"
#include "ui/locators.h"
#include "ui/popup_manager.h"
#include "ui/toolbar_manager.h"
#include "ui/window_browse.h"
#include "ui/window_decl.h"

class QAbstractButton;

namespace bb {

class RowEditor;
class WindowManager;

// What a sort order adds for a browse: its locator, the fields whose change
// reloads the list, and the step estimator of its thumb.
struct BrowseSort {
    Locator* LOCATOR = nullptr;
    FieldPairList RESETS;
    StepManager* THUMB = nullptr;
};

// A column edited in place.
struct EditColumn {
    int column = 0;  // the row field, from 1
};

// What ends the editing of a row in place (TABACTION, ENTERACTION,
// ARROWACTION, FOCUSLOSSACTION): the low three bits save, abandon or ask.
enum EditAction : std::uint8_t {
    EditAsk = 0,
    EditSave = 1,
    EditAbandon = 2,
    EditActionBits = 7,
    EditMoves = 8,        // then moves to the next (or previous) record, as the toolbar does
    EditKeepColumn = 16,  // Up and Down edit the same column of the next row
};

class BrowseManager : public ViewManager,
                      public WindowBrowse,
                      public LocatorBrowse,
                      private BrowseListener {
public:
    // The directions of Fetch.
    enum Direction : int { FillBackward = 1, FillForward = 2 };
    // The modes of ReloadRows.
    enum ReloadMode : int { AroundShownRows = 1, FromViewPosition = 2 };

    BrowseManager();
    ~BrowseManager() override;
    BrowseManager(const BrowseManager&) = delete;
    BrowseManager& operator=(const BrowseManager&) = delete;

    // Set-up, in this order.
    // The list, its window, the primary file's relation manager, the view,
    // and the list's column format; registers the browse with the window.
    void Setup(BrowseList& list, WindowManager& window, RelationManager& primary,
               const ViewSpec& view, std::string_view format);
    // A sort order on `key` whose thumb `step` places (null: the fixed
    // rule); its number, from 1. It becomes the current one.
    int DefineSortOrder(StepManager* step, int key);
    void DefineLocator(Locator* locator);
    // A value whose change reloads the list, in the current sort order.
    void DefineResetField(FieldPairList::Getter value, FieldPairList::Setter set);
    void DefineResetField(FieldRef field);
    // The next row field shows `field`.
    void DefineColumn(FieldRef field);
    void AttachToolbar(ToolbarManager& toolbar);
    // The whole set-up from a declaration (with the window's buttons of the
    // list's roles); the locators and estimators it makes are the browse's.
    void Declare(BrowseList& list, WindowManager& window, const ListDecl& decl,
                 std::string_view name);

    // What the window asks of its browses.
    void SetSelecting(bool selecting) override;
    void ArmKeys() override;
    void OnEvent(const WindowEvent& event) override;
    // The visible row count changed, the range changed, or a reset field did.
    bool ResetNeeded() override;
    void NoteOutsideChanges() override;
    void ApplySortOrder(bool force) override;
    void RefreshControls() override;
    void RereadSelected() override;
    void Teardown() override;

    // The view manager's reads, which restore the reset fields at the end of
    // the data and close the window on a failure.
    Severity Next() override;
    Severity Previous() override;
    using ViewManager::ChooseSortOrder;

    // The browse's overridable operations, in dispatch order.
    // The update cycle for `request`; the response.
    virtual int Interact(int request);
    virtual int EditInPlace(int request);
    // Reads ITEMSTOFILL rows before the first row or after the last.
    virtual void Fetch(int direction);
    virtual void RefreshAfterUpdate(int& request, int response);
    // The list around the record whose key values are in the buffer.
    virtual void RepositionAtBuffer();
    // The list around the primary file's current record.
    virtual void RepositionAtFile();
    virtual void LoadThumbLimits();
    virtual void ReloadRows(int mode);
    virtual void ScrollToEnd(EventKind event);
    virtual void ScrollRow(EventKind event);
    virtual void ScrollByPage(EventKind event);
    // The row for the record just read, in the row being filled.
    virtual void FillRow();
    // Makes `order` current; 1 when it changed or the list was reloaded.
    virtual int ChooseSortOrder(int order, bool force);
    // An armed key or a typed character on the list; true when handled.
    virtual bool OnKey(const WindowEvent& event);
    virtual void OnNewSelection();
    virtual void OnScroll(EventKind event);
    virtual void OnNavigationRequest(int request);
    virtual void LoadSelectedRecord();

    // For locators.
    int RowCount() const override;
    void SelectNextRow() override;

    // The row count; CURRENTCHOICE 0 and the entry locator disabled when
    // there are no rows.
    int Records();
    // Shows the current row selected and tells the window it was chosen.
    void AnnounceSelection();
    void PlaceThumb();
    // The row being filled by FillRow.
    BrowseRow& FillingRow() { return filling_; }
    BrowseModel& Rows() const { return *model_; }
    BrowseSort& CurrentSort();
    // The list's row selected and its texts, for tests and the window's code.
    BrowseList* List() const { return LISTCONTROL; }
    const std::string& Name() const { return name_; }

    // Fields as the browse keeps them.
    bool ACTIVEINVISIBLE = false;
    bool ALLOWUNFILLED = false;
    std::uint8_t ARROWACTION = EditAsk;
    std::string_view ASKPROCEDURE{};  // the update procedure; empty: none
    QAbstractButton* CHANGECONTROL = nullptr;
    int CURRENTCHOICE = 0;
    std::optional<EventKind> CURRENTEVENT;
    QAbstractButton* DELETECONTROL = nullptr;
    std::vector<EditColumn> EDITLIST;
    std::uint8_t ENTERACTION = EditAsk;
    std::vector<FieldRef> FIELDS;
    std::uint8_t FOCUSLOSSACTION = EditAsk;
    bool HASTHUMB = true;
    bool HIDESELECT = false;
    QAbstractButton* INSERTCONTROL = nullptr;
    int ITEMSTOFILL = 0;
    int LASTCHOICE = 0;
    int LASTITEMS = 0;
    BrowseList* LISTCONTROL = nullptr;
    bool LOADED = false;
    bool LOADPENDING = false;
    bool RETAINROW = true;
    QAbstractButton* PRINTCONTROL = nullptr;
    std::string_view PRINTPROCEDURE{};
    PopupManager POPUP;
    bool QUICKSCAN = false;
    std::uint8_t RECORDSTATUS = 0;
    QAbstractButton* SELECTCONTROL = nullptr;
    bool SELECTING = false;
    std::vector<SortOrder> SORT;
    bool STARTATCURRENT = false;
    std::uint8_t TABACTION = EditAsk;
    ToolbarManager* TOOLBAR = nullptr;
    std::unique_ptr<ListToolbarTarget> TOOLBARITEM;
    WindowManager* WINDOW = nullptr;

private:
    friend class RowEditor;

    // BrowseListener
    void listScrolled(EventKind kind) override;
    void listTyped(QKeyCombination key, const QString& text) override;
    void listRowChosen(int row, bool context) override;
    void listDoubleClicked() override;

    // The set-up of a declaration.
    void declareOrder(const SortDecl& order);
    void declareLocator(const SortDecl& order);
    void declareButtons();
    // The order a declaration chooses by its tab or window variable.
    int chosenOrder();

    std::vector<FileId> viewFiles() const;
    bool mine(const QWidget* control) const;
    void onAccepted(const QWidget* control);
    // Posts an accepted event to `button` when there is one and it can be pressed.
    void press(QAbstractButton* button);
    bool locatorKey(const WindowEvent& event);
    // Positions the view and reloads at the locator's value.
    void locate();
    // The control the toolbar's Locate goes to: the entry locator's, or the list.
    QWidget* locateControl();
    void dragThumb();
    bool listVisible() const;
    void readAhead(bool on);
    // Starts the next reads at the row: at its position, or, when another
    // station removed its record, at its key values.
    void positionAtRow(const BrowseRow& row);
    // CURRENTCHOICE := the row at `target` (see ReloadRows); `above` follows.
    void findRememberedRow(const std::string& target, int oldChoice, int& above);
    void fillBackward(bool fromStart, int read, std::string& target, int oldChoice, int& above);
    int rowIndexOf(const std::string& position) const;
    Value freeElementOf(const BrowseRow& row);
    int fixedThumb() const;
    // Edit in place.
    void insertBlankRow();
    int editRow(int request);
    std::optional<int> completeRow(int request, int row, const std::vector<Value>& original,
                                   std::uint8_t action);

    QPointer<BrowseList> list_;  // LISTCONTROL, while it exists
    BrowseRow filling_;
    std::unique_ptr<BrowseModel> model_;
    std::vector<BrowseSort> sorts_;       // beside SORT, entry for entry
    std::optional<BrowseRow> rowBuffer_;  // the row LoadSelectedRecord read last
    std::vector<std::unique_ptr<Locator>> ownLocators_;
    std::vector<std::unique_ptr<StepManager>> ownSteps_;
    RowColours (*colours_)(int column) = nullptr;
    const ListDecl* decl_ = nullptr;
    std::string name_;
    bool rangeChanged_ = false;           // the range's values changed since the last reload
    std::optional<ChangeMark> loadedAt_;  // the view's changes when the page was last read
    bool contextPending_ = false;         // the row was chosen with the right button
    // The last fetch ran out of records, or the list was scrolled to an end.
    bool reachedEnd_ = false;
    bool editing_ = false;
    // A procedure the browse called (its form, its print) is running: the
    // list waits for it, as its caller, and does not read into the buffers
    // the procedure works on.
    bool calling_ = false;
    // Runs procedure `number` of the window for `request`; its response.
    int callProcedure(std::string_view procedure, int request);
    std::size_t keptColumn_ = 0;  // the column an arrow key keeps for the next row's editing
};

}  // namespace bb
