// The outdated accounts report read back from its PDF: a customer is
// listed with the accounts that make it outdated, whether its own data or
// an account's is old; a customer without accounts never is.
#include <gtest/gtest.h>

#include <regex>

#include "data/file_manager.h"
#include "platform/date.h"
#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

class PrintOutdatedObjectivesTest : public PrintoutFixture {
protected:
    void addAccount(int member, const std::string& number, DayNumber updated,
                    const std::string& accountClass) {
        FileManager& accounts = *fileManagerFor(FileId::AccountRegistration);
        ASSERT_EQ(accounts.PrimeNewRecord(), SeverityNone);
        ACC::MEMBERNUMBER.set(member);
        ACC::REPRESENTATIVENUMBER.set(bob_);
        ACC::ACCOUNTNUMBER.set(number);
        ACC::ACCOUNTSHORTNAME.set("Short " + number);
        ACC::ACCOUNTCLASS.set(accountClass);
        ACC::ACCOUNTTYPE.set("Joint");
        ACC::INVESTMENTOBJECTIVES.set("Growth");
        ACC::RISKTOLERANCE.set("M");
        ACC::LASTUPDATE.set(updated);
        ASSERT_EQ(accounts.Insert(), SeverityNone);
    }
};

TEST_F(PrintOutdatedObjectivesTest, ACustomerIsListedWithTheAccountsOlderThanTheCutOff) {
    const DayNumber cutOff = *dayNumber(2023, 3, 6);
    const DayNumber old = *dayNumber(2020, 1, 2);
    const DayNumber recent = *dayNumber(2026, 1, 2);
    CTRL::DEFAULTOUTDATEDATE.set(cutOff);
    CTRL::DEFAULTOUTDATEPERIOD.set("2");
    const int oldSelf = add({.last = "Oldself", .lastUpdate = old});
    add({.last = "Noaccounts", .lastUpdate = old});
    const int oldAccount = add({.last = "Oldaccount", .lastUpdate = recent});
    const int current = add({.last = "Current", .lastUpdate = recent});
    const int onCutOff = add({.last = "Oncutoff", .lastUpdate = cutOff});
    addAccount(oldSelf, "A-SELF", recent, "C");
    addAccount(oldAccount, "A-OLD", old, "F");
    addAccount(oldAccount, "A-NEW", recent, "C");
    addAccount(current, "A-CURRENT", recent, "C");
    addAccount(onCutOff, "A-CUTOFF", recent, "C");

    const std::string text = textOf(
        printToPdf("outdated accounts", [] { procedures().call("PrintOutdatedObjectives"); }));
    ASSERT_FALSE(text.empty());
    EXPECT_NE(at(text, "Outdated Accounts Report"), std::string::npos);
    EXPECT_NE(at(text, "Representative/Dates"), std::string::npos);
    EXPECT_NE(at(text, "Notification Age: 2 Years"), std::string::npos);
    // In company-name order ("Pat Oldaccount" before "Pat Oldself").
    const struct {
        const char* text;
        bool listed;
    } cases[] = {
        {"Pat Oldaccount", true}, {"A-OLD", true},       {"Fee-Based", true},
        {"Pat Oldself", true},    {"A-SELF", true},      {"Pat Oncutoff", true},
        {"A-CUTOFF", true},       {"Noaccounts", false}, {"Current", false},
        {"A-NEW", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(text, c.text) != std::string::npos, c.listed) << c.text;
    EXPECT_LT(at(text, "Pat Oldaccount"), at(text, "Pat Oldself"));
    EXPECT_LT(at(text, "Pat Oldself"), at(text, "Pat Oncutoff"));
    EXPECT_NE(at(text, "Commission"), std::string::npos);
    EXPECT_TRUE(std::regex_search(text, std::regex("Net Worth: +\\$250,000")));
    EXPECT_TRUE(std::regex_search(text, std::regex("Income: +\\$85,000")));
    EXPECT_TRUE(std::regex_search(text, std::regex("Employer: +Acme Tools")));
    // The account's own representative beside its details.
    EXPECT_TRUE(std::regex_search(text, std::regex("Representative: +202 +Bob Brown")));
}

}  // namespace
}  // namespace bb::test
