// A date-range filter over a million transactions, newest first: the storage
// evaluating the filter, the view testing each record itself, and the same
// query in plain SQL over a connection with the driver's settings. The book is built once in the
// temporary folder (brokerbook-bench-view) and kept for later runs.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>

#include "bench_book.h"
#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "data/view_manager.h"
#include "dictionary/process_values.h"
#include "memory_map.h"
#include "plain_sqlite.h"
#include "platform/name_bindings.h"
#include "storage/sqlite/sqlite_schema.h"

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
    const std::uint64_t stepsBefore = view.VIEW->workDone();
    for (auto _ : state) {
        rows = 0;
        view.Reset();
        while (view.Next() == SeverityNone) ++rows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    // The engine's own work per row read, to hold beside plain SQL's.
    state.counters["steps/row"] = static_cast<double>(view.VIEW->workDone() - stepsBefore) /
                                  static_cast<double>(state.iterations() * rows);
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
    bench::PlainConnection plain(folder);
    bench::PlainStatement month(
        plain.db(),
        // the date key's own condition lets the engine read its index
        "SELECT " + sqlite::selectColumns(fileDef(FileId::Transactions)) +
            " FROM \"TRANSACT\" WHERE \"DATE\" <> 0 AND \"DATE\" >= ?1 AND \"DATE\" <= ?2 "
            "ORDER BY \"DATE\" DESC, \"_rid\"");
    std::int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_bind_int(month.get(), 1, startDate);
        sqlite3_bind_int(month.get(), 2, endDate);
        rows = month.readRows();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["steps/row"] =
        static_cast<double>(month.engineSteps()) / static_cast<double>(state.iterations() * rows);
}
BENCHMARK(PlainSqlQuery)->Unit(benchmark::kMillisecond);

}  // namespace
