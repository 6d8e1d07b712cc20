// The file manager: opening and counting, numbering, inserting and updating
// with their messages, saved copies and positions, and the read-only and
// damaged-key paths of opening.
#include <signal.h>

#include <fstream>

#include "data_fixture.h"
#include "faulty_storage.h"
#include "platform/runtime.h"
#include "processes.h"
#include "storage/open_storage.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_storage.h"

namespace bb::test {
namespace {

using FileManagerTest = DataTest;

TEST_F(FileManagerTest, OpeningAMissingFileCreatesItAndCountsOpens) {
    FileManager& states = files(FileId::States);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / kDatabaseName));
    ASSERT_EQ(states.Open(), SeverityNone);
    EXPECT_TRUE(std::filesystem::exists(folder_.path() / kDatabaseName));
    EXPECT_TRUE(states.Driver().isOpen());
    EXPECT_EQ(states.Open(), SeverityNone);
    EXPECT_EQ(states.Info().Opened, 2);
    states.Close();
    EXPECT_TRUE(states.Driver().isOpen());  // still one opener
    states.Close();
    EXPECT_FALSE(states.Driver().isOpen());
    EXPECT_FALSE(states.Info().Used);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FileManagerTest, OpenCountsArePerThread) {
    FileManager& states = files(FileId::States);
    ASSERT_EQ(states.Open(), SeverityNone);
    setCurrentThread(2);
    EXPECT_EQ(states.Info().Opened, 0);
    ASSERT_EQ(states.Open(), SeverityNone);
    states.Close();
    EXPECT_EQ(states.Info().Opened, 0);
    setCurrentThread(1);
    EXPECT_EQ(states.Info().Opened, 1);
    EXPECT_TRUE(states.Driver().isOpen());
    states.Close();
}

TEST_F(FileManagerTest, AFileThatCannotBeCreatedEndsTheProgram) {
    // A data folder that is a plain file: no database can be made there.
    const auto notAFolder = folder_.path() / "plain-file";
    std::ofstream(notAFolder) << "x";
    useDataFolder(notAFolder);
    try {
        files(FileId::States).Open();
        FAIL() << "did not halt";
    } catch (const Halted& h) {
        EXPECT_EQ(h.message, "File Creation Error");
    }
    EXPECT_EQ(messages_.last().title, "File Creation Error");
    EXPECT_EQ(messages_.last().text.rfind("Error: (", 0), 0u);
    EXPECT_NE(messages_.last().text.find("creating States."), std::string::npos);
}

TEST_F(FileManagerTest, UsingAFileBeforeOpeningItIsAProgrammingError) {
    EXPECT_THROW(files(FileId::States).Next(), Halted);
    EXPECT_EQ(
        messages_.last().text,
        "Attempt to use file (States) before it was opened  Press OK to end this application");
}

TEST_F(FileManagerTest, NumbersContinueAfterTheHighestAndRestartPerGroup) {
    FileManager& trades = files(FileId::Transactions);
    ASSERT_EQ(trades.Open(), SeverityNone);
    for (int expected = 1; expected <= 7; ++expected) {
        ASSERT_EQ(trades.PrimeNewRecord(), SeverityNone);
        EXPECT_EQ(TRN::TRANSACTIONNUMBER.get(), expected);
        ASSERT_EQ(trades.Insert(), SeverityNone);
    }
    TRN::TRANSACTIONNUMBER.set(3);
    ASSERT_EQ(trades.Fetch(TRN::key::TRANSACTIONNUMBERKEY), SeverityNone);
    ASSERT_TRUE(trades.Driver().erase().ok());
    ASSERT_EQ(trades.PrimeNewRecord(), SeverityNone);
    EXPECT_EQ(TRN::TRANSACTIONNUMBER.get(), 8);
    ASSERT_EQ(trades.Insert(), SeverityNone);

    // Per customer: ShipTo locations and credit cards start again at 1.
    for (const auto& [file, owner, numbered] :
         {std::tuple{FileId::ShipTo, SHI::MEMBERNUMBER, SHI::LOCATIONNUMBER},
          std::tuple{FileId::Credit, CRE::MEMBERNUMBER, CRE::CREDITNUMBER}}) {
        FileManager& fm = files(file);
        ASSERT_EQ(fm.Open(), SeverityNone);
        int card = 0;
        for (const auto& [customer, expected] : {std::pair{5, 1}, {5, 2}, {9, 1}, {5, 3}, {2, 1}}) {
            buffer(file).clear();
            owner.set(customer);
            CRE::CARD_NUMBER.set(
                std::to_string(++card));  // the card key allows one blank entry only
            ASSERT_EQ(fm.PrimeNewRecord(true), SeverityNone);
            EXPECT_EQ(numbered.get(), expected) << fileDef(file).label << " customer " << customer;
            ASSERT_EQ(fm.Insert(), SeverityNone);
        }
    }
}

TEST_F(FileManagerTest, AReceiptGetsTwoNumbers) {
    FileManager& receipts = files(FileId::CheckSecurityReceipt);
    ASSERT_EQ(receipts.Open(), SeverityNone);
    const std::pair<int, std::pair<int, int>> expected[] = {
        {10, {1, 1}}, {10, {2, 2}}, {11, {3, 1}}, {10, {4, 3}}, {11, {5, 2}}};
    for (const auto& [account, numbers] : expected) {
        buffer(FileId::CheckSecurityReceipt).clear();
        CSR::ACCOUNTREGISTRATIONNUMBER.set(account);
        ASSERT_EQ(receipts.PrimeNewRecord(true), SeverityNone);
        EXPECT_EQ(CSR::CSRNUMBER.get(), numbers.first);
        EXPECT_EQ(CSR::ACCOUNTRECEIPTNUMBER.get(), numbers.second);
        ASSERT_EQ(receipts.Insert(), SeverityNone);
    }
}

TEST_F(FileManagerTest, AnInsertWithoutAReservationNumbersItself) {
    FileManager& notes = files(FileId::Log);
    ASSERT_EQ(notes.Open(), SeverityNone);
    for (int n = 1; n <= 2; ++n) {
        buffer(FileId::Log).clear();
        (void)LOG::DAYOFMONTH.set(Decimal(n));
        ASSERT_EQ(notes.Insert(), SeverityNone);
        EXPECT_EQ(LOG::LOGNUMBER.get(), n);
        EXPECT_FALSE(notes.Info().AutoIncDone);
    }
    EXPECT_TRUE(notes.Driver().staleReservations().empty());
}

TEST_F(FileManagerTest, AutoNumberingAsksOnlyAfterThreeFailuresInARow) {
    auto faulty = std::make_unique<FaultyStorage>(openDataStorage(folder_.path()));
    FaultyStorage& storage = *faulty;
    useDataStorage(std::move(faulty));
    FileManager& trades = files(FileId::Transactions);
    ASSERT_EQ(trades.Open(), SeverityNone);

    storage.failAdds(2);
    EXPECT_EQ(trades.PrimeNewRecord(), SeverityNone);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(storage.addsAttempted(), 3);
    ASSERT_EQ(trades.Insert(), SeverityNone);

    storage.failAdds(3);
    messages_.answer(ButtonNo);
    EXPECT_EQ(trades.PrimeNewRecord(), SeverityNotify);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().title, "Auto Increment Error");
    EXPECT_EQ(
        messages_.last().text,
        "Attempts to automatically number this record have failed.  Error: database is locked (5). "
        "Try Again?");

    // Yes starts counting again: three more failures, then success.
    storage.failAdds(5);
    messages_.answer(ButtonYes);
    EXPECT_EQ(trades.PrimeNewRecord(), SeverityNone);
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(TRN::TRANSACTIONNUMBER.get(), 2);

    // The quiet form never asks.
    ASSERT_EQ(trades.Insert(), SeverityNone);
    storage.failAdds(3);
    EXPECT_EQ(trades.PrimeNumberQuietly(), SeverityNotify);
    EXPECT_EQ(messages_.shown.size(), 2u);
    EXPECT_EQ(trades.Info().LastError, ErrAutoIncrement);
}

// Waits for an inserting station to finish: none of its inserts failed. A
// station that lost the race three times running was asked whether to try
// again (and went on); nothing else was said.
void expectAllInserted(ChildProcess& station) {
    std::string line;
    ASSERT_TRUE(station.waitForLine("done", 120, &line));
    std::string rest = line.substr(std::min(line.size(), std::string("done 0").size()));
    for (std::size_t at; (at = rest.find("|Auto Increment Error")) != std::string::npos;) {
        rest.erase(at, std::string("|Auto Increment Error").size());
    }
    EXPECT_EQ(line.substr(0, 6), "done 0") << line;
    EXPECT_EQ(rest, "") << line;
}

TEST_F(FileManagerTest, TwoStationsNumberingAtOnceNeverShareANumber) {
    { ASSERT_EQ(files(FileId::Transactions).Open(), SeverityNone); }
    files(FileId::Transactions).Close();
    ChildProcess a(BB_DATA_STATION, {"insert", folder_.path().string(), "150"});
    ChildProcess b(BB_DATA_STATION, {"insert", folder_.path().string(), "150"});
    for (ChildProcess* station : {&a, &b}) expectAllInserted(*station);
    FileManager& trades = files(FileId::Transactions);
    ASSERT_EQ(trades.Open(), SeverityNone);
    trades.SetOrder(TRN::key::TRANSACTIONNUMBERKEY);
    int expected = 0;
    while (trades.Next() == SeverityNone) EXPECT_EQ(TRN::TRANSACTIONNUMBER.get(), ++expected);
    EXPECT_EQ(expected, 300);
}

// A third station editing the newest customer holds it. The hold protects
// what the customer says, not its number: two stations go on adding
// customers beside it.
TEST_F(FileManagerTest, TwoStationsAddCustomersWhileAThirdHoldsTheNewest) {
    FileManager& members = files(FileId::Members);
    ASSERT_EQ(members.Open(), SeverityNone);
    ASSERT_EQ(members.PrimeNewRecord(), SeverityNone);
    ASSERT_EQ(members.Insert(), SeverityNone);
    ChildProcess editor(BB_STORAGE_STATION, {"hold", folder_.path().string(), "1"});
    ASSERT_TRUE(editor.waitForLine("held 0", 30));
    ChildProcess a(BB_DATA_STATION, {"insert", folder_.path().string(), "30", "customers"});
    ChildProcess b(BB_DATA_STATION, {"insert", folder_.path().string(), "30", "customers"});
    for (ChildProcess* station : {&a, &b}) expectAllInserted(*station);
    std::int64_t count = -1;
    ASSERT_TRUE(members.Driver().count(count).ok());
    EXPECT_EQ(count, 61);
    ASSERT_EQ(members.SetOrder(MBR::key::MEMBERKEY), SeverityNone);
    ASSERT_EQ(members.Previous(), SeverityNone);
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 61);  // no number given twice
    EXPECT_TRUE(messages_.shown.empty());
}

// A station that reserved a customer's number, gave it a phone, and died
// before saving: the blank customer does not stay, and neither does its phone.
TEST_F(FileManagerTest, AReservationWhoseStationDiedIsRemovedWithWhatHangsOnIt) {
    ChildProcess station(BB_DATA_STATION, {"reserve", folder_.path().string()});
    std::string line;
    ASSERT_TRUE(station.waitForLine("reserved", 30, &line));
    EXPECT_EQ(line, "reserved 1");
    FileManager& members = files(FileId::Members);
    FileManager& phones = files(FileId::MPhones);
    std::int64_t count = -1;
    // While the station lives, its reservation stands.
    ASSERT_EQ(members.Open(), SeverityNone);
    ASSERT_TRUE(members.Driver().count(count).ok());
    EXPECT_EQ(count, 1);
    members.Close();
    station.kill(SIGKILL);
    station.wait();
    MBR::COMPANYNAME.set("typed meanwhile");
    ASSERT_EQ(members.Open(), SeverityNone);
    EXPECT_EQ(MBR::COMPANYNAME.get(), "typed meanwhile");  // the buffer is left as it was
    ASSERT_TRUE(members.Driver().count(count).ok());
    EXPECT_EQ(count, 0);
    ASSERT_EQ(phones.Open(), SeverityNone);
    ASSERT_TRUE(phones.Driver().count(count).ok());
    EXPECT_EQ(count, 0);
    // The number is free again.
    ASSERT_EQ(members.PrimeNewRecord(), SeverityNone);
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 1);
    EXPECT_TRUE(messages_.shown.empty());
}

// Opening the customers with their related files: the reservation is
// removed once they are all open, and every open is closed again.
TEST_F(FileManagerTest, RemovingAReservationLeavesTheOpenCountsRight) {
    ChildProcess station(BB_DATA_STATION, {"reserve", folder_.path().string()});
    ASSERT_TRUE(station.waitForLine("reserved 1", 30));
    station.kill(SIGKILL);
    station.wait();
    ASSERT_EQ(relations(FileId::Members).Open(), SeverityNone);
    std::int64_t count = -1;
    ASSERT_TRUE(files(FileId::Members).Driver().count(count).ok());
    EXPECT_EQ(count, 0);
    ASSERT_EQ(relations(FileId::Members).Close(), SeverityNone);
    for (FileId id : dictionaryOrder()) EXPECT_EQ(files(id).Info().Opened, 0) << fileDef(id).label;
    EXPECT_TRUE(messages_.shown.empty());
}

// A station died holding a customer's number, after giving the customer
// something its removal cannot take along: an account, which forbids it, or
// a phone that a living station holds. Opening the file asks nothing, tries
// once and goes on at once; the customer stays as an ordinary, incomplete
// customer, no longer reserved, so no later open tries again.
TEST_F(FileManagerTest, OpeningAFileNeverHangsOnAReservationThatCannotBeRemoved) {
    FileManager& members = files(FileId::Members);
    for (const bool account : {true, false}) {
        SCOPED_TRACE(account ? "an account forbids it" : "another station holds its phone");
        ChildProcess station(BB_DATA_STATION, {"reserve", folder_.path().string(),
                                               account ? "account" : "phone only"});
        std::string line;
        ASSERT_TRUE(station.waitForLine("reserved", 30, &line));
        const int number = std::stoi(line.substr(std::string("reserved ").size()));
        station.kill(SIGKILL);
        station.wait();
        std::unique_ptr<ChildProcess> phoneHolder;
        if (!account) {
            auto phones = dataStorage().file(fileDef(FileId::MPhones));
            ASSERT_TRUE(phones->open(kSharedReadWrite).ok());
            ASSERT_TRUE(phones->setStart(MPH::key::KEYMEMBERNUMBER).ok());
            ASSERT_TRUE(phones->previous(buffer(FileId::MPhones)).ok());  // the newest customer's
            phoneHolder = std::make_unique<ChildProcess>(
                BB_STORAGE_STATION, std::vector<std::string>{"hold-at", folder_.path().string(),
                                                             "MPhones", phones->position()});
            ASSERT_TRUE(phoneHolder->waitForLine("held 0"));
        }
        ASSERT_EQ(members.Open(), SeverityNone);
        EXPECT_TRUE(messages_.shown.empty());
        EXPECT_TRUE(members.Driver().staleReservations().empty());
        MBR::MEMBERNUMBER.set(number);
        EXPECT_EQ(members.Fetch(MBR::key::MEMBERKEY), SeverityNone);
        EXPECT_EQ(MBR::COMPANYNAME.get(), "");  // incomplete: nobody filled it in
        members.Close();
    }
}

// The reserved record disappeared under the form (another station removed
// it, taking this one for dead): saving numbers the record afresh.
TEST_F(FileManagerTest, ASaveWhoseReservationIsGoneNumbersTheRecordAgain) {
    FileManager& notes = files(FileId::Log);
    ASSERT_EQ(notes.Open(), SeverityNone);
    ASSERT_EQ(notes.PrimeNewRecord(), SeverityNone);
    auto other = dataStorage().file(fileDef(FileId::Log));
    ASSERT_TRUE(other->open(kSharedReadWrite).ok());
    Record scratch(fileDef(FileId::Log));
    ASSERT_TRUE(other->getAtPosition(notes.Position(), scratch).ok());
    ASSERT_TRUE(other->erase().ok());
    (void)LOG::DAYOFMONTH.set(Decimal(3));
    EXPECT_EQ(notes.Insert(), SeverityNone);
    EXPECT_FALSE(notes.Info().AutoIncDone);
    std::int64_t count = -1;
    ASSERT_TRUE(notes.Driver().count(count).ok());
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(notes.Driver().staleReservations().empty());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FileManagerTest, ADuplicateNamesTheKeyItCollidesOn) {
    FileManager& products = files(FileId::Securities);
    ASSERT_EQ(products.Open(), SeverityNone);
    ASSERT_EQ(products.PrimeNewRecord(), SeverityNone);
    SEC::SYMBOL.set("IBM");
    ASSERT_EQ(products.Insert(), SeverityNone);
    // Through a reservation, as a form does it.
    ASSERT_EQ(products.PrimeNewRecord(), SeverityNone);
    SEC::SYMBOL.set("IBM");
    EXPECT_EQ(products.Insert(), SeverityNotify);
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.last().title, "Duplicate Key Error");
    EXPECT_EQ(messages_.last().text,
              "Adding this record creates a duplicate entry for the key: SEC:SymbolKey");
    // Without one.
    products.CancelNumber();
    messages_.clear();
    buffer(FileId::Securities).clear();
    SEC::SYMBOL.set("IBM");
    EXPECT_EQ(products.Insert(), SeverityNotify);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().text,
              "Adding this record creates a duplicate entry for the key: SEC:SymbolKey");
    // Quietly: only the error is kept.
    messages_.clear();
    EXPECT_EQ(products.InsertQuietly(), SeverityNotify);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(products.Info().LastError, ErrDuplicateKey);
}

TEST_F(FileManagerTest, ValidationStopsAnInsertWithTheFieldsRule) {
    FileManager& notes = files(FileId::Log);
    ASSERT_EQ(notes.Open(), SeverityNone);
    ASSERT_EQ(notes.PrimeNewRecord(), SeverityNone);
    (void)LOG::DAYOFMONTH.set(Decimal(32));
    EXPECT_EQ(notes.Insert(), SeverityNotify);
    EXPECT_EQ(messages_.last().title, "Range Error");
    EXPECT_EQ(messages_.last().text, "The value of LOG:DayofMonth must be between 1 and 31.");
    int failed = 0;
    EXPECT_EQ(notes.ValidateAllFields(failed), SeverityNotify);
    EXPECT_EQ(failed, LOG::field::DAYOFMONTH + 1);
    // Nothing but the reservation was written; cancelling removes it.
    EXPECT_EQ(notes.CancelNumber(), SeverityNone);
    std::int64_t count = -1;
    ASSERT_TRUE(notes.Driver().count(count).ok());
    EXPECT_EQ(count, 0);
}

TEST_F(FileManagerTest, AChangeByAnotherStationIsShownAndItsDataDisplayed) {
    FileManager& members = files(FileId::Members);
    ASSERT_EQ(members.Open(), SeverityNone);
    ASSERT_EQ(members.PrimeNewRecord(), SeverityNone);
    MBR::COMPANYNAME.set("Mine");
    ASSERT_EQ(members.Insert(), SeverityNone);
    const int number = MBR::MEMBERNUMBER.get();

    for (const auto& [mode, error] :
         {std::pair{1, ErrChangedByOther}, {2, ErrChangedByOtherShown}}) {
        ASSERT_EQ(members.Fetch(MBR::key::MEMBERKEY), SeverityNone);
        const std::string theirs = "Theirs " + std::to_string(mode);
        ChildProcess other(BB_STORAGE_STATION,
                           {"change", folder_.path().string(), std::to_string(number), theirs});
        ASSERT_TRUE(other.waitForLine("changed 0"));
        MBR::COMPANYNAME.set("Mine again");
        messages_.clear();
        EXPECT_EQ(members.Update(mode), SeverityNotify);
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.last().title, "Record Was Not Updated");
        EXPECT_EQ(members.Info().LastError, error);
        EXPECT_EQ(MBR::COMPANYNAME.get(), theirs);  // the other station's data
        // Having seen it, the next save goes through.
        MBR::COMPANYNAME.set("Mine at last");
        EXPECT_EQ(members.Update(mode), SeverityNone);
    }
    // The quiet form tells nobody.
    ASSERT_EQ(members.Fetch(MBR::key::MEMBERKEY), SeverityNone);
    ChildProcess other(BB_STORAGE_STATION,
                       {"change", folder_.path().string(), std::to_string(number), "Quiet"});
    ASSERT_TRUE(other.waitForLine("changed 0"));
    messages_.clear();
    EXPECT_EQ(members.UpdateQuietly(), SeverityNotify);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(MBR::COMPANYNAME.get(), "Quiet");
}

TEST_F(FileManagerTest, FetchClearsOnFailureUnlessQuiet) {
    FileManager& states = files(FileId::States);
    ASSERT_EQ(states.Open(), SeverityNone);
    ST::STATECODE.set("NY");
    ST::STATENAME.set("New York");
    ASSERT_EQ(states.Insert(), SeverityNone);
    ST::STATECODE.set("ny");
    ASSERT_EQ(states.Fetch(ST::key::STATEKEY), SeverityNone);
    EXPECT_EQ(ST::STATENAME.get(), "New York");
    ST::STATECODE.set("ZZ");
    EXPECT_EQ(states.FetchQuietly(ST::key::STATEKEY), SeverityNotify);
    EXPECT_EQ(ST::STATECODE.get(), "ZZ");
    EXPECT_EQ(states.Fetch(ST::key::STATEKEY), SeverityNotify);
    EXPECT_EQ(ST::STATECODE.get(), "");
    states.SetOrder(ST::key::STATEKEY);
    EXPECT_EQ(states.Next(), SeverityNone);
    EXPECT_EQ(states.Next(), SeverityNotify);
    EXPECT_TRUE(states.Info().AtEOF);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FileManagerTest, SavedCopiesIncludeTheMemo) {
    FileManager& notes = files(FileId::Log);
    LOG::SUBJECT.set("Call");
    LOG::NOTES.set("first text");
    const int id = notes.SaveCopy();
    EXPECT_EQ(notes.SaveCopy(), id + 2);  // the memo's copy takes the id between
    EXPECT_TRUE(notes.BufferUnchanged(id));
    LOG::NOTES.set("second text");
    EXPECT_FALSE(notes.BufferUnchanged(id));
    LOG::NOTES.set("first text");
    LOG::SUBJECT.set("Visit");
    EXPECT_FALSE(notes.BufferUnchanged(id));
    notes.RestoreCopy(id, true);
    EXPECT_EQ(LOG::SUBJECT.get(), "Call");
    EXPECT_FALSE(notes.BufferUnchanged(id));  // the copy is gone
    notes.RestoreCopy(id + 2, false);
    EXPECT_EQ(notes.SaveCopy(), 1);
}

TEST_F(FileManagerTest, ASavedFileStateBringsReadingBack) {
    FileManager& states = files(FileId::States);
    ASSERT_EQ(states.Open(), SeverityNone);
    for (const char* code : {"AK", "CA", "NY", "TX"}) {
        ST::STATECODE.set(code);
        ASSERT_EQ(states.Insert(), SeverityNone);
    }
    states.SetOrder(ST::key::STATEKEY);
    ASSERT_EQ(states.Next(), SeverityNone);
    ASSERT_EQ(states.Next(), SeverityNone);
    EXPECT_EQ(ST::STATECODE.get(), "CA");
    std::uint16_t handle = states.SaveFileState();
    states.SetOrder(-1);
    while (states.Next() == SeverityNone) {
    }
    ST::STATECODE.set("??");
    states.RestoreFileState(handle);
    EXPECT_EQ(handle, 0);
    EXPECT_EQ(ST::STATECODE.get(), "CA");
    ASSERT_EQ(states.Next(), SeverityNone);
    EXPECT_EQ(ST::STATECODE.get(), "NY");
}

TEST_F(FileManagerTest, KeyTextsForViews) {
    FileManager& trades = files(FileId::Transactions);
    EXPECT_EQ(trades.KeyOrderText(TRN::key::MEMBERNUMBERKEY),
              "TRN:MemberNumber,TRN:RegistrationNumber,-TRN:Date,TRN:TransactionNumber");
    EXPECT_EQ(trades.KeyOrderText(TRN::key::MEMBERNUMBERKEY, 3), "-TRN:Date,TRN:TransactionNumber");
    EXPECT_EQ(files(FileId::Members).KeyOrderText(MBR::key::NAMEKEY),
              "UPPER(MBR:LastName),UPPER(MBR:FirstName)");
    EXPECT_EQ(trades.KeyComponents(TRN::key::ACCOUNTREGISTRATIONNUMBERKEY), 4);
    EXPECT_EQ(trades.KeyComponentField(TRN::key::ACCOUNTREGISTRATIONNUMBERKEY, 3),
              TRN::field::DATE);
    EXPECT_EQ(files(FileId::Members).PrimaryKey, 1);
    EXPECT_EQ(files(FileId::Representatives).PrimaryKey, 0);
    EXPECT_TRUE(trades.HasAutoInc);
    EXPECT_FALSE(files(FileId::States).HasAutoInc);
    EXPECT_EQ(trades.GetName(), "Transactions");

    // Clearing components: what sorts first is the lowest value of an
    // ascending component and the highest of a descending one.
    buffer(FileId::Transactions).clear();
    trades.ClearKey(TRN::key::ACCOUNTREGISTRATIONNUMBERKEY, 1, 4);
    EXPECT_EQ(TRN::REGISTRATIONNUMBER.get(), INT32_MIN);
    EXPECT_EQ(TRN::DATE.get(), INT32_MAX);
    trades.ClearKey(TRN::key::ACCOUNTREGISTRATIONNUMBERKEY, 1, 4, true);
    EXPECT_EQ(TRN::REGISTRATIONNUMBER.get(), INT32_MAX);
    EXPECT_EQ(TRN::DATE.get(), INT32_MIN);
}

TEST_F(FileManagerTest, WithoutWriteAccessTheFileOpensReadOnlyForTheRestOfTheRun) {
    {
        FileManager& states = files(FileId::States);
        ASSERT_EQ(states.Open(), SeverityNone);
        states.Close();
    }
    useDataStorage(openSqliteStorage(folder_.path(), true));
    FileManager& states = files(FileId::States);
    EXPECT_EQ(states.Open(), SeverityNone);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().title, "Access Denied");
    EXPECT_EQ(messages_.last().text, "Could not get write access to States so trying read-only.");
    EXPECT_EQ(states.OpenMode, kReadOnly | kDenyNone);
    states.Close();
    EXPECT_EQ(states.Open(), SeverityNone);
    EXPECT_EQ(messages_.shown.size(), 1u);  // no second notice
    ST::STATECODE.set("NY");
    EXPECT_EQ(states.Insert(), SeverityNotify);
    EXPECT_EQ(messages_.last().title, "Record Insert Error");
}

TEST_F(FileManagerTest, AnInvalidKeyIsReportedAndRebuilt) {
    {
        FileManager& members = files(FileId::Members);
        ASSERT_EQ(members.Open(), SeverityNone);
        members.Close();
    }
    useDataFolder(".");  // let go of the database
    {
        auto raw = openSqliteStorage(folder_.path());
        auto file = raw->file(fileDef(FileId::Members));
        ASSERT_TRUE(file->open(kSharedReadWrite).ok());
        auto* sqlite = dynamic_cast<sqlite::SqliteStorage*>(raw.get());
        ASSERT_NE(sqlite, nullptr);
        ASSERT_TRUE(sqlite->execute("DROP INDEX \"MEMBERS$NAMEKEY\"").ok());
    }
    useDataFolder(folder_.path());
    EXPECT_EQ(files(FileId::Members).Open(), SeverityNone);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.last().title, "Invalid Key");
    EXPECT_EQ(messages_.last().text, "Members key file is invalid. Key must be rebuilt.");
}

}  // namespace
}  // namespace bb::test
