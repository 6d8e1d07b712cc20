// Deleting a customer with 10,000 related records (notes and phones):
// through the relation manager's cascade, against the same rows deleted with
// plain SQL in one transaction over a connection with the driver's settings.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "plain_sqlite.h"
#include "storage/sqlite/open_sqlite_storage.h"

namespace {

using namespace bb;

constexpr int kRelated = 10000;

std::filesystem::path folder() {
    return std::filesystem::temp_directory_path() / "brokerbook-bench-cascade";
}

// A fresh folder with customer 1 and its notes and phones.
void buildBook() {
    useDataFolder(".");
    std::filesystem::remove_all(folder());
    std::filesystem::create_directories(folder());
    auto storage = openSqliteStorage(folder());
    for (FileId id : dictionaryOrder()) {
        auto file = storage->file(fileDef(id));
        file->create();
    }
    auto members = storage->file(fileDef(FileId::Members));
    auto notes = storage->file(fileDef(FileId::Log));
    auto phones = storage->file(fileDef(FileId::MPhones));
    members->open(kSharedReadWrite);
    notes->open(kSharedReadWrite);
    phones->open(kSharedReadWrite);
    storage->begin(2000);
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(1);
    MBR::REPRESENTATIVENUMBER.set(1);
    members->add(buffer(FileId::Members));
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
    storage->commit();
}

class QuietMessages final : public MessageService {
public:
    Button show(const MessageRequest& r) override { return r.defaultButton; }
    void beep(Beep) override {}
};

void CascadeDelete(benchmark::State& state) {
    QuietMessages quiet;
    installMessageService(&quiet);
    ErrorManager errors;
    errors.Setup();
    loadProgram();
    dataDictionary().Setup(errors);
    for (auto _ : state) {
        state.PauseTiming();
        buildBook();
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
// A commit waits for the disk: both are timed by the clock.
BENCHMARK(CascadeDelete)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

void PlainSqlDelete(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        buildBook();
        auto plain = std::make_unique<bench::PlainConnection>(folder());
        state.ResumeTiming();
        const int rc = sqlite3_exec(
            plain->db(),
            "BEGIN IMMEDIATE;"
            "DELETE FROM \"SHIPTO\" WHERE \"MEMBERNUMBER\" = 1;"
            "DELETE FROM \"CREDIT\" WHERE \"MEMBERNUMBER\" = 1;"
            "DELETE FROM \"MPHONES\" WHERE \"MEMBERNUMBER\" = 1;"
            "DELETE FROM \"LOG\" WHERE \"MEMBERNUMBER\" = 1 AND \"REPRESENTATIVENUMBER\" = 1;"
            "DELETE FROM \"Commbrs\" WHERE \"MEMBERNUMBER\" = 1;"
            "DELETE FROM \"MEMBERS\" WHERE \"MEMBERNUMBER\" = 1;"
            "COMMIT;",
            nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) state.SkipWithError(sqlite3_errmsg(plain->db()));
        state.PauseTiming();
        plain.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kRelated + 1));
}
BENCHMARK(PlainSqlDelete)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

}  // namespace
