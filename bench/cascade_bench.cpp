// Deleting a customer with 10,000 related records: through the relation
// manager's cascade, against the same rows deleted with plain SQL in one
// transaction over a connection with the driver's settings. One customer
// has notes and phones (one level); the other has accounts with trades (two
// levels, accounts and trades made to go with a customer, which the
// program's own rules forbid). And an account with 100,000 trades changed
// from commission to fee-based: the trades follow through the cascade,
// against the same rows updated with plain SQL.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "plain_sqlite.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace {

using namespace bb;

constexpr int kRelated = 10000;
constexpr int kAccounts = 100;
constexpr int kTradesOfOneAccount = 100000;

std::filesystem::path folder() {
    return std::filesystem::temp_directory_path() / "brokerbook-bench-cascade";
}

using Fill = std::function<void(Storage&)>;

// A fresh folder with customer 1 and what `fill` adds, in one transaction.
void buildBook(const Fill& fill) {
    useDataFolder(".");
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    auto storage = openSqliteStorage(folder());
    for (FileId id : dictionaryOrder()) storage->file(fileDef(id))->create();
    auto members = storage->file(fileDef(FileId::Members));
    members->open(kSharedReadWrite);
    storage->begin(2000);
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(1);
    MBR::REPRESENTATIVENUMBER.set(1);
    members->add(buffer(FileId::Members));
    fill(*storage);
    storage->commit();
}

void notesAndPhones(Storage& storage) {
    auto notes = storage.file(fileDef(FileId::Log));
    auto phones = storage.file(fileDef(FileId::MPhones));
    notes->open(kSharedReadWrite);
    phones->open(kSharedReadWrite);
    for (int i = 1; i <= kRelated / 2; ++i) {
        buffer(FileId::Log).clear();
        LOG::LOGNUMBER.set(i);
        LOG::MEMBERNUMBER.set(1);
        LOG::REPRESENTATIVENUMBER.set(1);
        notes->add(buffer(FileId::Log));
        buffer(FileId::MPhones).clear();
        MPH::MEMBERNUMBER.set(1);
        MPH::PHONENUMBER.set(std::to_string(5550000 + i));
        phones->add(buffer(FileId::MPhones));
    }
}

// 100 accounts of 99 trades each: with the accounts, 10,000 records.
void accountsAndTrades(Storage& storage) {
    auto accounts = storage.file(fileDef(FileId::AccountRegistration));
    auto trades = storage.file(fileDef(FileId::Transactions));
    accounts->open(kSharedReadWrite);
    trades->open(kSharedReadWrite);
    for (int account = 1; account <= kAccounts; ++account) {
        buffer(FileId::AccountRegistration).clear();
        ACC::REGISTRATIONNUMBER.set(account);
        ACC::MEMBERNUMBER.set(1);
        ACC::ACCOUNTCLASS.set("C");
        accounts->add(buffer(FileId::AccountRegistration));
        for (int i = 1; i < kRelated / kAccounts; ++i) {
            buffer(FileId::Transactions).clear();
            TRN::TRANSACTIONNUMBER.set(account * kRelated + i);
            TRN::REGISTRATIONNUMBER.set(account);
            TRN::ACCOUNTCLASS.set("C");
            TRN::MEMBERNUMBER.set(1);
            trades->add(buffer(FileId::Transactions));
        }
    }
}

// One commission account of customer 1 with 100,000 trades.
void oneBusyAccount(Storage& storage) {
    auto accounts = storage.file(fileDef(FileId::AccountRegistration));
    auto trades = storage.file(fileDef(FileId::Transactions));
    accounts->open(kSharedReadWrite);
    trades->open(kSharedReadWrite);
    buffer(FileId::AccountRegistration).clear();
    ACC::REGISTRATIONNUMBER.set(1);
    ACC::MEMBERNUMBER.set(1);
    ACC::ACCOUNTCLASS.set("C");
    accounts->add(buffer(FileId::AccountRegistration));
    for (int i = 1; i <= kTradesOfOneAccount; ++i) {
        buffer(FileId::Transactions).clear();
        TRN::TRANSACTIONNUMBER.set(i);
        TRN::REGISTRATIONNUMBER.set(1);
        TRN::ACCOUNTCLASS.set("C");
        TRN::MEMBERNUMBER.set(1);
        TRN::REPRESENTATIVENUMBER.set(1);
        TRN::DATE.set(730000 + i % 3650);
        TRN::SYMBOL.set("SYM" + std::to_string(i % 50));
        trades->add(buffer(FileId::Transactions));
    }
}

class QuietMessages final : public MessageService {
public:
    Button show(const MessageRequest& r) override { return r.defaultButton; }
    void beep(Beep) override {}
};

// Makes the related records of `file`'s relation to `related` go with its
// records; `def` holds the changed rules while the dictionary is set up.
void cascadeOnDelete(FileId file, FileId related, RelationDef& def) {
    for (RelationManager::Relation& r : dataDictionary().relations(file).Relations) {
        if (r.File != &dataDictionary().relations(related) || r.HisKey() < 0) continue;
        def = *r.Def;
        def.onDelete = Rule::Cascade;
        r.Def = &def;
    }
}

void deleteThroughTheCascade(benchmark::State& state, const Fill& fill, bool twoLevels) {
    QuietMessages quiet;
    installMessageService(&quiet);
    ErrorManager errors;
    errors.Setup();
    loadProgram();
    dataDictionary().Setup(errors);
    RelationDef accounts;
    RelationDef trades;
    if (twoLevels) {
        cascadeOnDelete(FileId::Members, FileId::AccountRegistration, accounts);
        cascadeOnDelete(FileId::AccountRegistration, FileId::Transactions, trades);
    }
    for (auto _ : state) {
        state.PauseTiming();
        buildBook(fill);
        useDataFolder(folder());
        FileManager& members = dataDictionary().files(FileId::Members);
        members.Open();
        MBR::MEMBERNUMBER.set(1);
        members.Fetch(MBR::key::MEMBERKEY);
        state.ResumeTiming();
        if (dataDictionary().relations(FileId::Members).Delete(false) != SeverityNone)
            state.SkipWithError("refused");
        state.PauseTiming();
        members.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kRelated + 1));
    dataDictionary().Teardown();
    useDataFolder(".");
    installMessageService(nullptr);
}

void CascadeDelete(benchmark::State& state) {
    deleteThroughTheCascade(state, notesAndPhones, false);
}
void CascadeDeleteTwoLevels(benchmark::State& state) {
    deleteThroughTheCascade(state, accountsAndTrades, true);
}
// A commit waits for the disk: all are timed by the clock.
BENCHMARK(CascadeDelete)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(CascadeDeleteTwoLevels)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void ClassChangeCascade(benchmark::State& state) {
    QuietMessages quiet;
    installMessageService(&quiet);
    ErrorManager errors;
    errors.Setup();
    loadProgram();
    dataDictionary().Setup(errors);
    for (auto _ : state) {
        state.PauseTiming();
        buildBook(oneBusyAccount);
        useDataFolder(folder());
        RelationManager& accounts = dataDictionary().relations(FileId::AccountRegistration);
        accounts.Open();
        ACC::REGISTRATIONNUMBER.set(1);
        dataDictionary().files(FileId::AccountRegistration).Fetch(ACC::key::REGISTRATIONNUMBERKEY);
        accounts.SaveLinks();
        ACC::ACCOUNTCLASS.set("F");
        state.ResumeTiming();
        if (accounts.Update(false) != SeverityNone) state.SkipWithError("refused");
        state.PauseTiming();
        accounts.Close();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kTradesOfOneAccount + 1));
    dataDictionary().Teardown();
    useDataFolder(".");
    installMessageService(nullptr);
}
BENCHMARK(ClassChangeCascade)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// `sql` run once per iteration on a fresh book, in plain SQLite with the
// driver's own settings; the book's making and the closing are not timed.
void runPlainSql(benchmark::State& state, const Fill& fill, const std::string& sql, int rows) {
    for (auto _ : state) {
        state.PauseTiming();
        buildBook(fill);
        auto plain = std::make_unique<bench::PlainConnection>(folder());
        state.ResumeTiming();
        const int rc = sqlite3_exec(plain->db(), sql.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) state.SkipWithError(sqlite3_errmsg(plain->db()));
        state.PauseTiming();
        plain.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// The customer and its other related files, which the cascade looks at too.
const std::string kCustomerAlone =
    "DELETE FROM \"SHIPTO\" WHERE \"MEMBERNUMBER\" = 1;"
    "DELETE FROM \"CREDIT\" WHERE \"MEMBERNUMBER\" = 1;"
    "DELETE FROM \"MPHONES\" WHERE \"MEMBERNUMBER\" = 1;"
    "DELETE FROM \"LOG\" WHERE \"MEMBERNUMBER\" = 1 AND \"REPRESENTATIVENUMBER\" = 1;"
    "DELETE FROM \"Commbrs\" WHERE \"MEMBERNUMBER\" = 1;"
    "DELETE FROM \"MEMBERS\" WHERE \"MEMBERNUMBER\" = 1;";

void PlainSqlDelete(benchmark::State& state) {
    runPlainSql(state, notesAndPhones, "BEGIN IMMEDIATE;" + kCustomerAlone + "COMMIT;",
                kRelated + 1);
}
void PlainSqlDeleteTwoLevels(benchmark::State& state) {
    runPlainSql(state, accountsAndTrades,
                "BEGIN IMMEDIATE;"
                "DELETE FROM \"TRANSACT\" WHERE (\"REGISTRATIONNUMBER\", \"ACCOUNTCLASS\") IN "
                "(SELECT \"REGISTRATIONNUMBER\", \"ACCOUNTCLASS\" FROM \"ACCOUNTR\" "
                "WHERE \"MEMBERNUMBER\" = 1);"
                "DELETE FROM \"ACCOUNTR\" WHERE \"MEMBERNUMBER\" = 1;" +
                    kCustomerAlone + "COMMIT;",
                kRelated + 1);
}
void PlainSqlClassChange(benchmark::State& state) {
    runPlainSql(state, oneBusyAccount,
                "BEGIN IMMEDIATE;"
                "UPDATE \"TRANSACT\" SET \"ACCOUNTCLASS\" = 'F' "
                "WHERE \"REGISTRATIONNUMBER\" = 1 AND \"ACCOUNTCLASS\" = 'C';"
                "UPDATE \"ACCOUNTR\" SET \"ACCOUNTCLASS\" = 'F' WHERE \"REGISTRATIONNUMBER\" = 1;"
                "COMMIT;",
                kTradesOfOneAccount + 1);
}
BENCHMARK(PlainSqlClassChange)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(PlainSqlDelete)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(PlainSqlDeleteTwoLevels)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
