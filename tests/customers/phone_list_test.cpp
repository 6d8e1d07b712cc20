// The phone lists: one owner's numbers only, the department and extension
// line and the contact line of the highlighted number, and a number added
// through the list landing with its owner.
#include "customers/phone_list.h"

#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "data/file_manager.h"
#include "dictionary/process_values.h"
#include "ui/procedures.h"

namespace bb::test {
namespace {

constexpr char kCaption[] = "Customer Phone Numbers";

struct LineCase {
    const char* department;
    const char* extension;
    const char* line;
};

TEST(ExtensionLineTest, ShowsWhatOfTheDepartmentAndExtensionThereIs) {
    const LineCase cases[] = {{"Sales", "221", "Sales Ext: 221"},
                              {"Sales ", "", "Sales"},
                              {"", "221", "Ext: 221"},
                              {"", "", ""}};
    for (const LineCase& c : cases) EXPECT_EQ(extensionLine(c.department, c.extension), c.line);
    EXPECT_EQ(contactLine("Jane Doe  "), "Contact: Jane Doe");
    EXPECT_EQ(contactLine(""), "");
}

class PhoneListTest : public CustomerFixture {};

TEST_F(PhoneListTest, ListsTheCustomersNumbersWithTheHighlightedOnesLines) {
    const int smith = addCustomer();
    const int jones = addCustomer("Jones", "Mary");
    addPhone(jones, "Home", "5125550111");
    addPhone(smith, "Office", "5125550100", "Sales", "221");
    addPhone(smith, "Home", "5125550199");
    readCustomer(smith);
    ui.when(kCaption, [](DrivenWindow& list) {
        EXPECT_EQ(list.shown("Owner"), "John Smith");
        // Types in descending order, as the key keeps them.
        EXPECT_EQ(list.rows("Phone numbers"), (std::vector<std::string>{"Office", "Home"}));
        EXPECT_EQ(list.shown("Extension line"), "Sales Ext: 221");
        list.screenshot("customer phone numbers");
        list.clickRow("Phone numbers", 1);
        EXPECT_EQ(list.shown("Extension line"), "");
        EXPECT_EQ(processValues().CurrentProcedure.get(), "BrowseMPH");
        list.press("Close");
    });
    procedures().call("BrowseMPH");
}

TEST_F(PhoneListTest, ANumberAddedThroughTheListBelongsToTheCustomer) {
    const int smith = addCustomer();
    readCustomer(smith);
    CTRL::DEFAULTAREACODE.set(512);
    ui.when(kCaption, [this](DrivenWindow& list) {
        ui.when("Update Phone Number", [](DrivenWindow& form) {
            form.type("Phone Number", "(512) 555-0100");
            form.type("Contact", "Jane Doe");
            form.press("OK");
        });
        list.press("Insert");
        EXPECT_EQ(list.rows("Phone numbers"), std::vector<std::string>{"Office"});
        EXPECT_EQ(list.shown("Contact line"), "Contact: Jane Doe");
        list.press("Close");
    });
    procedures().call("BrowseMPH");
    buffer(FileId::MPhones).clear();
    fileManagerFor(FileId::MPhones)->SetOrder(MPH::key::KEYMEMBERNUMBER);
    ASSERT_EQ(fileManagerFor(FileId::MPhones)->NextQuietly(), SeverityNone);
    EXPECT_EQ(MPH::MEMBERNUMBER.get(), smith);
    EXPECT_EQ(MPH::PHONENUMBER.get(), "5125550100");
}

}  // namespace
}  // namespace bb::test
