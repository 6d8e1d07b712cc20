// A representative's suspense dates: a book of 1,000 notes and one of
// 200,000 notes of the same representative, each with a 30-day range of
// suspense dates (2,000 notes in the large book's). The suspense list's view
// opening and reading its first page, then its next page; the engine's
// steps per row read over the whole range, beside the same query in plain
// SQL on the same index; and the suspense printout of the range, the whole
// way to a PDF, in records per second with its peak memory. The books are
// built once in the temporary folder (brokerbook-bench-notes-*) and kept.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <filesystem>
#include <string>

#include "bench_book.h"
#include "customers/note_report.h"
#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "peak_memory.h"
#include "plain_sqlite.h"
#include "platform/date.h"
#include "reporting/band_report.h"
#include "reporting/page_output.h"
#include "reporting/process_manager.h"
#include "reporting/record_cycle.h"
#include "storage/sqlite/sqlite_schema.h"

namespace {

using namespace bb;

constexpr std::int32_t kRepresentative = 7;
constexpr std::int32_t kFirstDay = 80000;
// The range: 30 days in the middle of the book's dates.
constexpr std::int32_t kRangeStart = kFirstDay + 1000;
constexpr std::int32_t kRangeDays = 30;
constexpr char kFilter[] =
    "(LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate)";

// `notes` suspense notes spread over as many days as hold 2,000 of them in
// 30 days in the large book (3,000 days); the small book spreads its 1,000
// over the same days.
std::filesystem::path buildBook(int notes) {
    return bench::keptBook(
        "notes-" + std::to_string(notes), FileId::Log, [notes](StorageFile& log) {
            constexpr int kDaysSpread = 3000;
            Record& r = buffer(FileId::Log);
            for (int i = 1; i <= notes; ++i) {
                r.clear();
                LOG::LOGNUMBER.set(i);
                LOG::MEMBERNUMBER.set(i % 5000 + 1);
                LOG::REPRESENTATIVENUMBER.set(kRepresentative);
                LOG::SUSPEND.set("S");
                LOG::DATE.set(kFirstDay);
                LOG::DATE2.set(kFirstDay +
                               static_cast<std::int32_t>(std::int64_t{i} * kDaysSpread / notes));
                LOG::SUBJECT.set("Follow up " + std::to_string(i));
                LOG::NOTES.set("Call about the bond fund and the quarterly review, note " +
                               std::to_string(i) + ".");
                (void)LOG::DAYOFMONTH.set(Decimal(1));
                log.add(r);
            }
        });
}

void ensureApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "notes_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

class QuietMessages final : public MessageService {
public:
    Button show(const MessageRequest& request) override { return request.defaultButton; }
    void beep(Beep) override {}
};

// The book of `notes` open for the while, with the range's dates bound as
// the range window leaves them.
class OpenBook {
public:
    explicit OpenBook(int notes) : folder_(buildBook(notes)) {
        installMessageService(&quiet_);
        errors_.Setup();
        loadProgram();
        processValues().StartDate = kRangeStart;
        processValues().EndDate = kRangeStart + kRangeDays - 1;
        useDataFolder(folder_);
        dataDictionary().Setup(errors_);
        dataDictionary().files(FileId::Log).Open();
    }
    ~OpenBook() {
        dataDictionary().files(FileId::Log).Close();
        dataDictionary().Teardown();
        errors_.Teardown();
        useDataFolder(".");
        installMessageService(nullptr);
    }
    OpenBook(const OpenBook&) = delete;
    OpenBook& operator=(const OpenBook&) = delete;
    const std::filesystem::path& folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    QuietMessages quiet_;
    ErrorManager errors_;
};

// The suspense list's view: the representative's notes in the suspense
// key's order, kept to the range.
void setUpSuspenseView(ViewManager& view) {
    view.Setup({FileId::Log, {}}, dataDictionary().relations(FileId::Log));
    view.DefineSortOrder(LOG::key::SUSPEND_KEY);
    view.DefineRange(LOG::field::REPRESENTATIVENUMBER,
                     [] { return Value::number(kRepresentative); });
    view.DefineFilter(kFilter);
}

// Opening the list: the view opened and its first page read; then paging:
// the next page read from where the first ended. Timed by the clock.
void SuspenseListOpenAndPage(benchmark::State& state) {
    const OpenBook book(static_cast<int>(state.range(0)));
    double openMs = 0;
    double pageMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ViewManager view;
        setUpSuspenseView(view);
        view.Reset();
        for (int row = 0; row < ViewManager::kPageSize; ++row) view.Next();
        const auto opened = std::chrono::steady_clock::now();
        for (int row = 0; row < ViewManager::kPageSize; ++row) view.Next();
        const auto paged = std::chrono::steady_clock::now();
        view.Teardown();
        openMs += std::chrono::duration<double, std::milli>(opened - start).count();
        pageMs += std::chrono::duration<double, std::milli>(paged - opened).count();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["open ms"] = openMs / runs;
    state.counters["page ms"] = pageMs / runs;
}
BENCHMARK(SuspenseListOpenAndPage)
    ->Arg(1000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The whole range read through the view: rows and the engine's steps per row.
void SuspenseRangeThroughTheView(benchmark::State& state) {
    const OpenBook book(static_cast<int>(state.range(0)));
    ViewManager view;
    setUpSuspenseView(view);
    view.Open();
    std::int64_t rows = 0;
    const std::uint64_t stepsBefore = view.VIEW->workDone();
    for (auto _ : state) {
        rows = 0;
        view.Reset();
        while (view.Next() == SeverityNone) ++rows;
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["steps/row"] = static_cast<double>(view.VIEW->workDone() - stepsBefore) /
                                  static_cast<double>(state.iterations() * rows);
    view.Teardown();
}
BENCHMARK(SuspenseRangeThroughTheView)
    ->Arg(1000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same rows in plain SQL on the same index: the baseline of steps per row.
void SuspenseRangePlainSql(benchmark::State& state) {
    const std::filesystem::path folder = buildBook(static_cast<int>(state.range(0)));
    bench::PlainConnection plain(folder);
    bench::PlainStatement range(
        plain.db(),
        "SELECT " + sqlite::selectColumns(fileDef(FileId::Log)) +
            // the key's own condition lets the engine read its index
            " FROM \"LOG\" WHERE (\"REPRESENTATIVENUMBER\" <> 0 OR \"DATE2\" <> 0) AND "
            "\"REPRESENTATIVENUMBER\" = ?1 AND \"SUSPEND\" = 'S' "
            "AND \"DATE2\" >= ?2 AND \"DATE2\" <= ?3 ORDER BY \"REPRESENTATIVENUMBER\", "
            "\"DATE2\", \"_rid\"");
    std::int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_bind_int(range.get(), 1, kRepresentative);
        sqlite3_bind_int(range.get(), 2, kRangeStart);
        sqlite3_bind_int(range.get(), 3, kRangeStart + kRangeDays - 1);
        rows = range.readRows();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["steps/row"] =
        static_cast<double>(range.engineSteps()) / static_cast<double>(state.iterations() * rows);
}
BENCHMARK(SuspenseRangePlainSql)
    ->Arg(1000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

class SuspensePrint : public ProcessManager {
public:
    SuspensePrint()
        : report(noteReportLayout("Suspense Dates", "03/01/2020 through 03/30/2020",
                                  "101  Ann Adams")) {}
    RecordResult ProcessOneRecord() override {
        return report.Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport report;
};

// The suspense printout of the large book's range, to a PDF. Disk-bound:
// timed by the clock.
void SuspensePrintoutToPdf(benchmark::State& state) {
    ensureApplication();
    const OpenBook book(200000);
    const std::string pdf = (book.folder() / "suspense.pdf").string();
    int printed = 0;
    int pageCount = 0;
    bench::resetPeakMemory();
    for (auto _ : state) {
        PageStore pages;
        SuspensePrint process;
        process.Setup({FileId::Log, {}}, dataDictionary().relations(FileId::Log), {}, 0, nullptr);
        process.DefineSortOrder(LOG::key::SUSPEND_KEY);
        process.DefineRange(LOG::field::REPRESENTATIVENUMBER,
                            [] { return Value::number(kRepresentative); });
        process.DefineFilter(kFilter);
        process.report.Open(pages);
        process.Reset(0);
        process.Next();
        RecordCycle cycle;
        const auto next = [&] { return process.Next() == SeverityNone ? 0 : 3; };
        while (cycle.Run([&] { return process.ProcessOneRecord(); }, next) == CycleEnd::SliceUsed) {
        }
        process.report.Close();
        process.Teardown();
        printed = process.RECORDSPROCESSED;
        pageCount = pages.Count();
        std::string error;
        if (!writePdf(pages, pdf, &error)) state.SkipWithError(error.c_str());
    }
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(printed) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["records"] = printed;
    state.counters["pages"] = pageCount;
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
    std::filesystem::remove(pdf);
}
BENCHMARK(SuspensePrintoutToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
