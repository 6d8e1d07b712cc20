// Reports of 10,000 and 100,000 customers, a plain columnar list, the whole
// way a report procedure runs them: the view read by the process manager in
// time slices, the band writer laying out pages into the page queue, and
// the queue written out as a PDF. Records per second and the peak memory of
// each run. The baseline reads the same records the same way and prints
// nothing: the pages wait on disk, so a report's peak must stay the
// baseline's plus a constant, whatever the number of pages. The book is
// built once in the temporary folder (brokerbook-bench-report) and kept.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>
#include <string>

#include "bench_book.h"
#include "data/data_folder.h"
#include "data/dictionary_setup.h"
#include "dictionary/process_values.h"
#include "peak_memory.h"
#include "platform/date.h"
#include "reporting/band_report.h"
#include "reporting/page_output.h"
#include "reporting/process_manager.h"
#include "reporting/record_cycle.h"

namespace {

using namespace bb;

constexpr int kCustomers = 100000;

std::filesystem::path buildBook() {
    return bench::keptBook("report", FileId::Members, [](StorageFile& members) {
        Record& r = buffer(FileId::Members);
        for (int i = 1; i <= kCustomers; ++i) {
            r.clear();
            MBR::MEMBERNUMBER.set(i);
            MBR::COMPANYNAME.set("Customer Company " + std::to_string(i));
            MBR::CITY.set(i % 2 ? "Springfield" : "Riverside");
            MBR::STATE.set("IL");
            MBR::LASTUPDATE.set(*dayNumber(2023, 1 + i % 12, 1 + i % 28));
            (void)MBR::NETWORTH.set(Decimal::fromUnits(std::int64_t{i} * 123457, 2));
            members.add(r);
        }
    });
}

void ensureApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "report_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

ReportLayout customerList() {
    ReportLayout r;
    r.title = "Customer List";
    r.fonts = {ReportFont{}, ReportFont{"DejaVu Sans", 12, true},
               ReportFont{"DejaVu Sans", 9, true}};
    r.pageHeader.add(Item::Text(0, 0, r.bodyWidth(), r.title).center().in(1));
    Band detail;
    const ColumnLayout columns{
        {{"Number", 700, fieldSource(MBR::MEMBERNUMBER), "@n7", Align::Right},
         {"Company", 2600, fieldSource(MBR::COMPANYNAME), "@s34"},
         {"City", 1400, fieldSource(MBR::CITY), "@s25"},
         {"Updated", 1000, fieldSource(MBR::LASTUPDATE), "@d2"},
         {"Net Worth", 1400, fieldSource(MBR::NETWORTH), "@n$-15.2", Align::Right}},
        120,
        2,
        0};
    layColumns(columns, r.fonts, r.pageHeader, 300, detail);
    r.details.push_back(detail);
    r.pageFooter.add(Item::PageNumber(0, 0, r.bodyWidth()).right());
    return r;
}

enum class Output { Nothing, Pages, Pdf };

class ListReport : public ProcessManager {
public:
    explicit ListReport(Output output)
        : report(customerList()), print_(output != Output::Nothing) {}
    RecordResult ProcessOneRecord() override {
        if (!print_) return RecordResult::GoOn;
        return report.Print() == SeverityNone ? RecordResult::GoOn : RecordResult::Fatal;
    }
    BandReport report;

private:
    bool print_;
};

// One run of the report over the first `records` customers; the number read.
int runReport(int records, Output output, PageStore& pages) {
    ListReport process(output);
    process.Setup({FileId::Members, {}}, dataDictionary().relations(FileId::Members), {}, records,
                  nullptr);
    process.DefineSortOrder(MBR::key::MEMBERKEY);
    process.DefineFilter("MBR:MemberNumber =< " + std::to_string(records));
    dataDictionary().relations(FileId::Members).SetReadAhead(true, RelationManager::ThisFileOnly);
    process.report.Open(pages);
    process.Reset(0);
    process.Next();
    RecordCycle cycle;
    const auto next = [&] { return process.Next() == SeverityNone ? 0 : 3; };
    while (cycle.Run([&] { return process.ProcessOneRecord(); }, next) == CycleEnd::SliceUsed) {
    }
    process.report.Close();
    process.Teardown();
    return process.RECORDSPROCESSED;
}

void Report(benchmark::State& state, Output output) {
    const std::filesystem::path folder = buildBook();
    ensureApplication();
    QuietMessages quiet;
    ErrorManager errors;
    errors.Setup();
    loadProgram();
    useDataFolder(folder);
    dataDictionary().Setup(errors);
    FileManager& members = dataDictionary().files(FileId::Members);
    members.Open();
    const int records = static_cast<int>(state.range(0));
    const std::string pdf = (folder / "bench.pdf").string();
    int printed = 0;
    int pageCount = 0;
    bench::resetPeakMemory();
    for (auto _ : state) {
        PageStore pages;
        printed = runReport(records, output, pages);
        pageCount = pages.Count();
        std::string error;
        if (output == Output::Pdf && !writePdf(pages, pdf, &error))
            state.SkipWithError(error.c_str());
    }
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(printed) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["pages"] = pageCount;
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
    std::filesystem::remove(pdf);
    members.Close();
    dataDictionary().Teardown();
    errors.Teardown();
    useDataFolder(".");
}

void ReadRecordsOnly(benchmark::State& state) {
    Report(state, Output::Nothing);
}
void ReportPages(benchmark::State& state) {
    Report(state, Output::Pages);
}
void ReportToPdf(benchmark::State& state) {
    Report(state, Output::Pdf);
}
// Disk-bound: timed by the clock. One run each: the 100,000 takes seconds.
BENCHMARK(ReadRecordsOnly)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(ReportPages)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);
BENCHMARK(ReportToPdf)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
