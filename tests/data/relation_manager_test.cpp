// The relation manager over a small book: which records each change or
// delete adds, changes and removes across the related files, and that every
// refusal or failure leaves all files as they were.
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/runtime.h"
#include "processes.h"
#include "relations_fixture.h"
#include "snapshot.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::test {
namespace {

struct Scenario {
    const char* name;  // the test's name
    std::function<void(Relations&)> act;
    std::vector<Button> replies;
    std::vector<std::string> differences;
    std::vector<std::string> messages;
};

void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.name;
}

const Scenario kScenarios[] = {
    {"ACustomerWithAccountsCannotBeDeleted",
     [](Relations& t) {
         t.load(FileId::Members, MBR::MEMBERKEY, customer(2));
         EXPECT_EQ(relations(FileId::Members).Delete(true), SeverityNotify);
         t.done(FileId::Members);
     },
     {ButtonYes, ButtonNo},
     {},
     {"Confirm Delete", "Referential Integrity Delete Error", "Record Delete Error"}},
    {"ACustomerWithoutAccountsTakesItsAddressesCardsPhonesNotesAndGroupsAlong",
     [](Relations& t) {
         t.load(FileId::Members, MBR::MEMBERKEY, customer(1));
         EXPECT_EQ(relations(FileId::Members).Delete(true), SeverityNone);
         t.done(FileId::Members);
     },
     {ButtonYes},
     {"Members -1", "Credit -1", "Log -2", "Commbrs -1", "MPhones -2", "ShipTo -2"},
     {"Confirm Delete"}},
    {"ACustomerSNewRepresentativeReachesTheCustomerSNotes",
     [](Relations& t) {
         t.load(FileId::Members, MBR::MEMBERKEY, customer(1));
         MBR::REPRESENTATIVENUMBER.set(2);
         EXPECT_EQ(relations(FileId::Members).Update(false), SeverityNone);
         t.done(FileId::Members);
     },
     {},
     {"Members ~1 RepresentativeNumber", "Log ~2 RepresentativeNumber"},
     {}},
    {"AnAccountSNewClassReachesItsTransactions",
     [](Relations& t) {
         t.load(FileId::AccountRegistration, ACC::REGISTRATIONNUMBERKEY,
                [] { ACC::REGISTRATIONNUMBER.set(1); });
         ACC::ACCOUNTCLASS.set("F");
         EXPECT_EQ(relations(FileId::AccountRegistration).Update(false), SeverityNone);
         t.done(FileId::AccountRegistration);
     },
     {},
     {"AccountRegistration ~1 AccountClass", "Transactions ~2 AccountClass"},
     {}},
    {"ARenamedAccountCompanyRenamesItsAccountsCutToTheirWidth",
     [](Relations& t) {
         t.load(FileId::Vendors, VEN::VENDORNUMBERKEY, [] { VEN::VENDORNUMBER.set(1); });
         VEN::VENDORNAME.set("Acme Securities and Investment Services");
         EXPECT_EQ(relations(FileId::Vendors).Update(false), SeverityNone);
         t.done(FileId::Vendors);
         ACC::REGISTRATIONNUMBER.set(1);
         ASSERT_EQ(files(FileId::AccountRegistration).Open(), SeverityNone);
         ASSERT_EQ(files(FileId::AccountRegistration).Fetch(ACC::key::REGISTRATIONNUMBERKEY),
                   SeverityNone);
         EXPECT_EQ(ACC::COMPANY.get(), "Acme Securities and Investment Ser");
         files(FileId::AccountRegistration).Close();
     },
     {},
     {"Vendors ~1 VendorName", "AccountRegistration ~1 Company"},
     {}},
    {"ARenamedClassificationRenamesItForItsCustomers",
     [](Relations& t) {
         t.load(FileId::MembershipTypes, TYP::MEMBERTYPEKEY, [] { TYP::MEMBERTYPE.set("gold"); });
         TYP::MEMBERTYPE.set("Platinum");
         EXPECT_EQ(relations(FileId::MembershipTypes).Update(false), SeverityNone);
         t.done(FileId::MembershipTypes);
     },
     {},
     {"Members ~2 SalesLevel", "MembershipTypes ~1 MemberType"},
     {}},
    {"ARenamedSecurityRenamesItInItsTransactionsCutToSevenCharacters",
     [](Relations& t) {
         t.load(FileId::Securities, SEC::SECURITYNUMBERKEY, [] { SEC::SECURITYNUMBER.set(1); });
         SEC::SYMBOL.set("QRSTUVWX");
         EXPECT_EQ(relations(FileId::Securities).Update(false), SeverityNone);
         t.done(FileId::Securities);
     },
     {},
     {"Transactions ~3 Symbol", "Securities ~1 Symbol"},
     {}},
    {"ADeletedReceiptTakesItsItemsAlong",
     [](Relations& t) {
         t.load(FileId::CheckSecurityReceipt, CSR::CSRNUMBERKEY, [] { CSR::CSRNUMBER.set(1); });
         EXPECT_EQ(relations(FileId::CheckSecurityReceipt).Delete(false), SeverityNone);
         t.done(FileId::CheckSecurityReceipt);
     },
     {},
     {"ChecksSecuritiesLog -2", "CheckSecurityReceipt -1"},
     {}},
    {"ARepresentativeWithReceiptsCannotBeDeletedAndThePhonesAndStatesComeBack",
     [](Relations& t) {
         t.load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
                [] { REP::REPRESENTATIVENUMBER.set(2); });
         EXPECT_EQ(relations(FileId::Representatives).Delete(false), SeverityNotify);
         t.done(FileId::Representatives);
     },
     {ButtonNo},
     {},
     {"Referential Integrity Delete Error", "Record Delete Error"}},
    {"AnUnreferencedRepresentativeTakesStatesAndPhonesLeavesNotes",
     [](Relations& t) {
         t.load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
                [] { REP::REPRESENTATIVENUMBER.set(3); });
         EXPECT_EQ(relations(FileId::Representatives).Delete(false), SeverityNone);
         t.done(FileId::Representatives);
     },
     {},
     {"Representatives -1", "RPhones -1", "RepStates -1"},
     {}},
    {"ANewRepresentativeNumberReachesCustomersTheirNotesAccountsAndTrades",
     [](Relations& t) {
         t.load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
                [] { REP::REPRESENTATIVENUMBER.set(1); });
         REP::REPRESENTATIVENUMBER.set(10);
         EXPECT_EQ(relations(FileId::Representatives).Update(false), SeverityNone);
         t.done(FileId::Representatives);
     },
     {},
     {"Members ~2 RepresentativeNumber", "AccountRegistration ~1 RepresentativeNumber",
      "Transactions ~3 RepresentativeNumber", "Log ~3 RepresentativeNumber",
      "Representatives ~1 RepresentativeNumber", "RPhones ~1 RepresentativeNumber",
      "RepStates ~2 RepresentativeNumber"},
     {}},
    {"AnAccountCompanyWithAccountsCannotBeDeleted",
     [](Relations& t) {
         t.load(FileId::Vendors, VEN::VENDORNUMBERKEY, [] { VEN::VENDORNUMBER.set(1); });
         EXPECT_EQ(relations(FileId::Vendors).Delete(false), SeverityNotify);
         t.done(FileId::Vendors);
     },
     {ButtonNo},
     {},
     {"Referential Integrity Delete Error", "Record Delete Error"}},
    {"AnAccountCompanyWithoutAccountsTakesItsPhonesAlong",
     [](Relations& t) {
         t.load(FileId::Vendors, VEN::VENDORNUMBERKEY, [] { VEN::VENDORNUMBER.set(2); });
         EXPECT_EQ(relations(FileId::Vendors).Delete(false), SeverityNone);
         t.done(FileId::Vendors);
     },
     {},
     {"Vendors -1", "VPhones -1"},
     {}},
    {"AClassificationInUseCannotBeDeleted",
     [](Relations& t) {
         t.load(FileId::MembershipTypes, TYP::MEMBERTYPEKEY, [] { TYP::MEMBERTYPE.set("Gold"); });
         EXPECT_EQ(relations(FileId::MembershipTypes).Delete(false), SeverityNotify);
         t.done(FileId::MembershipTypes);
     },
     {ButtonNo},
     {},
     {"Referential Integrity Delete Error", "Record Delete Error"}},
};

class RelationScenarios : public Relations, public ::testing::WithParamInterface<Scenario> {
protected:
    // The scenario from the book as built: which records were added,
    // changed and removed, and what the user was shown.
    void check(const Scenario& s) {
        for (Button reply : s.replies) messages_.answer(reply);
        const Snapshot before = Snapshot::take();
        s.act(*this);
        EXPECT_EQ(Snapshot::differences(before, Snapshot::take()), s.differences);
        EXPECT_EQ(titles(), s.messages);
    }
};

std::string scenarioName(const ::testing::TestParamInfo<Scenario>& param) {
    return param.param.name;
}

// On the fault-injecting storage, which deletes related records one by one.
TEST_P(RelationScenarios, ReachExactlyTheirRelatedRecords) {
    check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Book, RelationScenarios, ::testing::ValuesIn(kScenarios), scenarioName);

// On the program's own storage, which deletes the related records that have
// none of their own a set at a time: the same records, the same messages.
class SetDeleteScenarios : public RelationScenarios {};

TEST_P(SetDeleteScenarios, ReachTheSameRecordsAsOneByOne) {
    useDataFolder(folder_.path());
    check(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Book, SetDeleteScenarios, ::testing::ValuesIn(kScenarios), scenarioName);

// A driver that cannot take part in a transaction (code 80) switches the
// framing off for that file without a word, and the change goes through;
// any other failure to begin is reported and changes nothing.
struct BeginFailure {
    int failure;
    Severity result;
    std::vector<std::string> differences;
    std::vector<std::string> messages;
    bool framedAfterwards;
};

void PrintTo(const BeginFailure& c, std::ostream* os) {
    *os << "code " << c.failure;
}

class BeginFailures : public Relations, public ::testing::WithParamInterface<BeginFailure> {};

TEST_P(BeginFailures, OnlyADriverWithoutTransactionsGoesOnUnframed) {
    const BeginFailure& c = GetParam();
    const Snapshot before = Snapshot::take();
    load(FileId::AccountRegistration, ACC::REGISTRATIONNUMBERKEY,
         [] { ACC::REGISTRATIONNUMBER.set(1); });
    ACC::ACCOUNTCLASS.set("F");
    storage_->failBegins(1, c.failure);
    EXPECT_EQ(relations(FileId::AccountRegistration).Update(true), c.result);
    done(FileId::AccountRegistration);
    EXPECT_EQ(Snapshot::differences(before, Snapshot::take()), c.differences);
    EXPECT_EQ(titles(), c.messages);
    EXPECT_EQ(relations(FileId::AccountRegistration).UseLogout, c.framedAfterwards);
}

INSTANTIATE_TEST_SUITE_P(
    Book, BeginFailures,
    ::testing::Values(
        BeginFailure{code::kNoTransactions,
                     SeverityNone,
                     {"AccountRegistration ~1 AccountClass", "Transactions ~2 AccountClass"},
                     {},
                     false},
        BeginFailure{code::kDriverError, SeverityNotify, {}, {"Transaction cancelled"}, true}));

// A cascade with a failure injected at each of its steps in turn.
TEST_F(Relations, AFailureAtAnyStepOfACascadeLeavesAllOrNothing) {
    const Cascade cascades[] = {
        // A new representative number, down to the customers' notes.
        {[this] {
             load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
                  [] { REP::REPRESENTATIVENUMBER.set(1); });
             REP::REPRESENTATIVENUMBER.set(10);
         },
         [this] {
             const Severity result = relations(FileId::Representatives).Update(false);
             done(FileId::Representatives);
             return result;
         },
         {"Members ~2 RepresentativeNumber", "AccountRegistration ~1 RepresentativeNumber",
          "Transactions ~3 RepresentativeNumber", "Log ~3 RepresentativeNumber",
          "Representatives ~1 RepresentativeNumber", "RPhones ~1 RepresentativeNumber",
          "RepStates ~2 RepresentativeNumber"}},
        // A customer deleted with its addresses, cards, phones, notes and groups.
        {[this] { load(FileId::Members, MBR::MEMBERKEY, customer(1)); },
         [this] {
             const Severity result = relations(FileId::Members).Delete(false);
             done(FileId::Members);
             return result;
         },
         {"Members -1", "Credit -1", "Log -2", "Commbrs -1", "MPhones -2", "ShipTo -2"}},
    };
    for (const Cascade& c : cascades) failEachStepInTurn(c);
}

TEST_F(Relations, ChangingNoLinkingFieldTouchesNoRelatedRecord) {
    load(FileId::Members, MBR::MEMBERKEY, customer(1));
    MBR::COMPANYNAME.set("Able Corporation");
    EXPECT_EQ(relations(FileId::Members).Update(false), SeverityNone);
    done(FileId::Members);
    EXPECT_EQ(storage_->journal(), std::vector<std::string>{"Members put"});
    // The related files were opened with it, and closed again.
    for (FileId related : {FileId::AccountRegistration, FileId::Log, FileId::States}) {
        EXPECT_EQ(files(related).Info().Opened, 0) << fileDef(related).label;
        EXPECT_TRUE(files(related).Info().file) << fileDef(related).label;
    }
}

TEST_F(Relations, NoToConfirmDeleteDeletesNothingAndOpensNothing) {
    ASSERT_EQ(files(FileId::Members).Open(), SeverityNone);
    MBR::MEMBERNUMBER.set(1);
    ASSERT_EQ(files(FileId::Members).Fetch(MBR::key::MEMBERKEY), SeverityNone);
    messages_.answer(ButtonNo);
    EXPECT_EQ(relations(FileId::Members).Delete(true), SeverityNotify);
    EXPECT_EQ(titles(), std::vector<std::string>{"Confirm Delete"});
    EXPECT_TRUE(storage_->journal().empty());
    for (FileId related :
         {FileId::AccountRegistration, FileId::ShipTo, FileId::Log, FileId::Commbrs}) {
        EXPECT_EQ(files(related).Info().Opened, 0) << fileDef(related).label;
    }
    EXPECT_EQ(files(FileId::Members).Info().Opened, 1);
    files(FileId::Members).Close();
}

TEST_F(Relations, ACascadeRemovesRelatedRecordsInRegistrationOrderBeforeTheRecord) {
    load(FileId::Members, MBR::MEMBERKEY, customer(1));
    ASSERT_EQ(relations(FileId::Members).Delete(false), SeverityNone);
    done(FileId::Members);
    const std::vector<std::string> expected = {"ShipTo erase",  "ShipTo erase",  "Credit erase",
                                               "MPhones erase", "MPhones erase", "Log erase",
                                               "Log erase",     "Commbrs erase", "Members erase"};
    EXPECT_EQ(storage_->journal(), expected);
}

TEST_F(Relations, AChangeCascadesDownEveryLevelBeforeWritingEachRecord) {
    load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
         [] { REP::REPRESENTATIVENUMBER.set(1); });
    REP::REPRESENTATIVENUMBER.set(10);
    ASSERT_EQ(relations(FileId::Representatives).Update(false), SeverityNone);
    done(FileId::Representatives);
    // Each customer's notes are rewritten before the customer is.
    const std::vector<std::string>& j = storage_->journal();
    ASSERT_FALSE(j.empty());
    EXPECT_EQ(j.front(), "Representatives put");
    std::vector<std::string> customers;
    for (const std::string& e : j) {
        if (e == "Log put" || e == "Members put") customers.push_back(e);
    }
    EXPECT_EQ(customers, (std::vector<std::string>{"Log put", "Log put", "Members put", "Log put",
                                                   "Members put"}));
}

TEST_F(Relations, ReadAheadReachesTheLookedUpFilesOnce) {
    relations(FileId::Transactions).SetReadAhead(true, 1);
    std::vector<std::string> reached = storage_->journal();
    std::sort(reached.begin(), reached.end());
    const std::vector<std::string> expected = {"AccountRegistration QUICKSCAN=on",
                                               "AccountTypes QUICKSCAN=on",
                                               "Categories QUICKSCAN=on",
                                               "Members QUICKSCAN=on",
                                               "MembershipTypes QUICKSCAN=on",
                                               "Representatives QUICKSCAN=on",
                                               "Rooms QUICKSCAN=on",
                                               "Securities QUICKSCAN=on",
                                               "Transactions QUICKSCAN=on",
                                               "Vendors QUICKSCAN=on"};
    EXPECT_EQ(reached, expected);

    storage_->clearJournal();
    relations(FileId::Transactions).SetReadAhead(false, 0);
    EXPECT_EQ(storage_->journal(), std::vector<std::string>{"Transactions QUICKSCAN=off"});

    // Propagating by key from a customer reaches the files it cascades to.
    storage_->clearJournal();
    relations(FileId::Committees).SetReadAhead(true, 2);
    reached = storage_->journal();
    std::sort(reached.begin(), reached.end());
    EXPECT_EQ(reached,
              (std::vector<std::string>{"Commbrs QUICKSCAN=on", "Committees QUICKSCAN=on"}));
}

}  // namespace

// Deletes customer 1 while another station holds the second of its notes:
// nothing may change, and the user is told of the held note.
void Relations::deleteWithANoteHeldElsewhere() {
    ASSERT_EQ(files(FileId::Log).Open(), SeverityNone);
    files(FileId::Log).SetOrder(LOG::key::LOGNUMBERKEY);
    ASSERT_EQ(files(FileId::Log).Next(), SeverityNone);
    ASSERT_EQ(files(FileId::Log).Next(), SeverityNone);
    const std::string second = files(FileId::Log).Position();
    files(FileId::Log).Close();
    ChildProcess holder(BB_STORAGE_STATION, {"hold-at", folder_.path().string(), "Log", second});
    ASSERT_TRUE(holder.waitForLine("held 0"));

    const Snapshot before = Snapshot::take();
    load(FileId::Members, MBR::MEMBERKEY, customer(1));
    messages_.answer(ButtonNo);
    EXPECT_EQ(relations(FileId::Members).Delete(false), SeverityNotify);
    done(FileId::Members);
    EXPECT_EQ(titles(), (std::vector<std::string>{"Record not read", "Record Delete Error"}));
    EXPECT_EQ(messages_.shown.front().text,
              "A record held by another station was encountered reading from the Log file.");
    EXPECT_TRUE(Snapshot::differences(before, Snapshot::take()).empty());
}

namespace {

TEST_F(Relations, ARelatedRecordHeldByAnotherStationStopsTheCascadeWhole) {
    deleteWithANoteHeldElsewhere();
}

TEST_F(Relations, ARecordHeldByAnotherStationStopsASetDeleteWhole) {
    useDataFolder(folder_.path());  // the storage that deletes sets at once
    deleteWithANoteHeldElsewhere();
}

TEST_F(Relations, ACascadeWaitsTwoSecondsForAnotherStationsTransactionThenGivesUp) {
    const Snapshot before = Snapshot::take();  // every file exists from here on
    ChildProcess writer(BB_STORAGE_STATION, {"transaction", folder_.path().string(), "1"});
    ASSERT_TRUE(writer.waitForLine("inside", 30));
    load(FileId::Members, MBR::MEMBERKEY, customer(1));
    MBR::REPRESENTATIVENUMBER.set(2);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(relations(FileId::Members).Update(false), SeverityNotify);
    const auto waited = std::chrono::steady_clock::now() - started;
    done(FileId::Members);
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    EXPECT_LT(waited, std::chrono::seconds(6));
    ASSERT_EQ(titles(), std::vector<std::string>{"Transaction cancelled"});
    EXPECT_EQ(messages_.last().text.rfind("Error: (database is locked", 0), 0u)
        << messages_.last().text;
    EXPECT_NE(messages_.last().text.find("attempting to frame the transaction on Members."),
              std::string::npos);
    writer.kill(SIGKILL);
    writer.wait();
    EXPECT_TRUE(Snapshot::differences(before, Snapshot::take()).empty());
}

// The user is told about a record that breaks a field rule before any
// other station is locked out, and nothing is written.
TEST_F(Relations, AnInvalidRecordIsRefusedBeforeTheTransactionBegins) {
    load(FileId::Log, LOG::LOGNUMBERKEY, [] { LOG::LOGNUMBER.set(1); });
    (void)LOG::DAYOFMONTH.set(Decimal(0));
    EXPECT_EQ(relations(FileId::Log).Update(true), SeverityAsk);
    done(FileId::Log);
    EXPECT_EQ(titles(), std::vector<std::string>{"Range Error"});
    EXPECT_TRUE(storage_->journal().empty());
}

// A change whose cascade failed is rolled back whole, the parent's own
// rewrite included: saving again afterwards is not mistaken for a change by
// another station.
TEST_F(Relations, AfterAFailedCascadeTheSameRecordCanBeSavedAgain) {
    ASSERT_EQ(files(FileId::Log).Open(), SeverityNone);
    files(FileId::Log).SetOrder(LOG::key::LOGNUMBERKEY);
    ASSERT_EQ(files(FileId::Log).Next(), SeverityNone);
    const std::string first = files(FileId::Log).Position();
    files(FileId::Log).Close();
    const Snapshot before = Snapshot::take();
    auto holder = std::make_unique<ChildProcess>(
        BB_STORAGE_STATION,
        std::vector<std::string>{"hold-at", folder_.path().string(), "Log", first});
    ASSERT_TRUE(holder->waitForLine("held 0"));

    load(FileId::Members, MBR::MEMBERKEY, customer(1));
    MBR::REPRESENTATIVENUMBER.set(2);
    EXPECT_EQ(relations(FileId::Members).Update(true), SeverityNotify);
    EXPECT_EQ(titles(), std::vector<std::string>{"Record not read"});
    holder.reset();  // the holding station ends; its hold is broken at once
    ASSERT_TRUE(files(FileId::Log).Driver().sendOption("Recover=0").ok());

    messages_.clear();
    EXPECT_EQ(relations(FileId::Members).Update(true), SeverityNone);
    done(FileId::Members);
    EXPECT_TRUE(messages_.shown.empty());
    EXPECT_EQ(Snapshot::differences(before, Snapshot::take()),
              (std::vector<std::string>{"Members ~1 RepresentativeNumber",
                                        "Log ~2 RepresentativeNumber"}));
}

// The user confirmed the delete, but by the time the record is read again
// another station holds it or has deleted it: the user is told which, and
// nothing is asked or changed.
TEST_F(Relations, AConfirmedDeleteOfARecordHeldOrGoneMeanwhileSaysWhy) {
    struct Case {
        const char* meanwhile;
        int customer;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"held", 1, "Record not read",
         "A record held by another station was encountered reading from the Members file."},
        {"gone", 2, "Record was not deleted",
         "An error (Record Not Available (33)) was experienced when deleting a record from the "
         "Members file."},
    };
    // Counted through handles of their own, which leave the managers' places
    // (and a held record) alone.
    const auto counts = [] {
        std::vector<std::int64_t> records;
        for (FileId id : {FileId::Members, FileId::ShipTo, FileId::Credit, FileId::MPhones,
                          FileId::Log, FileId::Commbrs}) {
            auto file = dataStorage().file(fileDef(id));
            std::int64_t n = -1;
            if (file->open(kReadOnly).ok()) file->count(n);
            records.push_back(n);
        }
        return records;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.meanwhile);
        messages_.clear();
        load(FileId::Members, MBR::MEMBERKEY, customer(c.customer));
        const std::string position = files(FileId::Members).Position();
        std::unique_ptr<ChildProcess> holder;
        if (std::string(c.meanwhile) == "held") {
            holder = std::make_unique<ChildProcess>(
                BB_STORAGE_STATION,
                std::vector<std::string>{"hold-at", folder_.path().string(), "Members", position});
            ASSERT_TRUE(holder->waitForLine("held 0"));
        } else {
            auto other = dataStorage().file(fileDef(FileId::Members));
            ASSERT_TRUE(other->open(kSharedReadWrite).ok());
            Record scratch(fileDef(FileId::Members));
            ASSERT_TRUE(other->getAtPosition(position, scratch).ok());
            ASSERT_TRUE(other->erase().ok());
        }
        const std::vector<std::int64_t> meanwhile = counts();
        messages_.answer(ButtonYes);
        EXPECT_EQ(relations(FileId::Members).Delete(true), SeverityNotify);
        done(FileId::Members);
        EXPECT_EQ(titles(), (std::vector<std::string>{"Confirm Delete", c.title}));
        EXPECT_EQ(messages_.last().text, c.text);
        EXPECT_EQ(messages_.last().icon, MessageIcon::Exclamation);
        EXPECT_EQ(counts(), meanwhile);
        EXPECT_EQ(files(FileId::ShipTo).Info().Opened, 0);
    }
}

// A customer with thousands of notes and phones, deleted by another station
// that is killed at some moment of the cascade: afterwards everything is
// still there or nothing is.
TEST_F(Relations, AStationKilledInTheMiddleOfACascadeLeavesAllOrNothing) {
    useDataFolder(folder_.path());  // the plain storage: this test adds many records
    ASSERT_EQ(files(FileId::Log).Open(), SeverityNone);
    ASSERT_EQ(files(FileId::MPhones).Open(), SeverityNone);
    ASSERT_TRUE(dataStorage().begin(2000).ok());
    for (int i = 0; i < 3000; ++i) {
        buffer(FileId::Log).clear();
        LOG::MEMBERNUMBER.set(1);
        LOG::REPRESENTATIVENUMBER.set(1);
        (void)LOG::DAYOFMONTH.set(Decimal(1));
        ASSERT_EQ(files(FileId::Log).Insert(), SeverityNone);
        buffer(FileId::MPhones).clear();
        MPH::MEMBERNUMBER.set(1);
        MPH::PHONENUMBER.set(std::to_string(5550000 + i));
        ASSERT_EQ(files(FileId::MPhones).Insert(), SeverityNone);
    }
    ASSERT_TRUE(dataStorage().commit().ok());
    files(FileId::Log).Close();
    files(FileId::MPhones).Close();
    const Snapshot whole = Snapshot::take();

    for (const int delayMs : {0, 5, 15, 30, 60, 120}) {
        ChildProcess deleter(BB_DATA_STATION, {"delete", folder_.path().string(), "1"});
        ASSERT_TRUE(deleter.waitForLine("deleting", 30));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        deleter.kill(SIGKILL);
        deleter.wait();
        const std::vector<std::string> left = Snapshot::differences(whole, Snapshot::take());
        const std::vector<std::string> gone = {"Members -1", "Credit -1",     "Log -3002",
                                               "Commbrs -1", "MPhones -3002", "ShipTo -2"};
        EXPECT_TRUE(left.empty() || left == gone)
            << "after " << delayMs << " ms: " << ::testing::PrintToString(left);
        if (!left.empty()) break;  // all gone: nothing more to interrupt
    }
}

}  // namespace
}  // namespace bb::test
