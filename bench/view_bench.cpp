// A date-range filter over a million transactions, newest first: the storage
// evaluating the filter, the view testing each record itself, and the same
// query in plain SQL. The book is built once in the temporary folder
// (brokerbook-bench-view) and kept for later runs.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>

#include "bench_book.h"
#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "data/view_manager.h"
#include "dictionary/process_values.h"
#include "platform/name_bindings.h"
#include "storage/sqlite/sqlite_support.h"

namespace {

using namespace bb;

constexpr int kTrades = 1000000;
constexpr std::int32_t kFirstDay = 80000;
constexpr std::int32_t kDays = 3650;

std::filesystem::path buildBook() {
    return bench::keptBook("view", FileId::Transactions, [](StorageFile& trades) {
        std::mt19937 random(42);
        Record& r = buffer(FileId::Transactions);
        for (int i = 1; i <= kTrades; ++i) {
            r.clear();
            TRN::TRANSACTIONNUMBER.set(i);
            TRN::REGISTRATIONNUMBER.set(static_cast<std::int32_t>(random() % 5000) + 1);
            TRN::DATE.set(kFirstDay + static_cast<std::int32_t>(random() % kDays));
            TRN::BUYSELL.set(random() % 2 ? "Buy" : "Sell");
            TRN::ACCOUNTCLASS.set("C");
            trades.add(r);
        }
    });
}

class QuietMessages final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return request.defaultButton; }
    void beep(Beep) override {}
};

// A month of trades.
std::int32_t startDate = kFirstDay + 1000;
std::int32_t endDate = kFirstDay + 1030;

void ReadThroughTheView(benchmark::State& state, bool pushDown) {
    const std::filesystem::path folder = buildBook();
    QuietMessages quiet;
    installMessageService(&quiet);
    ErrorManager errors;
    errors.Setup();
    loadProgram();
    useDataFolder(folder);
    dataDictionary().Setup(errors);
    bindings().pushScope();
    bindings().bindVariable("StartDate", &startDate);
    bindings().bindVariable("EndDate", &endDate);
    FileManager& trades = dataDictionary().files(FileId::Transactions);
    trades.Open();
    ViewManager view;
    view.Setup({FileId::Transactions, {}}, dataDictionary().relations(FileId::Transactions));
    view.DefineSortOrder(TRN::key::DATEKEY);
    view.DefineFilter("TRN:Date => StartDate AND TRN:Date =< EndDate");
    view.Open();
    view.VIEW->setPushDown(pushDown);
    std::int64_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        view.Reset();
        while (view.Next() == SeverityNone) ++rows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    view.Teardown();
    trades.Close();
    bindings().popScope();
    dataDictionary().Teardown();
    useDataFolder(".");
    installMessageService(nullptr);
}

void ViewPushedDown(benchmark::State& state) {
    ReadThroughTheView(state, true);
}
void ViewRecordByRecord(benchmark::State& state) {
    ReadThroughTheView(state, false);
}
BENCHMARK(ViewPushedDown)->Unit(benchmark::kMillisecond);
BENCHMARK(ViewRecordByRecord)->Unit(benchmark::kMillisecond)->Iterations(2);

void PlainSqlQuery(benchmark::State& state) {
    const std::filesystem::path folder = buildBook();
    sqlite3* db = nullptr;
    sqlite3_open_v2((folder / kDatabaseName).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite::registerExtensions(db);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(
        db,
        // the date key's own condition lets the engine read its index
        "SELECT * FROM \"TRANSACT\" WHERE \"DATE\" <> 0 AND \"DATE\" >= ?1 AND \"DATE\" <= ?2 "
        "ORDER BY \"DATE\" DESC, \"_rid\"",
        -1, &stmt, nullptr);
    const auto columns = static_cast<std::size_t>(sqlite3_column_count(stmt));
    std::vector<std::string> texts(columns);
    std::vector<sqlite3_int64> numbers(columns);
    std::int64_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        sqlite3_bind_int(stmt, 1, startDate);
        sqlite3_bind_int(stmt, 2, endDate);
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
    }
    state.counters["rows"] = static_cast<double>(rows);
    sqlite3_finalize(stmt);
    sqlite3_close(db);
}
BENCHMARK(PlainSqlQuery)->Unit(benchmark::kMillisecond);

}  // namespace
