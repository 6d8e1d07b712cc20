#include "data/error_manager.h"

#include <gtest/gtest.h>

#include "data/error_table.h"
#include "platform/runtime.h"
#include "scripted_messages.h"

namespace bb {
namespace {

using test::CatchHalt;
using test::Halted;
using test::ScriptedMessages;

class ErrorManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        errors_.Setup();
        clearLastError();
    }

    ErrorManager errors_;
    ScriptedMessages messages_;
};

TEST_F(ErrorManagerTest, TheStoredTableLoadsEveryEntryInOrder) {
    const auto& loaded = errors_.Errors();
    ASSERT_EQ(loaded.size(), 39u);
    EXPECT_EQ(loaded.front().id, 27);
    EXPECT_EQ(loaded.front().title, "Invalid Key");
    EXPECT_EQ(loaded.back().id, 39);
    EXPECT_EQ(loaded.back().fatality, SeverityProgram);
    const std::span<const std::uint8_t> block = programErrorTable();
    EXPECT_EQ(block[0] | (block[1] << 8), 39);
    // The first entry as stored: id 27 little-endian, its severity, then the title.
    EXPECT_EQ(block[2], 27);
    EXPECT_EQ(block[3], 0);
    EXPECT_EQ(block[4], SeverityNotify);
    EXPECT_EQ(block[5], std::string_view("Invalid Key").size());
}

TEST_F(ErrorManagerTest, ALaterTableOverridesAndPreviousReachesBack) {
    // A second table: entry 30 again, its message quoting the earlier one.
    const std::uint8_t extra[] = {1,   0,   30,  0,   SeverityNotify,
                                  5,   'L', 'a', 't', 'e',
                                  'r', 40,  'S', 'e', 'e',
                                  ' ', 'a', 'l', 's', 'o',
                                  ':', ' ', '%', 'P', 'r',
                                  'e', 'v', '.'};
    errors_.LoadErrors(extra);  // cut short: the message claims more than the block holds
    EXPECT_EQ(errors_.Errors().size(), 39u);

    std::vector<std::uint8_t> block = {1, 0, 30, 0, SeverityNotify, 5, 'L', 'a', 't', 'e', 'r'};
    const std::string message = "See also: %Previous";
    block.push_back(static_cast<std::uint8_t>(message.size()));
    block.insert(block.end(), message.begin(), message.end());
    errors_.LoadErrors(block);
    errors_.HandleError(30);
    EXPECT_EQ(messages_.last().title, "Later");
    EXPECT_EQ(
        messages_.last().text,
        "See also: This record is referenced from the file %File. This record cannot be deleted "
        "while these references exist.");
}

TEST_F(ErrorManagerTest, PlaceholdersAreFilledInOrder) {
    setLastError({code::kDriverError, "File System Error", 26, "file is not a database"});
    errors_.SetFileName("Members   ");
    CatchHalt halt;
    EXPECT_THROW(errors_.Throw(ErrFileAccess), Halted);
    EXPECT_EQ(
        messages_.last().text,
        "File (Members) could not be opened.  Error: file is not a database (26).  Press OK to end "
        "this application");
    EXPECT_EQ(messages_.last().icon, MessageIcon::Exclamation);
    EXPECT_EQ(messages_.last().title, "File Access Error");

    setLastError({code::kRecordNotAvailable, "Record Not Available", 0, ""});
    errors_.SetFileName("Log");
    EXPECT_EQ(errors_.Throw(ErrRecordNotUpdated), SeverityNotify);
    EXPECT_EQ(messages_.last().text,
              "An error (Record Not Available (33)) was experienced when making changes to the Log "
              "file.");

    // A value that holds its own placeholder is not searched again for it.
    errors_.SetFileName("%File");
    errors_.Throw(ErrInvalidKey);
    EXPECT_EQ(messages_.last().text, "%File key file is invalid. Key must be rebuilt.");

    // An empty value leaves nothing behind; a text without placeholders is shown as is.
    errors_.SetFieldName("");
    errors_.RaiseWithMessage(ErrOutOfRange, "");
    EXPECT_EQ(messages_.last().text, "The value of  must be between .");
    errors_.Throw(ErrNoRecords);
    EXPECT_EQ(messages_.last().text, "There are no records available to process.");
}

// "%File" must not swallow the start of "%FileError" and "%FileErrorCode",
// nor "%Error" the start of "%ErrorText" and "%ErrorCode".
TEST_F(ErrorManagerTest, EachPlaceholderFillsWhereAShorterOneIsItsPrefix) {
    std::vector<std::uint8_t> block = {1, 0, 200, 0, SeverityNotify, 1, 'T'};
    const std::string message = "%ErrorText|%Error|%ErrorCode|%FileErrorCode|%FileError|%File";
    block.push_back(static_cast<std::uint8_t>(message.size()));
    block.insert(block.end(), message.begin(), message.end());
    errors_.LoadErrors(block);
    setLastError({5, "Access Denied", 13, "disk full"});
    errors_.SetFileName("Log");
    errors_.Throw(200);
    EXPECT_EQ(messages_.last().text, "Access Denied (5)|Access Denied|5|13|disk full|Log");
}

TEST_F(ErrorManagerTest, FilledTextIsCutAtTwoThousandCharacters) {
    std::vector<std::uint8_t> block = {1, 0, 201, 0, SeverityNotify, 1, 'T'};
    const std::string message =
        "%Message%Message%Message%Message%Message%Message%Message%Message%Message";
    block.push_back(static_cast<std::uint8_t>(message.size()));
    block.insert(block.end(), message.begin(), message.end());
    errors_.LoadErrors(block);
    errors_.RaiseWithMessage(201, std::string(400, 'x'));  // kept to 255 characters
    EXPECT_EQ(errors_.MessageText().size(), 255u);
    EXPECT_EQ(messages_.last().text, std::string(2000, 'x'));
}

TEST_F(ErrorManagerTest, EachSeverityReactsItsOwnWay) {
    EXPECT_EQ(errors_.HandleError(ErrDuplicateKey), SeverityNotify);
    EXPECT_EQ(messages_.last().buttons, static_cast<unsigned>(ButtonOk));

    messages_.answer(ButtonYes);
    EXPECT_EQ(errors_.HandleError(ErrConfirmDelete), SeverityNone);
    EXPECT_EQ(messages_.last().icon, MessageIcon::Question);
    EXPECT_EQ(messages_.last().buttons, static_cast<unsigned>(ButtonYes | ButtonNo));
    EXPECT_EQ(messages_.last().defaultButton, ButtonYes);
    messages_.answer(ButtonNo);
    EXPECT_EQ(errors_.HandleError(ErrConfirmDelete), SeverityCancel);

    CatchHalt halt;
    try {
        errors_.HandleError(ErrFileUsage);  // a programming error ends the program like a fatal one
        FAIL() << "did not halt";
    } catch (const Halted& h) {
        EXPECT_EQ(h.status, 0);
        EXPECT_EQ(h.message, "File Usage Error");
    }
    EXPECT_NE(messages_.last().text.find("  Press OK to end this application"), std::string::npos);

    messages_.answer(ButtonCancel);
    EXPECT_EQ(errors_.Message(ErrSaveRecord, ButtonYes | ButtonNo | ButtonCancel, ButtonYes),
              ButtonCancel);
    EXPECT_EQ(messages_.last().title, "Save Record");
    EXPECT_EQ(messages_.last().icon, MessageIcon::Question);

    // An id the table lacks is still reported, never silently dropped.
    const std::size_t before = messages_.shown.size();
    EXPECT_EQ(errors_.HandleError(999), SeverityNotify);
    EXPECT_EQ(messages_.shown.size(), before + 1);
    EXPECT_NE(messages_.last().text.find("999"), std::string::npos);
}

// Housekeeping that nobody asked for runs quiet: a question it meets is
// declined, so that "try again?" can never send it round and round; a notice
// is passed over. Nothing reaches the user.
TEST_F(ErrorManagerTest, AQuietCallerIsNeverAskedToTryAgain) {
    const QuietMessages quiet;
    for (const int asking : {ErrRecordDelete, ErrRecordUpdate, ErrAutoIncrement, ErrConfirmDelete})
        EXPECT_EQ(errors_.HandleError(asking), SeverityCancel) << asking;
    EXPECT_EQ(errors_.Message(ErrRecordDelete, ButtonYes | ButtonNo | ButtonCancel, ButtonYes),
              ButtonCancel);
    EXPECT_EQ(errors_.HandleError(ErrRecordNotDeleted), SeverityNotify);
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace bb
