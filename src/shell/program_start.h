// The program from its first line to its last, as its entry runs it.
#pragma once

#include <functional>

namespace bb {

// Sets up the application, the message service and the program's state,
// runs the main frame until the user leaves, and returns the exit status.
// `shown`, when given, runs once the frame is on the screen: a measurement
// of start-up ends there.
int runProgram(int argc, char** argv, const std::function<void()>& shown = {});

}  // namespace bb
