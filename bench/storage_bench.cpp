// The file driver: paging by key on files of growing size, reading a whole
// key order through the driver against a plain SQLite loop over the same
// index, and adding records.
//
// The files are built once per size in the temporary folder and kept for
// later runs (brokerbook-bench-<size>).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>

#include "dictionary/files.h"
#include "platform/storage.h"
#include "storage/sqlite/open_sqlite_storage.h"
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
    sqlite3* db = nullptr;
    sqlite3_open_v2((benchFolder(kReadSize) / kDatabaseName).c_str(), &db, SQLITE_OPEN_READONLY,
                    nullptr);
    sqlite::registerExtensions(db);
    sqlite3_stmt* stmt = nullptr;
    const std::string sql =
        "SELECT * FROM \"MEMBERS\" ORDER BY \"LASTNAME\" COLLATE BBNOCASE, "
        "\"FIRSTNAME\" COLLATE BBNOCASE, \"_rid\"";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    // Each row's columns land in variables, as a program reading records would.
    const auto columns = static_cast<std::size_t>(sqlite3_column_count(stmt));
    std::vector<std::string> texts(columns);
    std::vector<sqlite3_int64> numbers(columns);
    for (auto _ : state) {
        std::int64_t rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                if (sqlite3_column_type(stmt, c) == SQLITE_TEXT) {
                    texts[static_cast<std::size_t>(c)].assign(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                        static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)));
                } else {
                    numbers[static_cast<std::size_t>(c)] = sqlite3_column_int64(stmt, c);
                }
            }
            ++rows;
        }
        sqlite3_reset(stmt);
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * kReadSize);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
BENCHMARK(ReadKeyOrderInAPlainLoop)->Unit(benchmark::kMillisecond);

void AddRecords(benchmark::State& state, bool oneTransaction) {
    const auto folder = std::filesystem::temp_directory_path() / "brokerbook-bench-adds";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        auto storage = openSqliteStorage(folder);
        auto file = storage->file(fileDef(FileId::Members));
        file->create();
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
    std::filesystem::remove_all(folder);
}

void AddInOneTransaction(benchmark::State& state) {
    AddRecords(state, true);
}
void AddOnePerTransaction(benchmark::State& state) {
    AddRecords(state, false);
}
BENCHMARK(AddInOneTransaction)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(AddOnePerTransaction)->Arg(200)->Unit(benchmark::kMillisecond);

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
    const std::string path = (benchFolder(size) / kDatabaseName).string();
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        sqlite3_exec(
            db,
            "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; PRAGMA cache_size=-65536;"
            " PRAGMA mmap_size=2147483648; SELECT COUNT(*) FROM sqlite_schema;",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
}
BENCHMARK(FirstOpenWithoutTheLook)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
