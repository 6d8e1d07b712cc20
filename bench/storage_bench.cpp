// The file driver against plain SQLite with the same connection settings:
// a page read by key on files of growing size, a whole key order read
// through, a million records read through for the peak memory, and adds.
//
// The files are built once per size in the temporary folder and kept for
// later runs (brokerbook-bench-<size>).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>

#include "dictionary/files.h"
#include "memory_map.h"
#include "peak_memory.h"
#include "plain_sqlite.h"
#include "platform/storage.h"
#include "storage/sqlite/open_sqlite_storage.h"
#include "storage/sqlite/sqlite_schema.h"
#include "storage/sqlite/sqlite_support.h"

namespace {

using namespace bb;

const char* const kSurnames[] = {"Adams",  "Baker",  "Carter", "Davis",  "Evans", "Fisher",
                                 "Garcia", "Harris", "Irwin",  "Jones",  "King",  "Lopez",
                                 "Miller", "Nolan",  "Owens",  "Parker", "Quinn", "Reyes",
                                 "Smith",  "Turner", "Usher",  "Vargas", "White", "Young"};

std::string surname(std::mt19937& random) {
    return std::string(kSurnames[random() % std::size(kSurnames)]) +
           std::to_string(random() % 10000);
}

std::filesystem::path benchFolder(int size) {
    return std::filesystem::temp_directory_path() / ("brokerbook-bench-" + std::to_string(size));
}

// A Members file of `size` customers with random names.
std::unique_ptr<Storage> membersOf(int size) {
    const auto folder = benchFolder(size);
    // A folder left by an older build whose file no longer opens cleanly is made anew.
    if (std::filesystem::exists(folder / kDatabaseName) &&
        !openSqliteStorage(folder)->file(fileDef(FileId::Members))->open(kSharedReadWrite).ok()) {
        std::filesystem::remove_all(folder);
    }
    const bool fresh = !std::filesystem::exists(folder / kDatabaseName);
    std::filesystem::create_directories(folder);
    auto storage = openSqliteStorage(folder);
    if (fresh) {
        auto file = storage->file(fileDef(FileId::Members));
        file->create();
        file->open(kSharedReadWrite);
        std::mt19937 random(size);
        Record& r = buffer(FileId::Members);
        storage->begin(2000);
        for (int i = 1; i <= size; ++i) {
            r.clear();
            MBR::MEMBERNUMBER.set(i);
            MBR::LASTNAME.set(surname(random));
            MBR::FIRSTNAME.set(kSurnames[random() % std::size(kSurnames)]);
            MBR::COMPANYNAME.set("Company " + std::to_string(random()));
            MBR::CITY.set("Springfield");
            MBR::ACTIVE.set(1);
            file->add(r);
        }
        storage->commit();
    }
    return storage;
}

void SeekAndReadAPage(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    auto storage = membersOf(size);
    auto file = storage->file(fileDef(FileId::Members));
    file->open(kSharedReadWrite);
    Record& r = buffer(FileId::Members);
    std::mt19937 random(7);
    for (auto _ : state) {
        r.clear();
        MBR::LASTNAME.set(surname(random));
        file->setAt(MBR::key::NAMEKEY, r, 1);
        for (int row = 0; row < 20; ++row) {
            if (!file->next(r).ok()) break;
        }
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(SeekAndReadAPage)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The rows in name order, as the driver's name key sorts them.
const std::string kNameOrder =
    " ORDER BY \"LASTNAME\" COLLATE BBNOCASE, \"FIRSTNAME\" COLLATE BBNOCASE, \"_rid\"";

std::string selectMembers() {
    return "SELECT " + sqlite::selectColumns(fileDef(FileId::Members)) + " FROM \"MEMBERS\"";
}

void PlainSeekAndReadAPage(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    membersOf(size);
    bench::PlainConnection plain(benchFolder(size));
    bench::PlainStatement page(
        plain.db(),
        selectMembers() + " WHERE \"LASTNAME\" COLLATE BBNOCASE >= ?1" + kNameOrder + " LIMIT 20");
    std::mt19937 random(7);
    for (auto _ : state) {
        const std::string name = surname(random);
        sqlite3_bind_text(page.get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
        benchmark::DoNotOptimize(page.readRows());
    }
}
BENCHMARK(PlainSeekAndReadAPage)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);

constexpr int kReadSize = 100000;

void ReadKeyOrderThroughTheDriver(benchmark::State& state) {
    auto storage = membersOf(kReadSize);
    auto file = storage->file(fileDef(FileId::Members));
    file->open(kSharedReadWrite);
    Record& r = buffer(FileId::Members);
    for (auto _ : state) {
        file->setStart(MBR::key::NAMEKEY);
        std::int64_t rows = 0;
        while (file->next(r).ok()) ++rows;
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kReadSize);
}
BENCHMARK(ReadKeyOrderThroughTheDriver)->Unit(benchmark::kMillisecond);

void ReadKeyOrderInAPlainLoop(benchmark::State& state) {
    membersOf(kReadSize);
    bench::PlainConnection plain(benchFolder(kReadSize));
    bench::PlainStatement all(plain.db(), selectMembers() + kNameOrder);
    for (auto _ : state) benchmark::DoNotOptimize(all.readRows());
    state.SetItemsProcessed(state.iterations() * kReadSize);
}
BENCHMARK(ReadKeyOrderInAPlainLoop)->Unit(benchmark::kMillisecond);

constexpr int kLargest = 1000000;

// A report's way through the largest file: by name, with read-ahead. The
// peak resident memory is what users and monitors see of the read.
void ReadAMillionThrough(benchmark::State& state) {
    auto storage = membersOf(kLargest);
    auto file = storage->file(fileDef(FileId::Members));
    file->open(kSharedReadWrite);
    file->sendOption("QUICKSCAN=on");
    Record& r = buffer(FileId::Members);
    bench::resetPeakMemory();
    for (auto _ : state) {
        file->setStart(MBR::key::NAMEKEY);
        std::int64_t rows = 0;
        while (file->next(r).ok()) ++rows;
        benchmark::DoNotOptimize(rows);
    }
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
    state.SetItemsProcessed(state.iterations() * kLargest);
}
BENCHMARK(ReadAMillionThrough)->Unit(benchmark::kMillisecond)->Iterations(1);

// A fresh folder holding an empty Members file, made by the driver.
std::filesystem::path emptyMembers() {
    const auto folder = std::filesystem::temp_directory_path() / "brokerbook-bench-adds";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    auto storage = openSqliteStorage(folder);
    storage->file(fileDef(FileId::Members))->create();
    return folder;
}

void AddRecords(benchmark::State& state, bool oneTransaction) {
    for (auto _ : state) {
        state.PauseTiming();
        auto storage = openSqliteStorage(emptyMembers());
        auto file = storage->file(fileDef(FileId::Members));
        file->open(kSharedReadWrite);
        Record& r = buffer(FileId::Members);
        std::mt19937 random(3);
        state.ResumeTiming();
        if (oneTransaction) storage->begin(2000);
        for (int i = 1; i <= state.range(0); ++i) {
            r.clear();
            MBR::MEMBERNUMBER.set(i);
            MBR::LASTNAME.set(surname(random));
            file->add(r);
        }
        if (oneTransaction) storage->commit();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The same records added with one prepared INSERT of every column, the
// others blank as the driver writes them.
void PlainAddInOneTransaction(benchmark::State& state) {
    const FileDef& def = fileDef(FileId::Members);
    std::string names, values;
    for (std::size_t f = 0; f < def.fields.size(); ++f) {
        names += (f ? ", \"" : "\"") + def.fields[f].name + "\"";
        values += (f ? ", ?" : "?") + std::to_string(f + 1);
    }
    const int lastName = MBR::LASTNAME.index() + 1;
    const int number = MBR::MEMBERNUMBER.index() + 1;
    for (auto _ : state) {
        state.PauseTiming();
        bench::PlainConnection plain(emptyMembers());
        bench::PlainStatement insert(
            plain.db(),
            "INSERT INTO \"MEMBERS\" (" + names + ", \"_reserved\") VALUES (" + values + ", '')");
        std::mt19937 random(3);
        state.ResumeTiming();
        sqlite3_exec(plain.db(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int i = 1; i <= state.range(0); ++i) {
            sqlite3_stmt* s = insert.get();
            for (std::size_t f = 0; f < def.fields.size(); ++f) {
                const int at = static_cast<int>(f) + 1;
                if (sqlite::storedAsInteger(def.fields[f]))
                    sqlite3_bind_int64(s, at, 0);
                else
                    sqlite3_bind_text(s, at, "", 0, SQLITE_STATIC);
            }
            sqlite3_bind_int(s, number, i);
            const std::string name = surname(random);
            sqlite3_bind_text(s, lastName, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_exec(plain.db(), "COMMIT", nullptr, nullptr, nullptr);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
void AddInOneTransaction(benchmark::State& state) {
    AddRecords(state, true);
}
void AddOnePerTransaction(benchmark::State& state) {
    AddRecords(state, false);
}
// Every commit waits for the disk: these are timed by the clock.
BENCHMARK(AddInOneTransaction)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PlainAddInOneTransaction)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(AddOnePerTransaction)->Arg(200)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first open of a book in a run looks the database over for damage
// before the station writes anything. Measured by the clock (the look reads
// the file), against the same first open through a plain connection with
// the driver's settings that only reads the list of tables.
void FirstOpenOfTheBook(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    membersOf(size);
    for (auto _ : state) {
        auto storage = openSqliteStorage(benchFolder(size));
        auto file = storage->file(fileDef(FileId::Members));
        if (!file->open(kSharedReadWrite).ok()) state.SkipWithError("the book did not open");
    }
}
BENCHMARK(FirstOpenOfTheBook)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void FirstOpenWithoutTheLook(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    membersOf(size);
    for (auto _ : state) {
        const bench::PlainConnection plain(benchFolder(size));
        sqlite3_exec(plain.db(), "SELECT COUNT(*) FROM sqlite_schema;", nullptr, nullptr, nullptr);
    }
}
BENCHMARK(FirstOpenWithoutTheLook)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
