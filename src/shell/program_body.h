// The program's body: it brings up the process-wide services every window
// relies on, runs the main frame until the user closes it, and takes the
// services down again in the same order.
//
//   1. name the help file "Ledgr.hlp"
//   2. set up the error manager with the program's error table
//   3. name the settings file "tallo2.INI"
//   4. set up each data file's file and relation managers, in dictionary order
//   5. run the main frame
//   6. tear the managers down, in the same order
//   7. tear the error manager down
//
// No data file is opened or created here; each window opens what it needs.
#pragma once

#include <functional>
#include <string_view>

#include "data/error_manager.h"

namespace bb {

struct ProgramParts {
    // Runs the main frame; returns when the user leaves the program.
    std::function<void()> runFrame;
    // Told each step as it happens ("help Ledgr.hlp", "setup Members", ...).
    std::function<void(std::string_view)> trace;
};

// Runs the body; the process's exit status.
int runProgramBody(const ProgramParts& parts);

}  // namespace bb
