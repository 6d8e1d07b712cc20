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

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/files.h"

namespace bb {

enum class ControlKind : std::uint8_t {
    Entry,     // a one-line entry read through its picture
    DateSpin,  // a date entry whose arrows step a day at a time
    Check,     // a check box storing `checked` or `unchecked`
    Option,    // radio buttons storing the chosen one's value
    DropList,  // a drop-down list of a file's records (a file drop)
    Display,   // a value shown, not edited
    TextArea,  // several lines of text
    Slot,      // a place the window fills itself (a browse list, a computed line)
    // Every record of a file with a check per row, in a box titled by the
    // prompt; the window reads and sets the marks (see MarkedList).
    MarkedList,
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
    std::string_view group{};    // fields of one group sit in a box titled so, on their tab
    bool beside = false;         // in the row of the field before, to its right
    bool ditto = false;          // Ctrl+' puts back the previous record's value
    std::string_view checked = "1";
    std::string_view unchecked = "0";
    std::vector<RadioDecl> radios{};
    std::optional<DropDecl> drop{};  // a drop list's or a marked list's records
    int lines = 4;                   // a text area's or a marked list's height, in lines
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
};

struct ButtonDecl {
    std::string_view text{};  // "&OK"
    ButtonRole role = ButtonRole::Other;
    std::string_view name{};  // for lookups; empty: the text's letters and digits
    std::string_view tip{};
    std::string_view message{};
    std::string_view icon{};  // a program icon name ("INSERT.ICO")
    std::string_view tab{};   // empty: the window's button row; else under that tab
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
    std::vector<ButtonDecl> buttons{};
    // The procedures CallProcedure(1), CallProcedure(2), ... run.
    std::vector<std::string_view> procedures{};
};

}  // namespace bb
