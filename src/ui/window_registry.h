// Every window declaration of the program, and the check that the names a
// declaration gives resolve.
//
// A window's source declares it once, at namespace scope:
//
//   const WindowDecl& kBrowseStates = declareWindow({...});
//
// which keeps it for the whole run (so it never dangles) and lists it, so
// that a test can check every declared window without opening it: each
// procedure a button or list calls is registered (built, or known to the
// program and not built yet), each window variable and list a control,
// order, range or button names is declared. A window checks its own names
// when it opens and stops the program on the first that does not resolve:
// a misspelt name fails at once instead of leaving a button dead.
//
// Used from the GUI thread only (and at static initialisation).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/window_decl.h"

namespace bb {

class ProcedureRegistry;

// Keeps `decl` for the run and lists it; the declaration as kept.
const WindowDecl& declareWindow(WindowDecl decl);
// Every declaration made through declareWindow, in the order made.
std::vector<const WindowDecl*> declaredWindows();

// What in `decl` does not resolve against its own parts and `registry`'s
// procedures (none: the procedures are not checked), a line each
// ("BrowseStates: button "&Edit" calls "UpdateState", which is no
// procedure"); empty when every name resolves.
std::vector<std::string> unresolvedNames(const WindowDecl& decl, const ProcedureRegistry* registry);

// Stops the program over a name of `decl`'s that does not resolve: a
// programmer's mistake, never the user's.
[[noreturn]] void declarationFault(const WindowDecl& decl, std::string_view what);

}  // namespace bb
