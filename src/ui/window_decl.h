// Window declarations: what a window shows and what each control is bound
// to, written once as a plain table, the way the dictionary declares files.
// The window framework builds the widgets from it (Qt layouts, one
// label-and-field column per tab, buttons in a row), binds every control to
// its value, and runs the window's lifecycle; a window's own code holds only
// the checks and derivations its procedure adds.
//
//   const WindowDecl kUpdateStates{
//       .procedure = "UpdateStates",
//       .caption = "Update the States File",
//       .primary = FileId::States,
//       .fields = {
//           {.field = ST::STATECODE, .prompt = "&Code:", .picture = "@s2",
//            .message = "Two-letter state code", .ditto = true},
//           {.kind = ControlKind::Check, .field = ST::SALESTAX, .prompt = "&Sales tax",
//            .checked = "Y", .unchecked = "N"},
//       },
//       .buttons = {{.text = "&OK", .role = ButtonRole::Ok},
//                   {.text = "&Cancel", .role = ButtonRole::Cancel}},
//   };
//
// Designated initializers must follow the members' order below. Texts are
// the system's own, exactly as the window shows them; a prompt's "&" marks
// its mnemonic. Declarations are static data and outlive every window.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "data/step_estimators.h"
#include "data/view_manager.h"
#include "dictionary/files.h"

namespace bb {

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
    FileId file = FileId::Members;
    int key = -1;
    std::string_view format{};  // empty: one column showing the first column field
    std::vector<FieldRef> columns{};
    std::vector<std::pair<FieldRef, FieldRef>> updates{};
    bool defaultFill = true;  // no matching row: choose the first
};

// A variable of the window itself (not of a record), such as a list's
// "show active, inactive or all" choice; also bound by name for filters.
struct LocalDecl {
    std::string_view name{};
    FieldSpec spec{};
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
    FileId file = FileId::Members;
    std::vector<ViewJoin> joins{};
    // The columns: widths, headings, justification and pictures.
    std::string_view format{};
    // What each row field shows, in the format's column order.
    std::vector<FieldRef> columns{};
    std::vector<SortDecl> orders{};
    // The window's procedure (one of its `procedures`) that inserts,
    // changes and deletes the records; none: the list is edited in place
    // (in `editColumns`, counted from 1) or not at all.
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
    bool ditto = false;   // Ctrl+' puts back the previous record's value
    std::string_view checked = "1";
    std::string_view unchecked = "0";
    std::vector<RadioDecl> radios{};
    std::optional<DropDecl> drop{};  // a drop list's or a marked list's records
    int lines = 4;                   // a text area's or a marked list's height, in lines
    std::optional<ListDecl> list{};
    bool heavy = false;  // a display in a heavy font: the heading of a list window
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

struct ButtonDecl {
    std::string_view text{};  // "&OK"
    ButtonRole role = ButtonRole::Other;
    std::string_view name{};  // for lookups; empty: the text's letters and digits
    std::string_view tip{};
    std::string_view message{};
    std::string_view icon{};  // a program icon name ("INSERT.ICO")
    // Where the button sits: with neither, in the window's button row; else
    // on that tab (empty: the window's one page), in that group's box
    // (empty: none), under the list there.
    std::string_view tab{};
    std::string_view group{};
    std::string_view list{};  // a list's button: that list's name; empty: the first list
};

// Requests a form serves.
enum RequestSet : unsigned {
    ServesInsert = 1,
    ServesChange = 2,
    ServesDelete = 4,
    ServesAll = 7,
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
    int insertAction = 2;  // see WindowManager::INSERTACTION
    int deleteAction = 2;
    int cancelAction = 3;
    std::vector<LocalDecl> locals{};
    std::vector<FieldDecl> fields{};
    // The group whose box stands beside the list before it on its page, to
    // the list's right, instead of under it: a master list with its detail
    // panel. The box takes the spare width; what follows on the page goes
    // under both; fields declared between the list and the group stay under
    // the list, in its column. Empty: every box stands under what comes
    // before it.
    std::string_view besideList{};
    std::vector<ButtonDecl> buttons{};
    // The procedures CallProcedure(1), CallProcedure(2), ... run.
    std::vector<std::string_view> procedures{};
};

}  // namespace bb
