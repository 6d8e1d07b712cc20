// A page down, a page up and a thumb jump in a list of 1,000, 100,000 and
// 1,000,000 customers by company name, driven as a user drives it: the
// list's scroll bar pressed or its thumb let go at a place, and the window's
// events handled until none is left. A list holds one page, so every size
// should cost about the same and keep about the same memory. Each size's
// book is built once in the temporary folder (brokerbook-bench-browse-<size>)
// and kept; run one size per process (--benchmark_filter=/1000/ and so on)
// to read each size's own peak memory: while the list opens, and afresh
// while it moves, with what is resident at the end split into the
// process's own memory and pages of mapped files.
#include <benchmark/benchmark.h>

#include <QScrollBar>

#include <filesystem>
#include <random>
#include <string>

#include "bench_book.h"
#include "bench_windows.h"
#include "customers_by_company.h"
#include "dictionary/process_values.h"
#include "memory_map.h"
#include "peak_memory.h"
#include "ui/browse_manager.h"
#include "ui/window_manager.h"

namespace {

using namespace bb;

constexpr int kRows = 20;
// Pages moved before the list goes back to its end: fewer than the smaller
// book holds, so that every timed move reads a whole page.
constexpr int kMovesPerRound = 40;

std::filesystem::path buildBook(int customers) {
    return bench::keptBook("browse-" + std::to_string(customers), FileId::Members,
                           [customers](StorageFile& members) {
                               std::mt19937 random(7);
                               Record& r = buffer(FileId::Members);
                               for (int i = 1; i <= customers; ++i) {
                                   r.clear();
                                   MBR::MEMBERNUMBER.set(i);
                                   MBR::COMPANYNAME.set(bench::companyName(random, i));
                                   MBR::CITY.set(i % 2 ? "Springfield" : "Riverside");
                                   MBR::ACTIVE.set(1);
                                   members.add(r);
                               }
                           });
}

// The tests' list of customers by company name, kRows high, with only a
// Close button.
WindowDecl makeListDecl() {
    ListDecl customers = test::customersByCompany();
    customers.rows = kRows;
    return WindowDecl{
        .procedure = "BenchCustomers",
        .caption = "Customers",
        .fields = {{.kind = ControlKind::List, .name = "Customers", .list = customers}},
        .buttons = {{.text = "C&lose", .role = ButtonRole::Cancel}},
    };
}

const WindowDecl& listDecl() {
    static const WindowDecl decl = makeListDecl();
    return decl;
}

// The list window open over a book of `customers`.
class OpenList {
public:
    explicit OpenList(int customers) : program_(buildBook(customers), "browse_bench") {
        startWindow(std::make_unique<WindowManager>(listDecl()));
        bench::settle();
        browse_ = startedWindows().front()->Browse();
        openingPeak_ = bench::peakMemoryMegabytes();
    }
    OpenList(const OpenList&) = delete;
    OpenList& operator=(const OpenList&) = delete;

    void press(QAbstractSlider::SliderAction action) {
        bar().triggerAction(action);
        bench::settle();
    }
    void dragThumb(int percent) {
        bar().setSliderDown(true);
        bar().setSliderPosition(percent);
        bar().setSliderDown(false);
        bench::settle();
    }
    int rows() const { return browse_->Rows().Count(); }
    // The peak resident size from the program opening the book (and looking
    // it over for damage) to the list shown.
    double openingPeak() const { return openingPeak_; }

private:
    QScrollBar& bar() { return *browse_->List()->ScrollBar(); }

    bench::StartedProgram program_;
    BrowseManager* browse_ = nullptr;
    double openingPeak_ = 0;
};

void report(benchmark::State& state, const OpenList& list) {
    state.counters["rows"] = list.rows();
    state.counters["open MB"] = list.openingPeak();
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
    state.counters["own MB"] = bench::ownMemoryMegabytes();
    state.counters["file MB"] = bench::mappedFileMegabytes();
}

// Page after page from one end, back to it now and then (untimed).
void movePages(benchmark::State& state, QAbstractSlider::SliderAction end,
               QAbstractSlider::SliderAction move) {
    OpenList list(static_cast<int>(state.range(0)));
    list.press(end);
    bench::resetPeakMemory();
    int moved = 0;
    for (auto _ : state) {
        if (++moved > kMovesPerRound) {
            state.PauseTiming();
            list.press(end);
            moved = 1;
            state.ResumeTiming();
        }
        list.press(move);
    }
    report(state, list);
}

void PageDown(benchmark::State& state) {
    movePages(state, QAbstractSlider::SliderToMinimum, QAbstractSlider::SliderPageStepAdd);
}
void PageUp(benchmark::State& state) {
    movePages(state, QAbstractSlider::SliderToMaximum, QAbstractSlider::SliderPageStepSub);
}

// The thumb let go at places all over the bar.
void ThumbJump(benchmark::State& state) {
    constexpr int kPlaces[] = {37, 81, 12, 64, 50, 93, 25, 58};
    OpenList list(static_cast<int>(state.range(0)));
    bench::resetPeakMemory();
    std::size_t next = 0;
    for (auto _ : state) {
        list.dragThumb(kPlaces[next]);
        next = (next + 1) % std::size(kPlaces);
    }
    report(state, list);
}

// Every size, disk-bound: timed by the clock.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond)->UseRealTime();
}
BENCHMARK(PageDown)->Apply(sizes);
BENCHMARK(PageUp)->Apply(sizes);
BENCHMARK(ThumbJump)->Apply(sizes);

}  // namespace
