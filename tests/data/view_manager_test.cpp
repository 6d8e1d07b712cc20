// The view manager: filter texts built from ranges and named filters, ranges
// read as seeks, the acceptance hook, joins, error 40, and the same records
// whether the storage evaluates a filter or the view tests each record.
#include <random>

#include "data/view_manager.h"
#include "data_fixture.h"
#include "platform/date.h"
#include "platform/name_bindings.h"

namespace bb::test {
namespace {

class Views : public DataTest {
protected:
    // Opens the files through their managers, as a window does.
    void open(std::initializer_list<FileId> ids) {
        for (FileId id : ids) ASSERT_EQ(files(id).Open(), SeverityNone) << fileDef(id).label;
    }

    // Adds records straight through the driver, many in one transaction.
    template <typename Fill>
    void addMany(FileId id, int count, Fill fill) {
        ASSERT_TRUE(dataStorage().begin(2000).ok());
        for (int i = 0; i < count; ++i) {
            buffer(id).clear();
            fill(i);
            const DriverStatus s = files(id).Driver().add(buffer(id));
            if (!s.ok()) {
                dataStorage().rollback();
                FAIL() << fileDef(id).label << " " << s.code << " " << s.engineText;
            }
        }
        ASSERT_TRUE(dataStorage().commit().ok());
    }

    // Every record the view gives, as the primary file's positions.
    std::vector<std::string> readAll(ViewManager& view, bool forward = true) {
        std::vector<std::string> out;
        EXPECT_EQ(view.Reset(0), SeverityNone);
        while ((forward ? view.Next() : view.Previous()) == SeverityNone)
            out.push_back(view.VIEW->position());
        return out;
    }
};

// Counts the filters applied, to tell whether a range change rebuilt it.
class CountingView : public ViewManager {
public:
    Severity ApplyFilterText() override {
        ++applied;
        return ViewManager::ApplyFilterText();
    }
    int applied = 0;
};

TEST_F(Views, NamedFiltersKeepOneEntryPerIdTheHigherIdFirst) {
    open({FileId::Members});
    ViewManager view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(MBR::key::NAMEKEY);
    view.DefineFilter("MBR:Active=1");
    view.DefineFilter("MBR:Active=0");
    EXPECT_EQ(view.FilterText(), "(MBR:Active=0)");
    view.DefineFilter("MBR:SalesLevel='Gold'", "3 Class");
    view.DefineFilter("MBR:Rep_Num='101'", "9 Rep");
    EXPECT_EQ(view.FilterText(),
              "(MBR:Rep_Num='101') AND (MBR:Active=0) AND (MBR:SalesLevel='Gold')");
    view.DefineFilter("", "5 Standard");
    EXPECT_EQ(view.FilterText(), "(MBR:Rep_Num='101') AND (MBR:SalesLevel='Gold')");
    // Filters belong to their sort order.
    view.DefineSortOrder(MBR::key::COMPANYKEY);
    EXPECT_EQ(view.FilterText(), "");
    EXPECT_TRUE(view.ChooseSortOrder(1));
    EXPECT_FALSE(view.ChooseSortOrder(0));
    EXPECT_EQ(view.FilterText(), "(MBR:Rep_Num='101') AND (MBR:SalesLevel='Gold')");
    view.Teardown();
}

TEST_F(Views, RangesBecomeTheLeadingPartOfTheFilterText) {
    open({FileId::Members, FileId::Log, FileId::AccountRegistration});
    // A customer's notes: the two linking fields of the customer relation.
    ViewManager notes;
    notes.Setup({FileId::Log, {}}, relations(FileId::Log));
    notes.DefineSortOrder(LOG::key::MEMBERKEY);
    notes.DefineRange(LOG::key::MEMBERKEY, relations(FileId::Log), relations(FileId::Members));
    notes.DefineFilter("LOG:Suspend = 'S'");
    MBR::MEMBERNUMBER.set(5);
    MBR::REPRESENTATIVENUMBER.set(7);
    EXPECT_EQ(notes.FilterText(),
              "LOG:MemberNumber = 5 AND LOG:RepresentativeNumber = 7 AND (LOG:Suspend = 'S')");
    EXPECT_EQ(notes.Current().ORDER, "LOG:MemberNumber,LOG:RepresentativeNumber,-LOG:Date");
    EXPECT_EQ(notes.FreeElementPosition(), 3);
    EXPECT_EQ(notes.FreeElementName(), "LOG:Date");

    // A company's accounts: a no-case text through UPPER on both sides, its
    // quote doubled.
    ViewManager accounts;
    accounts.Setup({FileId::AccountRegistration, {}}, relations(FileId::AccountRegistration));
    accounts.DefineSortOrder(ACC::key::VENDORNUMBERKEY);
    std::string company = "O'Brien Securities";
    accounts.DefineRange(ACC::field::COMPANY, [&company] { return Value::text(company); });
    EXPECT_EQ(accounts.FilterText(), "UPPER(ACC:Company) = UPPER('O''Brien Securities')");
    EXPECT_EQ(accounts.FreeElementName(), "ACC:AccountShortName");

    // The customers named as the buffer's last name.
    ViewManager byName;
    byName.Setup({FileId::Members, {}}, relations(FileId::Members));
    byName.DefineSortOrder(MBR::key::NAMEKEY);
    byName.DefineRange(MBR::field::LASTNAME);
    MBR::LASTNAME.set("Smith");
    EXPECT_EQ(byName.FilterText(), "UPPER(MBR:LastName) = UPPER('Smith')");
    byName.DefineRange(MBR::field::FIRSTNAME);
    EXPECT_EQ(byName.FreeElementPosition(), 0);
    EXPECT_EQ(byName.FreeElementName(), "");
    for (ViewManager* v : {&notes, &accounts, &byName}) v->Teardown();
}

TEST_F(Views, AnUnchangedLimitDoesNotRebuildTheFilter) {
    open({FileId::AccountRegistration});
    CountingView view;
    view.Setup({FileId::AccountRegistration, {}}, relations(FileId::AccountRegistration));
    view.DefineSortOrder(ACC::key::VENDORNUMBERKEY);
    std::string company = "Acme";
    view.DefineRange(ACC::field::COMPANY, [&company] { return Value::text(company); });
    EXPECT_TRUE(view.ApplyRangeLimit());
    EXPECT_EQ(view.applied, 1);
    EXPECT_FALSE(view.ApplyRangeLimit());
    EXPECT_EQ(view.applied, 1);
    company = "Zenith";
    EXPECT_TRUE(view.ApplyRangeLimit());
    EXPECT_EQ(view.applied, 2);
    view.Teardown();
}

TEST_F(Views, ANewRecordUnderARelationRangeBelongsToTheParent) {
    open({FileId::Members, FileId::Log});
    ViewManager notes;
    notes.Setup({FileId::Log, {}}, relations(FileId::Log));
    notes.DefineSortOrder(LOG::key::MEMBERKEY);
    notes.DefineRange(LOG::key::MEMBERKEY, relations(FileId::Log), relations(FileId::Members));
    MBR::MEMBERNUMBER.set(42);
    MBR::REPRESENTATIVENUMBER.set(3);
    LOG::SUBJECT.set("left over");
    ASSERT_EQ(notes.PrimeNewRecord(), SeverityNone);
    EXPECT_EQ(LOG::MEMBERNUMBER.get(), 42);
    EXPECT_EQ(LOG::REPRESENTATIVENUMBER.get(), 3);
    EXPECT_EQ(LOG::SUBJECT.get(), "");
    EXPECT_EQ(LOG::LOGNUMBER.get(), 1);  // numbered and reserved
    EXPECT_EQ(LOG::DATE.get(), Clock::today());
    files(FileId::Log).CancelNumber();
    notes.Teardown();
}

// 200 customers with 50 notes each: one customer's notes are reached by
// seeking, never by walking the rest of the file.
TEST_F(Views, ARangeIsASeek) {
    open({FileId::Members, FileId::Log});
    addMany(FileId::Log, 10000, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::MEMBERNUMBER.set(i % 200 + 1);
        LOG::REPRESENTATIVENUMBER.set(1);
        LOG::DATE.set(80000 + i / 200);
    });
    ViewManager notes;
    notes.Setup({FileId::Log, {}}, relations(FileId::Log));
    notes.DefineSortOrder(LOG::key::MEMBERKEY);
    notes.DefineRange(LOG::key::MEMBERKEY, relations(FileId::Log), relations(FileId::Members));
    MBR::MEMBERNUMBER.set(137);
    MBR::REPRESENTATIVENUMBER.set(1);
    ASSERT_EQ(notes.Open(), SeverityNone);
    const std::uint64_t before = notes.VIEW->workDone();
    const auto forward = readAll(notes);
    const std::uint64_t ranged = notes.VIEW->workDone() - before;
    ASSERT_EQ(forward.size(), 50u);
    // Newest first, and each of them the customer's.
    std::int32_t lastDate = INT32_MAX;
    ASSERT_EQ(notes.Reset(0), SeverityNone);
    while (notes.Next() == SeverityNone) {
        EXPECT_EQ(LOG::MEMBERNUMBER.get(), 137);
        EXPECT_LE(LOG::DATE.get(), lastDate);
        lastDate = LOG::DATE.get();
    }
    std::vector<std::string> backward = readAll(notes, false);
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);

    // The whole file, for comparison: the range costs a small part of it.
    ViewManager all;
    all.Setup({FileId::Log, {}}, relations(FileId::Log));
    all.DefineSortOrder(LOG::key::MEMBERKEY);
    ASSERT_EQ(all.Open(), SeverityNone);
    EXPECT_EQ(readAll(all).size(), 10000u);
    EXPECT_LT(ranged * 20, all.VIEW->workDone())
        << "range " << ranged << ", whole " << all.VIEW->workDone();
    notes.Teardown();
    all.Teardown();
}

// One month of a representative's annual events among twelve: the month,
// a whole-number variable compared with the decimal month code, reaches the
// engine as a seek on the annual key, not a test of every event.
TEST_F(Views, AMonthFilterIsASeekOnTheAnnualKey) {
    open({FileId::Log});
    addMany(FileId::Log, 6000, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::REPRESENTATIVENUMBER.set(1);
        LOG::SUSPEND.set("A");
        ASSERT_TRUE(LOG::MONTHCODE.set(Decimal(i % 12 + 1)));
        ASSERT_TRUE(LOG::DAYOFMONTH.set(Decimal(i % 28 + 1)));
    });
    const BindingScope scope;
    std::int32_t month = 3;
    bindings().bindVariable("BirthMonthShort", &month);
    std::vector<std::uint64_t> work;
    for (const char* filter : {"LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort", ""}) {
        ViewManager events;
        events.Setup({FileId::Log, {}}, relations(FileId::Log));
        events.DefineSortOrder(LOG::key::ANNUAL_KEY);
        events.DefineRange(LOG::field::REPRESENTATIVENUMBER, [] { return Value::number(1); });
        events.DefineFilter(filter);
        ASSERT_EQ(events.Open(), SeverityNone);
        const std::uint64_t before = events.VIEW->workDone();
        EXPECT_EQ(readAll(events).size(), *filter ? 500U : 6000U) << filter;
        work.push_back(events.VIEW->workDone() - before);
        events.Teardown();
    }
    EXPECT_LT(work[0] * 6, work[1]) << "month " << work[0] << ", all " << work[1];
}

// A date filter along the date key, read both ways: each batch starts where
// the last one stopped, so the engine's work per row does not grow with the
// rows the filter took before it.
TEST_F(Views, AFilteredWalkNeverStepsAgainOverRowsItRead) {
    open({FileId::Transactions});
    constexpr int kPerDay = 50;
    addMany(FileId::Transactions, 80 * kPerDay, [](int i) {
        TRN::TRANSACTIONNUMBER.set(i + 1);
        TRN::DATE.set(80000 + i / kPerDay);
    });
    const BindingScope scope;
    std::int32_t startDate = 80010;
    std::int32_t endDate = 0;
    bindings().bindVariable("StartDate", &startDate);
    bindings().bindVariable("EndDate", &endDate);
    for (const bool forward : {true, false}) {
        SCOPED_TRACE(forward ? "forward" : "backward");
        std::vector<double> workPerRow;
        for (const int days : {10, 40}) {
            endDate = startDate + days - 1;
            ViewManager trades;
            trades.Setup({FileId::Transactions, {}}, relations(FileId::Transactions));
            trades.DefineSortOrder(TRN::key::DATEKEY);
            trades.DefineFilter("TRN:Date => StartDate AND TRN:Date =< EndDate");
            ASSERT_EQ(trades.Open(), SeverityNone);
            const std::uint64_t before = trades.VIEW->workDone();
            const std::size_t rows = readAll(trades, forward).size();
            ASSERT_EQ(rows, static_cast<std::size_t>(days * kPerDay));
            workPerRow.push_back(static_cast<double>(trades.VIEW->workDone() - before) /
                                 static_cast<double>(rows));
            trades.Teardown();
        }
        EXPECT_LE(workPerRow[1], workPerRow[0] * 1.5)
            << "per row: " << workPerRow[0] << " over 10 days, " << workPerRow[1] << " over 40";
    }
}

// The same along a key whose first component a range fixes and whose second
// the filter bounds (a representative's suspense dates): many notes share a
// day, and each batch seeks to the row it stopped at instead of walking the
// filter's whole range again.
TEST_F(Views, AFilteredWalkWithinARangeNeverStepsAgainOverRowsItRead) {
    open({FileId::Log});
    constexpr int kPerDay = 50;
    addMany(FileId::Log, 80 * kPerDay, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::REPRESENTATIVENUMBER.set(1 + i % 2);
        LOG::SUSPEND.set("S");
        LOG::DATE2.set(80000 + i / kPerDay);
        ASSERT_TRUE(LOG::DAYOFMONTH.set(Decimal(1)));
    });
    const BindingScope scope;
    std::int32_t startDate = 80010;
    std::int32_t endDate = 0;
    bindings().bindVariable("StartDate", &startDate);
    bindings().bindVariable("EndDate", &endDate);
    std::vector<double> workPerRow;
    for (const int days : {10, 40}) {
        endDate = startDate + days - 1;
        ViewManager notes;
        notes.Setup({FileId::Log, {}}, relations(FileId::Log));
        notes.DefineSortOrder(LOG::key::SUSPEND_KEY);
        notes.DefineRange(LOG::field::REPRESENTATIVENUMBER, [] { return Value::number(1); });
        notes.DefineFilter("LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate");
        ASSERT_EQ(notes.Open(), SeverityNone);
        const std::uint64_t before = notes.VIEW->workDone();
        const std::size_t rows = readAll(notes).size();
        ASSERT_EQ(rows, static_cast<std::size_t>(days * kPerDay / 2));
        workPerRow.push_back(static_cast<double>(notes.VIEW->workDone() - before) /
                             static_cast<double>(rows));
        notes.Teardown();
    }
    EXPECT_LE(workPerRow[1], workPerRow[0] * 1.5)
        << "per row: " << workPerRow[0] << " over 10 days, " << workPerRow[1] << " over 40";
}

// A range value counts as its key component would hold it, as a new record
// primed in the range holds it: a text that is a number finds that number,
// and a value the component cannot hold finds nothing.
TEST_F(Views, ARangeValueCountsAsTheComponentHoldsIt) {
    open({FileId::Log});
    addMany(FileId::Log, 6, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::MEMBERNUMBER.set(i % 2 + 1);
    });
    const std::pair<Value, std::size_t> cases[] = {{Value::number(2), 3},
                                                   {Value::text("2"), 3},
                                                   {Value::text("two"), 0},
                                                   {Value::number(7), 0}};
    for (const auto& [limit, found] : cases) {
        ViewManager notes;
        notes.Setup({FileId::Log, {}}, relations(FileId::Log));
        notes.DefineSortOrder(LOG::key::MEMBERKEY);
        notes.DefineRange(LOG::field::MEMBERNUMBER, [value = limit] { return value; });
        EXPECT_EQ(readAll(notes).size(), found) << limit.toText();
        notes.Teardown();
    }
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Views, AFilterThatWillNotCompileIsReportedAndTheViewRunsWithoutFilterAndRange) {
    open({FileId::Members, FileId::Log});
    addMany(FileId::Log, 6, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::MEMBERNUMBER.set(i % 2 + 1);
    });
    ViewManager notes;
    notes.Setup({FileId::Log, {}}, relations(FileId::Log));
    notes.DefineSortOrder(LOG::key::LOGNUMBERKEY);
    notes.DefineRange(LOG::key::MEMBERKEY, relations(FileId::Log), relations(FileId::Members));
    notes.DefineFilter("LOG:NoSuchField = 1");
    MBR::MEMBERNUMBER.set(1);
    EXPECT_EQ(notes.Open(), SeverityNone);
    ASSERT_EQ(titles(), std::vector<std::string>{"View Open Error"});
    EXPECT_EQ(messages_.last().text,
              "Error: (unknown name 'LOG:NoSuchField' at 60 (801)) attempting to open the current "
              "VIEW. Filter "
              "and Range Limits ignored.");
    EXPECT_EQ(readAll(notes).size(), 6u);
    notes.Teardown();
}

TEST_F(Views, AnOrderTextThatDoesNotReadIsReportedAndTheViewReadsInRecordOrder) {
    open({FileId::Members});
    // By name the customers would come last to first.
    addMany(FileId::Members, 3, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::LASTNAME.set(i == 0 ? "Young" : i == 1 ? "Miller" : "Adams");
    });
    ViewManager view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(MBR::key::NAMEKEY);
    view.AppendOrderText("MBR:NoSuchField");
    EXPECT_EQ(view.Open(), SeverityNone);
    ASSERT_EQ(titles(), std::vector<std::string>{"View Open Error"});
    EXPECT_EQ(messages_.last().text,
              "Error: ('MBR:NoSuchField' is not a field or key of the view (801)) attempting to "
              "open the current VIEW. Filter and Range Limits ignored.");
    std::vector<std::int32_t> numbers;
    ASSERT_EQ(view.Reset(), SeverityNone);
    while (view.Next() == SeverityNone) numbers.push_back(MBR::MEMBERNUMBER.get());
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{1, 2, 3}));
    view.Teardown();
}

TEST_F(Views, ResetPositionsAtTheBuffersLeadingValues) {
    open({FileId::Members});
    const char* names[] = {"Adams", "Baker", "Carter", "Carter", "Davis"};
    addMany(FileId::Members, 5, [&](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::LASTNAME.set(names[i]);
    });
    ViewManager view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(MBR::key::NAMEKEY);
    MBR::LASTNAME.set("carter");
    MBR::FIRSTNAME.set("");
    ASSERT_EQ(view.Reset(1), SeverityNone);
    ASSERT_EQ(view.Next(), SeverityNone);
    EXPECT_EQ(MBR::MEMBERNUMBER.get(), 3);
    MBR::LASTNAME.set("Bz");
    ASSERT_EQ(view.Reset(1), SeverityNone);
    ASSERT_EQ(view.Previous(), SeverityNone);
    EXPECT_EQ(MBR::LASTNAME.get(), "Baker");
    ASSERT_EQ(view.Reset(), SeverityNone);
    ASSERT_EQ(view.Next(), SeverityNone);
    EXPECT_EQ(MBR::LASTNAME.get(), "Adams");
    view.Teardown();
}

// A list whose tabs read along different keys: once the view is open, the
// order chosen is the one its reads follow.
TEST_F(Views, AnotherOrderChosenOnAnOpenViewIsTheOneItReads) {
    open({FileId::Members});
    const char* names[] = {"Carter", "Adams", "Baker"};
    addMany(FileId::Members, 3, [&](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::LASTNAME.set(names[i]);
    });
    ViewManager view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(MBR::key::MEMBERKEY);
    view.DefineSortOrder(MBR::key::NAMEKEY);
    ASSERT_TRUE(view.ChooseSortOrder(1));
    const auto lastNames = [&view] {
        std::vector<std::string> out;
        EXPECT_EQ(view.Reset(0), SeverityNone);
        while (view.Next() == SeverityNone) out.push_back(MBR::LASTNAME.get());
        return out;
    };
    EXPECT_EQ(lastNames(), (std::vector<std::string>{"Carter", "Adams", "Baker"}));
    ASSERT_TRUE(view.ChooseSortOrder(2));
    EXPECT_EQ(lastNames(), (std::vector<std::string>{"Adams", "Baker", "Carter"}));
    ASSERT_TRUE(view.ChooseSortOrder(1));
    EXPECT_EQ(lastNames(), (std::vector<std::string>{"Carter", "Adams", "Baker"}));
    view.Teardown();
}

// Takes even customer numbers, skips odd ones, and stops past 10.
class EvenUpToTen : public ViewManager {
public:
    int ValidateAllFields() override {
        if (MBR::MEMBERNUMBER.get() > 10) return 1;
        return MBR::MEMBERNUMBER.get() % 2 == 0 ? 0 : 2;
    }
};

// A walk along a blank-excluding key leaves out the records the key leaves
// out, as reading the key itself does.
TEST_F(Views, AnOrderAlongAKeySkipsWhatTheKeySkips) {
    open({FileId::Members});
    addMany(FileId::Members, 4, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        if (i != 1) MBR::COMPANYNAME.set("Company " + std::to_string(i));
    });
    ViewManager byCompany;
    byCompany.Setup({FileId::Members, {}}, relations(FileId::Members));
    byCompany.DefineSortOrder(MBR::key::COMPANYKEY);
    EXPECT_EQ(readAll(byCompany).size(), 3u);
    // The same field in a plain order is no walk along the key.
    byCompany.DefineOrder("MBR:CompanyName");
    byCompany.ApplyOrderText();
    EXPECT_EQ(readAll(byCompany).size(), 4u);
    byCompany.Teardown();
}

// An order along a longer key keeps the records that only a shorter key
// with the same first component would leave out.
TEST_F(Views, TheKeyWalkedIsTheLongestTheOrderFollows) {
    open({FileId::Log});
    addMany(FileId::Log, 3, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::REPRESENTATIVENUMBER.set(i == 0 ? 0 : 1);  // no representative, but a suspense date
        LOG::DATE2.set(80000 + i);
    });
    ViewManager suspense;
    suspense.Setup({FileId::Log, {}}, relations(FileId::Log));
    suspense.DefineSortOrder(LOG::key::SUSPEND_KEY);
    EXPECT_EQ(readAll(suspense).size(), 3u);
    suspense.Teardown();
}

// A name longer than the accounts' company field still finds its accounts:
// the range compares it as the narrower field holds it.
TEST_F(Views, ARangeFromAWiderFieldComparesAtTheComponentsWidth) {
    open({FileId::Vendors, FileId::AccountRegistration});
    const std::string name = "Acme Securities and Investment Services";  // 40 characters
    addMany(FileId::AccountRegistration, 2, [&](int i) {
        ACC::REGISTRATIONNUMBER.set(i + 1);
        ACC::COMPANY.set(name);
    });
    VEN::VENDORNAME.set(name);
    ViewManager accounts;
    accounts.Setup({FileId::AccountRegistration, {}}, relations(FileId::AccountRegistration));
    accounts.DefineSortOrder(ACC::key::VENDORNUMBERKEY);
    accounts.DefineRange(ACC::key::VENDORNUMBERKEY, relations(FileId::AccountRegistration),
                         relations(FileId::Vendors));
    EXPECT_EQ(accounts.FilterText(),
              "UPPER(ACC:Company) = UPPER('Acme Securities and Investment Ser')");
    EXPECT_EQ(readAll(accounts).size(), 2u);
    accounts.Teardown();
}

TEST_F(Views, AnOrderAppendedToNoneIsTheAppendedOne) {
    open({FileId::Members});
    addMany(FileId::Members, 3, [](int i) {
        MBR::MEMBERNUMBER.set(i + 1);
        MBR::COMPANYNAME.set(std::string(1, static_cast<char>('C' - i)));
    });
    ViewManager view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(-1);
    view.AppendOrderText("MBR:CompanyName");
    ASSERT_EQ(view.Open(), SeverityNone);
    std::vector<std::string> names;
    ASSERT_EQ(view.Reset(), SeverityNone);
    while (view.Next() == SeverityNone) names.push_back(MBR::COMPANYNAME.get());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(messages_.shown.empty());
    view.Teardown();
}

TEST_F(Views, EveryRecordPassesTheAcceptanceHook) {
    open({FileId::Members});
    addMany(FileId::Members, 20, [](int i) { MBR::MEMBERNUMBER.set(i + 1); });
    EvenUpToTen view;
    view.Setup({FileId::Members, {}}, relations(FileId::Members));
    view.DefineSortOrder(MBR::key::MEMBERKEY);
    std::vector<std::int32_t> taken;
    ASSERT_EQ(view.Reset(), SeverityNone);
    while (view.Next() == SeverityNone) taken.push_back(MBR::MEMBERNUMBER.get());
    EXPECT_EQ(taken, (std::vector<std::int32_t>{2, 4, 6, 8, 10}));
    view.Teardown();
}

TEST_F(Views, JoinedFilesAreReadWithEachRecord) {
    open({FileId::Log, FileId::Representatives, FileId::Members, FileId::AccountRegistration});
    addMany(FileId::Representatives, 2, [](int i) {
        REP::REPRESENTATIVENUMBER.set(i + 1);
        REP::REP_NAME.set(i == 0 ? "Ann Able" : "Bob Best");
    });
    addMany(FileId::Log, 3, [](int i) {
        LOG::LOGNUMBER.set(i + 1);
        LOG::REPRESENTATIVENUMBER.set(i == 2 ? 0 : i + 1);  // the last note has no representative
    });
    ViewManager notes;
    notes.Setup({FileId::Log, {{FileId::Representatives}}}, relations(FileId::Log));
    notes.DefineSortOrder(LOG::key::LOGNUMBERKEY);
    std::vector<std::string> names;
    ASSERT_EQ(notes.Reset(), SeverityNone);
    while (notes.Next() == SeverityNone) names.push_back(REP::REP_NAME.get());
    EXPECT_EQ(names, (std::vector<std::string>{"Ann Able", "Bob Best", ""}));

    // One customer with two accounts, one without: a row per account, and a
    // row with a blank account for the customer without.
    addMany(FileId::Members, 2, [](int i) { MBR::MEMBERNUMBER.set(i + 1); });
    addMany(FileId::AccountRegistration, 2, [](int i) {
        ACC::REGISTRATIONNUMBER.set(i + 1);
        ACC::MEMBERNUMBER.set(1);
    });
    ViewManager customers;
    customers.Setup({FileId::Members, {{FileId::AccountRegistration}}}, relations(FileId::Members));
    customers.DefineSortOrder(MBR::key::MEMBERKEY);
    std::vector<std::pair<int, int>> rows;
    ASSERT_EQ(customers.Reset(), SeverityNone);
    while (customers.Next() == SeverityNone)
        rows.emplace_back(MBR::MEMBERNUMBER.get(), ACC::REGISTRATIONNUMBER.get());
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{1, 1}, {1, 2}, {2, 0}}));
    // Backwards the same rows, and a position brings a row back.
    rows.clear();
    ASSERT_EQ(customers.Reset(), SeverityNone);
    while (customers.Previous() == SeverityNone)
        rows.emplace_back(MBR::MEMBERNUMBER.get(), ACC::REGISTRATIONNUMBER.get());
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{2, 0}, {1, 2}, {1, 1}}));
    ASSERT_EQ(customers.Reset(), SeverityNone);
    ASSERT_EQ(customers.Next(), SeverityNone);
    ASSERT_EQ(customers.Next(), SeverityNone);
    const std::string second = customers.Position();
    ASSERT_EQ(customers.ResetToPosition(second), SeverityNone);
    ASSERT_EQ(customers.Previous(), SeverityNone);
    EXPECT_EQ(ACC::REGISTRATIONNUMBER.get(), 2);
    ASSERT_EQ(customers.ResetToPosition(second), SeverityNone);
    ASSERT_EQ(customers.Next(), SeverityNone);
    EXPECT_EQ(ACC::REGISTRATIONNUMBER.get(), 2);
    notes.Teardown();
    customers.Teardown();
}

// Every filter text of the program, over one generated book: the storage
// evaluating the filter takes exactly the records the view takes when it
// tests each record itself.
class FilterPaths : public Views {
protected:
    void SetUp() override {
        open({FileId::Members, FileId::Commbrs, FileId::Log, FileId::Transactions,
              FileId::AccountRegistration, FileId::CheckSecurityReceipt,
              FileId::ChecksSecuritiesLog, FileId::Securities, FileId::Categories,
              FileId::Representatives});
        std::mt19937 random(1209);
        auto pick = [&random](std::initializer_list<const char*> choices) {
            return *(choices.begin() + random() % choices.size());
        };
        const std::int32_t base = *dayNumber(2026, 1, 1);
        auto day = [&] { return base + static_cast<std::int32_t>(random() % 120) - 30; };
        addMany(FileId::Members, 80, [&](int i) {
            MBR::MEMBERNUMBER.set(i + 1);
            MBR::ACTIVE.set(random() % 2);
            MBR::REP_NUM.set(pick({"101", "205", "300", ""}));
            MBR::SALESLEVEL.set(pick({"Gold", "gold", "Silver", ""}));
            MBR::COMPANYNAME.set(pick({"O'Brien", "Acme", "acme", ""}));
            MBR::LASTNAME.set(pick({"Smith", "smith", "Jones", ""}));
            MBR::LASTUPDATE.set(day());
        });
        addMany(FileId::Commbrs, 40, [&](int i) {
            CMBRS::MEMBERNUMBER.set(i * 2 + 1);
            CMBRS::COMMITTEE.set(pick({"Golf", "O'Brien Club", "golf"}));
        });
        addMany(FileId::Log, 300, [&](int i) {
            LOG::LOGNUMBER.set(i + 1);
            LOG::MEMBERNUMBER.set(static_cast<std::int32_t>(random() % 80) + 1);
            LOG::REPRESENTATIVENUMBER.set(static_cast<std::int32_t>(random() % 3));
            LOG::SUSPEND.set(pick({"S", "A", "R", "", "s"}));
            LOG::DATE2.set(day());
            (void)LOG::MONTHCODE.set(Decimal(static_cast<std::int64_t>(random() % 12) + 1));
        });
        addMany(FileId::Transactions, 400, [&](int i) {
            TRN::TRANSACTIONNUMBER.set(i + 1);
            TRN::BUYSELL.set(pick({"Buy", "Sell", "Depo", "With", "buy"}));
            TRN::ACCOUNTCLASS.set(pick({"C", "F", "c", ""}));
            TRN::DATE.set(day());
            TRN::COMMISSIONRECEIVED.set(pick({"0", "1", "", " "}));
        });
        addMany(FileId::AccountRegistration, 40, [&](int i) {
            ACC::REGISTRATIONNUMBER.set(i + 1);
            ACC::MEMBERNUMBER.set(static_cast<std::int32_t>(random() % 60) + 1);
            ACC::ACCOUNTCLASS.set(pick({"C", "F"}));
            ACC::LASTUPDATE.set(day());
            ACC::COMPANY.set(pick({"O'Brien Securities", "o'brien securities", "Acme"}));
        });
        addMany(FileId::CheckSecurityReceipt, 60, [&](int i) {
            CSR::CSRNUMBER.set(i + 1);
            CSR::ACCOUNTREGISTRATIONNUMBER.set(static_cast<std::int32_t>(random() % 45));
            CSR::ACCOUNTRECEIPTNUMBER.set(i + 1);
            CSR::DATE.set(day());
        });
        addMany(FileId::ChecksSecuritiesLog, 60, [&](int i) {
            CHE::CHECKSSECURITIESNUMBER.set(i + 1);
            CHE::CHECKSECURITYCHOICE.set(pick({"S", "C", "s"}));
        });
        addMany(FileId::Securities, 30, [&](int i) {
            SEC::SECURITYNUMBER.set(i + 1);
            SEC::CATEGORYNUMBER.set(static_cast<std::int32_t>(random() % 4) + 1);
            SEC::SECURITYNAME.set("Fund " + std::to_string(i % 7));
        });
        names_.pushScope();
        names_.bindVariable("StartDate", &startDate_);
        names_.bindVariable("EndDate", &endDate_);
        names_.bindVariable("FeeCommChoice", &feeCommChoice_);
        names_.bindVariable("BirthMonthShort", &birthMonthShort_);
        names_.bindVariable("BirthdateMonth", &birthdateMonth_);
        // Values of files the views do not read.
        names_.bindRecord(buffer(FileId::Categories));
        names_.bindRecord(buffer(FileId::Defaults));
        CAT::CATEGORYNUMBER.set(2);
        CTRL::DEFAULTOUTDATEDATE.set(base);
    }

    void TearDown() override { names_.popScope(); }

    std::vector<std::string> read(const ViewSpec& spec, int key, const std::string& filter,
                                  bool pushDown,
                                  const std::function<void(ViewManager&)>& range = {}) {
        ViewManager view;
        view.Setup(spec, relations(spec.primary));
        view.DefineSortOrder(key);
        if (range) range(view);
        view.DefineFilter(filter);
        EXPECT_EQ(view.Open(), SeverityNone);
        view.VIEW->setPushDown(pushDown);
        std::vector<std::string> rows = readAll(*&view);
        view.Teardown();
        return rows;
    }

    NameBindings& names_ = bindings();
    std::int32_t startDate_ = *dayNumber(2026, 1, 10);
    std::int32_t endDate_ = *dayNumber(2026, 2, 28);
    std::string feeCommChoice_ = "C";
    std::int32_t birthMonthShort_ = 7;
    std::string birthdateMonth_ = "July";
};

struct PathCase {
    ViewSpec spec;
    int key;
    const char* filter;
    bool takesSome = true;  // false for a filter that can take nothing
};

TEST_F(FilterPaths, TheStorageAndTheViewTakeTheSameRecords) {
    const ViewSpec members{FileId::Members, {}};
    const ViewSpec membersInGroups{FileId::Members, {{FileId::Commbrs}}};
    const ViewSpec membersWithAccounts{FileId::Members, {{FileId::AccountRegistration}}};
    const ViewSpec notes{FileId::Log, {}};
    const ViewSpec trades{FileId::Transactions, {}};
    const ViewSpec receipts{FileId::CheckSecurityReceipt, {{FileId::AccountRegistration}}};
    const PathCase cases[] = {
        {members, MBR::key::NAMEKEY, "MBR:Active=1"},
        {members, MBR::key::NAMEKEY, "(MBR:Active=0)"},
        {membersInGroups, MBR::key::MEMBERKEY,
         "MBR:Active=1 AND (MBR:Rep_Num='101' OR MBR:Rep_Num='205') AND (CMBRS:Committee='Golf')"},
        {membersInGroups, MBR::key::MEMBERKEY,
         "(CMBRS:Committee='O''Brien Club' OR CMBRS:Committee='golf')"},
        {members, MBR::key::COMPANYKEY, "(MBR:SalesLevel='Gold')"},
        {members, MBR::key::COMPANYKEY, "UPPER(MBR:SalesLevel) = UPPER('gold')"},
        {members, MBR::key::COMPANYKEY, "UPPER(MBR:CompanyName) = UPPER('O''Brien')"},
        {members, MBR::key::NAMEKEY, "UPPER(MBR:LastName) = 'SMITH'"},
        // An upper-cased name never equals a mixed-case text.
        {members, MBR::key::NAMEKEY, "UPPER(MBR:LastName) = 'Smith'", false},
        {membersWithAccounts, MBR::key::COMPANYKEY,
         "(MBR:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0) OR "
         "(ACC:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0)"},
        {notes, LOG::key::SUSPEND_KEY,
         "(LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate)"},
        {notes, LOG::key::ANNUAL_KEY, "LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort"},
        {trades, TRN::key::DATEKEY,
         "((TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND TRN:Date => StartDate AND TRN:Date =< "
         "EndDate AND "
         "TRN:AccountClass = 'C')"},
        {trades, TRN::key::DATEKEY,
         "((TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND TRN:Date => StartDate AND TRN:Date =< "
         "EndDate AND "
         "TRN:AccountClass = 'C' AND TRN:CommissionReceived = 0)"},
        {trades, TRN::key::REPRESENTATIVENUMBERKEY,
         "(TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND ~TRN:CommissionReceived AND "
         "TRN:AccountClass = 'C' "
         "AND TRN:Date => StartDate AND TRN:Date =< EndDate"},
        {trades, TRN::key::REPRESENTATIVENUMBERKEY,
         "TRN:AccountClass = FeeCommChoice  AND TRN:Date => StartDate AND TRN:Date =< EndDate"},
        {trades, TRN::key::DATEKEY, "TRN:Date => StartDate AND TRN:Date =< EndDate"},
        {trades, TRN::key::DATEKEY, "TRN:CommissionReceived"},
        {{FileId::ChecksSecuritiesLog, {}},
         CHE::key::CSRNUMBERKEY,
         "CHE:CheckSecurityChoice = 'S'"},
        {receipts, CSR::key::REPRESENTATIVENUMBERKEY,
         "ACC:AccountClass = FeeCommChoice AND CSR:Date => StartDate AND CSR:Date =< EndDate"},
        {{FileId::Securities, {}},
         SEC::key::SECURITYNAMEKEY,
         "(SEC:CategoryNumber = CAT:CategoryNumber)"},
        {{FileId::AccountRegistration, {}},
         ACC::key::VENDORNUMBERKEY,
         "ACC:AccountClass = FeeCommChoice"},
        {{FileId::AccountRegistration, {}},
         ACC::key::VENDORNUMBERKEY,
         "UPPER(ACC:Company) = UPPER('O''Brien Securities')"},
    };
    for (const PathCase& c : cases) {
        const auto pushed = read(c.spec, c.key, c.filter, true);
        const auto tested = read(c.spec, c.key, c.filter, false);
        EXPECT_EQ(pushed, tested) << c.filter;
        const auto everything = read(c.spec, c.key, "", true);
        // The book makes every filter take some records and leave others.
        EXPECT_EQ(!tested.empty(), c.takesSome) << c.filter;
        EXPECT_LT(tested.size(), everything.size()) << c.filter;
    }
    EXPECT_TRUE(messages_.shown.empty());
}

// A filter the engine cannot take as written (more conditions than its
// parser nests, a text holding a NUL) still takes exactly its records.
TEST_F(FilterPaths, FiltersTheEngineCannotTakeAreTestedRowByRow) {
    std::string many = "TRN:BuySell = 'Buy'";
    for (int i = 0; i < 1500; ++i) many += " AND TRN:Date <> " + std::to_string(i);
    const ViewSpec trades{FileId::Transactions, {}};
    EXPECT_EQ(read(trades, TRN::key::DATEKEY, many, true),
              read(trades, TRN::key::DATEKEY, many, false));
    EXPECT_FALSE(read(trades, TRN::key::DATEKEY, many, true).empty());
    const std::string withNul = std::string("TRN:BuySell <> 'Bu") + '\0' + "y'";
    EXPECT_EQ(read(trades, TRN::key::DATEKEY, withNul, true),
              read(trades, TRN::key::DATEKEY, withNul, false));
    EXPECT_EQ(read(trades, TRN::key::DATEKEY, withNul, true).size(),
              read(trades, TRN::key::DATEKEY, "", true).size());
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(FilterPaths, RangesAgreeToo) {
    const auto byCompany = [](ViewManager& view) {
        view.DefineRange(ACC::field::COMPANY, [] { return Value::text("O'Brien Securities"); });
    };
    const ViewSpec accounts{FileId::AccountRegistration, {}};
    EXPECT_EQ(
        read(accounts, ACC::key::VENDORNUMBERKEY, "ACC:AccountClass = 'C'", true, byCompany),
        read(accounts, ACC::key::VENDORNUMBERKEY, "ACC:AccountClass = 'C'", false, byCompany));
    EXPECT_FALSE(read(accounts, ACC::key::VENDORNUMBERKEY, "", true, byCompany).empty());
}

}  // namespace
}  // namespace bb::test
