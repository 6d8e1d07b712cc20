// Window declarations: what a window shows and what each control is bound
// to, written once as a plain table, the way the dictionary declares files.
// The window framework builds the widgets from it (Qt layouts, one
// label-and-field column per tab, buttons in a row), binds every control to
// its value, and runs the window's lifecycle; a window's own code holds only
// the checks and derivations its procedure adds.
//
//   const WindowDecl& kUpdateStates = declareWindow({
//       .procedure = "UpdateStates",
//       .caption = "Update States",
//       .primary = FileId::States,
//       .fields = {
//           {.field = ST::STATECODE, .prompt = "State &Code:", .picture = "@s2"},
//           {.kind = ControlKind::Check, .field = ST::SALESTAX, .prompt = "&Sales tax",
//            .checked = "Y", .unchecked = "N"},
//       },
//       .buttons = formButtons(),
//   });
//
// Designated initializers must follow the members' order below. Texts are
// the system's own, exactly as the window shows them; a prompt's "&" marks
// its mnemonic. Every name a declaration gives (a procedure a button or a
// list calls, a window variable, a list a button acts for) must resolve:
// the window stops the program when one does not, and a test checks every
// declared window's names (see window_registry.h). A window keeps its own
// copy of its declaration, so a declaration built on the spot never dangles.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "data/step_estimators.h"
#include "data/view_manager.h"
#include "dictionary/files.h"
#include "dictionary/process_values.h"
#include "ui/window_variables.h"

namespace bb {

// A member a declaration must give: leaving it out does not compile.
template <class T>
struct Required {
    Required(T given) : value(given) {}   // NOLINT(google-explicit-constructor)
    operator T() const { return value; }  // NOLINT(google-explicit-constructor)
    T value;
};

enum class ControlKind : std::uint8_t {
    Entry,     // a one-line entry read through its picture
    DateSpin,  // a date entry whose arrows step a day at a time
    Check,     // a check box storing `checked` or `unchecked`
    Option,    // radio buttons storing the chosen one's value
    // A drop-down list of a file's records (a file drop); declared without
    // `drop`, of the fixed choices in `radios` (texts shown, values stored).
    DropList,
    Display,   // a value shown, not edited
    TextArea,  // several lines of text
    Slot,      // a place the window fills itself (a computed line, a picture)
    // Every record of a file with a check per row, in a box titled by the
    // prompt; the window reads and sets the marks (see MarkedList).
    MarkedList,
    List,  // a list of a file's records, one page at a time (a browse)
    // The records of a file with, under each, its records of a related
    // file, which the user expands and collapses (see TreeList).
    Tree,
};

struct RadioDecl {
    std::string_view text{};  // "&Company"
    std::string_view value{};
    std::string_view tip{};
    std::string_view message{};
};

// The records of a file offered by a drop list or a marked list: in the
// order of `key`, one row per record showing `columns` through the list
// `format`. Choosing a drop list's row copies each update pair's first field
// into its second (the form's); the first pair also finds the row of the
// form's current value. A marked list names each row by its first column.
struct DropDecl {
    Required<FileId> file;
    int key = -1;
    std::string_view format{};  // empty: one column showing the first column field
    std::vector<FieldRef> columns{};
    std::vector<std::pair<FieldRef, FieldRef>> updates{};
    bool defaultFill = true;  // no matching row: choose the first
};

// A value a declaration refers to: a field of a record buffer, or a window
// variable by its name.
struct ValueRef {
    FieldRef field{FileId::Members, -1};
    std::string_view local{};
};

// The colours of one cell of a list row, each 0xRRGGBB; kDefaultColour
// leaves the list's own.
inline constexpr int kDefaultColour = -1;
struct RowColours {
    int foreground = kDefaultColour;
    int background = kDefaultColour;
    int selectedForeground = kDefaultColour;
    int selectedBackground = kDefaultColour;
};

// What keeps a sort order's records within a range of its key (see the
// view manager's range kinds): the key's components up to `field` equal
// the record buffer's values (CurrentValue); those before it equal the
// buffer's and `field` equals `limit` (SingleValue); or the records belong
// to the current record of `parent` (FileRelation).
struct RangeDecl {
    LimitType kind = NoRange;
    FieldRef field{FileId::Members, -1};
    ValueRef limit{};
    FileId parent = FileId::Members;
};

// How the thumb of the list's scroll bar finds its place in an order: none
// (the fixed rule: the middle, or an end when one is shown), or one of the
// step estimators over the order's free key element.
enum class ThumbKind : std::uint8_t { None, Plain, Long, Real, String };
struct ThumbDecl {
    ThumbKind kind = ThumbKind::None;
    std::uint8_t controls = 0;  // StepManager's bits
    StringStep::LookupMode mode = StringStep::LookupMode::Computed;
};

// How typing finds a record in an order: not at all, a letter typed on the
// list (the step locator), or the text of an entry field of the window.
enum class LocatorKind : std::uint8_t { None, Step, Entry };

struct SortDecl {
    int key = -1;  // the primary file's key; -1 for the file's own order
    RangeDecl range{};
    std::string_view filter{};  // a filter expression over the view's files and window variables
    LocatorKind locator = LocatorKind::None;
    std::string_view locatorEntry{};  // an entry locator's field: its prompt or name
    ThumbDecl thumb{};
    // Values whose change reloads the list.
    std::vector<ValueRef> resets{};
    // What chooses this order: its tab of the window shown, or the window
    // variable `local` holding `value`. Neither: the window's own code
    // chooses (the first order unless it does).
    std::string_view tab{};
    std::string_view local{};
    std::string_view value{};
};

// A list of the records of a file (with related files read alongside), one
// page at a time, in one of its sort orders. Its insert, change, delete,
// select and print buttons are the window's buttons of those roles (for
// the list named by their `list`, or the window's first list).
struct ListDecl {
    Required<FileId> file;
    std::vector<ViewJoin> joins{};
    // The columns: widths, headings, justification and pictures.
    std::string_view format{};
    // What each row field shows, in the format's column order.
    std::vector<FieldRef> columns{};
    std::vector<SortDecl> orders{};
    // The procedure that inserts, changes and deletes the records; none:
    // the list is edited in place (in `editColumns`, counted from 1) or not
    // at all.
    std::string_view update{};
    std::vector<int> editColumns{};
    std::string_view print{};  // the procedure the Print button runs
    // A row's cell colours, from the row's records as read into the buffers.
    RowColours (*colours)(int column) = nullptr;
    int rows = 10;                // rows the list shows at its designed size
    bool hideSelect = false;      // no Select button unless the list was called to select
    bool activeInvisible = true;  // loaded while it is not visible (on another tab)
    bool allowUnfilled = false;   // a page at the end may end in empty rows
    bool startAtCurrent = false;  // opens at the record in the buffer
    bool quickScan = false;       // reads ahead while a page is read
};

// A tree of two levels: each record of `file` in the order of `key`, and
// under it its records of `children` in the order of `childKey`, which
// leads with `childLink`, the field that holds the owner's `text`. Each
// child is read with the files of `joins` (one joined read), and its row
// shows what `childText` makes of the buffers.
struct TreeDecl {
    Required<FileId> file;
    int key = -1;
    FieldRef text{FileId::Members, -1};
    Required<FileId> children;
    int childKey = -1;
    FieldRef childLink{FileId::Members, -1};
    std::vector<ViewJoin> joins{};
    std::string (*childText)() = nullptr;
};

struct FieldDecl {
    ControlKind kind = ControlKind::Entry;
    FieldRef field{FileId::Members, -1};  // the record field shown and edited
    std::string_view local{};             // or: the window variable of this name
    std::string_view name{};              // for slots; else derived from the prompt
    std::string_view prompt{};            // "&Company Name:"; a check box's or option's text
    std::string_view picture{};           // empty: the field's own, or one for its type
    std::string_view tip{};
    std::string_view message{};  // status bar while the control has the focus or the mouse
    std::string_view tab{};      // the tab's text; empty: the window's one page
    // Fields (and lists) of one group sit in a box titled so, on their tab.
    std::string_view group{};
    bool beside = false;  // in the row of the field before, to its right
    // Ctrl+' puts back the previous record's value; unset: as its tab says.
    std::optional<bool> ditto{};
    std::string_view checked = "1";
    std::string_view unchecked = "0";
    std::vector<RadioDecl> radios{};
    std::optional<DropDecl> drop{};  // a drop list's or a marked list's records
    int lines = 4;                   // a text area's or a marked list's height, in lines
    std::optional<ListDecl> list{};
    std::optional<TreeDecl> tree{};
    bool heavy = false;  // a display in a heavy font: the heading of a list window
    double scale = 1.0;  // a heavy display's size, against the window's font
};

enum class ButtonRole : std::uint8_t {
    Other,
    Ok,      // saves (update forms) or completes the window
    Cancel,  // ends the window with ResponseCancelled
    Help,    // opens the procedure's help page
    Insert,  // a list's insert, change, delete and select buttons
    Change,
    Delete,
    Select,
    Print,  // a list's print button: runs the list's print procedure
};

// A message that refuses what the user asked for; an empty title refuses
// without a word.
struct Refusal {
    std::string_view title{};
    std::string_view text{};
};

struct ButtonDecl {
    std::string_view text{};  // "&OK"
    ButtonRole role = ButtonRole::Other;
    // What the window's code finds the button by (Pressed); empty: nothing
    // does, the button runs what it `calls` or what its role says.
    std::string_view name{};
    std::string_view tip{};
    std::string_view message{};
    std::string_view icon{};  // a program icon name ("INSERT.ICO")
    // Where the button sits: with neither, in the window's button row; else
    // on that tab (empty: the window's one page), in that group's box
    // (empty: none), under the list there.
    std::string_view tab{};
    std::string_view group{};
    std::string_view list{};  // a list's button: that list's name; empty: the first list
    // The procedure pressing the button runs, with `request`, for the
    // record highlighted in its list (after the window's MayCall agrees).
    std::string_view calls{};
    int request = NoRequest;
    // With no record in the list, the button refuses with `empty` and runs nothing.
    bool needsRecord = false;
    Refusal empty{};
    // The window's lists are read again when the procedure returns.
    bool refresh = false;
};

// Requests a form serves.
enum RequestSet : unsigned {
    ServesInsert = 1,
    ServesChange = 2,
    ServesDelete = 4,
    ServesAll = 7,
};

// What a form does after OK has inserted its record. The values are the
// ones the window settings have always stored.
enum class InsertAction : int {
    KeepShowing = 1,  // stays open showing the record, now to change it
    End = 2,          // ends the window
    Another = 3,      // starts again with a new record
    Ask = 4,          // asks "Record Added": Yes another, No end
};

// What a form called to delete does.
enum class DeleteAction : int {
    OnForm = 1,        // shows the record; OK deletes it
    Confirm = 2,       // deletes at once after the confirmation
    WithoutAsking = 4  // deletes at once
};

// What closing an insert or change form with unsaved changes does: bit 1
// offers to save, bit 2 asks first ("Save Record"); without bit 1 it asks
// "Changes will be lost!".
enum class CancelAction : int {
    Close = 0,      // closes without a check
    Save = 1,       // saves without asking
    WarnLost = 2,   // "Changes will be lost!"
    AskToSave = 3,  // "Save Record": Yes saves, No closes, Cancel stays
};

// The fields of one tab, saying once what holds for every field on it.
struct TabDecl {
    std::string_view text{};
    bool ditto = false;  // every field's default
    std::vector<FieldDecl> fields{};
};

struct WindowDecl {
    std::string_view procedure{};  // "UpdateStates": the help page's topic too
    // The help page of a window that shares another procedure's page (a
    // variant of a form); empty: `procedure`.
    std::string_view helpTopic{};
    std::string_view caption{};
    std::string_view icon{};
    bool recordsName = false;  // stores `procedure` in CurrentProcedure when it opens
    // A status bar of this many zones at the foot of the window (0: none).
    // Zone 1 shows the message of the control under the focus or the
    // mouse; the window's code writes the others (SetStatusText).
    int statusZones = 0;
    // The file an update form inserts, changes and deletes; none for others.
    std::optional<FileId> primary{};
    // Files the window opens (with their related files) besides the primary one.
    std::vector<FileId> files{};
    // Files whose buffers the form keeps as they were when it opened; they
    // are put back for each further record added.
    std::vector<FileId> updateFiles{};
    unsigned serves = ServesAll;
    InsertAction insertAction = InsertAction::End;
    DeleteAction deleteAction = DeleteAction::Confirm;
    CancelAction cancelAction = CancelAction::AskToSave;
    // What an update form's caption says while it adds or changes a record.
    std::string_view addingCaption = "Record Will Be Added";
    std::string_view changingCaption = "Record Will Be Changed";
    std::vector<LocalDecl> locals{};
    std::vector<FieldDecl> fields{};
    // Fields by tab, after `fields` (each field's `tab` is the tab's text).
    std::vector<TabDecl> tabs{};
    // The group whose box stands beside the list before it on its page, to
    // the list's right, instead of under it: a master list with its detail
    // panel. The box takes the spare width; what follows on the page goes
    // under both; fields declared between the list and the group stay under
    // the list, in its column. Empty: every box stands under what comes
    // before it.
    std::string_view besideList{};
    std::vector<ButtonDecl> buttons{};
};

// The declaration as a window uses it: each tab's fields among the others,
// with the tab's defaults.
WindowDecl flattened(WindowDecl decl);

}  // namespace bb
