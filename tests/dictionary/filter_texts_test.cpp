// Every filter text the program's windows and reports use, compiled against
// the real record buffers and the report variables, each tried on records
// that must pass it and records that must fail it.
#include <gtest/gtest.h>

#include <functional>

#include "dictionary/files.h"
#include "platform/date.h"
#include "platform/filter.h"

namespace bb {
namespace {

class FilterTexts : public ::testing::Test {
protected:
    void SetUp() override {
        for (FileId id : dictionaryOrder()) {
            buffer(id).clear();
            names_.bindRecord(buffer(id));
        }
        names_.bindVariable("StartDate", &startDate_);
        names_.bindVariable("EndDate", &endDate_);
        names_.bindVariable("FeeCommChoice", &feeCommChoice_);
        names_.bindVariable("BirthMonthShort", &birthMonthShort_);
        names_.bindVariable("BirthdateMonth", &birthdateMonth_);
    }

    bool passes(const char* text) {
        auto compiled = Filter::compile(text, names_);
        if (auto* error = std::get_if<FilterError>(&compiled)) {
            ADD_FAILURE() << text << ": " << error->message;
            return false;
        }
        return std::get<Filter>(compiled).matches();
    }

    static std::int32_t day(int y, int m, int d) { return *dayNumber(y, m, d); }

    NameBindings names_;
    std::int32_t startDate_ = day(2026, 1, 1);
    std::int32_t endDate_ = day(2026, 3, 31);
    std::string feeCommChoice_ = "C";
    std::int32_t birthMonthShort_ = 7;
    std::string birthdateMonth_ = "July";
};

struct Trial {
    const char* filter;
    std::function<void()> record;
    bool passes;
};

void trade(const char* type, const char* accountClass, std::int32_t date, const char* received) {
    TRN::BUYSELL.set(type);
    TRN::ACCOUNTCLASS.set(accountClass);
    TRN::DATE.set(date);
    TRN::COMMISSIONRECEIVED.set(received);
}

TEST_F(FilterTexts, EachPassesAndFailsTheRightRecords) {
    const std::int32_t inRange = day(2026, 2, 14);
    const std::int32_t before = day(2025, 12, 31);
    const std::int32_t after = day(2026, 4, 1);
    const char* tradesInRange =
        "((TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND TRN:Date => StartDate AND "
        "TRN:Date =< EndDate AND TRN:AccountClass = 'C')";
    const char* dueInRange =
        "((TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND TRN:Date => StartDate AND "
        "TRN:Date =< EndDate AND TRN:AccountClass = 'C' AND TRN:CommissionReceived = 0)";
    const char* allCommissions =
        "(TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND TRN:AccountClass = 'C' AND "
        "TRN:Date => StartDate AND TRN:Date =< EndDate";
    const char* commissionsDue =
        "(TRN:BuySell = 'Buy' OR TRN:BuySell = 'Sell') AND ~TRN:CommissionReceived AND "
        "TRN:AccountClass = 'C' AND TRN:Date => StartDate AND TRN:Date =< EndDate";
    const char* outdated =
        "(MBR:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0) OR "
        "(ACC:LastUpdate =< CTRL:DefaultOutdateDate AND ACC:RegistrationNumber <> 0)";
    const char* selection =
        "MBR:Active=1 AND (MBR:Rep_Num='101' OR MBR:Rep_Num='205') AND (CMBRS:Committee='Golf')";

    const Trial trials[] = {
        {"MBR:Active=1", [] { MBR::ACTIVE.set(1); }, true},
        {"MBR:Active=1", [] { MBR::ACTIVE.set(0); }, false},
        {"(MBR:Active=1)", [] { MBR::ACTIVE.set(1); }, true},
        {"(MBR:Active=0)", [] { MBR::ACTIVE.set(0); }, true},
        {"(MBR:Active=0)", [] { MBR::ACTIVE.set(1); }, false},

        {"(LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate)",
         [=] {
             LOG::SUSPEND.set("S");
             LOG::DATE2.set(inRange);
         },
         true},
        {"(LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate)",
         [=] {
             LOG::SUSPEND.set("S");
             LOG::DATE2.set(after);
         },
         false},
        {"LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate",
         [=] {
             LOG::SUSPEND.set("R");
             LOG::DATE2.set(inRange);
         },
         false},
        {"LOG:Suspend = 'S' AND LOG:Date2 => StartDate AND LOG:Date2 =< EndDate",
         [this] {
             LOG::SUSPEND.set("S");
             LOG::DATE2.set(startDate_);
         },
         true},
        {"(LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort)",
         [] {
             LOG::SUSPEND.set("A");
             (void)LOG::MONTHCODE.set(Decimal(7));
         },
         true},
        {"LOG:Suspend = 'A' AND LOG:MonthCode = BirthMonthShort",
         [] {
             LOG::SUSPEND.set("A");
             (void)LOG::MONTHCODE.set(Decimal(8));
         },
         false},

        {tradesInRange, [=] { trade("Buy", "C", inRange, "0"); }, true},
        {tradesInRange, [this] { trade("Sell", "C", endDate_, "1"); }, true},
        {tradesInRange, [=] { trade("Depo", "C", inRange, "0"); }, false},
        {tradesInRange, [=] { trade("Buy", "F", inRange, "0"); }, false},
        {tradesInRange, [=] { trade("Buy", "C", before, "0"); }, false},
        {dueInRange, [=] { trade("Buy", "C", inRange, "0"); }, true},
        {dueInRange, [=] { trade("Buy", "C", inRange, ""); }, true},
        {dueInRange, [=] { trade("Buy", "C", inRange, "1"); }, false},
        {allCommissions, [=] { trade("Sell", "C", inRange, "1"); }, true},
        {allCommissions, [=] { trade("With", "C", inRange, "1"); }, false},
        {commissionsDue, [=] { trade("Sell", "C", inRange, "0"); }, true},
        {commissionsDue, [=] { trade("Sell", "C", inRange, ""); }, true},
        {commissionsDue, [=] { trade("Sell", "C", inRange, "1"); }, false},
        {commissionsDue, [=] { trade("Sell", "C", after, "0"); }, false},

        {"CHE:CheckSecurityChoice = 'S'", [] { CHE::CHECKSECURITYCHOICE.set("S"); }, true},
        {"CHE:CheckSecurityChoice = 'S'", [] { CHE::CHECKSECURITYCHOICE.set("C"); }, false},
        {"ACC:AccountClass = FeeCommChoice AND CSR:Date => StartDate AND CSR:Date =< EndDate",
         [=] {
             ACC::ACCOUNTCLASS.set("C");
             CSR::DATE.set(inRange);
         },
         true},
        {"ACC:AccountClass = FeeCommChoice AND CSR:Date => StartDate AND CSR:Date =< EndDate",
         [=] {
             ACC::ACCOUNTCLASS.set("F");
             CSR::DATE.set(inRange);
         },
         false},
        {"(SEC:CategoryNumber = CAT:CategoryNumber)",
         [] {
             SEC::CATEGORYNUMBER.set(4);
             CAT::CATEGORYNUMBER.set(4);
         },
         true},
        {"(SEC:CategoryNumber = CAT:CategoryNumber)",
         [] {
             SEC::CATEGORYNUMBER.set(4);
             CAT::CATEGORYNUMBER.set(5);
         },
         false},
        {"TRN:AccountClass = FeeCommChoice AND TRN:Date => StartDate AND TRN:Date =< EndDate",
         [=] { trade("Buy", "C", inRange, ""); }, true},
        {"TRN:AccountClass = FeeCommChoice  AND TRN:Date => StartDate AND TRN:Date =< EndDate",
         [=] { trade("Buy", "F", inRange, ""); }, false},
        {"TRN:Date => StartDate AND TRN:Date =< EndDate", [=] { TRN::DATE.set(inRange); }, true},
        {"TRN:Date => StartDate AND TRN:Date =< EndDate", [=] { TRN::DATE.set(before); }, false},
        {"ACC:AccountClass = FeeCommChoice", [] { ACC::ACCOUNTCLASS.set("C"); }, true},

        {outdated,
         [=] {
             CTRL::DEFAULTOUTDATEDATE.set(before);
             MBR::LASTUPDATE.set(day(2020, 1, 1));
             ACC::LASTUPDATE.set(after);
             ACC::REGISTRATIONNUMBER.set(12);
         },
         true},
        {outdated,
         [=] {
             CTRL::DEFAULTOUTDATEDATE.set(before);
             MBR::LASTUPDATE.set(after);
             ACC::LASTUPDATE.set(day(2020, 1, 1));
             ACC::REGISTRATIONNUMBER.set(12);
         },
         true},
        {outdated,
         [=] {
             CTRL::DEFAULTOUTDATEDATE.set(before);
             MBR::LASTUPDATE.set(day(2020, 1, 1));
             ACC::LASTUPDATE.set(0);
             ACC::REGISTRATIONNUMBER.set(0);
         },
         false},
        {outdated,
         [=] {
             CTRL::DEFAULTOUTDATEDATE.set(before);
             MBR::LASTUPDATE.set(after);
             ACC::LASTUPDATE.set(after);
             ACC::REGISTRATIONNUMBER.set(12);
         },
         false},

        {selection,
         [] {
             MBR::ACTIVE.set(1);
             MBR::REP_NUM.set("205");
             CMBRS::COMMITTEE.set("Golf");
         },
         true},
        {selection,
         [] {
             MBR::ACTIVE.set(1);
             MBR::REP_NUM.set("300");
             CMBRS::COMMITTEE.set("Golf");
         },
         false},
        {selection,
         [] {
             MBR::ACTIVE.set(0);
             MBR::REP_NUM.set("101");
             CMBRS::COMMITTEE.set("Golf");
         },
         false},
        {"(CMBRS:Committee='O''Brien Club' OR CMBRS:Committee='Golf')",
         [] { CMBRS::COMMITTEE.set("O'Brien Club"); }, true},
        {"(MBR:SalesLevel='Gold')", [] { MBR::SALESLEVEL.set("Gold"); }, true},

        // As views write their ranges: number components plain, no-case
        // strings through UPPER on both sides.
        {"LOG:MemberNumber = 5 AND LOG:RepresentativeNumber = 7 AND (LOG:Suspend = 'S')",
         [] {
             LOG::MEMBERNUMBER.set(5);
             LOG::REPRESENTATIVENUMBER.set(7);
             LOG::SUSPEND.set("S");
         },
         true},
        {"LOG:MemberNumber = 5 AND LOG:RepresentativeNumber = 7 AND (LOG:Suspend = 'S')",
         [] {
             LOG::MEMBERNUMBER.set(5);
             LOG::REPRESENTATIVENUMBER.set(8);
             LOG::SUSPEND.set("S");
         },
         false},
        {"UPPER(ACC:Company) = UPPER('O''Brien Securities')",
         [] { ACC::COMPANY.set("o'brien SECURITIES"); }, true},
        {"UPPER(MBR:SalesLevel) = UPPER('gold')", [] { MBR::SALESLEVEL.set("Silver"); }, false},
    };
    for (const Trial& t : trials) {
        for (FileId id : dictionaryOrder()) buffer(id).clear();
        t.record();
        EXPECT_EQ(passes(t.filter), t.passes) << t.filter;
    }
}

}  // namespace
}  // namespace bb
