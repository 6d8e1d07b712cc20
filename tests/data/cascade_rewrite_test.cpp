// A change that reaches related records a set at a time: an account's new
// class rewrites its trades with one statement where nothing below them
// follows the class, with the same result as one by one, and all or none
// of it when any step fails.
#include <algorithm>
#include <string>
#include <vector>

#include "relations_fixture.h"
#include "snapshot.h"

namespace bb::test {
namespace {

const std::vector<std::string> kClassChanged = {"AccountRegistration ~1 AccountClass",
                                                "Transactions ~2 AccountClass"};

void changeClassOfAccount1(Relations& t) {
    t.load(FileId::AccountRegistration, ACC::REGISTRATIONNUMBERKEY,
           [] { ACC::REGISTRATIONNUMBER.set(1); });
    ACC::ACCOUNTCLASS.set("F");
}

Severity saveAccount(Relations& t) {
    const Severity result = relations(FileId::AccountRegistration).Update(false);
    t.done(FileId::AccountRegistration);
    return result;
}

bool journalHas(const std::vector<std::string>& journal, const std::string& entry) {
    return std::find(journal.begin(), journal.end(), entry) != journal.end();
}

TEST_F(Relations, AnAccountsNewClassRewritesItsTradesASetAtATime) {
    storage_->passSets(true);
    const Snapshot before = Snapshot::take();
    changeClassOfAccount1(*this);
    storage_->clearJournal();
    EXPECT_EQ(saveAccount(*this), SeverityNone);
    EXPECT_EQ(Snapshot::differences(before, Snapshot::take()), kClassChanged);
    EXPECT_TRUE(journalHas(storage_->journal(), "Transactions update set"));
    EXPECT_FALSE(journalHas(storage_->journal(), "Transactions put"));
}

// A customer's representative goes on to the customer's notes: the
// customers follow a renumbered representative one by one, each taking its
// notes along, while the accounts and trades, which carry the number no
// further, follow a set at a time.
TEST_F(Relations, ARecordThatCarriesTheChangeFurtherIsRewrittenOneByOne) {
    storage_->passSets(true);
    const Snapshot before = Snapshot::take();
    load(FileId::Representatives, REP::REPRESENTATIVENUMBERKEY,
         [] { REP::REPRESENTATIVENUMBER.set(1); });
    REP::REPRESENTATIVENUMBER.set(10);
    storage_->clearJournal();
    EXPECT_EQ(relations(FileId::Representatives).Update(false), SeverityNone);
    done(FileId::Representatives);
    EXPECT_EQ(Snapshot::differences(before, Snapshot::take()),
              (std::vector<std::string>{
                  "Members ~2 RepresentativeNumber", "AccountRegistration ~1 RepresentativeNumber",
                  "Transactions ~3 RepresentativeNumber", "Log ~3 RepresentativeNumber",
                  "Representatives ~1 RepresentativeNumber", "RPhones ~1 RepresentativeNumber",
                  "RepStates ~2 RepresentativeNumber"}));
    const std::vector<std::string>& journal = storage_->journal();
    EXPECT_TRUE(journalHas(journal, "Members put"));
    EXPECT_FALSE(journalHas(journal, "Members update set"));
    EXPECT_TRUE(journalHas(journal, "AccountRegistration update set"));
    EXPECT_TRUE(journalHas(journal, "Transactions update set"));
}

TEST_F(Relations, AFailureAtAnyStepOfASetRewriteLeavesAllOrNothing) {
    failEachStepInTurn({[this] {
                            storage_->passSets(true);
                            changeClassOfAccount1(*this);
                        },
                        [this] { return saveAccount(*this); }, kClassChanged});
}

}  // namespace
}  // namespace bb::test
