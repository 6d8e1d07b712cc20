#include "platform/runtime.h"

#include <cstdlib>

namespace bb {

namespace {

RuntimeError last;
int thread = 1;
HaltHandler haltHandler;

}  // namespace

const RuntimeError& lastError() {
    return last;
}
void setLastError(RuntimeError error) {
    last = std::move(error);
}
void clearLastError() {
    last = {};
}

std::string errorText(int errorCode) {
    switch (errorCode) {
        case code::kNoError:
            return "";
        case code::kFileNotFound:
            return "File Not Found";
        case code::kAccessDenied:
            return "Access Denied";
        case code::kRecordNotAvailable:
            return "Record Not Available";
        case code::kFileNotOpen:
            return "File Not Open";
        case code::kDuplicateKey:
            return "Creates Duplicate Key";
        case code::kRecordHeld:
            return "Record Is Already Held";
        case code::kInvalidKeyFile:
            return "Invalid Key File";
        case code::kFileAlreadyOpen:
            return "File Already Open";
        case code::kNoTransactions:
            return "Function Not Supported";
        case code::kRecordChanged:
            return "Record Changed By Another Station";
        case code::kDriverError:
            return "File System Error";
        case code::kBadExpression:
            return "Invalid Expression";
        default:
            return "Error " + std::to_string(errorCode);
    }
}

int currentThread() {
    return thread;
}
void setCurrentThread(int t) {
    thread = t;
}

void halt(int status, std::string_view message) {
    if (haltHandler) haltHandler(status, message);
    std::exit(status);
}

HaltHandler setHaltHandler(HaltHandler handler) {
    HaltHandler previous = std::move(haltHandler);
    haltHandler = std::move(handler);
    return previous;
}

}  // namespace bb
