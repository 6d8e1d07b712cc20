// The customer directory, driven from Select N Sort to its PDF: each
// selected customer once with its phones, in the stored order; customers
// chosen by any of their group memberships; and a selection the view
// refuses printing nothing.
#include <gtest/gtest.h>

#include <regex>

#include "data/file_manager.h"
#include "printout_fixture.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

class PrintCustomerDirectoryTest : public PrintoutFixture {
protected:
    std::string printDirectory(const std::string& name) {
        printSelection();
        return textOf(printToPdf(name, [] { procedures().call("PrintCustomerDirectory"); }));
    }
};

TEST_F(PrintCustomerDirectoryTest, EachCustomerPrintsItsBlockAndPhonesInZipOrder) {
    const int adams = add({.last = "Adams", .first = "John", .middle = "Q", .zip = "90001"});
    add({.last = "Baker Tools", .zip = "10001", .company = true});
    add({.last = "Clark", .zip = "20001", .active = false});
    add({.last = "Dunn", .zip = "30001"});
    addPhone(adams, "Office", "5125551212");
    addPhone(adams, "Home", "5125550000");
    select("MBR:Active=1", "MBR:ZIPCode");

    const std::string text = printDirectory("customer directory");
    ASSERT_FALSE(text.empty());
    EXPECT_NE(at(text, "Customer Directory"), std::string::npos);
    EXPECT_NE(at(text, "Name/Address/Phone"), std::string::npos);
    EXPECT_NE(at(text, "Status/Class/Representative"), std::string::npos);
    EXPECT_NE(at(text, "Page 1"), std::string::npos);
    EXPECT_NE(at(text, "March 5, 2026"), std::string::npos);
    // ZIP order; the inactive customer is left out.
    const std::size_t baker = at(text, "Baker Tools");
    const std::size_t dunn = at(text, "Pat Dunn");
    const std::size_t john = at(text, "John Q. Adams");
    ASSERT_NE(baker, std::string::npos) << text;
    ASSERT_NE(dunn, std::string::npos) << text;
    ASSERT_NE(john, std::string::npos) << text;
    EXPECT_LT(baker, dunn);
    EXPECT_LT(dunn, john);
    EXPECT_EQ(at(text, "Clark"), std::string::npos);
    EXPECT_TRUE(std::regex_search(text, std::regex("Office +\\(512\\) 555-1212")));
    EXPECT_TRUE(std::regex_search(text, std::regex("Home +\\(512\\) 555-0000")));
    EXPECT_TRUE(std::regex_search(text, std::regex("Active / Retail")));
    EXPECT_TRUE(std::regex_search(text, std::regex("101 +Ann Adams")));
    EXPECT_NE(at(text, "1 Main Street"), std::string::npos);
    EXPECT_NE(at(text, "Austin, TX"), std::string::npos);
}

// A customer is selected when any membership is in a marked group, and is
// printed once however many of them are.
TEST_F(PrintCustomerDirectoryTest, AGroupSelectionTakesEveryMembershipAndPrintsEachCustomerOnce) {
    const struct {
        const char* last;
        std::vector<std::string> groups;
        int printed;
    } cases[] = {
        {"Twogroups", {"Golf", "Chess"}, 1},
        {"Mixed", {"Yacht", "Golf"}, 1},
        {"Onlyyacht", {"Yacht"}, 0},
        {"Nogroup", {}, 0},
    };
    for (const auto& c : cases) {
        const int number = add({.last = c.last});
        for (const std::string& group : c.groups) addMembership(number, group);
    }
    select("(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf')", "MBR:CompanyName",
           "(CMBRS:Committee='Chess' OR CMBRS:Committee='Golf'");

    const std::string text = printDirectory("directory of groups");
    ASSERT_FALSE(text.empty());
    for (const auto& c : cases) EXPECT_EQ(occurrences(text, c.last), c.printed) << c.last;
}

TEST_F(PrintCustomerDirectoryTest, TheStoredOrderMayNameAFieldOrAKeyAndFallsBackToTheName) {
    add({.last = "Young", .zip = "10001"});
    add({.last = "Zeta Corp", .zip = "30001", .company = true});
    add({.last = "Abbot", .zip = "20001"});
    // Individuals' company names read "Pat Abbot": the name order is theirs.
    const struct {
        const char* order;
        std::vector<std::string> expected;
    } cases[] = {
        {"MBR:ZIPCode", {"Young", "Abbot", "Zeta Corp"}},
        {"MBR:CompanyName", {"Abbot", "Young", "Zeta Corp"}},
        {"MBR:NameKey", {"Zeta Corp", "Abbot", "Young"}},
        {"MBR:MemberType", {"Zeta Corp", "Young", "Abbot"}},
        {"", {"Abbot", "Young", "Zeta Corp"}},
        {"MBR:NoSuchField", {"Abbot", "Young", "Zeta Corp"}},
        {"ZIPCode", {"Young", "Abbot", "Zeta Corp"}},
        {"mbr:namekey", {"Zeta Corp", "Abbot", "Young"}},
    };
    for (const auto& c : cases) {
        select("", c.order);
        ui.messages.clear();
        const std::string text = printDirectory(std::string("directory by ") + c.order);
        ASSERT_FALSE(text.empty()) << c.order;
        // No order is refused on the way.
        EXPECT_TRUE(ui.messages.shown.empty()) << c.order << ": " << ui.messages.last().title;
        std::size_t last = 0;
        for (const std::string& name : c.expected) {
            const std::size_t found = at(text, name);
            ASSERT_NE(found, std::string::npos) << c.order << ": " << name;
            EXPECT_GE(found, last) << c.order << ": " << name << " out of order";
            last = found;
        }
    }
}

TEST_F(PrintCustomerDirectoryTest, ASelectionTheViewRefusesPrintsNothing) {
    add({.last = "Adams"});
    // A damaged stored selection: its status part does not read.
    select("MBR:Active=(");
    printSelection();
    procedures().call("PrintCustomerDirectory");
    ui.settle();
    ASSERT_FALSE(ui.messages.shown.empty());
    EXPECT_EQ(ui.messages.last().title, "View Open Error");
    EXPECT_EQ(ui.waitingScripts(), 0U);
}

}  // namespace
}  // namespace bb::test
