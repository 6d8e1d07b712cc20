// A delete whose cascade goes two levels down: customers made to take their
// accounts along, and accounts their trades (the book's own rules protect
// both). One by one, or a set at a time level by level, the same records
// go, or none of them and the user hears the same words.
#include <memory>
#include <string>
#include <vector>

#include "processes.h"
#include "relations_fixture.h"
#include "snapshot.h"

namespace bb::test {
namespace {

// The rules of a relation replaced for as long as it lives.
class DeleteRuleChanged {
public:
    DeleteRuleChanged(FileId file, FileId related, Rule onDelete) {
        for (RelationManager::Relation& r : relations(file).Relations) {
            if (r.File != &relations(related) || r.HisKey() < 0) continue;
            changed_ = &r;
            original_ = r.Def;
            def_ = *r.Def;
            def_.onDelete = onDelete;
            r.Def = &def_;
        }
        EXPECT_NE(changed_, nullptr) << "no such relation";
    }
    ~DeleteRuleChanged() {
        if (changed_) changed_->Def = original_;
    }
    DeleteRuleChanged(const DeleteRuleChanged&) = delete;
    DeleteRuleChanged& operator=(const DeleteRuleChanged&) = delete;

private:
    RelationManager::Relation* changed_ = nullptr;
    const RelationDef* original_ = nullptr;
    RelationDef def_;
};

enum class Way { OneByOne, SetsJournaled, Sets };

class DeeperCascade;

struct DeepCase {
    const char* name;
    // Sets the book up; what it returns (another station) lives through the delete.
    std::function<std::unique_ptr<ChildProcess>(DeeperCascade&)> prepare;
    std::vector<std::string> differences;
    std::vector<std::string> messages;
    std::string firstText;  // of the first message, when one is shown
};

void PrintTo(const DeepCase& c, std::ostream* os) {
    *os << c.name;
}

class DeeperCascade : public Relations,
                      public ::testing::WithParamInterface<std::tuple<DeepCase, Way>> {
public:
    // Another station holding the `nth` record of `file` in the order of `key`.
    std::unique_ptr<ChildProcess> holdRecord(FileId file, int key, int nth) {
        EXPECT_EQ(files(file).Open(), SeverityNone);
        files(file).SetOrder(key);
        for (int i = 0; i < nth; ++i) EXPECT_EQ(files(file).Next(), SeverityNone);
        const std::string position = files(file).Position();
        files(file).Close();
        auto holder = std::make_unique<ChildProcess>(
            BB_STORAGE_STATION, std::vector<std::string>{"hold-at", folder_.path().string(),
                                                         fileDef(file).label, position});
        EXPECT_TRUE(holder->waitForLine("held 0"));
        return holder;
    }
    void addHolding() {
        insert(FileId::ClientHoldingRecord, [] { CLI::REGISTRATIONNUMBER.set(1); });
    }

    // Customer 2 deleted, its account and the account's two trades with it.
    Severity deleteCustomer() {
        const DeleteRuleChanged accounts(FileId::Members, FileId::AccountRegistration,
                                         Rule::Cascade);
        const DeleteRuleChanged trades(FileId::AccountRegistration, FileId::Transactions,
                                       Rule::Cascade);
        load(FileId::Members, MBR::MEMBERKEY, customer(2));
        const Severity result = relations(FileId::Members).Delete(false);
        done(FileId::Members);
        return result;
    }

protected:
    void useWay(Way way) {
        if (way == Way::Sets) useDataFolder(folder_.path());
        if (way == Way::SetsJournaled) storage_->passSets(true);
    }
};

const DeepCase kDeepCases[] = {
    {"TheAccountAndItsTradesGoWithTheCustomer",
     [](DeeperCascade&) { return nullptr; },
     {"Members -1", "AccountRegistration -1", "Transactions -2", "Log -1", "MPhones -1"},
     {},
     ""},
    {"AHoldingOfTheAccountStopsItAll",
     [](DeeperCascade& t) {
         t.addHolding();
         return nullptr;
     },
     {},
     {"Referential Integrity Delete Error", "Record Delete Error"},
     ""},
    {"ATradeHeldByAnotherStationStopsItAll",
     [](DeeperCascade& t) {
         return t.holdRecord(FileId::Transactions, TRN::key::TRANSACTIONNUMBERKEY, 2);
     },
     {},
     {"Record not read", "Record Delete Error"},
     "A record held by another station was encountered reading from the Transactions file."},
    {"TheAccountHeldByAnotherStationStopsItAll",
     [](DeeperCascade& t) {
         return t.holdRecord(FileId::AccountRegistration, ACC::key::REGISTRATIONNUMBERKEY, 1);
     },
     {},
     {"Record not read", "Record Delete Error"},
     "A record held by another station was encountered reading from the AccountRegistration "
     "file."},
};

TEST_P(DeeperCascade, GoesWholeOrNotAtAllWithTheSameWords) {
    const auto& [c, way] = GetParam();
    const auto other = c.prepare(*this);
    useWay(way);
    messages_.clear();
    messages_.answer(ButtonNo);
    const Snapshot before = Snapshot::take();
    EXPECT_EQ(deleteCustomer(), c.differences.empty() ? SeverityNotify : SeverityNone);
    EXPECT_EQ(Snapshot::differences(before, Snapshot::take()), c.differences);
    EXPECT_EQ(titles(), c.messages);
    if (!c.firstText.empty()) {
        EXPECT_EQ(messages_.shown.front().text, c.firstText);
    }
}

std::string deepName(const ::testing::TestParamInfo<std::tuple<DeepCase, Way>>& param) {
    const char* ways[] = {"OneByOne", "SetsJournaled", "Sets"};
    return std::string(std::get<0>(param.param).name) +
           ways[static_cast<int>(std::get<1>(param.param))];
}

INSTANTIATE_TEST_SUITE_P(Book, DeeperCascade,
                         ::testing::Combine(::testing::ValuesIn(kDeepCases),
                                            ::testing::Values(Way::OneByOne, Way::SetsJournaled,
                                                              Way::Sets)),
                         deepName);

// Level by level: the trades go before their accounts, every relation in
// its order, a set at a time; only the customer itself goes one by one.
TEST_F(Relations, ADeeperCascadeDeletesLevelByLevelInTheRelationsOrder) {
    storage_->passSets(true);
    const DeleteRuleChanged accounts(FileId::Members, FileId::AccountRegistration, Rule::Cascade);
    const DeleteRuleChanged trades(FileId::AccountRegistration, FileId::Transactions,
                                   Rule::Cascade);
    load(FileId::Members, MBR::MEMBERKEY, customer(2));
    ASSERT_EQ(relations(FileId::Members).Delete(false), SeverityNone);
    done(FileId::Members);
    const std::vector<std::string> expected = {
        "Transactions erase set", "AccountRegistration erase set",
        "ShipTo erase set",       "Credit erase set",
        "MPhones erase set",      "Log erase set",
        "Commbrs erase set",      "Members erase"};
    EXPECT_EQ(storage_->journal(), expected);
}

// Every look and set delete of the levels may fail too.
TEST_F(Relations, AFailureAtAnyStepOfADeeperSetCascadeLeavesAllOrNothing) {
    const DeleteRuleChanged accounts(FileId::Members, FileId::AccountRegistration, Rule::Cascade);
    const DeleteRuleChanged trades(FileId::AccountRegistration, FileId::Transactions,
                                   Rule::Cascade);
    failEachStepInTurn(
        {[this] {
             storage_->passSets(true);
             load(FileId::Members, MBR::MEMBERKEY, customer(2));
         },
         [this] {
             const Severity result = relations(FileId::Members).Delete(false);
             done(FileId::Members);
             return result;
         },
         {"Members -1", "AccountRegistration -1", "Transactions -2", "Log -1", "MPhones -1"}});
}

}  // namespace
}  // namespace bb::test
