// The customer printouts over a book of 100,000 customers, each with two
// phones, one group membership and two accounts (one in twenty customers
// outdated), the whole way their procedures run them: the selection read
// by the process manager in time slices, the pages laid out into the page
// queue and written as a PDF. The directory in ZIP-code order and by
// customer class (no key: the engine sorts), the labels of every customer,
// letters to the first 10,000; records per second and the peak memory of
// each.
// The book is built once in the temporary folder
// (brokerbook-bench-printouts) and kept.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>
#include <string>

#include "bench_book.h"
#include "customers/customer_printout_layouts.h"
#include "customers/customer_report_parts.h"
#include "customers/selected_customers.h"
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
constexpr int kRepresentatives = 20;
constexpr int kLetters = 10000;
// One customer in this many was last updated before the cut-off.
constexpr int kOutdatedEvery = 20;
constexpr DayNumber kCutOff = 80000;

void addCustomer(StorageFile& members, int i) {
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(i);
    MBR::REPRESENTATIVENUMBER.set(i % kRepresentatives + 1);
    MBR::MEMBERTYPE.set(i % 3 ? "Individual" : "Company");
    MBR::FIRSTNAME.set("Pat");
    MBR::LASTNAME.set("Customer " + std::to_string(i));
    MBR::COMPANYNAME.set("Customer Company " + std::to_string(i));
    MBR::ADDRESS.set(std::to_string(i) + " Main Street");
    MBR::CITY.set("Springfield");
    MBR::STATE.set("IL");
    // ZIP codes out of step with the numbers, so the order is the engine's work.
    MBR::ZIPCODE.set(std::to_string(10000 + (i * 7919) % 89999));
    MBR::FOREIGN.set("D");
    MBR::ACTIVE.set(1);
    MBR::SALESLEVEL.set("Retail");
    MBR::LASTUPDATE.set(i % kOutdatedEvery ? kCutOff + 100 : kCutOff - 100);
    members.add(r);
}

void addChildren(std::vector<std::unique_ptr<StorageFile>>& files, int i) {
    for (const char* type : {"Office", "Home"}) {
        buffer(FileId::MPhones).clear();
        MPH::MEMBERNUMBER.set(i);
        MPH::DESCRIPTION.set(type);
        MPH::PHONENUMBER.set("217555" + std::to_string(1000 + i % 9000));
        files[1]->add(buffer(FileId::MPhones));
    }
    buffer(FileId::Commbrs).clear();
    CMBRS::COMMITTEE.set(i % 2 ? "Golf" : "Chess");
    CMBRS::MEMBERNUMBER.set(i);
    files[2]->add(buffer(FileId::Commbrs));
    for (int a = 0; a < 2; ++a) {
        buffer(FileId::AccountRegistration).clear();
        ACC::REGISTRATIONNUMBER.set(i * 2 + a);
        ACC::MEMBERNUMBER.set(i);
        ACC::REPRESENTATIVENUMBER.set(i % kRepresentatives + 1);
        ACC::ACCOUNTNUMBER.set("A" + std::to_string(i * 2 + a));
        ACC::ACCOUNTCLASS.set("C");
        ACC::LASTUPDATE.set(kCutOff + 100);
        files[3]->add(buffer(FileId::AccountRegistration));
    }
}

std::filesystem::path buildBook() {
    return bench::keptBook("printouts",
                           {FileId::Members, FileId::MPhones, FileId::Commbrs,
                            FileId::AccountRegistration, FileId::Representatives},
                           [](std::vector<std::unique_ptr<StorageFile>>& files) {
                               for (int i = 1; i <= kCustomers; ++i) {
                                   addCustomer(*files[0], i);
                                   addChildren(files, i);
                               }
                               for (int n = 1; n <= kRepresentatives; ++n) {
                                   buffer(FileId::Representatives).clear();
                                   REP::REPRESENTATIVENUMBER.set(n);
                                   REP::REP_NUM.set(std::to_string(100 + n));
                                   REP::REP_NAME.set("Representative " + std::to_string(n));
                                   files[4]->add(buffer(FileId::Representatives));
                               }
                           });
}

void ensureApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "customer_printouts_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The book open as the program opens it, for as long as it lives.
class OpenBook {
public:
    OpenBook() {
        const std::filesystem::path folder = buildBook();
        ensureApplication();
        errors_.Setup();
        loadProgram();
        useDataFolder(folder);
        dataDictionary().Setup(errors_);
        for (FileId id : kFiles) dataDictionary().relations(id).Open();
        pdf = (folder / "bench.pdf").string();
    }
    ~OpenBook() {
        std::filesystem::remove(pdf);
        for (FileId id : kFiles) dataDictionary().relations(id).Close();
        dataDictionary().Teardown();
        errors_.Teardown();
        useDataFolder(".");
    }
    OpenBook(const OpenBook&) = delete;
    OpenBook& operator=(const OpenBook&) = delete;

    std::string pdf;

private:
    static constexpr FileId kFiles[] = {FileId::Members, FileId::MPhones, FileId::Commbrs,
                                        FileId::AccountRegistration, FileId::Representatives};
    QuietMessages quiet_;
    ErrorManager errors_;
};

template <class Process>
int runProcess(Process& process, BandReport& report, PageStore& pages) {
    process.REPORT = &report;
    report.Open(pages);
    process.Reset(0);
    process.Next();
    RecordCycle cycle;
    const auto next = [&] { return process.Next() == SeverityNone ? 0 : 3; };
    while (cycle.Run([&] { return process.ProcessOneRecord(); }, next) == CycleEnd::SliceUsed) {
    }
    report.Close();
    process.Teardown();
    return process.RECORDSPROCESSED;
}

template <class Print>
void measure(benchmark::State& state, const OpenBook& book, Print print) {
    int printed = 0;
    int pageCount = 0;
    bench::resetPeakMemory();
    for (auto _ : state) {
        PageStore pages;
        printed = print(pages);
        pageCount = pages.Count();
        std::string error;
        if (!writePdf(pages, book.pdf, &error)) state.SkipWithError(error.c_str());
    }
    state.counters["records/s"] =
        benchmark::Counter(static_cast<double>(printed) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    state.counters["pages"] = pageCount;
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
}

void DirectoryToPdf(benchmark::State& state, const char* order) {
    const OpenBook book;
    CTRL::REPORTFILTER.set("MBR:Active=1");
    CTRL::REPORTKEY.set(order);
    measure(state, book, [](PageStore& pages) {
        BandReport report(customerDirectoryLayout());
        EachCustomerOnce<OwnerProcess> process;
        setUpCustomerDirectory(process, {}, nullptr);
        return runProcess(process, report, pages);
    });
}

void DirectoryByZipToPdf(benchmark::State& state) {
    DirectoryToPdf(state, "MBR:ZIPCode");
}
void DirectoryByClassToPdf(benchmark::State& state) {
    DirectoryToPdf(state, "MBR:MemberType");
}

void LabelsToPdf(benchmark::State& state) {
    const OpenBook book;
    CTRL::REPORTFILTER.set("MBR:Active=1");
    CTRL::REPORTKEY.set("MBR:ZIPCode");
    const auto inches = [](const char* text) { return *Decimal::parse(text); };
    const LabelSheet sheet = *labelSheetFor(
        {inches("8.5"), inches("11"), inches("2.5"), inches("1"), inches("0.35"), inches("0.5")},
        nullptr);
    measure(state, book, [&sheet](PageStore& pages) {
        BandReport report(mailingLabelsLayout(sheet, 10));
        EachCustomerOnce<PrintEachRecord<ProcessManager>> process;
        setUpSelectedCustomers(process, {}, nullptr);
        return runProcess(process, report, pages);
    });
}

void LettersToPdf(benchmark::State& state) {
    const OpenBook book;
    CTRL::REPORTFILTER.set("MBR:MemberNumber =< " + std::to_string(kLetters));
    CTRL::REPORTKEY.set("MBR:CompanyName");
    std::string body;
    for (int paragraph = 0; paragraph < 4; ++paragraph)
        body +=
            "We have reviewed every account against the objectives you gave us, and we "
            "would like to hear from you if your circumstances have changed. Please call "
            "the office to arrange a meeting at a time that suits you.\n\n";
    measure(state, book, [&body](PageStore& pages) {
        BandReport report(formLettersLayout("Annual Review", body));
        EachCustomerOnce<PrintEachRecord<ProcessManager>> process;
        setUpSelectedCustomers(process, {}, nullptr);
        return runProcess(process, report, pages);
    });
}

// Disk-bound: timed by the clock, one run each, as the customer list
// report's benchmark is.
BENCHMARK(DirectoryByZipToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(DirectoryByClassToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(LabelsToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(LettersToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
