#include "data/error_table.h"

#include <array>
#include <string_view>

#include "data/severity.h"

namespace bb {

namespace {

struct StoredError {
    std::uint16_t id;
    Severity severity;
    std::string_view title;
    std::string_view message;
};

// In stored order: a later entry for the same id overrides an earlier one.
constexpr StoredError kErrors[] = {
    {27, SeverityNotify, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {26, SeverityFatal, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {10, SeverityFatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {24, SeverityNotify, "Procedure not defined", "The Procedure %Message has not been defined."},
    {17, SeverityNotify, "Range Error", "The value of %Field must be lower than %Message."},
    {18, SeverityNotify, "Range Error", "The value of %Field must be higher than %Message."},
    {16, SeverityNotify, "Range Error", "The value of %Field must be between %Message."},
    {14, SeverityNotify, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {31, SeverityNotify, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {30, SeverityNotify, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {4, SeverityNotify, "Record Insert Error",
     "An error was experienced during the creation of a record. Error: %ErrorText."},
    {6, SeverityNotify, "Record Was Not Updated", "This record was changed by another station."},
    {7, SeverityNotify, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {34, SeverityAsk, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {33, SeverityAsk, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {20, SeverityNotify, "Invalid Request", "This form cannot be used to insert a record"},
    {38, SeverityNotify, "Invalid Request", "This form cannot be used to update a record"},
    {12, SeverityNotify, "Invalid Request", "This form cannot be used to delete a record"},
    {8, SeverityAsk, "Changes will be lost!", "Are you sure you want to cancel?"},
    {13, SeverityNotify, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {32, SeverityAsk, "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"},
    {19, SeverityNotify, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {36, SeverityAsk, "Beginning of File Error",
     "The beginning of the file was encountered. Do you want to start again from the end of the "
     "file?"},
    {37, SeverityAsk, "End of File Error",
     "The end of the file was encountered. Do you want to start again from the beginning?"},
    {23, SeverityFatal, "File Access Error",
     "File (%File) could not be opened.  Error: %ErrorText."},
    {25, SeverityNotify, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {11, SeverityNotify, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {9, SeverityAsk, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {35, SeverityAsk, "Save Record", "Do you want to save the changes to this record?"},
    {21, SeverityNotify, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, SeverityNotify, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {40, SeverityNotify, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, SeverityAsk, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {28, SeverityNotify, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {5, SeverityNotify, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {15, SeverityNotify, "Value Error", "The value of %Field must be in the list : %Message."},
    {22, SeverityNotify, "No Records", "There are no records available to process."},
    {2, SeverityNotify, "Access Denied",
     "Could not get write access to %File so trying read-only."},
    {39, SeverityProgram, "File Usage Error", "Attempt to use file (%File) before it was opened"},
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
