// Severity: the result of nearly every data operation and of the error
// manager, and the ids of the program's errors.
#pragma once

#include <cstdint>

namespace bb {

enum Severity : std::uint8_t {
    SeverityNone = 0,     // success, or the user chose to go on
    SeverityAsk = 1,      // the user is asked a yes/no question
    SeverityProgram = 2,  // a programming error; handled as fatal
    SeverityFatal = 3,    // the process halts
    SeverityCancel = 4,   // the user chose not to go on
    SeverityNotify = 5,   // the user was told; the operation did not complete
};

// Ids of the program's error table, named by what they report.
enum ErrorId : std::uint16_t {
    ErrRecordRetrieval = 1,
    ErrAccessDenied = 2,
    ErrRecordAdded = 3,
    ErrRecordInsert = 4,
    ErrAddNewRecord = 5,
    ErrChangedByOther = 6,
    ErrChangedByOtherShown = 7,
    ErrConfirmCancel = 8,
    ErrConfirmDelete = 9,
    ErrFileCreation = 10,
    ErrRecordNotDeleted = 11,
    ErrCannotDelete = 12,
    ErrDuplicateKey = 13,
    ErrNotInFile = 14,
    ErrNotInList = 15,
    ErrOutOfRange = 16,
    ErrAboveRange = 17,
    ErrBelowRange = 18,
    ErrFileLoad = 19,
    ErrCannotInsert = 20,
    ErrTransactionCancelled = 21,
    ErrNoRecords = 22,
    ErrFileAccess = 23,
    ErrProcedureNotDefined = 24,
    ErrRecordNotUpdated = 25,
    ErrKeyNotBuilt = 26,
    ErrInvalidKey = 27,
    ErrRecordNotRead = 28,
    ErrRestrictedDelete = 30,
    ErrRestrictedUpdate = 31,
    ErrAutoIncrement = 32,
    ErrRecordDelete = 33,
    ErrRecordUpdate = 34,
    ErrSaveRecord = 35,
    ErrBeginningOfFile = 36,
    ErrEndOfFile = 37,
    ErrCannotUpdate = 38,
    ErrFileUsage = 39,
    ErrViewOpen = 40,
};

}  // namespace bb
