// The program's procedures: every window and report procedure the frame's
// menus, its toolbar and the windows call, registered under its name at
// start-up, in one place. A procedure built later is one more line there.
//
// Used from the GUI thread only.
#pragma once

namespace bb {

class ProcedureRegistry;

void registerProcedures(ProcedureRegistry& registry);

}  // namespace bb
