// Process-wide runtime state that every layer shares: the last runtime and
// driver error, the current thread (window) number, and halting the process.
//
// Every window runs on the GUI thread; the "thread number" of a window is the
// id the window framework gives it, set here while the window's code runs, so
// that per-thread status (open counts, end of file) stays per window.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace bb {

// Runtime error codes that the managers test.
namespace code {
inline constexpr int kNoError = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kAccessDenied = 5;
inline constexpr int kRecordNotAvailable = 33;  // also end of file
inline constexpr int kFileNotOpen = 37;
inline constexpr int kDuplicateKey = 40;
inline constexpr int kRecordHeld = 43;
inline constexpr int kInvalidKeyFile = 46;
inline constexpr int kFileAlreadyOpen = 52;
inline constexpr int kNoTransactions = 80;
inline constexpr int kRecordChanged = 89;
inline constexpr int kDriverError = 90;
inline constexpr int kBadExpression = 801;  // a filter or order that does not compile
}  // namespace code

// The error of the last runtime operation: its code and text, and, for a
// failure that the file driver reports in its own terms (code 90), the
// driver's code and text.
struct RuntimeError {
    int code = 0;
    std::string text;
    int fileCode = 0;
    std::string fileText;
};

const RuntimeError& lastError();
void setLastError(RuntimeError error);
void clearLastError();
// The runtime's own text for a code ("Record Not Available" for 33).
std::string errorText(int code);

int currentThread();
void setCurrentThread(int thread);

// Ends the process with `status` after a fatal message. A test replaces the
// handler (with one that throws) to observe the halt; the handler must not
// return.
using HaltHandler = std::function<void(int status, std::string_view message)>;
[[noreturn]] void halt(int status, std::string_view message);
HaltHandler setHaltHandler(HaltHandler handler);

}  // namespace bb
