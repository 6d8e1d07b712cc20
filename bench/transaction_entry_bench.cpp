// A new trade entered on the transaction form, on books of 1,000 and
// 1,000,000 trades: the OK path (every check, then the write, until the form
// has closed) by the clock, against one plain SQLite insert of the same row
// into the same table with the driver's settings, one transaction each, as
// the form writes; and the engine's steps each typing event costs on the
// form, which stay the same on both books when no event scans a file.
//
// Each book is built once in the temporary folder
// (brokerbook-bench-trades-<size>) and kept.
#include <benchmark/benchmark.h>

#include <sqlite3.h>
#include <QAbstractButton>
#include <QLineEdit>

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "bench_book.h"
#include "bench_windows.h"
#include "data/file_manager.h"
#include "data/relation_manager.h"
#include "plain_sqlite.h"
#include "platform/date.h"
#include "storage/sqlite/sqlite_support.h"
#include "trading/transaction_windows.h"
#include "ui/procedures.h"

namespace {

using namespace bb;
using WallClock = std::chrono::steady_clock;

constexpr int kMember = 1;
constexpr int kRepresentative = 1;
constexpr int kAccount = 1;
constexpr int kAccounts = 1000;
constexpr int kSecurity = 1;

// ----------------------------------------------------- the engine's steps

// Every statement's virtual-machine steps, summed as each statement ends,
// over every connection the process opens after it is installed.
std::uint64_t gSteps = 0;
std::map<sqlite3_stmt*, std::uint64_t> gSeen;

int countSteps(unsigned, void*, void* statement, void*) {
    auto* stmt = static_cast<sqlite3_stmt*>(statement);
    const auto now =
        static_cast<std::uint64_t>(sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_VM_STEP, 0));
    std::uint64_t& before = gSeen[stmt];
    // A view's cursor resets the count itself after each batch it reads.
    gSteps += now >= before ? now - before : now;
    before = now;
    return 0;
}

int traceConnection(sqlite3* db, const char**, const sqlite3_api_routines*) {
    sqlite3_trace_v2(db, SQLITE_TRACE_PROFILE, countSteps, nullptr);
    return SQLITE_OK;
}

void countEverySteps() {
    static const bool installed = [] {
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(traceConnection));
        return true;
    }();
    (void)installed;
}

// --------------------------------------------------------------- the book

DayNumber day(int year, int month, int dayOfMonth) {
    return dayNumber(year, month, dayOfMonth).value();
}

void addTrade(StorageFile& trades, int number) {
    Record& r = buffer(FileId::Transactions);
    r.clear();
    TRN::TRANSACTIONNUMBER.set(number);
    TRN::REGISTRATIONNUMBER.set(number % kAccounts + 1);
    TRN::REPRESENTATIVENUMBER.set(kRepresentative);
    TRN::MEMBERNUMBER.set(kMember);
    TRN::DATE.set(day(2020, 1, 1) + number % 2000);
    TRN::SYMBOL.set("S" + std::to_string(number % 500));
    TRN::DESCRIPTION.set("Security " + std::to_string(number % 500));
    TRN::BUYSELL.set(number % 3 ? "Buy" : "Sell");
    TRN::STOCKBONDCHOICE.set("S");
    TRN::ACCOUNTCLASS.set("C");
    TRN::REP_NUM.set("R1");
    TRN::REP_NAME.set("Pat Broker");
    (void)TRN::QUANTITY.set(Decimal(100));
    (void)TRN::PRICE.set(Decimal(20));
    (void)TRN::TOTALAMOUNT.set(Decimal(2000));
    trades.add(r);
}

void addReferences(std::vector<std::unique_ptr<StorageFile>>& files) {
    buffer(FileId::Members).clear();
    MBR::MEMBERNUMBER.set(kMember);
    MBR::LASTNAME.set("Rivera");
    MBR::STATE.set("TX");
    files[1]->add(buffer(FileId::Members));
    buffer(FileId::Representatives).clear();
    REP::REPRESENTATIVENUMBER.set(kRepresentative);
    REP::REP_NUM.set("R1");
    REP::REP_NAME.set("Pat Broker");
    REP::SERIES7.set("1");
    REP::SERIES7DATE.set(day(2019, 1, 1));
    files[2]->add(buffer(FileId::Representatives));
    buffer(FileId::RepStates).clear();
    RST::REPRESENTATIVENUMBER.set(kRepresentative);
    RST::STATE.set("TX");
    RST::EFFECTIVEDATE.set(day(2020, 1, 1));
    files[3]->add(buffer(FileId::RepStates));
    for (int account = 1; account <= kAccounts; ++account) {
        buffer(FileId::AccountRegistration).clear();
        ACC::REGISTRATIONNUMBER.set(account);
        ACC::MEMBERNUMBER.set(kMember);
        ACC::REPRESENTATIVENUMBER.set(kRepresentative);
        ACC::ACCOUNTCLASS.set("C");
        ACC::ACCOUNTNUMBER.set("C-" + std::to_string(account));
        ACC::ACCOUNTSHORTNAME.set("Rivera " + std::to_string(account));
        files[4]->add(buffer(FileId::AccountRegistration));
    }
    buffer(FileId::Securities).clear();
    SEC::SECURITYNUMBER.set(kSecurity);
    SEC::CATEGORYNUMBER.set(1);
    SEC::SYMBOL.set("ACME");
    SEC::SECURITYNAME.set("Acme Manufacturing");
    SEC::ACTIVE.set("1");
    files[5]->add(buffer(FileId::Securities));
}

std::filesystem::path buildBook(int trades) {
    return bench::keptBook("trades-" + std::to_string(trades),
                           {FileId::Transactions, FileId::Members, FileId::Representatives,
                            FileId::RepStates, FileId::AccountRegistration, FileId::Securities},
                           [trades](std::vector<std::unique_ptr<StorageFile>>& files) {
                               for (int i = 1; i <= trades; ++i) addTrade(*files[0], i);
                               addReferences(files);
                           });
}

// ------------------------------------------------------------- the form

class OnOpen final : public WindowObserver {
public:
    std::function<void(WindowManager&)> opened;
    void windowOpened(WindowManager& window) override { opened(window); }
    void windowClosing(WindowManager&) override {}
};

// The program over a book of `trades`, the account's trades list open
// behind the form as it keeps its files.
class Program {
public:
    explicit Program(int trades) : program_(buildBook(trades), "transaction_entry_bench") {
        Clock::fix(day(2026, 3, 10));
        registerTransactionWindows(procedures());
        previous_ = installWindowObserver(&observer_);
        open_ = std::make_unique<RelatedFilesOpen>(*relationManagerFor(FileId::Transactions));
    }
    ~Program() {
        installWindowObserver(previous_);
        Clock::release();
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the form for a new trade, primed as the list primes it, and runs
    // `body` in it; the form ends unsaved unless `body` saved it.
    void run(const std::function<void(WindowManager&)>& body) {
        buffer(FileId::Transactions).clear();
        TRN::REGISTRATIONNUMBER.set(kAccount);
        (void)fileManagerFor(FileId::Transactions)->PrimeNewRecord(true);
        observer_.opened = [&body](WindowManager& window) {
            bench::settle();
            body(window);
            window.CANCELACTION = CancelAction::Close;
            if (!window.Closed()) window.EndWith(ResponseCancelled);
        };
        procedures().call("UpdateTransactions", InsertRequest);
    }

private:
    bench::StartedProgram program_;
    OnOpen observer_;
    WindowObserver* previous_ = nullptr;
    std::unique_ptr<RelatedFilesOpen> open_;
};

// A stock bought, as the user would have entered it.
void enterBuy(WindowManager& window) {
    TRN::BUYSELL.set("Buy");
    TRN::STOCKBONDCHOICE.set("S");
    (void)TRN::QUANTITY.set(Decimal(100));
    TRN::SYMBOL.set("ACME");
    (void)TRN::PRICE.set(Decimal(20));
    TRN::SOLICITEDUNSOLICITED.set("U");
    TRN::SOURCEFUNDS.set("1");
    window.Display(true);
    bench::settle();
}

// From OK until the trade is filed and the form has closed, by the clock.
void EnterTrade(benchmark::State& state) {
    Program program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        program.run([&](WindowManager& window) {
            enterBuy(window);
            const auto start = WallClock::now();
            window.OKCONTROL->click();
            bench::settle();
            state.SetIterationTime(std::chrono::duration<double>(WallClock::now() - start).count());
            if (!window.Closed()) state.SkipWithError("the trade was refused");
        });
    }
}

// One plain INSERT of the same row into the same table, with the driver's
// settings, in a transaction of its own.
void PlainTradeInsert(benchmark::State& state) {
    const FileDef& def = fileDef(FileId::Transactions);
    std::string names;
    std::string values;
    for (std::size_t f = 0; f < def.fields.size(); ++f) {
        names += (f ? ", \"" : "\"") + def.fields[f].name + "\"";
        values += (f ? ", ?" : "?") + std::to_string(f + 1);
    }
    const bench::PlainConnection plain(buildBook(static_cast<int>(state.range(0))));
    bench::PlainStatement insert(plain.db(), "INSERT INTO \"" + def.storedName + "\" (" + names +
                                                 ", \"_reserved\") VALUES (" + values + ", '')");
    sqlite3_stmt* s = insert.get();
    // Numbered after the trades on file, as the driver numbers them.
    sqlite3_int64 next = 0;
    sqlite3_exec(
        plain.db(), ("SELECT MAX(\"TransactionNumber\") FROM \"" + def.storedName + "\"").c_str(),
        [](void* out, int, char** row, char**) {
            *static_cast<sqlite3_int64*>(out) = row[0] ? std::stoll(row[0]) : 0;
            return 0;
        },
        &next, nullptr);
    auto bindText = [s](FieldRef field, const char* text) {
        sqlite3_bind_text(s, field.index() + 1, text, -1, SQLITE_STATIC);
    };
    for (auto _ : state) {
        for (std::size_t f = 0; f < def.fields.size(); ++f) {
            const int at = static_cast<int>(f) + 1;
            if (sqlite::storedAsInteger(def.fields[f]))
                sqlite3_bind_int64(s, at, 0);
            else
                sqlite3_bind_text(s, at, "", 0, SQLITE_STATIC);
        }
        sqlite3_bind_int64(s, TRN::TRANSACTIONNUMBER.index() + 1, ++next);
        sqlite3_bind_int64(s, TRN::REGISTRATIONNUMBER.index() + 1, kAccount);
        sqlite3_bind_int64(s, TRN::DATE.index() + 1, day(2026, 3, 10));
        bindText(TRN::SYMBOL, "ACME");
        bindText(TRN::BUYSELL, "Buy");
        bindText(TRN::QUANTITY, "100");
        bindText(TRN::PRICE, "20");
        bindText(TRN::TOTALAMOUNT, "2000");
        sqlite3_exec(plain.db(), "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_step(s);
        sqlite3_reset(s);
        sqlite3_exec(plain.db(), "COMMIT", nullptr, nullptr, nullptr);
    }
}

// Typing a quantity and leaving the entry: the engine's steps it costs
// (and its time).
void TypeIntoTheForm(benchmark::State& state) {
    countEverySteps();
    Program program(static_cast<int>(state.range(0)));
    std::uint64_t steps = 0;
    std::int64_t events = 0;
    program.run([&](WindowManager& window) {
        enterBuy(window);
        auto* quantity = qobject_cast<QLineEdit*>(window.Control(TRN::QUANTITY));
        QWidget* price = window.Control(TRN::PRICE);
        for (auto _ : state) {
            quantity->setFocus(Qt::TabFocusReason);
            quantity->setText(events % 2 ? "100" : "200");
            const std::uint64_t before = gSteps;
            price->setFocus(Qt::TabFocusReason);
            bench::settle();
            steps += gSteps - before;
            ++events;
        }
    });
    state.counters["steps/event"] =
        static_cast<double>(steps) / static_cast<double>(std::max<std::int64_t>(events, 1));
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}
// Every write waits for the disk: by the clock.
BENCHMARK(EnterTrade)->Apply(sizes)->UseManualTime();
BENCHMARK(PlainTradeInsert)->Apply(sizes)->UseRealTime();
BENCHMARK(TypeIntoTheForm)->Apply(sizes)->UseRealTime();

}  // namespace
