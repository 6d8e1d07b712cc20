// A small book of every kind of record, on a storage that journals what
// reaches the files: the relation manager's tests change and delete in it.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data_fixture.h"
#include "faulty_storage.h"
#include "snapshot.h"
#include "storage/open_storage.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace bb::test {

class Relations : public DataTest {
protected:
    void SetUp() override {
        auto storage = std::make_unique<FaultyStorage>(openDataStorage(folder_.path()));
        storage_ = storage.get();
        useDataStorage(std::move(storage));
        build();
        storage_->clearJournal();
        messages_.clear();
    }

    // Adds a record to the file after `fill` set it up.
    template <typename Fill>
    void insert(FileId id, Fill fill) {
        FileManager& fm = files(id);
        ASSERT_EQ(fm.Open(), SeverityNone);
        buffer(id).clear();
        fm.SeedNewRecord();
        fill();
        ASSERT_EQ(fm.Insert(), SeverityNone) << fileDef(id).label;
        fm.Close();
    }

    void build() {
        for (const auto& [code, name] :
             {std::pair{"101", "Ann Able"}, {"205", "Bob Best"}, {"300", "Cy Cole"}}) {
            insert(FileId::Representatives, [&] {
                REP::REP_NUM.set(code);
                REP::REP_NAME.set(name);
            });
        }
        for (const auto& [rep, state] : {std::pair{1, "NY"}, {1, "NJ"}, {2, "CT"}, {3, "PA"}}) {
            insert(FileId::RepStates, [&] {
                RST::REPRESENTATIVENUMBER.set(rep);
                RST::STATE.set(state);
            });
        }
        for (int rep = 1; rep <= 3; ++rep) {
            insert(FileId::RPhones, [&] {
                RPH::REPRESENTATIVENUMBER.set(rep);
                RPH::PHONENUMBER.set("555000" + std::to_string(rep));
            });
        }
        for (const char* type : {"Gold", "Silver"})
            insert(FileId::MembershipTypes, [&] { TYP::MEMBERTYPE.set(type); });
        for (const char* company : {"Able Corp", "Baker Inc"}) {
            insert(FileId::Members, [&] {
                MBR::REPRESENTATIVENUMBER.set(1);
                MBR::COMPANYNAME.set(company);
                MBR::SALESLEVEL.set("Gold");
            });
        }
        for (int i = 0; i < 2; ++i) insert(FileId::ShipTo, [] { SHI::MEMBERNUMBER.set(1); });
        insert(FileId::Credit, [] { CRE::MEMBERNUMBER.set(1); });
        for (const auto& [member, number] :
             {std::pair{1, "5551110001"}, {1, "5551110002"}, {2, "5552220001"}}) {
            insert(FileId::MPhones, [&] {
                MPH::MEMBERNUMBER.set(member);
                MPH::PHONENUMBER.set(number);
            });
        }
        for (const auto& [member, rep] : {std::pair{1, 1}, {1, 1}, {2, 1}, {0, 3}}) {
            insert(FileId::Log, [&] {
                LOG::MEMBERNUMBER.set(member);
                LOG::REPRESENTATIVENUMBER.set(rep);
                (void)LOG::DAYOFMONTH.set(Decimal(1));
            });
        }
        insert(FileId::Committees, [] { COM::COMMITTEE.set("Golf"); });
        insert(FileId::Commbrs, [] {
            CMBRS::COMMITTEE.set("Golf");
            CMBRS::MEMBERNUMBER.set(1);
        });
        for (const char* name : {"Acme Securities", "Zenith Brokerage"}) {
            insert(FileId::Vendors, [&] { VEN::VENDORNAME.set(name); });
        }
        for (int vendor = 1; vendor <= 2; ++vendor)
            insert(FileId::VPhones, [&] { VPH::VENDORNUMBER.set(vendor); });
        insert(FileId::AccountTypes, [] { ACT::ACCOUNTTYPE.set("IRA"); });
        insert(FileId::AccountRegistration, [] {
            ACC::MEMBERNUMBER.set(2);
            ACC::REPRESENTATIVENUMBER.set(1);
            ACC::COMPANY.set("Acme Securities");
            ACC::ACCOUNTCLASS.set("C");
            ACC::ACCOUNTTYPE.set("IRA");
            ACC::ACCOUNTNUMBER.set("A-1");
        });
        insert(FileId::Categories, [] { CAT::CATEGORYNAME.set("Stocks"); });
        insert(FileId::Securities, [] {
            SEC::CATEGORYNUMBER.set(1);
            SEC::SYMBOL.set("ABCDEFGH");
        });
        for (const auto& [account, member] : {std::pair{1, 2}, {1, 2}, {0, 1}}) {
            insert(FileId::Transactions, [&] {
                TRN::REGISTRATIONNUMBER.set(account);
                TRN::MEMBERNUMBER.set(member);
                TRN::REPRESENTATIVENUMBER.set(1);
                TRN::ACCOUNTCLASS.set(account ? "C" : "");
                TRN::CATEGORYNUMBER.set(1);
                TRN::SYMBOL.set("ABCDEFGH");  // kept as its 7 characters
            });
        }
        insert(FileId::CheckSecurityReceipt, [] {
            CSR::ACCOUNTREGISTRATIONNUMBER.set(1);
            CSR::REPRESENTATIVENUMBER.set(2);
        });
        for (int i = 0; i < 2; ++i)
            insert(FileId::ChecksSecuritiesLog, [] { CHE::CSRNUMBER.set(1); });
    }

public:
    // Reads the record whose key equals what `set` puts in the buffer, as a
    // window does before a change.
    void load(FileId id, KeyRef key, const std::function<void()>& set) {
        ASSERT_EQ(relations(id).Open(), SeverityNone);
        buffer(id).clear();
        set();
        ASSERT_EQ(files(id).Fetch(key.index), SeverityNone) << fileDef(id).label;
        relations(id).SaveLinks();
    }

    void done(FileId id) { relations(id).Close(); }

    // A change or delete over related files: made ready (untimed), run, and
    // what it changes when it goes through.
    struct Cascade {
        std::function<void()> prepare;
        std::function<Severity()> run;
        std::vector<std::string> whole;
    };
    // Keeps the book as it stands (the first time only), to be brought back
    // before each try. REQUIRES: no storage is open on it.
    void keepBook() {
        if (database_) {
            database_->keep();
        } else if (!std::filesystem::exists(folder_.path() / "pristine")) {
            std::filesystem::copy_file(folder_.path() / kDatabaseName, folder_.path() / "pristine");
        }
    }
    void restoreBook() {
        if (database_) {
            database_->restore();
        } else {
            std::filesystem::copy_file(folder_.path() / "pristine", folder_.path() / kDatabaseName,
                                       std::filesystem::copy_options::overwrite_existing);
        }
    }

    // Runs `c` on the book as built with a failure injected at each of its
    // steps in turn (every positioning, read and write of a record, the
    // begin and the commit): the files afterwards are either all as they
    // were, and the user was told, or (when the failing step only brought a
    // read position back) all changed; never half.
    void failEachStepInTurn(const Cascade& c) {
        useDataFolder(folder_.path());  // lets go of the database
        keepBook();
        int refused = 0;
        // A failed delete asks whether to try again; every such question is No.
        messages_.declineUnanswered = true;
        for (int step = 1;; ++step) {
            useDataFolder(folder_.path());
            restoreBook();
            auto storage = std::make_unique<FaultyStorage>(openDataStorage(folder_.path()));
            storage_ = storage.get();
            useDataStorage(std::move(storage));
            const Snapshot before = Snapshot::take();
            c.prepare();
            messages_.clear();
            storage_->failStep(step);
            const Severity result = c.run();
            const std::string failed = storage_->failedStep();
            storage_->failStep(0);
            const std::vector<std::string> changed =
                Snapshot::differences(before, Snapshot::take());
            if (failed.empty()) {
                // Every step has had its failure: now the cascade goes through.
                EXPECT_EQ(result, SeverityNone);
                EXPECT_EQ(changed, c.whole);
                EXPECT_GT(refused, 0);
                break;
            }
            if (changed.empty()) {
                ++refused;
                EXPECT_NE(result, SeverityNone) << failed;
                EXPECT_FALSE(messages_.shown.empty()) << failed;
            } else {
                EXPECT_EQ(changed, c.whole) << failed;
            }
        }
    }
    void deleteWithANoteHeldElsewhere();

protected:
    FaultyStorage* storage_ = nullptr;
};

inline std::function<void()> customer(int n) {
    return [n] { MBR::MEMBERNUMBER.set(n); };
}

inline FileManager& files(FileId id) {
    return dataDictionary().files(id);
}
inline RelationManager& relations(FileId id) {
    return dataDictionary().relations(id);
}

}  // namespace bb::test
