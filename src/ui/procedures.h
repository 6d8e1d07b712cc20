// The procedure registry: every window and report procedure of the program
// under its name, so that the frame's menus and toolbar, a window's
// CallProcedure and a report button all reach a procedure the same way.
//
// A procedure decides for itself how it runs: a list opens an independent
// child window of the frame and returns at once; a form, selection list or
// dialog runs modally and returns its response before its caller goes on.
// A name the program knows but has not built yet (see addUnbuilt) is
// reported as "Procedure not defined" naming it, as is a name nobody has
// registered, and the caller gets ResponseCancelled. Only a known name
// counts as registered (has), so that a misspelt name in a window's
// declaration is caught before a user presses its button.
//
// Used from the GUI thread only.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace bb {

// A procedure's body. It reads its request from PendingRequest and leaves
// its response in LastResponse; `argument` is the text some procedures take
// (the mailing labels' "1", the preferences' mode).
using Procedure = std::function<void(std::string_view argument)>;

class ProcedureRegistry {
public:
    // Registers `body` under `name`, replacing what was there.
    void add(std::string name, Procedure body);
    // Makes `name` known as a procedure of the program not built yet:
    // calling it reports it not defined. A body added later replaces it.
    void addUnbuilt(std::string name);
    // Forgets the procedure of `name`; calling it reports it not defined.
    void remove(std::string_view name);
    // Known: built, or not built yet.
    bool has(std::string_view name) const;
    // PendingRequest := request, runs the procedure, and returns its
    // LastResponse (0 counts as ResponseCancelled).
    int call(std::string_view name, int request = 0, std::string_view argument = {});

private:
    std::map<std::string, Procedure, std::less<>> procedures_;
};

// The program's registry.
ProcedureRegistry& procedures();

}  // namespace bb
