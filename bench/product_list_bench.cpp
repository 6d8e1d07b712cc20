// The product selection list of one investment of 100 products, opened and
// paged on its Name tab, in books of 1,000 and 100,000 products (10 and
// 1,000 investments). The Name tab reads the name index filtered by the
// investment, so its pages should cost about the same at both sizes when
// the storage takes the filter. Each book is built once in the temporary
// folder (brokerbook-bench-product-list-<size>) and kept; run one size per
// process (--benchmark_filter=/1000/ and /100000/) to read each size's own
// peak memory.
#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QTabWidget>

#include <chrono>
#include <functional>
#include <random>
#include <string>

#include "bench_book.h"
#include "bench_windows.h"
#include "catalogue/catalogue_windows.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "ui/browse_list.h"
#include "ui/browse_manager.h"
#include "ui/procedures.h"

namespace {

using namespace bb;
using Clock = std::chrono::steady_clock;

constexpr int kCategory = 1;
constexpr int kProductsPerInvestment = 100;
// Pages moved before the list goes back to its top: fewer than the
// investment's products fill, so that every timed page is a move.
constexpr int kPagesPerRound = 8;

void addProduct(StorageFile& products, std::mt19937& random, int number) {
    Record& r = buffer(FileId::Securities);
    r.clear();
    SEC::SECURITYNUMBER.set(number);
    SEC::CATEGORYNUMBER.set((number - 1) / kProductsPerInvestment + 1);
    SEC::SYMBOL.set("S" + std::to_string(number));
    // Names spread over the alphabet: the name index interleaves investments.
    SEC::SECURITYNAME.set(bench::companyName(random, number));
    SEC::CUSIPNUMBER.set(std::to_string(100000000 + number));
    SEC::INVESTMENTTYPE.set("GR");
    SEC::ACTIVE.set(number % 10 ? "1" : "0");
    products.add(r);
}

std::filesystem::path buildBook(int products) {
    return bench::keptBook(
        "product-list-" + std::to_string(products),
        {FileId::Rooms, FileId::Categories, FileId::Securities, FileId::InvestmentType},
        [products](std::vector<std::unique_ptr<StorageFile>>& files) {
            buffer(FileId::Rooms).clear();
            ROO::ROOMNUMBER.set(kCategory);
            ROO::ROOMNAME.set("Funds");
            files[0]->add(buffer(FileId::Rooms));
            for (int i = 1; i <= products / kProductsPerInvestment; ++i) {
                buffer(FileId::Categories).clear();
                CAT::CATEGORYNUMBER.set(i);
                CAT::ROOMNUMBER.set(kCategory);
                CAT::CATEGORYNAME.set("Family " + std::to_string(i));
                files[1]->add(buffer(FileId::Categories));
            }
            std::mt19937 random(7);
            for (int i = 1; i <= products; ++i) addProduct(*files[2], random, i);
            buffer(FileId::InvestmentType).clear();
            INV::INVESTTYPENUMBER.set(1);
            INV::INVESTTYPECODE.set("GR");
            INV::INVESTTYPEDESC.set("Growth");
            files[3]->add(buffer(FileId::InvestmentType));
        });
}

// Runs its `opened` with the window when a called window opens.
class OnOpen final : public WindowObserver {
public:
    std::function<void(WindowManager&)> opened;
    void windowOpened(WindowManager& window) override { opened(window); }
    void windowClosing(WindowManager&) override {}
};

// The program over a book of `products`, the investment in the middle
// read as the investment list leaves it.
class Program {
public:
    explicit Program(int products)
        : program_(buildBook(products), "product_list_bench"),
          investment_(products / kProductsPerInvestment / 2 + 1) {
        registerCatalogueWindows(procedures());
        previous_ = installWindowObserver(&observer_);
        // Open as the investment list keeps them while its products show.
        for (FileId file : {FileId::Categories, FileId::Securities})
            open_.push_back(std::make_unique<RelatedFilesOpen>(*relationManagerFor(file)));
    }
    ~Program() { installWindowObserver(previous_); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the investment's products, runs `body` in the list, closes it.
    void run(const std::function<void(WindowManager&)>& body) {
        buffer(FileId::Categories).clear();
        CAT::CATEGORYNUMBER.set(investment_);
        (void)fileManagerFor(FileId::Categories)->Fetch(CAT::key::CATEGORYNUMBERKEY);
        observer_.opened = [&body](WindowManager& window) {
            body(window);
            window.EndWith(ResponseCancelled);
        };
        procedures().call("BrowseSecurities", ProcessRequest);
    }

private:
    bench::StartedProgram program_;
    int investment_;
    OnOpen observer_;
    WindowObserver* previous_ = nullptr;
    std::vector<std::unique_ptr<RelatedFilesOpen>> open_;
};

void press(WindowManager& window, Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(window.Browse("Products")->List()->Table(), &event);
    bench::settle();
}

void report(benchmark::State& state, WindowManager& window) {
    state.counters["rows"] = window.Browse("Products")->Rows().Count();
    state.counters["peak MB"] = bench::peakMemoryMegabytes();
}

// From the call until the list shows its first page, by the clock.
void OpenProductList(benchmark::State& state) {
    Program program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto start = Clock::now();
        program.run([&](WindowManager& window) {
            bench::settle();
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
            report(state, window);
        });
    }
}

// A page down on the Name tab, back to the top now and then (untimed).
void PageNameTab(benchmark::State& state) {
    Program program(static_cast<int>(state.range(0)));
    program.run([&](WindowManager& window) {
        window.Widget()->findChild<QTabWidget*>()->setCurrentIndex(1);
        bench::settle();
        int paged = 0;
        for (auto _ : state) {
            if (++paged > kPagesPerRound) {
                state.PauseTiming();
                press(window, Qt::Key_Home);
                paged = 1;
                state.ResumeTiming();
            }
            press(window, Qt::Key_PageDown);
        }
        report(state, window);
    });
}

// Both sizes, disk-bound: timed by the clock.
void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}
BENCHMARK(OpenProductList)->Apply(sizes)->UseManualTime();
BENCHMARK(PageNameTab)->Apply(sizes)->UseRealTime();

}  // namespace
