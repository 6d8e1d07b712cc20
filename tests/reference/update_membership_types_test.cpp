// The classification form: its checks, and a rename that is announced and
// carried into every customer of the old classification.
#include <gtest/gtest.h>

#include "dictionary/process_values.h"
#include "reference_fixture.h"

namespace bb::test {
namespace {

class UpdateMembershipTypesTest : public ReferenceTest {
protected:
    UpdateMembershipTypesTest() {
        addClassification("Retail", "Individual investors");
        addClassification("Institutional", "Banks and funds");
        addCustomer("Adams", "Retail");
        addCustomer("Baker", "Institutional");
        addCustomer("Clark", "Retail");
    }
    // Changes classification `name` with `script`; the form's response.
    int change(const std::string& name, WindowDriver::Script script) {
        buffer(FileId::MembershipTypes).clear();
        TYP::MEMBERTYPE.set(name);
        fetch(FileId::MembershipTypes, TYP::key::MEMBERTYPEKEY);
        ui.when("Update Customer Classification", std::move(script));
        return callForm("UpdateMembershipTypes", FileId::MembershipTypes, ChangeRequest);
    }
    std::vector<std::string> classifications() {
        return rows(FileId::MembershipTypes, TYP::key::MEMBERTYPEKEY,
                    {TYP::MEMBERTYPE, TYP::DESCRIPTION});
    }
};

TEST_F(UpdateMembershipTypesTest, ARenameIsAnnouncedAndEveryCustomerFollows) {
    EXPECT_EQ(change("Retail",
                     [](DrivenWindow& form) {
                         form.type("Classification", "Retail Plus");
                         form.press("OK");
                     }),
              ResponseCompleted);
    ASSERT_EQ(ui.messages.shown.size(), 1U);
    EXPECT_EQ(ui.messages.last().title, "Customer Classification Change");
    EXPECT_EQ(ui.messages.last().text,
              "The Customer Classification \"Retail\" has been changed to||   \"Retail Plus\" ...  "
              "All Customer records will be updated.");
    EXPECT_EQ(ui.messages.last().icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages.beeps.size(), 1U);
    EXPECT_EQ(customers(), (std::vector<std::string>{"Adams: Retail Plus", "Baker: Institutional",
                                                     "Clark: Retail Plus"}));
    EXPECT_EQ(processValues().CurrentProcedure.get(), "UpdateMembershipTypes");
}

TEST_F(UpdateMembershipTypesTest, AChangeOfDescriptionOnlyAnnouncesNothing) {
    EXPECT_EQ(change("Retail",
                     [](DrivenWindow& form) {
                         form.type("Description", "Individuals and families");
                         form.press("OK");
                     }),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(classifications(), (std::vector<std::string>{"Institutional|Banks and funds",
                                                           "Retail|Individuals and families"}));
    EXPECT_EQ(customers(),
              (std::vector<std::string>{"Adams: Retail", "Baker: Institutional", "Clark: Retail"}));
}

TEST_F(UpdateMembershipTypesTest, ANewClassificationIsNotAnnounced) {
    ui.when("Update Customer Classification", [](DrivenWindow& form) {
        EXPECT_EQ(form.caption(), "Record Will Be Added");
        form.type("Classification", "Wholesale");
        form.type("Description", "Dealers");
        form.press("OK");
    });
    EXPECT_EQ(callForm("UpdateMembershipTypes", FileId::MembershipTypes, InsertRequest),
              ResponseCompleted);
    EXPECT_TRUE(ui.messages.shown.empty());
    EXPECT_EQ(classifications(),
              (std::vector<std::string>{"Institutional|Banks and funds",
                                        "Retail|Individual investors", "Wholesale|Dealers"}));
}

TEST_F(UpdateMembershipTypesTest, OkRefusesABlankNameOrDescriptionBeforeAnnouncing) {
    struct Case {
        const char* name;
        const char* description;
        const char* title;
        const char* text;
        const char* focus;
    };
    const Case cases[] = {
        {"", "Individual investors", "Classification Name Required",
         "     Enter the name of this customer classification.", "Classification"},
        {"Retail Plus", "", "Classification Description Required",
         "Enter a short description for this customer classification.", "Description"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        ui.messages.clear();
        EXPECT_EQ(change("Retail",
                         [&c](DrivenWindow& form) {
                             form.type("Classification", c.name);
                             form.type("Description", c.description);
                             form.press("OK");
                             EXPECT_FALSE(form.manager().Closed());
                             EXPECT_EQ(form.focused(), c.focus);
                             form.type("Classification", "Retail");
                             form.type("Description", "Individual investors");
                             form.press("OK");
                         }),
                  ResponseCompleted);
        ASSERT_EQ(ui.messages.shown.size(), 1U);
        EXPECT_EQ(ui.messages.last().title, c.title);
        EXPECT_EQ(ui.messages.last().text, c.text);
        EXPECT_EQ(customers(), (std::vector<std::string>{"Adams: Retail", "Baker: Institutional",
                                                         "Clark: Retail"}));
    }
}

TEST_F(UpdateMembershipTypesTest, AClassificationInUseIsNotDeleted) {
    ui.messages.answer(ButtonYes);  // yes, delete
    ui.messages.answer(ButtonNo);   // no, do not try again
    buffer(FileId::MembershipTypes).clear();
    TYP::MEMBERTYPE.set("Retail");
    fetch(FileId::MembershipTypes, TYP::key::MEMBERTYPEKEY);
    callForm("UpdateMembershipTypes", FileId::MembershipTypes, DeleteRequest);
    EXPECT_EQ(titles(), refusedDelete());
    EXPECT_EQ(classifications().size(), 2U);
    EXPECT_EQ(customers().size(), 3U);
}

}  // namespace
}  // namespace bb::test
