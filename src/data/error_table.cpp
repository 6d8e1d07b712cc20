#include "data/error_table.h"

#include <array>
#include <string_view>

#include "data/severity.h"

namespace bb {

namespace {

struct StoredError {
    ErrorId id;
    Severity severity;
    std::string_view title;
    std::string_view message;
};

// In stored order: a later entry for the same id overrides an earlier one.
constexpr StoredError kErrors[] = {
    {ErrInvalidKey, SeverityNotify, "Invalid Key",
     "%File key file is invalid. Key must be rebuilt."},
    {ErrKeyNotBuilt, SeverityFatal, "Key was not built",
     "Error: (%ErrorText) repairing key for %File."},
    {ErrFileCreation, SeverityFatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {ErrProcedureNotDefined, SeverityNotify, "Procedure not defined",
     "The Procedure %Message has not been defined."},
    {ErrAboveRange, SeverityNotify, "Range Error",
     "The value of %Field must be lower than %Message."},
    {ErrBelowRange, SeverityNotify, "Range Error",
     "The value of %Field must be higher than %Message."},
    {ErrOutOfRange, SeverityNotify, "Range Error", "The value of %Field must be between %Message."},
    {ErrNotInFile, SeverityNotify, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {ErrRestrictedUpdate, SeverityNotify, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {ErrRestrictedDelete, SeverityNotify, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {ErrRecordInsert, SeverityNotify, "Record Insert Error",
     "An error was experienced during the creation of a record. Error: %ErrorText."},
    {ErrChangedByOther, SeverityNotify, "Record Was Not Updated",
     "This record was changed by another station."},
    {ErrChangedByOtherShown, SeverityNotify, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {ErrRecordUpdate, SeverityAsk, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {ErrRecordDelete, SeverityAsk, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {ErrCannotInsert, SeverityNotify, "Invalid Request",
     "This form cannot be used to insert a record"},
    {ErrCannotUpdate, SeverityNotify, "Invalid Request",
     "This form cannot be used to update a record"},
    {ErrCannotDelete, SeverityNotify, "Invalid Request",
     "This form cannot be used to delete a record"},
    {ErrConfirmCancel, SeverityAsk, "Changes will be lost!", "Are you sure you want to cancel?"},
    {ErrDuplicateKey, SeverityNotify, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {ErrAutoIncrement, SeverityAsk, "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"},
    {ErrFileLoad, SeverityNotify, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {ErrBeginningOfFile, SeverityAsk, "Beginning of File Error",
     "The beginning of the file was encountered. Do you want to start again from the end of the "
     "file?"},
    {ErrEndOfFile, SeverityAsk, "End of File Error",
     "The end of the file was encountered. Do you want to start again from the beginning?"},
    {ErrFileAccess, SeverityFatal, "File Access Error",
     "File (%File) could not be opened.  Error: %ErrorText."},
    {ErrRecordNotUpdated, SeverityNotify, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {ErrRecordNotDeleted, SeverityNotify, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {ErrConfirmDelete, SeverityAsk, "Confirm Delete",
     "Are you sure you want to delete the highlighted record?"},
    {ErrSaveRecord, SeverityAsk, "Save Record", "Do you want to save the changes to this record?"},
    {ErrTransactionCancelled, SeverityNotify, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {ErrRecordRetrieval, SeverityNotify, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {ErrViewOpen, SeverityNotify, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {ErrRecordAdded, SeverityAsk, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {ErrRecordNotRead, SeverityNotify, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {ErrAddNewRecord, SeverityNotify, "Add New Record?",
     "Record match not found, do you wish to add a new one?"},
    {ErrNotInList, SeverityNotify, "Value Error",
     "The value of %Field must be in the list : %Message."},
    {ErrNoRecords, SeverityNotify, "No Records", "There are no records available to process."},
    {ErrAccessDenied, SeverityNotify, "Access Denied",
     "Could not get write access to %File so trying read-only."},
    {ErrFileUsage, SeverityProgram, "File Usage Error",
     "Attempt to use file (%File) before it was opened"},
};

constexpr std::size_t packedSize() {
    std::size_t size = 2;
    for (const StoredError& e : kErrors) size += 2 + 1 + 1 + e.title.size() + 1 + e.message.size();
    return size;
}

constexpr auto pack() {
    std::array<std::uint8_t, packedSize()> block{};
    std::size_t at = 0;
    auto put = [&](std::uint8_t b) { block[at++] = b; };
    auto text = [&](std::string_view t) {
        put(static_cast<std::uint8_t>(t.size()));
        for (char c : t) put(static_cast<std::uint8_t>(c));
    };
    constexpr std::size_t count = std::size(kErrors);
    put(count & 0xFF);
    put(count >> 8);
    for (const StoredError& e : kErrors) {
        put(e.id & 0xFF);
        put(e.id >> 8);
        put(e.severity);
        text(e.title);
        text(e.message);
    }
    return block;
}

// Every text must fit its length byte.
constexpr bool textsFit() {
    for (const StoredError& e : kErrors) {
        if (e.title.size() > 255 || e.message.size() > 255) return false;
    }
    return true;
}
static_assert(textsFit(), "an error text is longer than 255 characters");

constexpr auto kPacked = pack();

}  // namespace

std::span<const std::uint8_t> programErrorTable() {
    return kPacked;
}

}  // namespace bb
