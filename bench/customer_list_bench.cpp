// The customer list opened, and its highlight moved down a row at a time,
// over books of 1,000 and 100,000 customers, each with two phones and a
// representative. Each move reads the highlighted customer's lines and its
// phones afresh, as the user sees them follow. The list shows one page and
// the phones one customer's, so both sizes should cost about the same. Each
// book is built once in the temporary folder
// (brokerbook-bench-customer-list-<size>) and kept; run one size per process
// (--benchmark_filter=/1000/ and /100000/) to read each size's own peak
// memory.
#include <benchmark/benchmark.h>

#include <QKeyEvent>

#include <filesystem>
#include <random>
#include <string>

#include "bench_book.h"
#include "bench_windows.h"
#include "customers/customer_procedures.h"
#include "dictionary/process_values.h"
#include "peak_memory.h"
#include "ui/browse_list.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"

namespace {

using namespace bb;

constexpr int kRepresentative = 1;
// Rows moved before the highlight goes back to the top: fewer than the
// smaller book holds, so that every timed move is a move.
constexpr int kMovesPerRound = 200;

void addCustomer(StorageFile& members, std::mt19937& random, int number) {
    Record& r = buffer(FileId::Members);
    r.clear();
    MBR::MEMBERNUMBER.set(number);
    MBR::COMPANYNAME.set(bench::companyName(random, number));
    MBR::MEMBERNAME.set(MBR::COMPANYNAME.get());
    MBR::FIRSTNAME.set("Pat");
    MBR::LASTNAME.set("Trader");
    MBR::ADDRESS.set(std::to_string(number) + " Main Street");
    MBR::CITY.set(number % 2 ? "Springfield" : "Riverside");
    MBR::STATE.set("TX");
    MBR::ZIPCODE.set("78701");
    MBR::REPRESENTATIVENUMBER.set(kRepresentative);
    MBR::ACTIVE.set(1);
    members.add(r);
}

void addPhones(StorageFile& phones, int number) {
    Record& r = buffer(FileId::MPhones);
    for (const char* type : {"Office", "Home"}) {
        r.clear();
        MPH::MEMBERNUMBER.set(number);
        MPH::DESCRIPTION.set(type);
        MPH::PHONENUMBER.set("5125550100");
        phones.add(r);
    }
}

std::filesystem::path buildBook(int customers) {
    return bench::keptBook("customer-list-" + std::to_string(customers),
                           {FileId::Members, FileId::MPhones, FileId::Representatives},
                           [customers](std::vector<std::unique_ptr<StorageFile>>& files) {
                               buffer(FileId::Representatives).clear();
                               REP::REPRESENTATIVENUMBER.set(kRepresentative);
                               REP::REP_NUM.set("101");
                               REP::REP_NAME.set("Ann Adams");
                               files[2]->add(buffer(FileId::Representatives));
                               std::mt19937 random(7);
                               for (int i = 1; i <= customers; ++i) {
                                   addCustomer(*files[0], random, i);
                                   addPhones(*files[1], i);
                               }
                           });
}

// The program over a book of `customers`, the active customers shown.
class Program {
public:
    explicit Program(int customers) : program_(buildBook(customers), "customer_list_bench") {
        registerCustomerProcedures(procedures());
        CTRL::REPORTFILTER.set("MBR:Active=1");
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opened and asked for its designed size, as the frame shows it; the
    // offscreen screen leaves room for five customer rows (left to itself the
    // window shows three).
    void openList() {
        procedures().call("BrowseMembers");
        QWidget& window = *startedWindows().front()->Widget();
        window.resize(window.sizeHint());
        bench::settle();
    }
    void closeList() { bench::StartedProgram::closeWindows(); }
    // A key pressed on the customer list, as the user presses it.
    void press(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(list().List()->Table(), &event);
        bench::settle();
    }
    BrowseManager& list() const { return *startedWindows().front()->Browse("Customers"); }
    BrowseManager& phones() const { return *startedWindows().front()->Browse("Customer phones"); }

private:
    bench::StartedProgram program_;
};

void report(benchmark::State& state, const Program& program) {
    state.counters["rows"] = program.list().Rows().Count();
    state.counters["phones"] = program.phones().Rows().Count();
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
}

void OpenCustomerList(benchmark::State& state) {
    Program program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        program.openList();
        state.PauseTiming();
        report(state, program);
        program.closeList();
        state.ResumeTiming();
    }
}

// Down a row at a time from the top, back to it now and then (untimed).
void MoveHighlight(benchmark::State& state) {
    Program program(static_cast<int>(state.range(0)));
    program.openList();
    int moved = 0;
    for (auto _ : state) {
        if (++moved > kMovesPerRound) {
            state.PauseTiming();
            program.press(Qt::Key_Home);
            moved = 1;
            state.ResumeTiming();
        }
        program.press(Qt::Key_Down);
    }
    state.counters["highlighted"] = MBR::MEMBERNUMBER.get();
    report(state, program);
}

// Both sizes, disk-bound: timed by the clock.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond)->UseRealTime();
}
BENCHMARK(OpenCustomerList)->Apply(sizes);
BENCHMARK(MoveHighlight)->Apply(sizes);

}  // namespace
