// The windows a report asks its parameters in: the range of dates, with its
// defaults by caller and its checks, the class variant, and the report
// month; each driven as a user would.
#include "reports/report_requests.h"

#include <gtest/gtest.h>
#include <QComboBox>

#include "dictionary/process_values.h"
#include "platform/date.h"
#include "platform/picture.h"
#include "ui/procedures.h"
#include "window_test.h"

namespace bb::test {
namespace {

constexpr char kRange[] = "Range of Dates for Report";
constexpr char kMonth[] = "Report Month";

class ReportRequestsTest : public WindowTest {
protected:
    ReportRequestsTest() {
        registerReportRequests(procedures());
        Clock::fix(today_);
    }
    ~ReportRequestsTest() override { Clock::release(); }

    const DayNumber today_ = *dayNumber(2026, 3, 5);
};

struct DefaultCase {
    const char* caller;
    DayNumber defaultStart;
    DayNumber defaultEnd;
    const char* start;
    const char* end;
};

TEST_F(ReportRequestsTest, TheRangeOpensOnTheDefaultsOfItsCaller) {
    const DayNumber may1 = *dayNumber(2026, 5, 1);
    const DayNumber may31 = *dayNumber(2026, 5, 31);
    const DefaultCase cases[] = {
        {"BrowseCommissionTransactions", kNoDate, kNoDate, "02/03/2026", "03/05/2026"},
        {"BrowseSuspenseDates", kNoDate, kNoDate, "03/05/2026", "04/04/2026"},
        {"BrowseSuspenseDates", may1, may31, "05/01/2026", "05/31/2026"},
        {"PrintClientHoldingRecord", may1, kNoDate, "05/01/2026", "03/05/2026"},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.caller);
        CTRL::DEFAULTSTARTDATE.set(c.defaultStart);
        CTRL::DEFAULTENDDATE.set(c.defaultEnd);
        // A name stored by another window never steers the defaults.
        processValues().CurrentProcedure.set("BrowseSuspenseDates");
        ui.when(kRange, [&](DrivenWindow& range) {
            EXPECT_EQ(range.shown("Enter Start and End Dates to Report"),
                      "Enter Start and End Dates to Report");
            EXPECT_EQ(range.shown("Start Date"), c.start);
            EXPECT_EQ(range.shown("End Date"), c.end);
            range.press("OK");
        });
        EXPECT_EQ(procedures().call("SelectDateRange", NoRequest, c.caller), ResponseCompleted);
        EXPECT_EQ(Picture::compile("@d2")->format(Value::number(processValues().StartDate)),
                  c.start);
        EXPECT_EQ(Picture::compile("@d2")->format(Value::number(processValues().EndDate)), c.end);
    }
}

TEST_F(ReportRequestsTest, TheRangeTakesTheDatesTypedAndRefusesAMissingOne) {
    struct Case {
        const char* field;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {"Start Date", "Starting Date Required", "     Enter the starting date for this report."},
        {"End Date", "Ending Date Required", "     Enter the ending date for this report."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        ui.messages.clear();
        ui.when(kRange, [&](DrivenWindow& range) {
            range.type(c.field, "");
            range.press("OK");
            ASSERT_EQ(ui.messages.shown.size(), 1U);
            EXPECT_EQ(ui.messages.last().title, c.title);
            EXPECT_EQ(ui.messages.last().text, c.text);
            EXPECT_EQ(range.focused(), c.field);
            range.screenshot("range of dates refused");
            range.type(c.field, "03/31/2026");
            range.press("OK");
        });
        EXPECT_EQ(procedures().call("SelectDateRange", NoRequest, "PrintRepTransactionLog"),
                  ResponseCompleted);
    }
    EXPECT_EQ(processValues().EndDate, *dayNumber(2026, 3, 31));
    ui.when(kRange, [](DrivenWindow& range) {
        range.type("Start Date", "01/01/2026");
        range.press("Cancel");
    });
    EXPECT_EQ(procedures().call("SelectDateRange", NoRequest, "PrintRepTransactionLog"),
              ResponseCancelled);
}

TEST_F(ReportRequestsTest, TheClassVariantChoosesTheClassAndSomeCallersOnlyTheClass) {
    for (const char* caller : {"PrintRepTransactionLog", "PrintRepAccounts"}) {
        SCOPED_TRACE(caller);
        const bool classOnly = std::string(caller) == "PrintRepAccounts";
        processValues().FeeCommChoice.set("F");
        ui.when(kRange, [&](DrivenWindow& range) {
            EXPECT_EQ(range.shown("Account Class"), "Commission");
            EXPECT_EQ(range.enabled("Start Date"), !classOnly);
            EXPECT_EQ(range.enabled("End Date"), !classOnly);
            EXPECT_TRUE(range.enabled("Account Class"));
            range.screenshot(classOnly ? "range of dates class only" : "range of dates and class");
            range.choose("Fee-Based");
            range.press("OK");
        });
        EXPECT_EQ(procedures().call("SelectDateRangeClass", NoRequest, caller), ResponseCompleted);
        EXPECT_EQ(processValues().FeeCommChoice.get(), "F");
        processValues().FeeCommChoice.set("C");
    }
}

TEST_F(ReportRequestsTest, TheMonthOpensOnThisMonthAndSetsTheMonthsNumberAndName) {
    ui.when(kMonth, [](DrivenWindow& window) {
        EXPECT_EQ(window.shown("Report Month"), "March");
        window.screenshot("report month");
        window.pick("Report Month", "December");
        window.press("OK");
    });
    EXPECT_EQ(procedures().call("SelectReportMonth"), ResponseCompleted);
    EXPECT_EQ(processValues().BirthMonthShort, 12);
    EXPECT_EQ(processValues().BirthdateMonth.get(), "December");

    ui.when(kMonth, [this](DrivenWindow& window) {
        static_cast<QComboBox*>(window.find("Report Month"))->setCurrentIndex(-1);
        window.press("OK");
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, "Month Required");
        EXPECT_EQ(ui.messages.last().text, "Enter the calendar month for this report.");
        EXPECT_EQ(window.focused(), "Report Month");
        window.press("Cancel");
    });
    EXPECT_EQ(procedures().call("SelectReportMonth"), ResponseCancelled);
    EXPECT_EQ(processValues().BirthMonthShort, 12);
}

}  // namespace
}  // namespace bb::test
