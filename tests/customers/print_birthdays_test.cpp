// The birthday list of a month, from the Report Month window to its PDF:
// the month's first and last days are in it and its neighbours' are not,
// in day and name order with each day's ordinal, inactive customers told
// apart; a month without birthdays prints nothing.
#include <gtest/gtest.h>

#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

class PrintBirthdaysTest : public PrintoutFixture {
protected:
    void chooseMonth(const std::string& month) {
        ui.when("Report Month", [month](DrivenWindow& form) {
            form.pick("Report Month", month);
            form.press("OK");
        });
    }
};

TEST_F(PrintBirthdaysTest, AMonthListsItsFirstAndLastDaysInDayAndNameOrder) {
    const struct {
        const char* last;
        int month;
        int day;
        bool active;
    } book[] = {
        {"Janend", 1, 31, true},   {"Febfirst", 2, 1, true},  {"Leapday", 2, 29, false},
        {"Marfirst", 3, 1, true},  {"Decfirst", 12, 1, true}, {"Twelfth", 12, 12, true},
        {"Bdouble", 12, 22, true}, {"Adouble", 12, 22, true}, {"Decend", 12, 31, true},
        {"Janfirst", 1, 1, true},
    };
    for (const auto& c : book)
        add({.last = c.last, .active = c.active, .birthMonth = c.month, .birthDay = c.day});
    const struct {
        const char* month;
        std::vector<std::string> lines;  // in order
        std::vector<std::string> absent;
    } cases[] = {
        {"February",
         {"February", "Febfirst", "February 1st", "Leapday", "February 29th", "Inactive / Retail"},
         {"Janend", "Marfirst"}},
        {"December",
         {"December", "Decfirst", "December 1st", "Twelfth", "December 12th", "Adouble",
          "December 22nd", "Bdouble", "Decend", "December 31st", "12/31/1972"},
         {"Janfirst", "Janend", "Marfirst"}},
    };
    for (const auto& c : cases) {
        chooseMonth(c.month);
        const std::string text = textOf(printToPdf(std::string("birthdays ") + c.month,
                                                   [] { procedures().call("PrintBirthdays"); }));
        ASSERT_FALSE(text.empty()) << c.month;
        EXPECT_NE(at(text, "Customer Birthdays"), std::string::npos);
        EXPECT_NE(at(text, "Status/Classification"), std::string::npos);
        std::size_t last = 0;
        for (const std::string& line : c.lines) {
            const std::size_t found = text.find(line, last);
            ASSERT_NE(found, std::string::npos) << c.month << ": " << line << " in\n" << text;
            last = found;
        }
        for (const std::string& name : c.absent)
            EXPECT_EQ(at(text, name), std::string::npos) << c.month << ": " << name;
    }
}

TEST_F(PrintBirthdaysTest, AMonthWithoutBirthdaysPrintsNothingAndACancelledMonthNothingAtAll) {
    add({.last = "Marchborn", .birthMonth = 3, .birthDay = 15});
    chooseMonth("July");
    procedures().call("PrintBirthdays");
    ui.settle();
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "No Records");

    ui.messages.clear();
    ui.when("Report Month", [](DrivenWindow& form) { form.press("Cancel"); });
    procedures().call("PrintBirthdays");
    ui.settle();
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

}  // namespace
}  // namespace bb::test
